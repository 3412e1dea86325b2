// tooth_profile.h -- one tooth outline of a gear, with the space before it, and
// the gear's undercut circle radius.
#pragma once

#include "gear/flank_curves.h"
#include "gear/gear_pair.h"

constexpr int ARC_POINTS = 10;
// Relative gap below and above the exact junction within which a curve's point is
// left out, as the same point again.
constexpr double JUNCTION_MARGIN = 1e-12;
// Halvings of the search for an undercut junction: far past the last bit.
constexpr int JUNCTION_BISECTIONS = 200;
// Longest flank whose outline, 2B + 20, still fits a ToothProfile. Real gears stay
// at or below it (200 trochoid points, the junction, at most 90 involute points).
constexpr int FLANK_MAX_LAST = (PROFILE_LAST_INDEX - 2 * ARC_POINTS) / 2;

// Working buffers of the assembly, filled anew by every buildToothProfile call.
extern Vec2 involuteBuf[CURVE_POINTS];
extern Vec2 trochoidBuf[CURVE_POINTS];
extern Vec2 flankBuf[CURVE_POINTS];
extern Vec2 mirrorBuf[CURVE_POINTS];

// Outline of a tooth of a gear with z teeth and shift x, in the gear's frame: root
// arc, flank, tip arc, mirrored flank. Writes profile[0..L] and the undercut circle
// radius (where fillet and involute exactly meet), returns L = 2B + 20, or -1 when
// they do not meet below the tip circle; the profile is then left unfilled.
int buildToothProfile(int gearIndex, int z, double x, ToothProfile& profile, double& rcut);

// Angular tooth thickness (rad) on the standard pitch circle r0 for shift x.
double toothAngleOf(double r0, double x);

// Whether the cutter's corner cuts into the involute of a gear with standard pitch
// radius r0 and shift x (undercut); if not, the fillet meets the involute
// tangentially, on the form circle.
bool gearIsUndercut(double r0, double x);

// Whether the two flanks of the outline meet below the tip circle, so that its tip
// arc runs backwards across the tooth's centre line.
bool toothIsPointed(int z, double x, const ToothProfile& profile, int last);

// Joins trochoid T[0..m] and involute V[0..n] into the flank F[0..B]: at their
// first crossing, or, where the polylines do not cross, at `junction`: the
// trochoid's points below it, the junction, the involute's points above it. Writes
// the undercut circle radius (the junction's), returns B, or -1 when there is no
// junction (not finite) or the flank would be longer than FLANK_MAX_LAST.
int joinFlank(int m, const Vec2* T, int n, const Vec2* V, const Vec2& junction, Vec2* F,
              double& rcut);

// Where the cutter's corner path (the fillet) meets the involute, exactly, for a
// gear with standard pitch radius r0, root rf, base rg and tip ru: on the form
// circle, where the fillet touches the involute, when the corner stays inside the
// interference point; else where the corner's path crosses the involute. Not a
// number when that lies on or above the tip circle.
Vec2 flankJunction(double r0, double rf, double rg, double ru);
