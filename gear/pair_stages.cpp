// pair_stages.cpp -- computes a gear pair: the standard pair from the numbers of
// teeth (teeth stage), the shifted pair from the shift coefficients (shift stage),
// and the rules that refuse a pair the program cannot draw truthfully.
//
// The console is not touched here: the dialogue asks, reads, turns each fault into
// its message and reports; the benchmark and the tests compute pairs through the
// same entry, computeGearPair.
#include "gear/pair_stages.h"

#include <cassert>
#include <cmath>

#include "gear/interference.h"
#include "gear/line_of_action.h"
#include "gear/outline_stage.h"
#include "gear/pressure_angle.h"
#include "gear/tooth_profile.h"

// [SECTION] Geometry shared by both stages
Vec2 tipPoint(int gearIndex, double a, double R, double ru)
{
    const double q = R / ru;
    const double beta = std::asin(std::cos(a) * q);
    const double theta = (PI / 2.0 - a) - beta;
    if (gearIndex == 2) {
        return Vec2{std::sin(theta) * ru, std::cos(theta) * (-ru) + R};
    }
    return Vec2{std::sin(theta) * (-ru), std::cos(theta) * ru - R};
}

// [SECTION] Teeth stage
void teethStage()
{
    GearPairState& gp = gearPair;
    gp.alpha0 = PI / 9.0;
    gp.tanAlpha0 = std::tan(gp.alpha0);
    gp.invAlpha0 = std::tan(gp.alpha0) - gp.alpha0;
    gp.cosAlpha0 = std::cos(gp.alpha0);
    const double sinAlpha0 = std::sin(gp.alpha0);

    gp.r01 = gp.z1 / 2.0;
    gp.rg1 = gp.r01 * gp.cosAlpha0;
    gp.r02 = gp.z2 / 2.0;
    gp.rg2 = gp.r02 * gp.cosAlpha0;
    gp.ratio = static_cast<double>(gp.z1) / static_cast<double>(gp.z2);
    gp.pb = PI * gp.cosAlpha0;
    gp.pitchAngle1 = gp.pb / gp.rg1;

    gp.PITCH_POINT = Vec2{0.0, 0.0};
    gp.stdCenter1 = Vec2{0.0, -gp.r01};
    gp.stdCenter2 = Vec2{0.0, gp.r02};

    gp.stdN1 = Vec2{gp.rg1 * sinAlpha0, gp.rg1 * gp.cosAlpha0 - gp.r01};
    gp.stdDistN1 = distanceFromOrigin(gp.stdN1);
    gp.stdN2 = Vec2{(-gp.rg2) * sinAlpha0, (-gp.rg2) * gp.cosAlpha0 + gp.r02};
    gp.stdDistN2 = distanceFromOrigin(gp.stdN2);

    gp.ru01 = gp.r01 + ADDENDUM;
    gp.ru02 = gp.r02 + ADDENDUM;

    gp.stdT2 = tipPoint(2, gp.alpha0, gp.r02, gp.ru02);
    gp.stdDistT2 = distanceFromOrigin(gp.stdT2);
    gp.stdT1 = tipPoint(1, gp.alpha0, gp.r01, gp.ru01);
    gp.stdDistT1 = distanceFromOrigin(gp.stdT1);

    standardOutlineStage();
}

// [SECTION] Shift stage
void shiftStage()
{
    GearPairState& gp = gearPair;
    gp.rb1 = gp.rg1 / std::cos(gp.alphab);
    gp.rb2 = gp.rg2 / std::cos(gp.alphab);
    gp.center1 = Vec2{0.0, -gp.rb1};
    gp.center2 = Vec2{0.0, gp.rb2};

    gp.N1 = Vec2{std::sin(gp.alphab) * gp.rg1, std::cos(gp.alphab) * gp.rg1 - gp.rb1};
    gp.distN1 = distanceFromOrigin(gp.N1);
    gp.N2 = Vec2{std::sin(gp.alphab) * (-gp.rg2), std::cos(gp.alphab) * (-gp.rg2) + gp.rb2};
    gp.distN2 = distanceFromOrigin(gp.N2);

    gp.ru1 = gp.r01 + (gp.x1 + ADDENDUM);
    gp.rf1 = gp.r01 - (DEDENDUM - gp.x1);
    gp.ru2 = gp.r02 + (gp.x2 + ADDENDUM);
    gp.rf2 = gp.r02 - (DEDENDUM - gp.x2);

    gp.T2 = tipPoint(2, gp.alphab, gp.rb2, gp.ru2);
    gp.distT2 = distanceFromOrigin(gp.T2);
    gp.T1 = tipPoint(1, gp.alphab, gp.rb1, gp.ru1);
    gp.distT1 = distanceFromOrigin(gp.T1);

    shiftedOutlineStage();
}

// [SECTION] Refusal rules
bool teethInRange(long long z1, long long z2)
{
    return z1 >= TEETH_MIN && z1 <= TEETH_MAX && z2 >= TEETH_MIN && z2 <= TEETH_MAX;
}

static bool finitePoint(const Vec2& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

static bool finiteOutline(const ToothProfile& profile, int last)
{
    for (int i = 0; i <= last; ++i) {
        if (!finitePoint(profile.p[i])) {
            return false;
        }
    }
    return true;
}

PairFault shiftedPairFault(int& gear)
{
    const GearPairState& gp = gearPair;
    const double ru[2] = {gp.ru1, gp.ru2};
    const double rf[2] = {gp.rf1, gp.rf2};
    const double rg[2] = {gp.rg1, gp.rg2};
    const double rb[2] = {gp.rb1, gp.rb2};
    const double r0[2] = {gp.r01, gp.r02};
    const double x[2] = {gp.x1, gp.x2};
    const int count[2] = {gp.count1, gp.count2};
    const ToothProfile* profile[2] = {&gp.profile1, &gp.profile2};
    for (int g = 0; g < 2; ++g) {
        gear = g + 1;
        if (!(ru[g] > rg[g])) {
            return PairFault::TIP_INSIDE_BASE;
        }
        // NOTE: a tip outside the base circle, r0 + 1 + x > r0 cos(alpha0), puts the
        // root, r0 - 1.25 + x, above 0.94 r0 - 2.25: positive from 5 teeth up.
        assert(rf[g] > 0.0 && "a gear with a sound tip has a positive root radius");
        if (!(toothAngleOf(r0[g], x[g]) > 0.0)) {
            return PairFault::NO_THICKNESS;
        }
    }
    for (int g = 0; g < 2; ++g) {
        gear = g + 1;
        if (count[g] < 0) {
            return PairFault::NO_FLANK;
        }
    }
    for (int g = 0; g < 2; ++g) {
        gear = g + 1;
        if (!(rb[g] >= rf[g] && rb[g] <= ru[g])) {
            return PairFault::NO_PHASE;
        }
    }
    const double rcut[2] = {gp.rcut1, gp.rcut2};
    for (int g = 0; g < 2; ++g) {
        gear = g + 1;
        // NOTE: an involute that begins at or above the working pitch circle would
        // put the undercut point on the far side of the pitch point. Below it lies
        // either the undercut or, on a gear the cutter's corner does not cut into,
        // the fillet.
        if (!(rcut[g] < rb[g])) {
            return gearIsUndercut(r0[g], x[g]) ? PairFault::UNDERCUT_BEYOND_PITCH
                                                : PairFault::PITCH_IN_FILLET;
        }
    }
    bool placed[2] = {false, false};
    pitchPhase(gp.count1, gp.profile1, gp.rb1, placed[0]);
    pitchPhase(gp.count2, gp.profile2, gp.rb2, placed[1]);
    for (int g = 0; g < 2; ++g) {
        gear = g + 1;
        // NOTE: the circle lies between the involute's start and the tip circle, so
        // the flank crosses it; only one on the tip circle within a rounding is left.
        if (!placed[g]) {
            return PairFault::NO_PHASE;
        }
        if (!finiteOutline(*profile[g], count[g])) {
            return PairFault::NOT_FINITE_RESULT;
        }
    }
    const bool finite = finitePoint(gp.T1) && finitePoint(gp.T2) && finitePoint(gp.U1) &&
                        finitePoint(gp.U2) && finitePoint(gp.N1) && finitePoint(gp.N2) &&
                        std::isfinite(gp.limit1) && std::isfinite(gp.limit2) &&
                        std::isfinite(gp.phase1) && std::isfinite(gp.phase2) &&
                        std::isfinite(gp.rcut1) && std::isfinite(gp.rcut2);
    gear = 0;
    return finite ? PairFault::NONE : PairFault::NOT_FINITE_RESULT;
}

// [SECTION] Whole pairs
// NOTE: a refused pair must leave the shifted pair as it was; this keeps the
// whole record while a candidate is computed in place.
static GearPairState savedPair;

PairFault shiftPair(double x1, double x2, int& gear)
{
    GearPairState& gp = gearPair;
    gear = 0;
    if (!std::isfinite(x1) || !std::isfinite(x2)) {
        return PairFault::SHIFT_NOT_FINITE;
    }
    savedPair = gp;
    gp.x1 = x1;
    gp.x2 = x2;
    const double alphab = solveWorkingPressureAngle(gp.alpha0, gp.x1, gp.x2, gp.z1, gp.z2);
    if (alphab == 0.0 || std::isnan(alphab)) {
        gp = savedPair;
        return PairFault::NO_MESH;
    }
    gp.alphab = alphab;
    shiftStage();
    const PairFault fault = shiftedPairFault(gear);
    if (fault != PairFault::NONE) {
        gp = savedPair;
    }
    return fault;
}

PairFault computeGearPair(int z1, int z2, double x1, double x2, int& gear)
{
    gear = 0;
    if (!teethInRange(z1, z2)) {
        return PairFault::TEETH_OUT_OF_RANGE;
    }
    gearPair.z1 = z1;
    gearPair.z2 = z2;
    teethStage();
    return shiftPair(x1, x2, gear);
}

// [SECTION] Verdicts on a sound pair
double contactRatio()
{
    const GearPairState& gp = gearPair;
    return (gp.limit1 + gp.limit2) / gp.pb;
}

double tipClearance(int gear)
{
    const GearPairState& gp = gearPair;
    const double a = gp.rb1 + gp.rb2;
    return gear == 1 ? a - gp.ru1 - gp.rf2 : a - gp.ru2 - gp.rf1;
}

double tipInterference(int tipGear)
{
    const GearPairState& gp = gearPair;
    const bool pointed = tipGear == 1 ? toothIsPointed(gp.z1, gp.x1, gp.profile1, gp.count1)
                                      : toothIsPointed(gp.z2, gp.x2, gp.profile2, gp.count2);
    if (pointed || !(tipClearance(1) > 0.0 && tipClearance(2) > 0.0)) {
        return 0.0;
    }
    return tipEntryDepth(tipGear);
}
