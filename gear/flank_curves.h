// flank_curves.h -- the involute and the cutter's trochoid of one gear, as point
// sequences in the gear's own frame (origin at the centre, polar angle from +y
// towards +x, module units).
#pragma once

#include "gear/gear_pair.h"

constexpr int CURVE_POINTS = 601;
constexpr int CURVE_LAST_INDEX = CURVE_POINTS - 1;
constexpr int INVOLUTE_DIVISIONS = 20;
constexpr double TROCHOID_STEP = 0.01;
constexpr int TROCHOID_LAST_INDEX = 200;

// Involute of the base circle rg from the base circle out to the tip circle ru,
// one degree of pressure angle apart; the returned last index lies on ru.
int traceInvolute(double rg, double ru, Vec2* out);

// Trochoid of the rack cutter's tip corner for pitch radius r0 and root radius rf;
// always 201 points, index 200 returned.
int traceTrochoid(double r0, double rf, Vec2* out);
