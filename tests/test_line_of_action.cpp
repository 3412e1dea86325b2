// Contact points, pitch phases, undercut points and contact limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "gear/line_of_action.h"
#include "gear/outline_stage.h"
#include "gear_fixture.h"

namespace {

// Signed distance of a point of the line of action from the pitch point.
double along(const Vec2& p, double a)
{
    EXPECT_NEAR(p.x * std::sin(a) + p.y * std::cos(a), 0.0, 1e-12) << "off the line";
    return p.y / std::sin(a);
}

TEST(ContactPoints, CountOrderAndStrictLimits)
{
    computePair(20, 20, 0.0, 0.0);
    const GearPairState& gp = gearPair;
    const double a = gp.alpha0;
    Vec2 out[CONTACT_CAPACITY];

    // theta 0: the second candidate is the pitch point itself.
    int n = findContactPoints(a, 10.0, 10.0, 0.0, out);
    ASSERT_EQ(n, 5);
    EXPECT_EQ(out[1].x, 0.0);
    EXPECT_EQ(out[1].y, 0.0);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(along(out[i], a), gp.pb * (1 - i), 1e-12);
    }

    // A candidate exactly on a limit is not kept, on either side.
    n = findContactPoints(a, 10.0, gp.pb, 0.0, out);
    ASSERT_EQ(n, 4);
    EXPECT_NEAR(along(out[0], a), 0.0, 1e-12);
    n = findContactPoints(a, 2.0 * gp.pb, 10.0, 0.0, out);
    EXPECT_EQ(n, 3);

    // A path shorter than the base pitch holds at most one point; none is valid.
    n = findContactPoints(a, 0.1, 0.1, 0.0, out);
    EXPECT_EQ(n, 1);
    n = findContactPoints(a, 0.1, 0.1, 0.5 / gp.rg1, out);
    EXPECT_EQ(n, 0);

    // The mesh views' folded angle puts one candidate in each base pitch.
    const double theta = 1.5 * gp.pitchAngle1;
    n = findContactPoints(a, 2.0 * gp.pb, 3.0 * gp.pb, theta, out);
    ASSERT_EQ(n, 5);
    for (int i = 1; i < n; ++i) {
        EXPECT_NEAR(along(out[i - 1], a) - along(out[i], a), gp.pb, 1e-12);
    }
}

TEST(PitchPhase, ExactForUnshiftedAndNearInvoluteForShifted)
{
    computePair(20, 20, 0.0, 0.0);
    EXPECT_EQ(gearPair.phase1, 0.0);
    EXPECT_EQ(gearPair.phase2, 0.0);

    computePair(12, 30, 0.5, 0.0);
    const GearPairState& gp = gearPair;
    const double exact = (std::tan(gp.alphab) - gp.alphab) - gp.invAlpha0;
    EXPECT_NEAR(exact, 0.008666, 1e-6);
    EXPECT_NEAR(gp.phase1, 0.008675, 1e-6);
    EXPECT_NEAR(gp.phase2, 0.008675, 1e-6);
}

TEST(PitchPhase, ReportsWhenNoCrossingCanBePlaced)
{
    computePair(20, 20, 0.0, 0.0);
    bool placed = false;
    const double inside = pitchPhase(gearPair.count1, gearPair.profile1, 10.0, placed);
    EXPECT_TRUE(placed);
    EXPECT_EQ(inside, 0.0);
    const double outside = pitchPhase(gearPair.count1, gearPair.profile1, 30.0, placed);
    EXPECT_TRUE(std::isfinite(outside));
    // A search that runs to the last index cannot divide.
    pitchPhase(12, gearPair.profile1, 30.0, placed);
    EXPECT_FALSE(placed);
}

TEST(UndercutPoints, CopyOfNWithoutUndercut)
{
    const Vec2 n = {1.25, -0.5};
    const Vec2 same = undercutPoint(1, 0.3, 10.0, 9.0, 9.0, n);
    EXPECT_EQ(std::memcmp(&same, &n, sizeof n), 0);
    const Vec2 below = undercutPoint(2, 0.3, 10.0, 8.0, 9.0, n);
    EXPECT_EQ(std::memcmp(&below, &n, sizeof n), 0);
}

TEST(UndercutPoints, OnTheLineOfActionBetweenNAndThePitchPoint)
{
    computePair(10, 30, 0.0, 0.0);
    const GearPairState& gp = gearPair;
    ASSERT_GT(gp.rcut1, gp.rg1);
    const double s = along(gp.U1, gp.alphab);
    EXPECT_LT(s, 0.0);
    EXPECT_LT(gp.distU1, gp.distN1);
    const Vec2 fromCentre = {gp.U1.x - gp.center1.x, gp.U1.y - gp.center1.y};
    EXPECT_NEAR(radiusOf(fromCentre), gp.rcut1, 1e-9);
    // Undercut sets the N1-side limit of the path of contact.
    EXPECT_EQ(gp.limit1, gp.distU1);
}

TEST(ContactLimits, SmallestOfThreeWithTies)
{
    EXPECT_EQ(contactLimit(3.0, 2.0, 1.0), 1.0);
    EXPECT_EQ(contactLimit(1.0, 2.0, 3.0), 1.0);
    EXPECT_EQ(contactLimit(2.0, 1.5, 1.5), 1.5);
    EXPECT_EQ(contactLimit(1.0, 1.0, 1.0), 1.0);
}

TEST(OutlineStage, UnshiftedPairEqualsStandardPair)
{
    computePair(20, 20, 0.0, 0.0);
    const GearPairState& gp = gearPair;
    EXPECT_EQ(gp.count1, gp.stdCount1);
    EXPECT_EQ(std::memcmp(&gp.profile1, &gp.stdProfile1, sizeof gp.profile1), 0);
    EXPECT_EQ(std::memcmp(&gp.profile2, &gp.stdProfile2, sizeof gp.profile2), 0);
    EXPECT_EQ(gp.limit1, gp.stdLimit1);
    EXPECT_EQ(gp.limit2, gp.stdLimit2);
    EXPECT_NEAR(gp.rb1, gp.r01, 1e-12);
}

}  // namespace
