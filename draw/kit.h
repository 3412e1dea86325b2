// kit.h -- the drawing kit's conventions, colour table and straight primitives.
//
// Everything is drawn in window units, the window's normalised device coordinates
// (-1 to 1 on both axes; 400 pixels per unit in an 800-pixel window). Model lengths
// arrive already multiplied by the zoom, either by the caller or by the scaled
// wrappers. Every primitive hands its colour, width, segments and triangles to the
// kit's batch (batch.h), which sends them to GL, and leaves the kit's modelview as
// it found it. Angles arrive in radians.
#pragma once

#include "gear/gear_pair.h"

struct Rgba {
    float r;
    float g;
    float b;
    float a;
};

extern const Rgba RED;
extern const Rgba GREEN;
extern const Rgba BLUE;
extern const Rgba YELLOW;
extern const Rgba PURPLE;
extern const Rgba BLACK;
extern const Vec2 ORIGIN;

// The high-contrast display (key 'h', --high-contrast), for projectors and print:
// off at start; the batch and the legends read it at every frame.
extern bool highContrast;
// What the high-contrast display holds to: every colour at least this contrast
// against white (WCAG's non-text contrast), every line at least this wide, pixels.
constexpr double HIGH_CONTRAST_RATIO = 3.0;
constexpr double HIGH_CONTRAST_LINE_WIDTH = 3.0;
// The byte (0 to 255) that GL makes of a colour channel.
int colourByte(float channel);
// Contrast of the colour against white, 1.05 / (L + 0.05), L the relative luminance
// (WCAG) of the 8-bit colour GL makes of it.
double contrastAgainstWhite(const Rgba& colour);
// The colour itself where it has HIGH_CONTRAST_RATIO against white; else a darker
// one of its hue that has: the design's yellow a dark amber, its green a dark
// green, any other colour its own hue and saturation, darkened.
Rgba contrastingColour(const Rgba& colour);

// The kit's own pi, for the round primitives' angles; not the geometry's PI.
constexpr double KIT_PI = 3.1415926536;
constexpr double DEG_TO_RAD = 0.01745329252;
// Corners of an ellipse; discs and circles take the corners their size needs.
constexpr int CIRCLE_SEGMENTS = 120;
constexpr double STANDING_LINE_WIDTH = 2.0;

// v converted to window units: (v * 400) / 400, which changes about one double
// in seven in its last bit.
double toWindow(double v);

void drawLine(const Vec2& p1, const Vec2& p2, const Rgba& colour);
// width in window units; 0.01 is 4 pixels. Leaves the standing width 2 set.
void drawThickLine(const Vec2& p1, const Vec2& p2, double width, const Rgba& colour);
// Dash-dot pattern fitted to the length, starting and ending with a long dash.
void drawDashDotLine(const Vec2& p1, const Vec2& p2, const Rgba& colour);
// Black cross through p whose arms reach 10 window units each way.
void drawCrosshair(const Vec2& p, double angle);
void drawScaledLine(double s, const Vec2& p1, const Vec2& p2, const Rgba& colour);
void drawScaledDashDotLine(double s, const Vec2& p1, const Vec2& p2, const Rgba& colour);

// Offered for figures the views do not use today.
void rotateThenTranslate(double angle, double x, double y);
void rotateAbout(const Vec2& a, const Vec2& b, double angle);
void drawDashedLine(const Vec2& p1, const Vec2& p2, const Rgba& colour);
void drawFilledRect(const Vec2& corner, double w, double h, double angle, const Rgba& colour);
void drawRectOutline(const Vec2& corner, double w, double h, double angle, const Rgba& colour);
void drawArrow(const Vec2& tip, double length, double angle, const Rgba& colour);
void drawGrid(const Vec2& centre, double angle, int n, double dx, double dy);
