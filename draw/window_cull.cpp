// window_cull.cpp -- the dash-dot line and the patterned circles sent only where
// they can reach the window.
//
// Zoomed in on the pitch point, a pitch circle can be 22,000 window units across
// and a centre line 44,000 long: drawn whole, they would take up to 1e12 chords,
// nearly all far outside the window; zoomed out, a pitch circle drawn in the
// pattern's own steps would take 20,000 chords where 300 show it. Here the kit's
// modelview is read, the figure is followed in window coordinates, and only the
// dashes and dots within reach of the window are sent, as window coordinates,
// with just enough chords that none sags more than a quarter pixel from its arc:
// the picture an exact GL makes of the whole figure, at a cost bounded by the
// window's size rather than the figure's.
//
// The line is worked out about the point nearest the window's centre (its foot),
// so that the quantities that reach GL are small differences, never the figure's
// full size; the circle in double precision about its centre. The patterns come
// from dash_pattern.h.
#include "draw/window_cull.h"

#include <cassert>
#include <cmath>

#include "draw/batch.h"
#include "draw/screen_curves.h"

namespace {

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

// p to q in window units, unless it cannot show.
void sendWindowSegment(const Vec2& p, const Vec2& q)
{
    if (!segmentMissesWindow(p, q)) {
        batchWindowSegment(p.x, p.y, q.x, q.y);
    }
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
    if (culling() && !clipToWindow(line, lo, hi)) {
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

// [SECTION] Patterned circles

void sendVisibleCircle(double tx, double ty, double rr, const CirclePattern& p,
                       const Rgba& colour)
{
    const Plane m = readModelview();
    const Vec2 centre = mapPoint(m, tx, ty);
    const double radius = std::fabs(rr);
    batchColour(colour);
    if (!(radius > 0.0)) {
        return;
    }
    // The pattern's angle t lies at the window angle t + offset; a negative radius
    // puts it at the opposite point.
    const double offset = std::atan2(m.c, m.a) + ((rr < 0.0) ? TRUE_PI : 0.0);
    // Group j (1 to n) starts at t = j turn: the frame turned j times by the group
    // angle, which glRotated converts with the true pi.
    const double turn = p.groupAngle * RAD_TO_DEG * RADIANS_PER_DEGREE;
    const double dashEnd = p.dash * p.sub;
    const double dotEnd = p.dotStart + p.dot * p.sub;
    const double groupEnd = std::fmax(dashEnd, dotEnd);
    double from[8];
    double to[8];
    const int arcs = visibleArcs(centre, radius, from, to);
    for (int i = 0; i < arcs; ++i) {
        double t0 = from[i] - offset;
        t0 -= FULL_TURN * std::floor(t0 / FULL_TURN);
        const double t1 = t0 + (to[i] - from[i]);
        const auto piece = [&](double a, double b) {
            a = std::fmax(a, t0);
            b = std::fmin(b, t1);
            if (a < b) {
                sendArc(centre, radius, a + offset, b + offset);
            }
        };
        // Laps -1 and +1 reach the groups across the seam, where the last group
        // meets the first; clipping each to [t0, t1], which spans at most one turn,
        // sends no point of the circle twice.
        for (int lap = -1; lap <= 1; ++lap) {
            const double shift = FULL_TURN * lap;
            const double jLo = std::fmax(std::ceil((t0 - shift - groupEnd) / turn), 1.0);
            const double jHi = std::fmin(std::floor((t1 - shift) / turn), p.groups);
            for (double j = jLo; j <= jHi; j += 1.0) {
                const double g = j * turn + shift;
                piece(g, g + dashEnd);
                if (p.dot > 0) {
                    piece(g + p.dotStart, g + dotEnd);
                }
            }
        }
    }
}
