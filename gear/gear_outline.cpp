// gear_outline.cpp -- a whole gear as one closed outline, from the one tooth
// outline that the views draw z times.
//
// The tooth outline runs root arc, flank, tip arc, mirrored flank, and its last
// point is the next copy's first, so z copies, each less its last point, close
// into the gear. The outline lies between polar angles 0 and the tooth's angular
// thickness T on the standard pitch circle, centred on T / 2; copy k is turned
// by toothCentre - T / 2 + k 2 pi / z. Turning a point by an angle t towards
// larger polar angles: (x cos t + y sin t, -x sin t + y cos t).
#include "gear/gear_outline.h"

#include <cassert>
#include <cmath>

#include "gear/tooth_profile.h"

// One tooth as the whole outline takes it, in the tooth outline's own frame.
static Vec2 toothBuf[PROFILE_POINTS];

// Which side of the tooth's centre line (polar angle `half`) p lies: negative
// before it, r sin(polar - half).
static double pastCentre(const Vec2& p, double half)
{
    return p.x * std::cos(half) - p.y * std::sin(half);
}

// The points of one tooth (each once), a pointed tooth ending where its flank
// crosses the centre line and the mirrored flank going on from the same point.
static int takeTooth(const ToothProfile& profile, int last, bool pointed, double half)
{
    const int B = (last - 2 * ARC_POINTS) / 2;
    int cut = -1;  // the flank's last point before the centre line
    for (int i = ARC_POINTS; pointed && cut < 0 && i < ARC_POINTS + B; ++i) {
        if (pastCentre(profile.p[i], half) < 0.0 && pastCentre(profile.p[i + 1], half) >= 0.0) {
            cut = i;
        }
    }
    if (cut < 0) {
        for (int i = 0; i < last; ++i) {
            toothBuf[i] = profile.p[i];
        }
        return last;
    }
    int n = 0;
    for (int i = 0; i <= cut; ++i) {
        toothBuf[n++] = profile.p[i];
    }
    const Vec2& a = profile.p[cut];
    const Vec2& b = profile.p[cut + 1];
    const double s = pastCentre(a, half) / (pastCentre(a, half) - pastCentre(b, half));
    toothBuf[n++] = Vec2{a.x + s * (b.x - a.x), a.y + s * (b.y - a.y)};
    // NOTE: the mirrored flank is the flank's mirror image, point for point: the
    // mirror of profile.p[ARC_POINTS + j] is profile.p[last - j].
    for (int i = last - (cut - ARC_POINTS); i < last; ++i) {
        toothBuf[n++] = profile.p[i];
    }
    return n;
}

int buildGearOutline(int gear, double toothCentre, Vec2* out)
{
    const GearPairState& gp = gearPair;
    const int z = gear == 1 ? gp.z1 : gp.z2;
    const double x = gear == 1 ? gp.x1 : gp.x2;
    const ToothProfile& profile = gear == 1 ? gp.profile1 : gp.profile2;
    const int last = gear == 1 ? gp.count1 : gp.count2;
    assert(z >= 1 && z <= TEETH_MAX && last > 2 * ARC_POINTS && "an accepted gear");
    const double half = toothAngleOf(z / 2.0, x) / 2.0;
    const int n = takeTooth(profile, last, toothIsPointed(z, x, profile, last), half);
    const double pitch = 2.0 * PI / static_cast<double>(z);
    int count = 0;
    for (int k = 0; k < z; ++k) {
        const double turn = (toothCentre - half) + k * pitch;
        const double c = std::cos(turn);
        const double s = std::sin(turn);
        for (int i = 0; i < n; ++i) {
            const Vec2& p = toothBuf[i];
            out[count++] = Vec2{p.x * c + p.y * s, -p.x * s + p.y * c};
        }
    }
    assert(count <= GEAR_OUTLINE_POINTS && "whole outline overflows its array");
    return count;
}
