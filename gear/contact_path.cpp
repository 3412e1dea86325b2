// contact_path.cpp -- the single-pair zone of a path of contact and the specific
// sliding along it.
//
// Along the line of action from N1 to N2, a contact point at s lies on both
// involutes where their radii of curvature are rho1 = s - n1 and rho2 = n2 - s.
// Gear i's flank passes the point at its own speed omega_i rho_i, so the
// specific sliding of gear 1 is sigma1 = 1 - (omega2 rho2)/(omega1 rho1)
// = 1 - (z1/z2)(rho2/rho1), and of gear 2 sigma2 = 1 - (z2/z1)(rho1/rho2).
// Teeth meet one base pitch apart: a point u from the start of a path of length g
// has a pair there and at u - pb, u + pb, ... while those lie on the path, so one
// pair alone carries the load where u + pb > g and u - pb < 0.
#include "gear/contact_path.h"

#include <algorithm>
#include <cmath>

static ContactPath contactPath(double distN1, double distN2, double limit1, double limit2)
{
    const GearPairState& gp = gearPair;
    ContactPath path = {};
    path.z1 = gp.z1;
    path.z2 = gp.z2;
    path.pb = gp.pb;
    path.n1 = -distN1;
    path.n2 = distN2;
    path.start = -limit1;
    path.end = limit2;
    path.singleStart = std::max(path.start, path.end - path.pb);
    path.singleEnd = std::min(path.end, path.start + path.pb);
    return path;
}

ContactPath shiftedContactPath()
{
    const GearPairState& gp = gearPair;
    return contactPath(gp.distN1, gp.distN2, gp.limit1, gp.limit2);
}

ContactPath standardContactPath()
{
    const GearPairState& gp = gearPair;
    return contactPath(gp.stdDistN1, gp.stdDistN2, gp.stdLimit1, gp.stdLimit2);
}

double singlePairLength(const ContactPath& path)
{
    return std::max(0.0, path.singleEnd - path.singleStart);
}

double specificSliding(const ContactPath& path, int gear, double s)
{
    const double own = gear == 1 ? s - path.n1 : path.n2 - s;
    const double mate = gear == 1 ? path.n2 - s : s - path.n1;
    const double teethRatio = gear == 1 ? static_cast<double>(path.z1) / path.z2
                                        : static_cast<double>(path.z2) / path.z1;
    // NOTE: at the own interference point the own flank stands still while the
    // mate's moves: unbounded sliding, which 0/0 cannot produce here (n1 < n2).
    if (!(own > 0.0)) {
        return -INFINITY;
    }
    return 1.0 - teethRatio * (mate / own);
}

double rootSliding(const ContactPath& path, int gear)
{
    return specificSliding(path, gear, gear == 1 ? path.start : path.end);
}
