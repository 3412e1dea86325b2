// line_of_action.cpp -- contact points on the line of action and pitch phases.
//
// A point of the line of action is given by its signed distance s from the pitch
// point, positive towards N2: (-s cos a, s sin a). As gear 1 turns by theta, a
// contact travels rg1 theta along the line (base circle unrolled), and pairs of
// teeth touch one base pitch pb apart. The pitch phase places each shifted
// outline so that its flank meets the working pitch circle at the pitch point.
#include "gear/line_of_action.h"

#include <cassert>
#include <cmath>

#include "gear/tooth_profile.h"

int findContactPoints(double angle, double limit1, double limit2, double theta, Vec2* out)
{
    const GearPairState& gp = gearPair;
    int count = 0;
    double s = gp.rg1 * theta + gp.pb;
    for (int candidate = 0; candidate < CONTACT_CANDIDATES; ++candidate) {
        if (-limit1 < s && s < limit2) {
            assert(count < CONTACT_CAPACITY && "contact points overflow their buffer");
            out[count] = Vec2{std::cos(angle) * (-s), std::sin(angle) * s};
            count = count + 1;
        }
        s = s - gp.pb;
    }
    return count;
}

double pitchPhase(int last, const ToothProfile& profile, double radius, bool& placed)
{
    const Vec2* p = profile.p;
    double prev = PHASE_SEARCH_FIRST_DIFFERENCE;
    double d = prev;
    int i = PHASE_SEARCH_START;
    while (i < last) {
        d = radius - distanceFromOrigin(p[i]);
        if (std::fabs(prev) <= std::fabs(d)) {
            break;
        }
        prev = d;
        i = i + 1;
    }
    // NOTE: past the flank's last point the search is on the tip arc, where every
    // radius is the same: a circle crossed near the top of the last flank segment
    // stops it there, on a tie, and the tie would be divided by. The crossing lies
    // on that last segment, so interpolate there.
    const int flankTop = (last - 2 * ARC_POINTS) / 2 + ARC_POINTS;
    if (i > flankTop && flankTop > PHASE_SEARCH_START) {
        i = flankTop;
        prev = radius - distanceFromOrigin(p[i - 1]);
        d = radius - distanceFromOrigin(p[i]);
    }
    // NOTE: the search stops one point past the crossing when the point after it is
    // nearer the circle than the point before: the crossing then lies on the
    // segment before, and extending this one's line back to it misses by up to
    // half a hundredth of a module on the long segments of large gears.
    if (prev * d > 0.0 && i - 1 > PHASE_SEARCH_START) {
        const double before = radius - distanceFromOrigin(p[i - 2]);
        if (before * prev <= 0.0) {
            i = i - 1;
            d = prev;
            prev = before;
        }
    }
    const double t = (-prev) / (d - prev);
    const double a0 = std::atan2(p[i - 1].x, p[i - 1].y);
    const double a1 = std::atan2(p[i].x, p[i].y);
    const double phase = (a1 - a0) * t + a0;
    // The flank rises from the root circle to the tip circle, so it meets every
    // circle between them, and none outside.
    placed = std::isfinite(phase) && i < last &&
             radius >= distanceFromOrigin(p[PHASE_SEARCH_START]) &&
             radius <= distanceFromOrigin(p[flankTop]);
    if (!std::isfinite(phase)) {
        return std::isfinite(a1) ? a1 : 0.0;
    }
    return phase;
}

double pitchPhase(int last, const ToothProfile& profile, double radius)
{
    bool placed = false;
    return pitchPhase(last, profile, radius, placed);
}
