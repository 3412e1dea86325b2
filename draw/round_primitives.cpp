// round_primitives.cpp -- discs, circle outlines and ellipses as fixed polygons
// about a translated centre (the dashed and dash-dot circles, chains of chords
// whose number follows their size, are in dash_dot.cpp).
//
// Every angle here is stepped with the kit's own KIT_PI, never the geometry's PI;
// the ellipses' 121st vertex therefore lands 8e-11 rad past their first, far below
// a pixel.
#include "draw/round_primitives.h"

#include <GL/gl.h>

#include <cmath>

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
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(tx, ty, 0.0);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    glBegin(GL_POLYGON);
        for (int i = 0; i < CIRCLE_SEGMENTS; ++i) {
            glVertex2d(rr * std::cos(i * step), rr * std::sin(i * step));
        }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

// Outline of the same 120-gon, centre and r in window units. It is sent as
// (previous, current) pairs into a line loop; the doubled vertices only add
// zero-length pieces, and the loop itself closes P119 back to P0.
void drawCircle(const Vec2& centre, double r, const Rgba& colour)
{
    const double tx = toWindow(centre.x);
    const double ty = toWindow(centre.y);
    const double rr = toWindow(r);
    const double step = segmentStep();
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(tx, ty, 0.0);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    glBegin(GL_LINE_LOOP);
        Vec2 current = {rr, 0.0};
        for (int i = 1; i < CIRCLE_SEGMENTS; ++i) {
            const Vec2 previous = current;
            current = Vec2{std::cos(i * step) * rr, std::sin(i * step) * rr};
            glVertex2d(previous.x, previous.y);
            glVertex2d(current.x, current.y);
        }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
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
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(toWindow(centre.x), toWindow(centre.y), 0.0);
    glRotated(angle / DEG_TO_RAD, 0.0, 0.0, 1.0);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    glBegin(GL_POLYGON);
        for (int i = 0; i <= CIRCLE_SEGMENTS; ++i) {
            const Vec2 p = ellipsePoint(ta, tb, i * step);
            glVertex2d(p.x, p.y);
        }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

// Outline of the same ellipse as (previous, current) pairs, starting from (a, 0).
void drawEllipseOutline(const Vec2& centre, double a, double b, double angle, const Rgba& colour)
{
    const double ta = toWindow(a);
    const double tb = toWindow(b);
    const double step = segmentStep();
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(toWindow(centre.x), toWindow(centre.y), 0.0);
    glRotated(angle / DEG_TO_RAD, 0.0, 0.0, 1.0);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    glBegin(GL_LINE_LOOP);
        Vec2 current = {ta, 0.0};
        for (int i = 0; i <= CIRCLE_SEGMENTS; ++i) {
            const Vec2 previous = current;
            current = ellipsePoint(ta, tb, i * step);
            glVertex2d(previous.x, previous.y);
            glVertex2d(current.x, current.y);
        }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}
