// line_of_action.cpp -- contact points on the line of action and pitch phases.
//
// A point of the line of action is given by its signed distance s from the pitch
// point, positive towards N2: (-s cos a, s sin a). As gear 1 turns by theta, a
// contact travels rg1 theta along the line (base circle unrolled), and pairs of
// teeth touch one base pitch pb apart. The pitch phase places each shifted
// outline so that its flank meets the working pitch circle at the pitch point.
#include "gear/line_of_action.h"

#include <cmath>

int findContactPoints(double angle, double limit1, double limit2, double theta, Vec2* out)
{
    const GearPairState& gp = gearPair;
    int count = 0;
    double s = gp.rg1 * theta + gp.pb;
    for (int candidate = 0; candidate < CONTACT_CANDIDATES; ++candidate) {
        if (-limit1 < s && s < limit2) {
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
    double prev = 10000.0;
    double d = prev;
    int i = PHASE_SEARCH_START;
    while (i < last) {
        d = radius - std::sqrt(p[i].x * p[i].x + p[i].y * p[i].y);
        if (std::fabs(prev) <= std::fabs(d)) {
            break;
        }
        prev = d;
        i = i + 1;
    }
    const double t = (-prev) / (d - prev);
    const double a0 = std::atan2(p[i - 1].x, p[i - 1].y);
    const double a1 = std::atan2(p[i].x, p[i].y);
    const double phase = (a1 - a0) * t + a0;
    // NOTE: a search that never stopped divides by zero, and one stopped on the tip
    // arc (circle outside the tip) gives a huge t; the dialogue rejects the latter
    // by comparing radii, and nothing that is not finite may reach the drawing.
    placed = std::isfinite(phase) && i < last;
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
