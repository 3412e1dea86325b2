// Every pair of inputs the dialogue accepts yields a finite gear pair whose outlines
// fit their arrays; every pair it refuses is answered with a message.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "dialogue_script.h"
#include "gear/pair_stages.h"
#include "gear/tooth_profile.h"

namespace {

bool finite(double v) { return std::isfinite(v); }
bool finite(const Vec2& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool outlineSound(const ToothProfile& profile, int last)
{
    if (last < 2 * ARC_POINTS || last > PROFILE_LAST_INDEX) {
        return false;
    }
    for (int i = 0; i <= last; ++i) {
        if (!finite(profile.p[i])) {
            return false;
        }
    }
    return true;
}

// Names the first field that is not finite or out of range, or returns "".
std::string unsoundField(const GearPairState& g)
{
    const double values[] = {g.alpha0, g.tanAlpha0, g.invAlpha0, g.cosAlpha0, g.r01, g.rg1,
                             g.r02, g.rg2, g.ratio, g.pb, g.pitchAngle1, g.stdDistN1,
                             g.stdDistN2, g.ru01, g.ru02, g.stdDistT1, g.stdDistT2, g.rcut01,
                             g.rcut02, g.stdDistU1, g.stdDistU2, g.stdLimit1, g.stdLimit2,
                             g.alphab, g.rb1, g.rb2, g.distN1, g.distN2, g.ru1, g.rf1, g.ru2,
                             g.rf2, g.distT1, g.distT2, g.rcut1, g.rcut2, g.phase1, g.phase2,
                             g.distU1, g.distU2, g.limit1, g.limit2};
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) {
        if (!finite(values[i])) {
            return "value " + std::to_string(i);
        }
    }
    const Vec2 points[] = {g.stdCenter1, g.stdCenter2, g.stdN1, g.stdN2, g.stdT1, g.stdT2,
                           g.stdU1, g.stdU2, g.center1, g.center2, g.N1, g.N2,
                           g.T1, g.T2, g.U1, g.U2};
    for (size_t i = 0; i < sizeof points / sizeof points[0]; ++i) {
        if (!finite(points[i])) {
            return "point " + std::to_string(i);
        }
    }
    if (!outlineSound(g.stdProfile1, g.stdCount1)) return "stdProfile1";
    if (!outlineSound(g.stdProfile2, g.stdCount2)) return "stdProfile2";
    if (!outlineSound(g.profile1, g.count1)) return "profile1";
    if (!outlineSound(g.profile2, g.count2)) return "profile2";
    // Limits are lengths of the path of contact on each side of the pitch point.
    if (!(g.limit1 > 0.0 && g.limit2 > 0.0 && g.stdLimit1 > 0.0 && g.stdLimit2 > 0.0)) {
        return "limits";
    }
    return "";
}

TEST(InputSweep, AcceptedPairsAreSoundAndRefusedOnesAreAnswered)
{
    const int teeth[] = {5, 6, 7, 9, 12, 17, 25, 40, 73, 120, 200};
    const char* shifts[] = {"-3",  "-1.7", "-1", "-0.6", "-0.3", "0",   "0.25", "0.5",
                            "0.8", "1.2",  "2",  "3",    "10",   "1e3", "1e300", "-1e300"};
    const std::string shiftPrompt = "\n(2) 歯車１，２の転位係数入力 x1 x2=";
    int accepted = 0;
    int refused = 0;
    for (int z1 : teeth) {
        for (int z2 : teeth) {
            for (const char* x1 : shifts) {
                for (const char* x2 : shifts) {
                    const std::string input = std::to_string(z1) + " " + std::to_string(z2) +
                                              "\n" + x1 + " " + x2 + "\n0 0\n";
                    const std::string printed = runDialogue(input, 'z');
                    SCOPED_TRACE(input);
                    const GearPairState& g = gearPair;
                    const std::string bad = unsoundField(g);
                    ASSERT_EQ(bad, "");
                    const size_t first = printed.find(shiftPrompt);
                    const size_t second = printed.find(shiftPrompt, first + 1);
                    if (g.x1 == std::strtod(x1, nullptr) && g.x2 == std::strtod(x2, nullptr) &&
                        second == std::string::npos) {
                        ++accepted;
                        continue;
                    }
                    // Refused: a message stands between the two shift prompts.
                    ASSERT_NE(second, std::string::npos);
                    const size_t gap = second - (first + shiftPrompt.size());
                    EXPECT_GT(gap, 10u);
                    EXPECT_EQ(g.x1, 0.0);
                    ++refused;
                }
            }
        }
    }
    EXPECT_GT(accepted, 1000);
    EXPECT_GT(refused, 1000);
}

}  // namespace

namespace {

// The smallest number of teeth accepted is the smallest whose standard gear has
// its undercut below the pitch circle, so that its path of contact has an end.
TEST(InputSweep, TeethRangeStartsWhereTheUndercutStaysBelowThePitchCircle)
{
    ToothProfile profile;
    double rcut = 0.0;
    runDialogue("20 20\n0 0\n", 'z');
    ASSERT_GT(buildToothProfile(1, TEETH_MIN - 1, 0.0, profile, rcut), 0);
    EXPECT_GE(rcut, (TEETH_MIN - 1) / 2.0);
    for (int z = TEETH_MIN; z <= TEETH_MAX; ++z) {
        ASSERT_GT(buildToothProfile(1, z, 0.0, profile, rcut), 0);
        EXPECT_LT(rcut, z / 2.0) << z;
    }
}

}  // namespace

namespace {

// Each rule that refuses a pair, pinned by an input that only it refuses, and on
// the gear it names; a refused pair leaves the last accepted one as it was.
TEST(InputSweep, EachRefusalHasItsInput)
{
    struct Row {
        int z1, z2;
        double x1, x2;
        PairFault fault;
        int gear;
    };
    const Row rows[] = {
        {4, 20, 0.0, 0.0, PairFault::TEETH_OUT_OF_RANGE, 0},
        {20, 201, 0.0, 0.0, PairFault::TEETH_OUT_OF_RANGE, 0},
        {20, 20, NAN, 0.0, PairFault::SHIFT_NOT_FINITE, 0},
        {20, 20, 0.0, INFINITY, PairFault::SHIFT_NOT_FINITE, 0},
        {20, 20, -0.5, -0.5, PairFault::NO_MESH, 0},
        {20, 20, -1.7, 1.7, PairFault::TIP_INSIDE_BASE, 1},
        {100, 100, -2.2, 0.0, PairFault::NO_THICKNESS, 1},
        {20, 100, 1.0, -2.2, PairFault::NO_THICKNESS, 2},
        {20, 20, -1.5, 1.0, PairFault::NO_FLANK, 1},
        {20, 20, 1.0, -1.5, PairFault::NO_FLANK, 2},
        {5, 40, -0.3, 0.5, PairFault::UNDERCUT_BEYOND_PITCH, 1},
        {40, 5, 0.5, -0.3, PairFault::UNDERCUT_BEYOND_PITCH, 2},
        {7, 5, -0.7, 1.4, PairFault::NO_PHASE, 1},
        {6, 5, -0.8, 1.5, PairFault::NO_PHASE, 1},  // gear 2's circle is under its root, too
        {5, 7, 1.4, -0.7, PairFault::NO_PHASE, 2},
        {10, 30, 0.0, 3.0, PairFault::NO_PHASE, 2},  // inside the root circle, no undercut
        {5, 5, -0.7, 1.5, PairFault::PITCH_IN_FILLET, 2},
        {5, 5, 1.5, -0.7, PairFault::PITCH_IN_FILLET, 1},
        // Its working pitch circles lie between root and tip: it has a phase.
        {5, 19, 1.2, -0.5, PairFault::NONE, 0},
        {20, 20, 0.0, 0.0, PairFault::NONE, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.z1 << "/" << row.z2 << " " << row.x1 << " "
                                          << row.x2);
        gearPair = GearPairState{};
        int gear = -1;
        EXPECT_EQ(computeGearPair(row.z1, row.z2, row.x1, row.x2, gear), row.fault);
        EXPECT_EQ(gear, row.gear);
        if (row.fault > PairFault::TEETH_OUT_OF_RANGE &&
            computeGearPair(row.z1, row.z2, 0.5, 0.5, gear) == PairFault::NONE) {
            const GearPairState accepted = gearPair;
            shiftPair(row.x1, row.x2, gear);
            EXPECT_EQ(std::memcmp(&accepted, &gearPair, sizeof accepted), 0);
        }
    }
    // Nothing that is not a finite number may reach the drawing, whatever its cause.
    int gear = 0;
    ASSERT_EQ(computeGearPair(20, 20, 0.0, 0.0, gear), PairFault::NONE);
    gearPair.limit2 = NAN;
    EXPECT_EQ(shiftedPairFault(gear), PairFault::NOT_FINITE_RESULT);
}

}  // namespace
