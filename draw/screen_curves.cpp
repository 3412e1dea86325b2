// screen_curves.cpp -- curves cut to what the screen shows: arcs in as few chords
// as a quarter pixel allows, circles only where they cross the window, polylines
// thinned to a quarter pixel.
//
// A chord spanning angle a sags r (1 - cos(a / 2)) below an arc of radius r, so
// the widest step that keeps the sag within t is 2 acos(1 - t / r): a circle of
// 400 pixels' radius needs 89 chords, a dot of 4 pixels 9. Everything is worked
// out in window coordinates in double precision, so that a circle thousands of
// window units across still lands within the tolerance where it crosses the
// window.
#include "draw/screen_curves.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "draw/batch.h"

namespace {

constexpr double FULL_TURN = 2.0 * 3.14159265358979323846;
// The tolerance, pixels: what the eye cannot tell from the curve.
constexpr double SCREEN_TOLERANCE_PIXELS = 0.25;
// The widest step of a curve smaller than the tolerance: a triangle.
constexpr double COARSEST_STEP = FULL_TURN / 3.0;

Vec2 onCircle(const Vec2& c, double r, double angle)
{
    return Vec2{c.x + r * std::cos(angle), c.y + r * std::sin(angle)};
}

bool inReach(const Vec2& p)
{
    return std::fabs(p.x) <= WINDOW_REACH && std::fabs(p.y) <= WINDOW_REACH;
}

// Distance from p to the segment a-b.
double distanceToSegment(const Vec2& p, const Vec2& a, const Vec2& b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::fmin(std::fmax(t, 0.0), 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

double screenTolerance()
{
    return SCREEN_TOLERANCE_PIXELS / kitScreen.pixelsPerUnit;
}

double polylineTolerance()
{
    return kitScreen.plain ? 0.0 : screenTolerance();
}

bool culling()
{
    return !kitScreen.plain;
}

int chordsFor(double r, double angle)
{
    const double t = screenTolerance();
    const double step = t < r ? std::fmin(2.0 * std::acos(1.0 - t / r), COARSEST_STEP)
                              : COARSEST_STEP;
    return std::max(static_cast<int>(std::ceil(std::fabs(angle) / step)), 1);
}

int visibleArcs(const Vec2& c, double r, double* from, double* to)
{
    const double reach = WINDOW_REACH;
    if (!culling() || (std::fabs(c.x) + r <= reach && std::fabs(c.y) + r <= reach)) {
        from[0] = 0.0;
        to[0] = FULL_TURN;
        return 1;
    }
    // Missed: the window's nearest point lies outside the circle, or its farthest
    // corner inside.
    const double nearX = c.x - std::fmin(std::fmax(c.x, -reach), reach);
    const double nearY = c.y - std::fmin(std::fmax(c.y, -reach), reach);
    if (std::hypot(nearX, nearY) > r || std::hypot(reach + std::fabs(c.x), reach + std::fabs(c.y)) < r) {
        return 0;
    }
    // Where the circle crosses the lines of the window's four edges.
    double cuts[8];
    int n = 0;
    for (const double edge : {-reach, reach}) {
        const double dx = edge - c.x;
        const double dy = edge - c.y;
        if (std::fabs(dx) < r) {
            const double h = std::sqrt((r - dx) * (r + dx));
            cuts[n++] = std::atan2(h, dx);
            cuts[n++] = std::atan2(-h, dx);
        }
        if (std::fabs(dy) < r) {
            const double h = std::sqrt((r - dy) * (r + dy));
            cuts[n++] = std::atan2(dy, h);
            cuts[n++] = std::atan2(dy, -h);
        }
    }
    for (int i = 0; i < n; ++i) {
        cuts[i] -= FULL_TURN * std::floor(cuts[i] / FULL_TURN);
    }
    std::sort(cuts, cuts + n);
    // Between two neighbouring cuts the circle is wholly in reach or wholly out.
    int arcs = 0;
    for (int i = 0; i < n; ++i) {
        const double a = cuts[i];
        const double b = i + 1 < n ? cuts[i + 1] : cuts[0] + FULL_TURN;
        if (b > a && inReach(onCircle(c, r, (a + b) / 2.0))) {
            if (arcs > 0 && to[arcs - 1] == a) {
                to[arcs - 1] = b;
            } else {
                from[arcs] = a;
                to[arcs] = b;
                ++arcs;
            }
        }
    }
    return arcs;
}

void sendArc(const Vec2& c, double r, double from, double to)
{
    // The arc is a stretch of the polygon of equal chords that the whole circle of
    // its size is drawn as, its ends on that polygon's sides: circles that nearly
    // coincide (a base and an undercut circle, a pitch circle and its dashes) keep
    // their distance everywhere instead of crossing where their chords fall apart.
    const double step = FULL_TURN / chordsFor(r, FULL_TURN);
    const auto onPolygon = [&](double angle, double side) {
        const double rho = r * std::cos(step / 2.0) / std::cos(angle - (side + 0.5) * step);
        return Vec2{c.x + rho * std::cos(angle), c.y + rho * std::sin(angle)};
    };
    double side = std::floor(from / step);
    Vec2 current = onPolygon(from, side);
    double at = from;
    while (at < to) {
        const double corner = (side + 1.0) * step;
        const Vec2 previous = current;
        if (corner < to) {
            current = onCircle(c, r, corner);
            at = corner;
        } else {
            current = onPolygon(to, side);
            at = to;
        }
        side += 1.0;
        if (!segmentMissesWindow(previous, current)) {
            batchWindowSegment(previous.x, previous.y, current.x, current.y);
        }
    }
}

bool segmentMissesWindow(const Vec2& p, const Vec2& q)
{
    return culling() && ((p.x > WINDOW_REACH && q.x > WINDOW_REACH) ||
                         (p.x < -WINDOW_REACH && q.x < -WINDOW_REACH) ||
                         (p.y > WINDOW_REACH && q.y > WINDOW_REACH) ||
                         (p.y < -WINDOW_REACH && q.y < -WINDOW_REACH));
}

bool discMissesWindow(const Vec2& c, double r)
{
    return culling() && (std::fabs(c.x) > WINDOW_REACH + r || std::fabs(c.y) > WINDOW_REACH + r);
}

int simplifyPolyline(const Vec2* points, int last, double tolerance, int* kept)
{
    assert(last >= 0 && last <= PROFILE_LAST_INDEX && "a polyline of an outline's size");
    // The distinct points, then Douglas-Peucker over them: a stretch whose
    // farthest point lies within the tolerance of its chord becomes the chord.
    int distinct[PROFILE_POINTS];
    int n = 0;
    for (int i = 0; i <= last; ++i) {
        if (n == 0 || points[i].x != points[distinct[n - 1]].x ||
            points[i].y != points[distinct[n - 1]].y) {
            distinct[n++] = i;
        }
    }
    bool keep[PROFILE_POINTS] = {};
    keep[0] = true;
    keep[n - 1] = true;
    int stack[2 * PROFILE_POINTS];
    int depth = 0;
    if (n > 2) {
        stack[depth++] = 0;
        stack[depth++] = n - 1;
    }
    while (depth > 0) {
        const int hi = stack[--depth];
        const int lo = stack[--depth];
        double farthest = -1.0;
        int at = lo;
        for (int i = lo + 1; i < hi; ++i) {
            const double d = distanceToSegment(points[distinct[i]], points[distinct[lo]],
                                               points[distinct[hi]]);
            if (d > farthest) {
                farthest = d;
                at = i;
            }
        }
        if (farthest > tolerance) {
            keep[at] = true;
            stack[depth++] = lo;
            stack[depth++] = at;
            stack[depth++] = at;
            stack[depth++] = hi;
        }
    }
    int count = 0;
    for (int i = 0; i < n; ++i) {
        if (keep[i]) {
            kept[count++] = distinct[i];
        }
    }
    return count;
}
