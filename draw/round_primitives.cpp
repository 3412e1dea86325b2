// round_primitives.cpp -- discs and circle outlines cut for the screen
// (screen_curves.cpp), and ellipses as fixed 120-gons about a translated centre
// (the dashed and dash-dot circles are in dash_dot.cpp).
//
// Every angle here is stepped with the kit's own KIT_PI, never the geometry's PI;
// the ellipses' 121st vertex therefore lands 8e-11 rad past their first, far below
// a pixel.
#include "draw/round_primitives.h"

#include <algorithm>
#include <cmath>

#include "draw/batch.h"
#include "draw/screen_curves.h"

// Angle between neighbouring vertices of the ellipses' 120-gon, radians of KIT_PI.
static double segmentStep()
{
    return 2.0 * KIT_PI / static_cast<double>(CIRCLE_SEGMENTS);
}

// Filled disc, centre and r in window units: a fan of as many triangles as its
// size on screen needs, nothing where it cannot show.
void drawDisc(const Vec2& centre, double r, const Rgba& colour)
{
    const Vec2 c = kitApply(toWindow(centre.x), toWindow(centre.y));
    const double rr = std::fabs(toWindow(r));
    batchColour(colour);
    if (!(rr > 0.0) || discMissesWindow(c, rr)) {
        return;
    }
    const int corners = std::max(chordsFor(rr, 2.0 * KIT_PI), 3);
    const double step = 2.0 * KIT_PI / corners;
    const Vec2 first = {c.x + rr, c.y};
    Vec2 previous = {c.x + rr * std::cos(step), c.y + rr * std::sin(step)};
    for (int i = 2; i < corners; ++i) {
        const Vec2 current = {c.x + rr * std::cos(i * step), c.y + rr * std::sin(i * step)};
        // A corner triangle beyond one edge of the window shows nothing.
        if (!segmentMissesWindow(first, previous) || !segmentMissesWindow(previous, current) ||
            !segmentMissesWindow(current, first)) {
            batchWindowTriangle(first, previous, current);
        }
        previous = current;
    }
}

// Circle outline, centre and r in window units, as chords a quarter pixel from the
// circle where it crosses the window; a circle of no radius sends nothing.
void drawCircle(const Vec2& centre, double r, const Rgba& colour)
{
    const Vec2 c = kitApply(toWindow(centre.x), toWindow(centre.y));
    const double rr = std::fabs(toWindow(r));
    batchColour(colour);
    if (!(rr > 0.0)) {
        return;
    }
    double from[8];
    double to[8];
    const int arcs = visibleArcs(c, rr, from, to);
    for (int i = 0; i < arcs; ++i) {
        sendArc(c, rr, from[i], to[i]);
    }
}

// drawDisc of centre and r in model units times the zoom s.
void drawScaledDisc(double s, const Vec2& centre, double r, const Rgba& colour)
{
    const Vec2 c = {s * centre.x, s * centre.y};
    drawDisc(c, s * r, colour);
}

// drawCircle of centre and r in model units times the zoom s.
void drawScaledCircle(double s, const Vec2& centre, double r, const Rgba& colour)
{
    const Vec2 c = {s * centre.x, s * centre.y};
    drawCircle(c, s * r, colour);
}

// Point of the ellipse with semi-axes a (along x) and b at polar angle theta.
static Vec2 ellipsePoint(double a, double b, double theta)
{
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double rho = a * b / std::sqrt(b * b * c * c + a * a * s * s);
    return Vec2{rho * c, rho * s};
}

// Filled ellipse about centre (window units), semi-axes a, b, turned by angle
// (radians); the 121st vertex repeats the first.
void drawFilledEllipse(const Vec2& centre, double a, double b, double angle, const Rgba& colour)
{
    const double ta = toWindow(a);
    const double tb = toWindow(b);
    const double step = segmentStep();
    kitPushMatrix();
    kitTranslate(toWindow(centre.x), toWindow(centre.y));
    kitRotate(angle / DEG_TO_RAD);
    batchColour(colour);
    const Vec2 first = ellipsePoint(ta, tb, 0.0);
    Vec2 previous = ellipsePoint(ta, tb, step);
    for (int i = 2; i <= CIRCLE_SEGMENTS; ++i) {
        const Vec2 p = ellipsePoint(ta, tb, i * step);
        batchTriangle(first.x, first.y, previous.x, previous.y, p.x, p.y);
        previous = p;
    }
    kitPopMatrix();
}

// Outline of the same ellipse as (previous, current) pairs, starting from (a, 0).
void drawEllipseOutline(const Vec2& centre, double a, double b, double angle, const Rgba& colour)
{
    const double ta = toWindow(a);
    const double tb = toWindow(b);
    const double step = segmentStep();
    kitPushMatrix();
    kitTranslate(toWindow(centre.x), toWindow(centre.y));
    kitRotate(angle / DEG_TO_RAD);
    batchColour(colour);
    const Vec2 first = {ta, 0.0};
    Vec2 current = first;
    for (int i = 0; i <= CIRCLE_SEGMENTS; ++i) {
        const Vec2 previous = current;
        current = ellipsePoint(ta, tb, i * step);
        batchSegment(previous.x, previous.y, current.x, current.y);
    }
    batchSegment(current.x, current.y, first.x, first.y);
    kitPopMatrix();
}
