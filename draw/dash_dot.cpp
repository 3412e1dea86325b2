// dash_dot.cpp -- the dash-dot line and the dash-dot circle, whose patterns are
// fitted to their size on screen: periods of a long dash and a dot along the line,
// groups of a long dash and a dot around the circle; and the plain dashed circle,
// which shares their chains of chords.
//
// Fitting the pattern to the size on screen makes the work grow with that size:
// a circle's chords with the square of its radius, a line's periods with its
// length. Zooming in on the pitch point soon asks for millions of chords, almost
// all far outside the window, and later for counts that no int holds. So a
// pattern whose plain drawing would cost more than a budget first reads the
// modelview. When the whole figure lies in the window it is drawn the plain way
// all the same, call for call; otherwise only the dashes and dots that can reach
// the window are sent, as window coordinates under an identity modelview, with
// just enough chords that no chord sags more than a quarter pixel from its arc.
// That is the picture the plain drawing would make on an exact GL, at a cost
// bounded by the window's size rather than the figure's.
//
// Deep zooms put a figure's centre and radius at 1e10 window units and beyond,
// while what shows is within one unit of the window's centre. Everything visible
// is therefore worked out about the point of the figure nearest the window's
// centre, where the large quantities have already cancelled: positions keep their
// precision at any zoom, and only the phase of the pattern along the figure, which
// no double can place to a pixel there, becomes arbitrary.
#include <GL/gl.h>

#include <cmath>

#include "draw/kit.h"
#include "draw/round_primitives.h"

namespace {

// Above these the plain drawing is costly enough to look at the window first.
constexpr double CIRCLE_CHORD_BUDGET = 20000.0;
constexpr double LINE_PERIOD_BUDGET = 5000.0;
// Largest counts whose plain drawing keeps its int arithmetic in range
// (n (d + 3g) for the circle, 15 n + 9 for the line).
constexpr double CIRCLE_COUNT_LIMIT = 2147483647.0;
constexpr double LINE_COUNT_LIMIT = (2147483647.0 - 9.0) / 15.0;
// Half-size of the window, widened by 4 pixels for the 2-pixel line width and
// the chords' sag, so nothing that touches the window is left out.
constexpr double WINDOW_REACH = 1.01;
constexpr double SQRT_2 = 1.4142135623730951;
// Largest sag of a chord below its arc: a quarter pixel.
constexpr double CHORD_SAG = 0.000625;
// One degree of glRotated, which converts with the true pi.
constexpr double TRUE_PI = 3.14159265358979323846;
constexpr double RADIANS_PER_DEGREE = TRUE_PI / 180.0;
constexpr double FULL_TURN = 2.0 * TRUE_PI;
// Group indices up to here are exact in a double with room to spare, so the
// circle's seam (where its last group meets its first) can be placed exactly.
constexpr double SEAM_EXACT_LIMIT = 1099511627776.0;  // 2^40
// Cap on the groups or periods sent at once. With a modelview that does not
// shrink the picture only a few dozen reach the window; the cap only keeps a
// frame bounded under one that shrinks it, which the program never sets.
constexpr double MAX_SENT_GROUPS = 100000.0;
// Cap on the chords of one dash or dot, for the same reason.
constexpr double MAX_PIECE_CHORDS = 1000.0;

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

// The current modelview as a plane map; false when it is not a finite,
// invertible affine map of the plane, and so the window cannot be found from it.
bool readModelview(Plane& m)
{
    double v[16] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, v);
    m = Plane{v[0], v[4], v[1], v[5], v[12], v[13]};
    if (v[3] != 0.0 || v[7] != 0.0 || v[15] != 1.0) {
        return false;
    }
    const double det = m.a * m.d - m.b * m.c;
    return std::isfinite(m.a) && std::isfinite(m.b) && std::isfinite(m.c) &&
           std::isfinite(m.d) && std::isfinite(m.tx) && std::isfinite(m.ty) &&
           std::isfinite(det) && det != 0.0;
}

// True for a window point in [-1, 1] on both axes.
bool insideWindow(const Vec2& p)
{
    return std::fabs(p.x) <= 1.0 && std::fabs(p.y) <= 1.0;
}

// True when neither coordinate is NaN or infinite.
bool isFinite(const Vec2& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// A figure with nothing to send still leaves what a drawn one leaves: lighting
// on and its colour current. Like every sender here, it follows the caller's
// glDisable(GL_LIGHTING), which comes before any query of the modelview.
void sendNothing(const Rgba& colour)
{
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    glEnable(GL_LIGHTING);
}

// Opens a batch of segments given in window units, under an identity modelview.
void beginWindowSegments(const Rgba& colour)
{
    glPushMatrix();
    glLoadIdentity();
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    glBegin(GL_LINES);
}

// Closes the batch and restores the caller's modelview.
void endWindowSegments()
{
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

// p to q in window units, unless both lie beyond the same edge of the widened
// window (then the segment, and an arc within a sag of it, misses the window).
void sendWindowSegment(const Vec2& p, const Vec2& q)
{
    if ((p.x > WINDOW_REACH && q.x > WINDOW_REACH) || (p.x < -WINDOW_REACH && q.x < -WINDOW_REACH) ||
        (p.y > WINDOW_REACH && q.y > WINDOW_REACH) || (p.y < -WINDOW_REACH && q.y < -WINDOW_REACH)) {
        return;
    }
    if (!isFinite(p) || !isFinite(q)) {
        return;
    }
    glVertex2d(p.x, p.y);
    glVertex2d(q.x, q.y);
}

// [SECTION] Dash-dot line

// The plain pattern: n periods of length u in the line's own frame, which runs
// along +x from 0 to L = n u + 9u/15.
void sendDashDotLine(double x, double y, double direction, int n, double u, const Rgba& colour)
{
    const double dash = u * 9.0 / 15.0;
    const double step = u * 2.0 / 15.0;
    glPushMatrix();
    glTranslated(x, y, 0.0);
    glRotated(direction * RAD_TO_DEG, 0.0, 0.0, 1.0);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    glBegin(GL_LINES);
        for (int i = 0; i < n; ++i) {
            double a = i * u;
            double b = a + dash;
            glVertex2d(a, 0.0);
            glVertex2d(b, 0.0);
            a = b + step;
            b = a + step;
            glVertex2d(a, 0.0);
            glVertex2d(b, 0.0);
        }
        const double a = n * u;
        glVertex2d(a, 0.0);
        glVertex2d(a + dash, 0.0);
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

// Periods of the line, 2 below half a unit, where the rule would give fewer.
double linePeriods(double length)
{
    return (length >= 0.5) ? std::trunc(6.0 * length - 1.0) : 2.0;
}

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

// Only the periods of a long line that reach the window. The pattern reads the
// same from either end, so it is counted from the end nearer the window, which
// keeps the count small and exact wherever an end is in view.
void sendVisibleDashDotLine(const Plane& m, double x, double y, double direction, double length,
                            double n, const Rgba& colour)
{
    const double u = toWindow(length / (15.0 * n + 9.0) * 15.0);
    const double dash = u * 9.0 / 15.0;
    const double step = u * 2.0 / 15.0;
    const WindowLine line = lineInWindow(m, x, y, direction * RAD_TO_DEG * RADIANS_PER_DEGREE);
    const double start = -line.foot;
    const double end = length - line.foot;
    double lo = start;
    double hi = end;
    beginWindowSegments(colour);
    if (!(u > 0.0) || !clipToWindow(line, lo, hi)) {
        endWindowSegments();
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
    for (double k = 0.0; k < MAX_SENT_GROUPS && k * u - phase <= span; k += 1.0) {
        const double period = firstPeriod + k;
        const double g = k * u - phase;
        if (period >= 0.0 && period <= n) {
            sendPiece(g, g + dash);
        }
        if (period >= 0.0 && period <= n - 1.0) {
            sendPiece(g + dash + step, g + dash + 2.0 * step);
        }
    }
    endWindowSegments();
}

// [SECTION] Dash-dot circle

struct CirclePattern {
    double groups;
    double dash;  // chords of a long dash
    double dot;   // chords of a dot; a group spans dash + 3 dot chord steps
};

// Counts of the pattern for radius r (window units): from |r|, 6, 9, 2 below 0.2.
CirclePattern circlePattern(double r)
{
    const double size = std::fabs(r);
    if (size >= 0.2) {
        return CirclePattern{std::trunc(size * (10.0 * KIT_PI)), std::trunc(size * 45.0),
                             std::trunc(size * 10.0)};
    }
    return CirclePattern{6.0, 9.0, 2.0};
}

// One batch of `chords` chords on the circle of radius rr about the current
// origin: from `first` through the points at angles j sub + start, j = 1 to chords.
void sendChordChain(double rr, const Vec2& first, double sub, double start, int chords)
{
    glBegin(GL_LINES);
        Vec2 current = first;
        for (int j = 1; j <= chords; ++j) {
            const Vec2 previous = current;
            const double theta = j * sub + start;
            current = Vec2{std::cos(theta) * rr, std::sin(theta) * rr};
            glVertex2d(previous.x, previous.y);
            glVertex2d(current.x, current.y);
        }
    glEnd();
}

// The plain pattern: n groups, each turned one group further by an accumulating
// rotation, each a long dash of d chords and a dot of g chords.
void sendDashDotCircle(double tx, double ty, double rr, int n, int d, int g, const Rgba& colour)
{
    const double groupAngle = 2.0 * KIT_PI / n;
    const double sub = 2.0 * KIT_PI / static_cast<double>(n * (d + 3 * g));
    const double dotStart = (groupAngle / (d + 3 * g)) * (d + g);
    const Vec2 dotFirst = {std::cos(dotStart) * rr, std::sin(dotStart) * rr};

    glPushMatrix();
    glTranslated(tx, ty, 0.0);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    for (int k = 0; k < n; ++k) {
        glRotated(groupAngle * RAD_TO_DEG, 0.0, 0.0, 1.0);
        sendChordChain(rr, Vec2{rr, 0.0}, sub, 0.0, d);
        sendChordChain(rr, dotFirst, sub, dotStart, g);
    }
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

// True when the circle of radius rr about (tx, ty), mapped by m, lies in [-1, 1]^2.
bool circleInsideWindow(const Plane& m, double tx, double ty, double rr)
{
    const Vec2 c = mapPoint(m, tx, ty);
    const double ra = std::fabs(rr);
    return std::fabs(c.x) + ra * std::hypot(m.a, m.b) <= 1.0 &&
           std::fabs(c.y) + ra * std::hypot(m.c, m.d) <= 1.0;
}

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
    const double chords = std::fmin(std::fmax(std::ceil((to - from) / v.maxStep), 1.0),
                                    MAX_PIECE_CHORDS);
    Vec2 current = circlePoint(v, from);
    for (double i = 1.0; i <= chords; i += 1.0) {
        const Vec2 previous = current;
        current = circlePoint(v, from + (to - from) * (i / chords));
        sendWindowSegment(previous, current);
    }
}

// Only the groups that can reach the window, each group placed at the angle that
// the plain drawing's accumulated rotations give it on an exact GL.
void sendVisibleDashDotCircle(const Plane& m, double tx, double ty, double rr,
                              const CirclePattern& p, const Rgba& colour)
{
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

    beginWindowSegments(colour);
    if (!(std::fabs(v.gap) <= reach) || !(v.radius > 0.0)) {
        endWindowSegments();
        return;
    }
    // Law of cosines about o: |P - o|^2 = gap^2 + 4 dist radius sin^2(psi / 2).
    v.half = TRUE_PI;
    if (dist > 0.0) {
        const double ratio = (reach - std::fabs(v.gap)) * (reach + std::fabs(v.gap)) /
                             (4.0 * dist) / v.radius;
        if (ratio < 1.0) {
            v.half = 2.0 * std::asin(std::sqrt(ratio));
        }
    }
    v.e = (dist > 0.0) ? Vec2{w.x / dist, w.y / dist} : Vec2{1.0, 0.0};
    // A negative radius puts the pattern's angle t at the circle point t + pi.
    double nearest = std::atan2(v.e.y, v.e.x) - ((rr < 0.0) ? TRUE_PI : 0.0);
    nearest -= FULL_TURN * std::floor(nearest / FULL_TURN);  // now in [0, 2 pi)
    v.maxStep = std::sqrt(8.0 * CHORD_SAG / (stretch.most * v.radius));

    const double n = p.groups;
    const double groupAngle = 2.0 * KIT_PI / n;
    const double turn = groupAngle * RAD_TO_DEG * RADIANS_PER_DEGREE;
    const double groupSteps = p.dash + 3.0 * p.dot;
    const double dashEnd = groupAngle * (p.dash / groupSteps);
    const double dotStart = groupAngle * ((p.dash + p.dot) / groupSteps);
    const double dotEnd = groupAngle * ((p.dash + 2.0 * p.dot) / groupSteps);
    // Group j (1 to n) starts at the pattern's angle j turn, psi = j turn - nearest.
    // With nearest = q turn + f, group q + k starts at psi = k turn - f: small
    // numbers whatever the size of q. Clipping each group to [-half, half] also
    // splits a group that two laps reach at psi = +-pi, so none is sent twice.
    const double f = std::fmod(nearest, turn);
    const double q = std::nearbyint((nearest - f) / turn);
    const bool seamExact = n <= SEAM_EXACT_LIMIT;
    const int laps = seamExact ? 1 : 0;
    double sent = 0.0;
    for (int lap = -laps; lap <= laps; ++lap) {
        // lap -1 and +1 reach the groups across the seam, a full turn away.
        const double shift = FULL_TURN * lap;
        double kLo = std::ceil((-v.half - dotEnd + f - shift) / turn) - 1.0;
        double kHi = std::floor((v.half + f - shift) / turn) + 1.0;
        if (seamExact) {
            kLo = std::fmax(kLo, 1.0 - q);
            kHi = std::fmin(kHi, n - q);
        }
        for (double k = kLo; k <= kHi && sent < MAX_SENT_GROUPS; k += 1.0) {
            const double psi = k * turn - f + shift;
            sendArc(v, psi, psi + dashEnd);
            sendArc(v, psi + dotStart, psi + dotEnd);
            sent += 1.0;
        }
    }
    endWindowSegments();
}

}  // namespace

// p1 to p2 in window units: dash, gap, dot, gap repeated, closed by a long dash,
// the period stretched so the line starts and ends with a whole long dash.
void drawDashDotLine(const Vec2& p1, const Vec2& p2, const Rgba& colour)
{
    const double dx = p1.x - p2.x;
    const double dy = p1.y - p2.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double direction = std::atan2(p2.y - p1.y, p2.x - p1.x);
    const double x = toWindow(p1.x);
    const double y = toWindow(p1.y);
    glDisable(GL_LIGHTING);
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(dx) || !std::isfinite(dy)) {
        sendNothing(colour);
        return;
    }
    const double periods = linePeriods(length);
    if (periods <= LINE_PERIOD_BUDGET) {
        const int n = static_cast<int>(periods);
        const double u = toWindow(length * 15.0 / static_cast<double>(15 * n + 9));
        sendDashDotLine(x, y, direction, n, u, colour);
        return;
    }
    // The squares above overflow long before the points do.
    const double span = std::isfinite(length) ? length : std::hypot(dx, dy);
    Plane m = {};
    if (!std::isfinite(span) || !readModelview(m)) {
        sendNothing(colour);
        return;
    }
    const double n = linePeriods(span);
    const double turn = direction * RAD_TO_DEG * RADIANS_PER_DEGREE;
    const Vec2 first = mapPoint(m, x, y);
    const Vec2 along = mapVector(m, std::cos(turn), std::sin(turn));
    const Vec2 last = {first.x + span * along.x, first.y + span * along.y};
    if (n <= LINE_COUNT_LIMIT && insideWindow(first) && insideWindow(last)) {
        const int whole = static_cast<int>(n);
        const double u = toWindow(span * 15.0 / static_cast<double>(15 * whole + 9));
        sendDashDotLine(x, y, direction, whole, u, colour);
        return;
    }
    sendVisibleDashDotLine(m, x, y, direction, span, n, colour);
}

// drawDashDotLine of p1, p2 in model units times the zoom s, so the pattern is
// fitted to the length on screen.
void drawScaledDashDotLine(double s, const Vec2& p1, const Vec2& p2, const Rgba& colour)
{
    const Vec2 q1 = {s * p1.x, s * p1.y};
    const Vec2 q2 = {s * p2.x, s * p2.y};
    drawDashDotLine(q1, q2, colour);
}

// Dash-dot circle about centre, r in window units; the counts follow |r| so that
// each group spans about 0.2 window units of arc at any radius.
void drawDashDotCircle(const Vec2& centre, double r, const Rgba& colour)
{
    const double tx = toWindow(centre.x);
    const double ty = toWindow(centre.y);
    const double rr = toWindow(r);
    glDisable(GL_LIGHTING);
    if (!std::isfinite(tx) || !std::isfinite(ty) || !std::isfinite(rr)) {
        sendNothing(colour);
        return;
    }
    const CirclePattern p = circlePattern(r);
    if (p.groups * (p.dash + p.dot) <= CIRCLE_CHORD_BUDGET) {
        sendDashDotCircle(tx, ty, rr, static_cast<int>(p.groups), static_cast<int>(p.dash),
                          static_cast<int>(p.dot), colour);
        return;
    }
    Plane m = {};
    if (!readModelview(m)) {
        sendNothing(colour);
        return;
    }
    if (p.groups * (p.dash + 3.0 * p.dot) <= CIRCLE_COUNT_LIMIT &&
        circleInsideWindow(m, tx, ty, rr)) {
        sendDashDotCircle(tx, ty, rr, static_cast<int>(p.groups), static_cast<int>(p.dash),
                          static_cast<int>(p.dot), colour);
        return;
    }
    sendVisibleDashDotCircle(m, tx, ty, rr, p, colour);
}

// drawDashDotCircle of centre and r in model units times the zoom s.
void drawScaledDashDotCircle(double s, const Vec2& centre, double r, const Rgba& colour)
{
    const Vec2 c = {s * centre.x, s * centre.y};
    drawDashDotCircle(c, s * r, colour);
}

// Dashes without dots about centre (window units), fitted to |r| like the
// dash-dot circle: n groups, each a chain of d chords followed by a gap of g.
void drawDashedCircle(const Vec2& centre, double r, const Rgba& colour)
{
    const double tx = toWindow(centre.x);
    const double ty = toWindow(centre.y);
    const double rr = toWindow(r);
    const double size = std::fabs(r);
    int n = 6;
    int d = 8;
    int g = 2;
    if (size >= 0.2) {
        n = static_cast<int>(size * 10.0 * KIT_PI);
        d = static_cast<int>(size * 40.0);
        g = static_cast<int>(size * 10.0);
    }
    const double groupAngle = 2.0 * KIT_PI / n;
    const double sub = 2.0 * KIT_PI / static_cast<double>(n * (d + g));

    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(tx, ty, 0.0);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    for (int k = 0; k < n; ++k) {
        glRotated(groupAngle * RAD_TO_DEG, 0.0, 0.0, 1.0);
        sendChordChain(rr, Vec2{rr, 0.0}, sub, 0.0, d);
    }
    glPopMatrix();
    glEnable(GL_LIGHTING);
}
