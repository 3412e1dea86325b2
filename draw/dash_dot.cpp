// dash_dot.cpp -- the dash-dot line and the dash-dot circle, whose patterns are
// fitted to their size on screen: periods of a long dash and a dot along the line,
// groups of a long dash and a dot around the circle; and the plain dashed circle,
// which shares the circle's groups.
//
// Fitting the pattern to the size on screen makes the pattern grow with that size:
// a circle's groups with its radius, a line's periods with its length. Only the
// dashes and dots that can reach the window are sent (window_cull.cpp), each arc
// in the chords its size on screen needs, so that the cost follows the window,
// not the figure.
#include <cassert>
#include <cmath>

#include "draw/batch.h"

#include "draw/dash_pattern.h"
#include "draw/round_primitives.h"
#include "draw/window_cull.h"

namespace {

// The line's pattern, in fifteenths of a period: long dash, then gap, dot, gap.
constexpr double PERIOD_PARTS = 15.0;
constexpr double DASH_PARTS = 9.0;
constexpr double DOT_PARTS = 2.0;
// Periods per window unit of length, and the fewest periods, used below half a unit.
constexpr double PERIODS_PER_UNIT = 6.0;
constexpr double SHORT_LINE = 0.5;
constexpr int SHORT_LINE_PERIODS = 2;

// The circle's counts per window unit of radius (groups: 10 pi, so that each
// spans about 0.2 units of arc), and the fixed counts below 0.2.
constexpr double GROUP_DENSITY = 10.0;
constexpr double DASH_CHORDS_PER_UNIT = 45.0;
constexpr double DOT_CHORDS_PER_UNIT = 10.0;
constexpr double SMALL_CIRCLE = 0.2;
constexpr int SMALL_CIRCLE_GROUPS = 6;
constexpr int SMALL_CIRCLE_DASH = 9;
constexpr int SMALL_CIRCLE_DOT = 2;

// The dashed circle's counts: as the dash-dot circle's, but dashes of 40 and gaps
// of 10 chords per unit of radius, 8 and 2 below 0.2.
constexpr double DASHED_CHORDS_PER_UNIT = 40.0;
constexpr double DASHED_GAP_PER_UNIT = 10.0;
constexpr int SMALL_DASHED_CHORDS = 8;
constexpr int SMALL_DASHED_GAP = 2;

}  // namespace

LinePattern linePattern(double length)
{
    LinePattern p = {};
    p.periods = (length >= SHORT_LINE) ? static_cast<int>(PERIODS_PER_UNIT * length - 1.0)
                                       : SHORT_LINE_PERIODS;
    const int parts = static_cast<int>(PERIOD_PARTS) * p.periods + static_cast<int>(DASH_PARTS);
    p.period = toWindow(length * PERIOD_PARTS / static_cast<double>(parts));
    p.dash = p.period * DASH_PARTS / PERIOD_PARTS;
    p.step = p.period * DOT_PARTS / PERIOD_PARTS;
    return p;
}

CirclePattern circlePattern(double r)
{
    CirclePattern p = {SMALL_CIRCLE_GROUPS, SMALL_CIRCLE_DASH, SMALL_CIRCLE_DOT, 0.0, 0.0, 0.0};
    const double size = std::fabs(r);
    if (size >= SMALL_CIRCLE) {
        p.groups = static_cast<int>(size * (GROUP_DENSITY * KIT_PI));
        p.dash = static_cast<int>(size * DASH_CHORDS_PER_UNIT);
        p.dot = static_cast<int>(size * DOT_CHORDS_PER_UNIT);
    }
    const int groupSteps = p.dash + 3 * p.dot;
    p.groupAngle = 2.0 * KIT_PI / p.groups;
    // NOTE: the product in double: for the largest circles it outgrows an int.
    p.sub = 2.0 * KIT_PI / (static_cast<double>(p.groups) * groupSteps);
    p.dotStart = (p.groupAngle / groupSteps) * (p.dash + p.dot);
    return p;
}

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
    assert(length <= LARGEST_DASH_DOT_FIGURE && "no view draws a dash-dot line this long");
    sendVisibleDashDotLine(x, y, direction, length, linePattern(length), colour);
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
    assert(std::fabs(rr) <= LARGEST_DASH_DOT_FIGURE && "no view draws a dash-dot circle this large");
    sendVisibleCircle(tx, ty, rr, circlePattern(r), colour);
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
    int n = SMALL_CIRCLE_GROUPS;
    int d = SMALL_DASHED_CHORDS;
    int g = SMALL_DASHED_GAP;
    if (size >= SMALL_CIRCLE) {
        n = static_cast<int>(size * GROUP_DENSITY * KIT_PI);
        d = static_cast<int>(size * DASHED_CHORDS_PER_UNIT);
        g = static_cast<int>(size * DASHED_GAP_PER_UNIT);
    }
    // Dashes of d chord steps and gaps of g: a pattern whose dots have no steps.
    CirclePattern p = {n, d, 0, 2.0 * KIT_PI / n, 0.0, 0.0};
    p.sub = 2.0 * KIT_PI / static_cast<double>(n * (d + g));
    sendVisibleCircle(tx, ty, rr, p, colour);
}
