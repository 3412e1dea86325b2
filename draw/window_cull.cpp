// window_cull.cpp -- the dash-dot line and circle sent only where they can reach
// the window, for figures too large on screen to draw the plain way.
//
// Zoomed in on the pitch point, a pitch circle can be 22,000 window units across
// and a centre line 44,000 long: their plain drawing would take up to 1e12 chords,
// nearly all far outside the window. Here the kit's modelview is read, the
// figure is followed in window coordinates, and only the dashes and dots within
// reach of the window are sent, as window coordinates, with just enough
// chords that none sags more than a quarter pixel from its arc. That is the
// picture the plain drawing makes on an exact GL, at a cost bounded by the
// window's size rather than the figure's.
//
// Both figures are worked out about the point nearest the window's centre (the
// line's foot, the circle point nearest it), so that the quantities that reach GL
// are small differences, never the figure's full size; the pattern itself comes
// from dash_pattern.h, the same as the plain drawing's.
#include "draw/window_cull.h"

#include <cassert>
#include <cmath>

#include "draw/batch.h"

namespace {

// Half-size of the window, widened by 4 pixels for the 2-pixel line width and
// the chords' sag, so nothing that touches the window is left out.
constexpr double WINDOW_REACH = 1.01;
constexpr double SQRT_2 = 1.4142135623730951;
// Largest sag of a chord below its arc: a quarter pixel.
constexpr double CHORD_SAG = 0.000625;
// One degree of a kit turn, which converts with the true pi as glRotated does.
constexpr double TRUE_PI = 3.14159265358979323846;
constexpr double RADIANS_PER_DEGREE = TRUE_PI / 180.0;
constexpr double FULL_TURN = 2.0 * TRUE_PI;

// The modelview's action on the plane: (x, y) -> (a x + b y + tx, c x + d y + ty).
struct Plane {
    double a;
    double b;
    double c;
    double d;
    double tx;
    double ty;
};

// Largest and smallest factor by which the plane map stretches a length.
struct Stretch {
    double most;
    double least;
};

// Window point of (x, y) in the modelview's input frame.
Vec2 mapPoint(const Plane& m, double x, double y)
{
    return Vec2{m.a * x + m.b * y + m.tx, m.c * x + m.d * y + m.ty};
}

// Window vector of (x, y): the map without its translation.
Vec2 mapVector(const Plane& m, double x, double y)
{
    return Vec2{m.a * x + m.b * y, m.c * x + m.d * y};
}

// Singular values of the map's 2x2 part.
Stretch stretchOf(const Plane& m)
{
    const double p = std::hypot(m.a + m.d, m.c - m.b) / 2.0;
    const double q = std::hypot(m.a - m.d, m.c + m.b) / 2.0;
    return Stretch{p + q, std::fabs(p - q)};
}

// The kit's modelview as a plane map. The views only move and turn the frame,
// so it is always a finite, invertible map of the plane.
Plane readModelview()
{
    const KitMatrix& k = kitMatrix();
    const Plane m = {k.a, k.b, k.c, k.d, k.tx, k.ty};
    assert(std::isfinite(m.a * m.d - m.b * m.c) && m.a * m.d - m.b * m.c != 0.0 &&
           std::isfinite(m.tx) && std::isfinite(m.ty) && "the modelview is finite and invertible");
    return m;
}

// p to q in window units, unless both lie beyond the same edge of the widened
// window (then the segment, and an arc within a sag of it, misses the window).
void sendWindowSegment(const Vec2& p, const Vec2& q)
{
    if ((p.x > WINDOW_REACH && q.x > WINDOW_REACH) || (p.x < -WINDOW_REACH && q.x < -WINDOW_REACH) ||
        (p.y > WINDOW_REACH && q.y > WINDOW_REACH) || (p.y < -WINDOW_REACH && q.y < -WINDOW_REACH)) {
        return;
    }
    assert(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(q.x) && std::isfinite(q.y) &&
           "GL gets finite window coordinates");
    batchWindowSegment(p.x, p.y, q.x, q.y);
}

// [SECTION] Dash-dot line

// The line as the window sees it: window point Q + xi U for the line's own x =
// foot + xi, Q being the point nearest the window's centre.
struct WindowLine {
    Vec2 q;
    Vec2 u;
    double foot;
};

// The line from (x, y) along angle turn (radians, both in the modelview's input
// frame) as the window sees it.
WindowLine lineInWindow(const Plane& m, double x, double y, double turn)
{
    const Vec2 start = mapPoint(m, x, y);
    const Vec2 along = mapVector(m, std::cos(turn), std::sin(turn));
    const double foot = -(start.x * along.x + start.y * along.y) /
                        (along.x * along.x + along.y * along.y);
    return WindowLine{Vec2{start.x + foot * along.x, start.y + foot * along.y}, along, foot};
}

// The xi range [lo, hi] in which the line lies within the widened window.
bool clipToWindow(const WindowLine& line, double& lo, double& hi)
{
    const double q[2] = {line.q.x, line.q.y};
    const double u[2] = {line.u.x, line.u.y};
    for (int k = 0; k < 2; ++k) {
        if (u[k] == 0.0) {
            if (std::fabs(q[k]) > WINDOW_REACH) {
                return false;
            }
            continue;
        }
        const double t1 = (-WINDOW_REACH - q[k]) / u[k];
        const double t2 = (WINDOW_REACH - q[k]) / u[k];
        lo = std::fmax(lo, std::fmin(t1, t2));
        hi = std::fmin(hi, std::fmax(t1, t2));
    }
    return lo < hi;
}

}  // namespace

// The pattern reads the same from either end, so it is counted from the end
// nearer the window: the end dash in view then lands on its end point exactly.
void sendVisibleDashDotLine(double x, double y, double direction, double length,
                            const LinePattern& p, const Rgba& colour)
{
    const Plane m = readModelview();
    const double u = p.period;
    const WindowLine line = lineInWindow(m, x, y, direction * RAD_TO_DEG * RADIANS_PER_DEGREE);
    const double start = -line.foot;
    const double end = length - line.foot;
    double lo = start;
    double hi = end;
    batchColour(colour);
    if (!clipToWindow(line, lo, hi)) {
        return;
    }

    // eta: distance along the pattern from the chosen end; xi = ref + sense * (eta - etaLo).
    const bool fromStart = std::fabs((lo + hi) / 2.0 - start) <= std::fabs(end - (lo + hi) / 2.0);
    const double etaLo = fromStart ? lo - start : end - hi;
    const double ref = fromStart ? lo : hi;
    const double sense = fromStart ? 1.0 : -1.0;
    const double span = hi - lo;
    double phase = std::fmod(etaLo, u);
    if (phase < 0.0) {
        phase += u;
    }
    const double firstPeriod = std::nearbyint((etaLo - phase) / u);

    const auto sendPiece = [&](double from, double to) {
        from = std::fmax(from, 0.0);
        to = std::fmin(to, span);
        if (!(from < to)) {
            return;
        }
        const double xi1 = ref + sense * from;
        const double xi2 = ref + sense * to;
        sendWindowSegment(Vec2{line.q.x + xi1 * line.u.x, line.q.y + xi1 * line.u.y},
                          Vec2{line.q.x + xi2 * line.u.x, line.q.y + xi2 * line.u.y});
    };
    for (double k = 0.0; k * u - phase <= span; k += 1.0) {
        const double period = firstPeriod + k;
        const double g = k * u - phase;
        if (period >= 0.0 && period <= p.periods) {
            sendPiece(g, g + p.dash);
        }
        if (period >= 0.0 && period <= p.periods - 1.0) {
            sendPiece(g + p.dash + p.step, g + p.dash + 2.0 * p.step);
        }
    }
}

// [SECTION] Dash-dot circle

namespace {

// The circle seen from the point o of its own frame that maps to the window's
// centre. psi is the angle about the circle's centre from the circle point nearest
// o; `half` bounds the psi that can reach the window.
struct CircleView {
    Plane m;
    Vec2 e;          // unit vector from the centre towards o
    double gap;      // |o - centre| - radius
    double radius;   // |rr|
    double half;
    double maxStep;  // largest psi step whose chord sags at most CHORD_SAG on screen
};

// Window point of the circle at psi: the offset from o, mapped without the
// translation (which takes o to the window's centre).
Vec2 circlePoint(const CircleView& v, double psi)
{
    const double s = std::sin(psi / 2.0);
    const double toward = -(v.gap + 2.0 * v.radius * s * s);
    const double across = v.radius * std::sin(psi);
    return mapVector(v.m, toward * v.e.x - across * v.e.y, toward * v.e.y + across * v.e.x);
}

// One dash or dot, psi from `from` to `to`, clipped to the reachable range.
void sendArc(const CircleView& v, double from, double to)
{
    from = std::fmax(from, -v.half);
    to = std::fmin(to, v.half);
    if (!(from < to)) {
        return;
    }
    const double chords = std::fmax(std::ceil((to - from) / v.maxStep), 1.0);
    Vec2 current = circlePoint(v, from);
    for (double i = 1.0; i <= chords; i += 1.0) {
        const Vec2 previous = current;
        current = circlePoint(v, from + (to - from) * (i / chords));
        sendWindowSegment(previous, current);
    }
}

}  // namespace

void sendVisibleDashDotCircle(double tx, double ty, double rr, const CirclePattern& p,
                              const Rgba& colour)
{
    const Plane m = readModelview();
    CircleView v = {};
    v.m = m;
    v.radius = std::fabs(rr);
    const double det = m.a * m.d - m.b * m.c;
    const Vec2 centre = mapPoint(m, tx, ty);
    const Vec2 w = {-(m.d * centre.x - m.b * centre.y) / det,
                    -(m.a * centre.y - m.c * centre.x) / det};
    const double dist = std::hypot(w.x, w.y);
    v.gap = dist - v.radius;
    const Stretch stretch = stretchOf(m);
    const double reach = WINDOW_REACH * SQRT_2 / stretch.least;

    batchColour(colour);
    if (!(std::fabs(v.gap) <= reach)) {
        return;
    }
    // Law of cosines about o: |P - o|^2 = gap^2 + 4 dist radius sin^2(psi / 2).
    const double ratio = (reach - std::fabs(v.gap)) * (reach + std::fabs(v.gap)) /
                         (4.0 * dist) / v.radius;
    assert(dist > 0.0 && ratio < 1.0 && "a culled circle is too large to lie within reach");
    v.half = 2.0 * std::asin(std::sqrt(ratio));
    v.e = Vec2{w.x / dist, w.y / dist};
    // A negative radius puts the pattern's angle t at the circle point t + pi.
    double nearest = std::atan2(v.e.y, v.e.x) - ((rr < 0.0) ? TRUE_PI : 0.0);
    nearest -= FULL_TURN * std::floor(nearest / FULL_TURN);  // now in [0, 2 pi)
    v.maxStep = std::sqrt(8.0 * CHORD_SAG / (stretch.most * v.radius));

    // Where the plain drawing's chords lie within a group, and how far glRotated
    // (which converts with the true pi) turns each group.
    const double turn = p.groupAngle * RAD_TO_DEG * RADIANS_PER_DEGREE;
    const double dashEnd = p.dash * p.sub;
    const double dotEnd = p.dotStart + p.dot * p.sub;
    // Group j (1 to n) starts at the pattern's angle j turn, psi = j turn - nearest.
    // With nearest = q turn + f, group q + k starts at psi = k turn - f. Laps -1
    // and +1 reach the groups across the seam, where the last group meets the
    // first; clipping each group to [-half, half] also splits a group that two
    // laps reach at psi = +-pi, so none is sent twice.
    const double f = std::fmod(nearest, turn);
    const double q = std::nearbyint((nearest - f) / turn);
    for (int lap = -1; lap <= 1; ++lap) {
        const double shift = FULL_TURN * lap;
        const double kLo = std::fmax(std::ceil((-v.half - dotEnd + f - shift) / turn) - 1.0, 1.0 - q);
        const double kHi = std::fmin(std::floor((v.half + f - shift) / turn) + 1.0, p.groups - q);
        for (double k = kLo; k <= kHi; k += 1.0) {
            const double psi = k * turn - f + shift;
            sendArc(v, psi, psi + dashEnd);
            sendArc(v, psi + p.dotStart, psi + dotEnd);
        }
    }
}
