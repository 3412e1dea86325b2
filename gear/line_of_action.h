// line_of_action.h -- where the teeth of a meshing pair touch on the line of
// action, and where an outline crosses a circle.
#pragma once

#include "gear/gear_pair.h"

constexpr int CONTACT_CANDIDATES = 5;
constexpr int PHASE_SEARCH_START = 10;

// Contact points for gear-1 rotation theta (rad) of a pair with pressure angle
// `angle`: the candidates rg1 theta + pb, rg1 theta, ... one base pitch apart,
// kept where strictly inside -limit1 < s < limit2; writes out[0..], returns 0-5.
int findContactPoints(double angle, double limit1, double limit2, double theta, Vec2* out);

// Polar angle (rad) at which the outline's flank crosses the circle `radius`,
// interpolated on the segment where the radius difference stops falling. Sets
// `placed` false (and returns the last polar angle examined) when no finite
// crossing can be placed.
double pitchPhase(int last, const ToothProfile& profile, double radius, bool& placed);
double pitchPhase(int last, const ToothProfile& profile, double radius);
