// gear_render.cpp -- one gear drawn from the gear-pair state: its reference
// circles, centre mark and centre lines, its turning working pitch circle, and
// its teeth as copies of one outline turned about the centre.
//
// The circles' renderer moves the matrix and undoes the move with the inverse
// calls rather than with a push and pop, so the matrix comes back only to within
// rounding. The tooth pitch uses the geometry's PI, not the kit's, so that it
// matches the outline the geometry built with it. The outlines stay as the
// geometry built them; only what is sent of them follows the screen.
#include "draw/gear_render.h"

#include <cassert>
#include <cmath>

#include "draw/batch.h"
#include "draw/round_primitives.h"
#include "draw/screen_curves.h"

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

// The outline's width in pixels, as drawThickLine turns a width into them (400
// pixels a window unit).
static double profilePixels()
{
    return static_cast<float>(toWindow(PROFILE_LINE_WIDTH) * 400.0);
}

// The outline points[kept[0..count - 1]] (module units, times the zoom s) in the
// current modelview, as 4-pixel segments, those that cannot show left out.
static void sendOutline(const Vec2* points, const int* kept, int count, double s)
{
    Vec2 current = kitApply(s * points[kept[0]].x, s * points[kept[0]].y);
    for (int i = 1; i < count; ++i) {
        const Vec2 previous = current;
        current = kitApply(s * points[kept[i]].x, s * points[kept[i]].y);
        if (!segmentMissesWindow(previous, current)) {
            batchWindowSegment(previous.x, previous.y, current.x, current.y);
        }
    }
}

// z copies of the outline points[0..last] (module units) about centre (module
// units, placed with the zoom s), copy k turned by angle - k pitches (radians).
// Each copy is the outline thinned to what the screen can tell from it, and a
// copy that cannot reach the window is not sent at all.
void drawGearTeeth(double s, double angle, int z, const Vec2& centre, int last,
                   const Vec2* points, const Rgba& colour)
{
    assert(z > 0 && "a gear has teeth");
    assert(last >= 0 && last <= PROFILE_LAST_INDEX && "outline overflows its array");
    const double zoom = viewState.scale;
    const double pitch = 2.0 * PI / static_cast<double>(z);
    int kept[PROFILE_POINTS];
    const int count = simplifyPolyline(points, last, polylineTolerance() / zoom, kept);
    // The disc about the middle of the outline's box that holds all of it, on screen.
    Vec2 low = points[0];
    Vec2 high = points[0];
    for (int i = 1; i <= last; ++i) {
        low = Vec2{std::fmin(low.x, points[i].x), std::fmin(low.y, points[i].y)};
        high = Vec2{std::fmax(high.x, points[i].x), std::fmax(high.y, points[i].y)};
    }
    const Vec2 middle = {(low.x + high.x) / 2.0, (low.y + high.y) / 2.0};
    const double reach = zoom * std::hypot(high.x - low.x, high.y - low.y) / 2.0;

    batchColour(colour);
    batchLineWidth(profilePixels());
    kitPushMatrix();
    kitTranslate(toWindow(s * centre.x), toWindow(s * centre.y));
    for (int k = 1; k <= z && count > 1; ++k) {
        kitPushMatrix();
        kitRotate((angle - k * pitch) * RAD_TO_DEG);
        if (!discMissesWindow(kitApply(zoom * middle.x, zoom * middle.y), reach)) {
            sendOutline(points, kept, count, zoom);
        }
        kitPopMatrix();
    }
    kitPopMatrix();
    batchLineWidth(STANDING_LINE_WIDTH);
}

// The open polyline points[0..last] (module units, zoomed by viewState.scale) as
// 4-pixel segments, thinned to what the screen can tell from it.
void drawProfile(const Vec2* points, int last, const Rgba& colour)
{
    assert(last >= 0 && last <= PROFILE_LAST_INDEX && "outline overflows its array");
    int kept[PROFILE_POINTS];
    const int count = simplifyPolyline(points, last, polylineTolerance() / viewState.scale, kept);
    batchColour(colour);
    batchLineWidth(profilePixels());
    if (count > 1) {
        sendOutline(points, kept, count, viewState.scale);
    }
    batchLineWidth(STANDING_LINE_WIDTH);
}
