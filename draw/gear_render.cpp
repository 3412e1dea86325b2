// gear_render.cpp -- one gear drawn from the gear-pair state: its reference
// circles, centre mark and centre lines, its turning working pitch circle, and
// its teeth as copies of one outline turned about the centre.
//
// Both renderers move the matrix and undo the move with the inverse calls rather
// than with a push and pop, so the matrix comes back only to within rounding. The
// tooth pitch uses the geometry's PI, not the kit's, so that it matches the outline
// the geometry built with it.
#include "draw/gear_render.h"

#include <cassert>
#include <cmath>

#include "draw/batch.h"
#include "draw/round_primitives.h"

// Circles of radii rg, rcut, r0, ru, rf and rb (module units) about centre (module
// units), the centre lines and the pitch circle's pattern turned by angle (radians).
void drawGearCircles(const Vec2& centre, double angle, double rg, double rf, double rcut,
                     double r0, double rb, double ru)
{
    const double s = viewState.scale;
    drawScaledCircle(s, centre, rg, GREEN);
    // Undercut only shows outside the base circle; an unset (NaN) radius compares false.
    if (rcut > rg) {
        drawScaledCircle(s, centre, rcut, BLACK);
    }
    drawScaledCircle(s, centre, r0, PURPLE);
    drawScaledCircle(s, centre, ru, YELLOW);
    drawScaledCircle(s, centre, rf, YELLOW);
    drawScaledDisc(s, centre, CENTRE_MARK_RADIUS, BLACK);

    const double cx = std::cos(angle) * rb;
    const double sy = std::sin(angle) * rb;
    const Vec2 along1 = {centre.x + cx, centre.y + sy};
    const Vec2 along2 = {centre.x - cx, centre.y - sy};
    drawScaledDashDotLine(s, along1, along2, BLUE);
    const Vec2 across1 = {centre.x + sy, centre.y - cx};
    const Vec2 across2 = {centre.x - sy, centre.y + cx};
    drawScaledDashDotLine(s, across1, across2, BLUE);

    // The pitch circle is drawn about ORIGIN in a moved frame so that its dashes
    // turn with the gear.
    kitTranslate(s * centre.x, s * centre.y);
    kitRotate(angle * RAD_TO_DEG);
    drawScaledDashDotCircle(s, ORIGIN, rb, BLUE);
    kitRotate((-angle) * RAD_TO_DEG);
    kitTranslate((-s) * centre.x, (-s) * centre.y);
}

// z copies of the outline points[0..last] (module units) about centre (module
// units, placed with the zoom s), copy k turned by angle - k pitches (radians).
void drawGearTeeth(double s, double angle, int z, const Vec2& centre, int last,
                   const Vec2* points, const Rgba& colour)
{
    assert(z > 0 && "a gear has teeth");
    const double pitch = 2.0 * PI / static_cast<double>(z);
    const double tx = toWindow(s * centre.x);
    const double ty = toWindow(s * centre.y);
    kitTranslate(tx, ty);
    kitRotate(angle * RAD_TO_DEG);
    // The z turns add up to one full clockwise turn, which needs no undoing.
    for (int k = 0; k < z; ++k) {
        kitRotate((-pitch) * RAD_TO_DEG);
        drawProfile(points, last, colour);
    }
    kitRotate((-angle) * RAD_TO_DEG);
    kitTranslate(-tx, -ty);
}

// The open polyline points[0..last] (module units, zoomed by viewState.scale) as
// last separate 4-pixel segments.
void drawProfile(const Vec2* points, int last, const Rgba& colour)
{
    assert(last >= 0 && last <= PROFILE_LAST_INDEX && "outline overflows its array");
    for (int i = 1; i <= last; ++i) {
        const double s = viewState.scale;
        const Vec2 a = {s * points[i - 1].x, s * points[i - 1].y};
        const Vec2 b = {s * points[i].x, s * points[i].y};
        drawThickLine(a, b, PROFILE_LINE_WIDTH, colour);
    }
}
