// contact_path.h -- a pair's path of contact as a lesson reads it: where one pair
// of teeth carries the load alone, and how fast the flanks slide on each other.
#pragma once

#include "gear/gear_pair.h"

// A pair's line of action in the signed distance s from the pitch point, positive
// towards N2, as line_of_action.h measures it (module units).
struct ContactPath {
    int z1;              // teeth of gear 1
    int z2;              // teeth of gear 2
    double pb;           // base pitch: the distance of two pairs of teeth along the line
    double n1;           // s of N1, negative: gear 1's base circle touches the line there
    double n2;           // s of N2, positive
    double start;        // s where contact starts, on the N1 side: -limit1
    double end;          // s where contact ends, on the N2 side: limit2
    double singleStart;  // the single-pair zone, where exactly one pair of teeth
    double singleEnd;    // touches; empty when singleEnd <= singleStart
};

// The path of the shifted pair (views 3 and 5) and of the standard pair (views 4
// and 5), from the contact limits of gearPair.
ContactPath shiftedContactPath();
ContactPath standardContactPath();

// Length of the single-pair zone: the whole path below a contact ratio of 1,
// 2 pb minus the path up to 2, none above.
double singlePairLength(const ContactPath& path);

// Specific sliding of gear `gear` (1 or 2) at the point s of the line: how much
// faster the mate's flank slides past the point than the point moves along its
// own flank, 1 - (its flank speed / own flank speed). 0 at the pitch point, 1 where
// the mate's radius of curvature is 0, and -infinity (never NaN) where its own is.
double specificSliding(const ContactPath& path, int gear, double s);

// The specific sliding at the root of gear `gear`: gear 1's at the start of the
// path, gear 2's at its end, where each root flank meets the mate's tip.
double rootSliding(const ContactPath& path, int gear);
