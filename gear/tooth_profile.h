// tooth_profile.h -- one tooth outline of a gear, with the space before it, and
// the gear's undercut circle radius.
#pragma once

#include "gear/gear_pair.h"

constexpr int ARC_POINTS = 10;
// Starting value of the nearest-pair search, a squared distance (about 316 modules).
constexpr double NEAREST_PAIR_START = 100000.0;
// Longest flank whose outline, 2B + 20, still fits a ToothProfile. Real gears stay
// at or below it (200 trochoid points, the junction, at most 90 involute points).
constexpr int FLANK_MAX_LAST = (PROFILE_LAST_INDEX - 2 * ARC_POINTS) / 2;

// Working buffers of the assembly, filled anew by every buildToothProfile call.
extern Vec2 involuteBuf[601];
extern Vec2 trochoidBuf[601];
extern Vec2 flankBuf[601];
extern Vec2 mirrorBuf[601];

// Outline of a tooth of a gear with z teeth and shift x, in the gear's frame: root
// arc, flank, tip arc, mirrored flank. Writes profile[0..L] and the undercut circle
// radius, returns L = 2B + 20, or -1 when the flank cannot be joined (no pair of
// trochoid and involute points closer than the search's starting distance, as
// happens for nonsense tip radii); the profile is then left unfilled.
int buildToothProfile(int gearIndex, int z, double x, ToothProfile& profile, double& rcut);

// Angular tooth thickness (rad) on the standard pitch circle r0 for shift x.
double toothAngleOf(double r0, double x);

// Whether the two flanks of the outline meet below the tip circle, so that its tip
// arc runs backwards across the tooth's centre line.
bool toothIsPointed(int z, double x, const ToothProfile& profile, int last);

// Joins trochoid T[0..m] and involute V[0..n] into the flank F[0..B]: at their
// first crossing, or else across their nearest pair of points. Writes the undercut
// circle radius, returns B, or -1 when no pair lies within the starting distance or the
// flank would be longer than FLANK_MAX_LAST.
int joinFlank(int m, const Vec2* T, int n, const Vec2* V, Vec2* F, double& rcut);
