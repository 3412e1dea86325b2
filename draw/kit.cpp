// kit.cpp -- the colour table, the unit conversion and the straight primitives
// of the drawing kit (the dash-dot line lives with the dash-dot circle in
// dash_dot.cpp, since both share the work of staying cheap at deep zoom).
//
// Each primitive says what it draws (colour, width, segments and triangles under
// the kit's modelview) and leaves the sending to the batch (batch.cpp), which
// draws with lighting off and turns it on for the bitmap legends, whose dark grey
// comes from it.
#include "draw/kit.h"

#include "draw/batch.h"

#include <cassert>
#include <cmath>

const Rgba RED = {1.0F, 0.0F, 0.0F, 0.0F};
const Rgba GREEN = {0.0F, 1.0F, 0.0F, 0.0F};
const Rgba BLUE = {0.0F, 0.0F, 1.0F, 0.0F};
const Rgba YELLOW = {1.0F, 1.0F, 0.0F, 0.0F};
const Rgba PURPLE = {1.0F, 0.0F, 1.0F, 0.0F};
const Rgba BLACK = {0.0F, 0.0F, 0.0F, 0.0F};
const Vec2 ORIGIN = {0.0, 0.0};

bool highContrast = false;

// The high-contrast forms of the design's colours that fall short (yellow 1.07:1,
// green 1.37:1): a dark amber (3.9:1) and a dark green (4.4:1), chosen by eye to
// stay apart from the red teeth and the black marks on a projector.
struct ContrastForm {
    Rgba colour;
    Rgba form;
};
static const ContrastForm CONTRAST_FORMS[] = {
    {YELLOW, {170.0F / 255.0F, 120.0F / 255.0F, 0.0F, 0.0F}},
    {GREEN, {0.0F, 140.0F / 255.0F, 0.0F, 0.0F}},
};

// Pixels per window unit in the 800-pixel window.
static constexpr double PIXELS_PER_UNIT = 400.0;
// Reach of each crosshair arm, window units: far past the window's edge.
static constexpr double CROSSHAIR_ARM = 10.0;
// The arrow, window units: head length along the shaft, how far back and how far
// out its barbs reach, and half the shaft's width.
static constexpr double ARROW_HEAD = 0.1;
static constexpr double ARROW_BARB_BACK = 0.15;
static constexpr double ARROW_BARB_OUT = 0.04;
static constexpr double ARROW_SHAFT_HALF_WIDTH = 0.01;
// The dashed line: periods per window unit of length, the period's share that is
// dash, and the fixed number of periods below 0.4 units.
static constexpr double DASHES_PER_UNIT = 10.0;
static constexpr double DASH_SHARE = 0.8;
static constexpr double SHORT_DASHED_LINE = 0.4;
static constexpr int SHORT_DASHED_LINE_PERIODS = 3;
// The grid's line width, pixels, which it leaves set.
static constexpr double GRID_LINE_WIDTH = 1.0;

// v in window units, as the round trip through pixels (v * 400) / 400.
// NOTE: the round trip is not exact: about one double in seven (16% of random
// doubles, 14% of those in [-1, 1]) comes back changed in its last bit, never by
// more. Every coordinate has always passed through it, so it stays, and the
// pictures with it.
double toWindow(double v)
{
    assert(std::isfinite(v) && "GL gets finite coordinates and lengths");
    return (v * PIXELS_PER_UNIT) / PIXELS_PER_UNIT;
}

int colourByte(float channel)
{
    return static_cast<int>(std::lround(std::fmin(std::fmax(channel, 0.0F), 1.0F) * 255.0F));
}

// WCAG: each sRGB byte made linear, weighted by the eye's response.
double contrastAgainstWhite(const Rgba& colour)
{
    const auto linear = [](float c) {
        const double v = colourByte(c) / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double luminance =
        0.2126 * linear(colour.r) + 0.7152 * linear(colour.g) + 0.0722 * linear(colour.b);
    return 1.05 / (luminance + 0.05);
}

Rgba contrastingColour(const Rgba& colour)
{
    if (contrastAgainstWhite(colour) >= HIGH_CONTRAST_RATIO) {
        return colour;
    }
    for (const ContrastForm& f : CONTRAST_FORMS) {
        if (f.colour.r == colour.r && f.colour.g == colour.g && f.colour.b == colour.b) {
            return Rgba{f.form.r, f.form.g, f.form.b, colour.a};
        }
    }
    // Every channel scaled alike keeps hue and saturation; black has every contrast.
    for (int level = 254;; --level) {
        const float k = static_cast<float>(level) / 255.0F;
        const Rgba darker = {colour.r * k, colour.g * k, colour.b * k, colour.a};
        if (level == 0 || contrastAgainstWhite(darker) >= HIGH_CONTRAST_RATIO) {
            return darker;
        }
    }
}

// p1 to p2 in window units; the matrix is left alone.
void drawLine(const Vec2& p1, const Vec2& p2, const Rgba& colour)
{
    batchColour(colour);
    batchSegment(toWindow(p1.x), toWindow(p1.y), toWindow(p2.x), toWindow(p2.y));
}

// p1 to p2 in window units, width in window units (0.01 = 4 px).
void drawThickLine(const Vec2& p1, const Vec2& p2, double width, const Rgba& colour)
{
    batchColour(colour);
    batchLineWidth(static_cast<float>(toWindow(width) * PIXELS_PER_UNIT));
    batchSegment(toWindow(p1.x), toWindow(p1.y), toWindow(p2.x), toWindow(p2.y));
    // The standing width, not the one found on entry: every later outline relies on it.
    batchLineWidth(STANDING_LINE_WIDTH);
}

// p in window units, angle in radians; the arms run 10 units each way, far past
// the window, so the cross reads as two lines right across it.
void drawCrosshair(const Vec2& p, double angle)
{
    const double tx = toWindow(p.x);
    const double ty = toWindow(p.y);
    batchLineWidth(STANDING_LINE_WIDTH);
    kitPushMatrix();
    batchColour(BLACK);
    kitTranslate(tx, ty);
    kitRotate(angle / DEG_TO_RAD);
    batchSegment(-CROSSHAIR_ARM, 0.0, CROSSHAIR_ARM, 0.0);
    batchSegment(0.0, -CROSSHAIR_ARM, 0.0, CROSSHAIR_ARM);
    kitPopMatrix();
}

// p1, p2 in model units times s (the zoom), then drawLine.
void drawScaledLine(double s, const Vec2& p1, const Vec2& p2, const Rgba& colour)
{
    const Vec2 q1 = {s * p1.x, s * p1.y};
    const Vec2 q2 = {s * p2.x, s * p2.y};
    drawLine(q1, q2, colour);
}

// Post-multiplies a turn by angle (radians), then a shift by (x, y) window units.
void rotateThenTranslate(double angle, double x, double y)
{
    kitRotate(angle * RAD_TO_DEG);
    kitTranslate(toWindow(x), toWindow(y));
}

// Post-multiplies a turn by angle (radians) about the point a + b (window units).
void rotateAbout(const Vec2& a, const Vec2& b, double angle)
{
    const double tx = toWindow(a.x + b.x);
    const double ty = toWindow(a.y + b.y);
    kitTranslate(tx, ty);
    kitRotate(angle / DEG_TO_RAD);
    kitTranslate(-tx, -ty);
}

// p1 to p2 in window units as n + 1 equal dashes, fitted so the last ends on p2.
void drawDashedLine(const Vec2& p1, const Vec2& p2, const Rgba& colour)
{
    const double dx = p1.x - p2.x;
    const double dy = p1.y - p2.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double direction = std::atan2(p2.y - p1.y, p2.x - p1.x);
    const int n = (length >= SHORT_DASHED_LINE) ? static_cast<int>(DASHES_PER_UNIT * length - 1.0)
                                                : SHORT_DASHED_LINE_PERIODS;
    // n periods and a last dash of 0.8 u end on p2: u = L / (n + 0.8), in tenths.
    const double u = toWindow(length * 10.0 / static_cast<double>(10 * n + 8));
    const double dash = DASH_SHARE * u;

    kitPushMatrix();
    kitTranslate(toWindow(p1.x), toWindow(p1.y));
    kitRotate(direction * RAD_TO_DEG);
    batchColour(colour);
    for (int i = 0; i <= n; ++i) {
        const double a = i * u;
        batchSegment(a, 0.0, a + dash, 0.0);
    }
    kitPopMatrix();
}

// Shared frame of the rectangles: w by h window units from the corner, turned by
// angle (radians) about it; filled, or its outline.
static void drawRect(bool filled, const Vec2& corner, double w, double h, double angle,
                     const Rgba& colour)
{
    const double tw = toWindow(w);
    const double th = toWindow(h);
    kitPushMatrix();
    kitTranslate(toWindow(corner.x), toWindow(corner.y));
    kitRotate(angle / DEG_TO_RAD);
    batchColour(colour);
    if (filled) {
        batchTriangle(0.0, 0.0, tw, 0.0, tw, th);
        batchTriangle(0.0, 0.0, tw, th, 0.0, th);
    } else {
        batchSegment(0.0, 0.0, tw, 0.0);
        batchSegment(tw, 0.0, tw, th);
        batchSegment(tw, th, 0.0, th);
        batchSegment(0.0, th, 0.0, 0.0);
    }
    kitPopMatrix();
}

// Filled rectangle, corner in window units, sides w and h, angle in radians.
void drawFilledRect(const Vec2& corner, double w, double h, double angle, const Rgba& colour)
{
    drawRect(true, corner, w, h, angle, colour);
}

// Rectangle outline, corner in window units, sides w and h, angle in radians.
void drawRectOutline(const Vec2& corner, double w, double h, double angle, const Rgba& colour)
{
    drawRect(false, corner, w, h, angle, colour);
}

// Arrow with its tip at tip (window units) pointing along angle (radians); the
// shaft is left out when the arrow is no longer than its head.
void drawArrow(const Vec2& tip, double length, double angle, const Rgba& colour)
{
    const double back = -toWindow(length);
    kitPushMatrix();
    kitTranslate(toWindow(tip.x), toWindow(tip.y));
    kitRotate(angle / DEG_TO_RAD);
    batchColour(colour);
    if (!(length < ARROW_HEAD)) {
        const double h = ARROW_SHAFT_HALF_WIDTH;
        batchTriangle(-ARROW_HEAD, h, back, h, back, -h);
        batchTriangle(-ARROW_HEAD, h, back, -h, -ARROW_HEAD, -h);
    }
    batchTriangle(0.0, 0.0, -ARROW_HEAD, 0.0, -ARROW_BARB_BACK, ARROW_BARB_OUT);
    batchTriangle(0.0, 0.0, -ARROW_HEAD, 0.0, -ARROW_BARB_BACK, -ARROW_BARB_OUT);
    kitPopMatrix();
}

// Black grid of 2n + 1 lines each way, spacing dx, dy (window units) about the
// centre, turned by angle (radians). It leaves the width at 1, unlike the rest.
void drawGrid(const Vec2& centre, double angle, int n, double dx, double dy)
{
    const double sx = toWindow(dx);
    const double sy = toWindow(dy);
    batchLineWidth(GRID_LINE_WIDTH);
    kitPushMatrix();
    kitTranslate(toWindow(centre.x), toWindow(centre.y));
    kitRotate(angle / DEG_TO_RAD);
    batchColour(BLACK);
    for (int i = -n; i <= n; ++i) {
        batchSegment(i * sx, -n * sy, i * sx, n * sy);
    }
    for (int i = -n; i <= n; ++i) {
        batchSegment(-n * sx, i * sy, n * sx, i * sy);
    }
    kitPopMatrix();
}
