// Shared set-up of the geometry tests: a whole pair computed through the program's
// own entry, without the console.
#pragma once

#include "gear/gear_pair.h"
#include "gear/pair_stages.h"

// Computes both pairs for the given inputs as the dialogue would, from a zeroed
// record, and resets the view. Returns false when the pair is refused.
inline bool computePair(int z1, int z2, double x1, double x2)
{
    gearPair = GearPairState{};
    int gear = 0;
    const PairFault fault = computeGearPair(z1, z2, x1, x2, gear);
    resetView();
    return fault == PairFault::NONE;
}

inline double radiusOf(const Vec2& p) { return distanceFromOrigin(p); }
