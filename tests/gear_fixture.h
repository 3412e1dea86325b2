// Shared set-up of the geometry tests: the teeth-stage constants that the flank
// curves read, and a whole dialogue-free computation of a pair.
#pragma once

#include "gear/dialogue.h"
#include "gear/gear_pair.h"
#include "gear/pressure_angle.h"

// Computes both pairs for the given inputs as the dialogue would, without the
// console. Returns false when the shifts do not mesh.
inline bool computePair(int z1, int z2, double x1, double x2)
{
    gearPair = GearPairState{};
    gearPair.z1 = z1;
    gearPair.z2 = z2;
    teethStage();
    gearPair.x1 = x1;
    gearPair.x2 = x2;
    const double a = solveWorkingPressureAngle(gearPair.alpha0, x1, x2, z1, z2);
    if (a == 0.0) {
        return false;
    }
    gearPair.alphab = a;
    shiftStage();
    resetView();
    return true;
}

inline double radiusOf(const Vec2& p) { return distanceFromOrigin(p); }
