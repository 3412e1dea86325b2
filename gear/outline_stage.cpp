// outline_stage.cpp -- outlines, undercut points and contact limits of a pair.
//
// The path of contact runs along the line of action from the pitch point towards
// N1 and N2; on each side it ends at the nearest of three points: the interference
// point N, the tip circle of the mating gear (T), and the undercut point U, where
// the own gear's involute flank begins above its undercut circle.
#include "gear/outline_stage.h"

#include <cmath>

#include "gear/line_of_action.h"
#include "gear/tooth_profile.h"

Vec2 undercutPoint(int gearIndex, double a, double R, double rcut, double rg, const Vec2& n)
{
    if (!(rcut > rg)) {
        return n;
    }
    const double q = R / rcut;
    const double gamma = std::acos(std::cos(a) * q);
    const double s = PI / 2.0 + gamma;
    // Mathematically a - gamma; the rounding of s is part of the result.
    const double theta = (PI / 2.0 + a) - s;
    if (gearIndex == 1) {
        return Vec2{std::sin(theta) * rcut, std::cos(theta) * rcut - R};
    }
    return Vec2{std::sin(theta) * (-rcut), std::cos(theta) * (-rcut) + R};
}

double contactLimit(double distN, double distT, double distU)
{
    double limit = distN;
    if (distT < limit) {
        limit = distT;
    }
    if (distU < limit) {
        limit = distU;
    }
    return limit;
}

void standardOutlineStage()
{
    GearPairState& gp = gearPair;
    gp.stdCount1 = buildToothProfile(1, gp.z1, 0.0, gp.stdProfile1, gp.rcut01);
    gp.stdCount2 = buildToothProfile(2, gp.z2, 0.0, gp.stdProfile2, gp.rcut02);

    gp.stdU1 = undercutPoint(1, gp.alpha0, gp.r01, gp.rcut01, gp.rg1, gp.stdN1);
    gp.stdDistU1 = distanceFromOrigin(gp.stdU1);
    gp.stdU2 = undercutPoint(2, gp.alpha0, gp.r02, gp.rcut02, gp.rg2, gp.stdN2);
    gp.stdDistU2 = distanceFromOrigin(gp.stdU2);

    gp.stdLimit1 = contactLimit(gp.stdDistN1, gp.stdDistT2, gp.stdDistU1);
    gp.stdLimit2 = contactLimit(gp.stdDistN2, gp.stdDistT1, gp.stdDistU2);
}

void shiftedOutlineStage()
{
    GearPairState& gp = gearPair;
    gp.count1 = buildToothProfile(1, gp.z1, gp.x1, gp.profile1, gp.rcut1);
    gp.count2 = buildToothProfile(2, gp.z2, gp.x2, gp.profile2, gp.rcut2);

    gp.phase1 = pitchPhase(gp.count1, gp.profile1, gp.rb1);
    gp.phase2 = pitchPhase(gp.count2, gp.profile2, gp.rb2);

    gp.U1 = undercutPoint(1, gp.alphab, gp.rb1, gp.rcut1, gp.rg1, gp.N1);
    gp.distU1 = distanceFromOrigin(gp.U1);
    gp.U2 = undercutPoint(2, gp.alphab, gp.rb2, gp.rcut2, gp.rg2, gp.N2);
    gp.distU2 = distanceFromOrigin(gp.U2);

    gp.limit1 = contactLimit(gp.distN1, gp.distT2, gp.distU1);
    gp.limit2 = contactLimit(gp.distN2, gp.distT1, gp.distU2);
}
