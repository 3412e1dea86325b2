// line_of_action.h -- where the teeth of a meshing pair touch on the line of
// action, and where an outline crosses a circle.
#pragma once

#include "gear/gear_pair.h"

constexpr int CONTACT_CANDIDATES = 5;
constexpr int PHASE_SEARCH_START = 10;
// Larger than any radius difference, so that the first comparison never stops the
// phase search.
constexpr double PHASE_SEARCH_FIRST_DIFFERENCE = 10000.0;

// Contact points for gear-1 rotation theta (rad) of a pair with pressure angle
// `angle`: the candidates rg1 theta + pb, rg1 theta, ... one base pitch apart,
// kept where strictly inside -limit1 < s < limit2; writes out[0..], returns 0-5.
int findContactPoints(double angle, double limit1, double limit2, double theta, Vec2* out);

// Polar angle (rad) at which the outline's flank crosses the circle `radius`,
// interpolated on the segment where the radius difference stops falling, at most
// the flank's last. Sets `placed` false when the circle misses the flank (inside
// its root or outside its tip) or no finite crossing can be placed; a result that
// is not finite is replaced by the last polar angle examined.
double pitchPhase(int last, const ToothProfile& profile, double radius, bool& placed);
double pitchPhase(int last, const ToothProfile& profile, double radius);
