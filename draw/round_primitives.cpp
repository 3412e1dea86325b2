// round_primitives.cpp -- discs, circle outlines and ellipses as fixed polygons
// about a translated centre (the dashed and dash-dot circles, chains of chords
// whose number follows their size, are in dash_dot.cpp).
//
// Every angle here is stepped with the kit's own KIT_PI, never the geometry's PI;
// the ellipses' 121st vertex therefore lands 8e-11 rad past their first, far below
// a pixel.
#include "draw/round_primitives.h"

#include <cmath>

#include "draw/batch.h"

// Angle between neighbouring vertices of the 120-gon, radians of KIT_PI.
static double segmentStep()
{
    return 2.0 * KIT_PI / static_cast<double>(CIRCLE_SEGMENTS);
}

// Filled 120-gon, centre and r in window units, first vertex on +x.
void drawDisc(const Vec2& centre, double r, const Rgba& colour)
{
    const double tx = toWindow(centre.x);
    const double ty = toWindow(centre.y);
    const double rr = toWindow(r);
    const double step = segmentStep();
    kitPushMatrix();
    kitTranslate(tx, ty);
    batchColour(colour);
    // The 120-gon as a fan of triangles about its first vertex.
    Vec2 previous = {rr * std::cos(step), rr * std::sin(step)};
    for (int i = 2; i < CIRCLE_SEGMENTS; ++i) {
        const Vec2 current = {rr * std::cos(i * step), rr * std::sin(i * step)};
        batchTriangle(rr, 0.0, previous.x, previous.y, current.x, current.y);
        previous = current;
    }
    kitPopMatrix();
}

// Outline of the same 120-gon, centre and r in window units. It is drawn as the
// line loop through the (previous, current) pairs it has always been: every
// side, a zero-length piece at each doubled vertex, and P119 back to P0.
void drawCircle(const Vec2& centre, double r, const Rgba& colour)
{
    const double tx = toWindow(centre.x);
    const double ty = toWindow(centre.y);
    const double rr = toWindow(r);
    const double step = segmentStep();
    kitPushMatrix();
    kitTranslate(tx, ty);
    batchColour(colour);
    Vec2 current = {rr, 0.0};
    for (int i = 1; i < CIRCLE_SEGMENTS; ++i) {
        const Vec2 previous = current;
        current = Vec2{std::cos(i * step) * rr, std::sin(i * step) * rr};
        batchSegment(previous.x, previous.y, current.x, current.y);
        if (i + 1 < CIRCLE_SEGMENTS) {
            batchSegment(current.x, current.y, current.x, current.y);
        }
    }
    batchSegment(current.x, current.y, rr, 0.0);
    kitPopMatrix();
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
        if (i < CIRCLE_SEGMENTS) {
            batchSegment(current.x, current.y, current.x, current.y);
        }
    }
    batchSegment(current.x, current.y, first.x, first.y);
    kitPopMatrix();
}
