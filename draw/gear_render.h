// gear_render.h -- one gear from the gear-pair state: its circles and centre lines,
// and its teeth as one outline repeated about the centre. Geometry in modules;
// the zoom is read from viewState.scale where the caller does not pass it.
#pragma once

#include "draw/kit.h"

constexpr double CENTRE_MARK_RADIUS = 0.1;
constexpr double PROFILE_LINE_WIDTH = 0.01;

void drawGearCircles(const Vec2& centre, double angle, double rg, double rf, double rcut,
                     double r0, double rb, double ru);
void drawGearTeeth(double s, double angle, int z, const Vec2& centre, int last,
                   const Vec2* points, const Rgba& colour);
void drawProfile(const Vec2* points, int last, const Rgba& colour);
