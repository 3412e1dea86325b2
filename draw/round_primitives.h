// round_primitives.h -- discs, circles and dash-dot circles in window units, each
// with a wrapper that multiplies centre and radius by the zoom first.
#pragma once

#include "draw/kit.h"

void drawDisc(const Vec2& centre, double r, const Rgba& colour);
void drawCircle(const Vec2& centre, double r, const Rgba& colour);
void drawDashDotCircle(const Vec2& centre, double r, const Rgba& colour);
void drawScaledDisc(double s, const Vec2& centre, double r, const Rgba& colour);
void drawScaledCircle(double s, const Vec2& centre, double r, const Rgba& colour);
void drawScaledDashDotCircle(double s, const Vec2& centre, double r, const Rgba& colour);

// Offered for figures the views do not use today.
void drawDashedCircle(const Vec2& centre, double r, const Rgba& colour);
void drawFilledEllipse(const Vec2& centre, double a, double b, double angle, const Rgba& colour);
void drawEllipseOutline(const Vec2& centre, double a, double b, double angle, const Rgba& colour);
