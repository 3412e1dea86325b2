// Flank curves and tooth outlines: reference values of the design for z = 5, 10 and 20, and
// the properties that every outline must have to close into a gear.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "gear/flank_curves.h"
#include "gear/tooth_profile.h"
#include "gear_fixture.h"

namespace {

class Flanks : public ::testing::Test {
protected:
    void SetUp() override { computePair(20, 20, 0.0, 0.0); }
    Vec2 involute[CURVE_POINTS];
    Vec2 trochoid[CURVE_POINTS];
    ToothProfile profile;
    double rcut = 0.0;
};

TEST_F(Flanks, InvoluteOfStandardGear20)
{
    const double rg = 10.0 * gearPair.cosAlpha0;
    const int n = traceInvolute(rg, 11.0, involute);
    EXPECT_EQ(n, 32);
    const double inv0 = gearPair.invAlpha0;
    EXPECT_DOUBLE_EQ(involute[0].x, rg * std::sin(-inv0));
    EXPECT_DOUBLE_EQ(involute[0].y, rg * std::cos(-inv0));
    // At pressure angle alpha0 the involute crosses +y on the pitch circle.
    EXPECT_EQ(involute[20].x, 0.0);
    EXPECT_NEAR(involute[20].y, 10.0, 1e-12);
    EXPECT_NEAR(radiusOf(involute[n]), 11.0, 1e-12);
    for (int i = 0; i < n; ++i) {
        EXPECT_LT(radiusOf(involute[i]), 11.0) << i;
        if (i > 0) {
            EXPECT_GT(std::atan2(involute[i].x, involute[i].y),
                      std::atan2(involute[i - 1].x, involute[i - 1].y));
        }
    }
}

TEST_F(Flanks, InvoluteEndsWhereAPointReachesTheTipExactly)
{
    const double rg = 5.0;
    const double step = gearPair.alpha0 / 20;
    const double ru = rg / std::cos(7 * step);
    const int n = traceInvolute(rg, ru, involute);
    EXPECT_EQ(n, 7);
    EXPECT_NEAR(radiusOf(involute[7]), ru, 1e-12);
}

TEST_F(Flanks, InvoluteStaysInsideItsBuffer)
{
    EXPECT_LE(traceInvolute(1.0, 1e14, involute), 90);
    EXPECT_LE(traceInvolute(1.0, 1e300, involute), CURVE_LAST_INDEX);
    // Tip on or inside the base circle.
    EXPECT_EQ(traceInvolute(5.0, 5.0, involute), 0);
    EXPECT_NEAR(radiusOf(involute[0]), 5.0, 1e-12);
    EXPECT_EQ(traceInvolute(5.0, 4.0, involute), 0);
    EXPECT_TRUE(std::isnan(involute[0].x));
}

TEST_F(Flanks, TrochoidStartsOnTheRootCircle)
{
    const double cases[][2] = {{10.0, 8.75}, {5.0, 3.75}, {2.5, 1.25}, {15.0, 14.25}};
    for (const auto& c : cases) {
        const double r0 = c[0];
        const double rf = c[1];
        EXPECT_EQ(traceTrochoid(r0, rf, trochoid), 200);
        EXPECT_NEAR(radiusOf(trochoid[0]), rf, 1e-12);
        EXPECT_NEAR(std::atan2(trochoid[0].x, trochoid[0].y),
                    -gearPair.tanAlpha0 * (r0 - rf) / r0, 1e-12);
        // It rises from the root, first towards +x.
        EXPECT_GT(radiusOf(trochoid[200]), radiusOf(trochoid[0]));
        EXPECT_GT(trochoid[1].x, trochoid[0].x);
    }
    // With the corner on the pitch line the trochoid is the involute of the pitch circle.
    traceTrochoid(10.0, 10.0, trochoid);
    EXPECT_EQ(trochoid[0].x, 0.0);
    EXPECT_EQ(trochoid[0].y, 10.0);
    const double g = 1.0;
    EXPECT_NEAR(trochoid[100].x, 10.0 * (-std::sin(g) + g * std::cos(g)), 1e-12);
    EXPECT_NEAR(trochoid[100].y, 10.0 * (std::cos(g) + g * std::sin(g)), 1e-12);
}

TEST_F(Flanks, Gear10CrossesAndIsUndercut)
{
    const double rg = 5.0 * gearPair.cosAlpha0;
    const int n = traceInvolute(rg, 6.0, involute);
    const int m = traceTrochoid(5.0, 3.75, trochoid);
    EXPECT_EQ(n, 39);
    Vec2 flank[CURVE_POINTS];
    const Vec2 junction = flankJunction(5.0, 3.75, rg, 6.0);
    const int B = joinFlank(m, trochoid, n, involute, junction, flank, rcut);
    EXPECT_EQ(B, 90);
    // Trochoid segment 58 meets involute segment 8: T[0..58], junction, V[9..39].
    EXPECT_EQ(flank[58].x, trochoid[58].x);
    EXPECT_EQ(flank[60].x, involute[9].x);
    EXPECT_EQ(flank[90].y, involute[39].y);
    EXPECT_NEAR(radiusOf(flank[59]), rcut, 1e-12);
    EXPECT_NEAR(rcut, 4.7565, 5e-5);
    EXPECT_GT(rcut, rg);
    EXPECT_EQ(buildToothProfile(1, 10, 0.0, profile, rcut), 200);
}

// The corner of the rack passes just beyond the interference point, so the fillet
// crosses the involute barely above the base circle, inside the involute's first
// one-degree step, where the polylines miss each other: the flank joins at the
// exact crossing instead.
TEST_F(Flanks, Gear20JoinsAtTheExactCrossingNearTheBaseCircle)
{
    const double rg = 10.0 * gearPair.cosAlpha0;
    const int n = traceInvolute(rg, 11.0, involute);
    const int m = traceTrochoid(10.0, 8.75, trochoid);
    const Vec2 junction = flankJunction(10.0, 8.75, rg, 11.0);
    Vec2 flank[CURVE_POINTS];
    const int B = joinFlank(m, trochoid, n, involute, junction, flank, rcut);
    // T[0..34] below the junction, the junction, V[1..32] above it.
    EXPECT_EQ(B, 67);
    EXPECT_EQ(flank[34].x, trochoid[34].x);
    EXPECT_EQ(flank[35].x, junction.x);
    EXPECT_EQ(flank[36].x, involute[1].x);
    EXPECT_EQ(flank[67].y, involute[32].y);
    EXPECT_NEAR(rcut, 9.39762, 5e-6);
    EXPECT_GT(rcut, rg);
    EXPECT_EQ(buildToothProfile(2, 20, 0.0, profile, rcut), 154);
}

TEST_F(Flanks, CrossingTestIsNonStrictThenStrict)
{
    // Trochoid segment along x from (0,0) to (2,0).
    const Vec2 T[] = {{0, 0}, {2, 0}};
    Vec2 flank[CURVE_POINTS];
    const Vec2 elsewhere = {1.0, 2.2};
    // Involute segment ending exactly on the trochoid's line, crossing its interior.
    const Vec2 touching[] = {{1, -1}, {1.5, 0}};
    // NOTE: equal x at both ends is the slope form's blind spot, so lean them.
    EXPECT_EQ(joinFlank(1, T, 1, touching, elsewhere, flank, rcut), 2);
    EXPECT_NEAR(flank[1].x, 1.5, 1e-12);
    EXPECT_NEAR(flank[1].y, 0.0, 1e-12);
    // A trochoid end exactly on the involute's line does not count: the curves are
    // joined at the junction given, between the points below and above it.
    const Vec2 throughEnd[] = {{1.5, -1}, {2.5, 1}};
    EXPECT_EQ(joinFlank(1, T, 1, throughEnd, elsewhere, flank, rcut), 3);
    EXPECT_EQ(flank[1].x, 2.0);
    EXPECT_EQ(flank[2].y, 2.2);
    EXPECT_EQ(flank[3].x, 2.5);
    EXPECT_EQ(rcut, std::hypot(1.0, 2.2));
}

TEST_F(Flanks, LastIndicesOfStandardGears)
{
    EXPECT_EQ(buildToothProfile(1, 5, 0.0, profile, rcut), 252);
    EXPECT_EQ(buildToothProfile(1, 10, 0.0, profile, rcut), 200);
    EXPECT_EQ(buildToothProfile(1, 20, 0.0, profile, rcut), 154);
}

TEST_F(Flanks, NoJunctionBelowTheTipIsRefusedNotJoined)
{
    const Vec2 T[] = {{0, 0}, {1, 0}};
    const Vec2 V[] = {{1000, 1000}, {1001, 1000}};
    Vec2 flank[CURVE_POINTS];
    EXPECT_EQ(joinFlank(1, T, 1, V, Vec2{NAN, NAN}, flank, rcut), -1);
    // A deep negative shift: the corner's path crosses the involute above the tip.
    const double rg = 10.0 * gearPair.cosAlpha0;
    EXPECT_TRUE(std::isnan(flankJunction(10.0, 10.0 - 2.75, rg, 9.5).x));
    EXPECT_EQ(buildToothProfile(1, 20, -1.5, profile, rcut), -1);
}

// Every outline closes into a gear: z copies turned by 2 pi / z join end to start.
TEST_F(Flanks, EveryOutlineClosesIntoAGear)
{
    const int teeth[] = {3, 5, 8, 10, 13, 17, 20, 31, 50, 100, 200};
    const double shifts[] = {-0.5, -0.2, 0.0, 0.3, 0.6, 1.0};
    for (int z : teeth) {
        for (double x : shifts) {
            const double r0 = z / 2.0;
            const double ru = r0 + (x + 1.0);
            const double rf = r0 - (1.25 - x);
            if (!(ru > r0 * gearPair.cosAlpha0) || !(rf > 0.0)) {
                continue;
            }
            SCOPED_TRACE(::testing::Message() << "z=" << z << " x=" << x);
            const int L = buildToothProfile(1, z, x, profile, rcut);
            ASSERT_GE(L, 20);
            ASSERT_LE(L, PROFILE_LAST_INDEX);
            ASSERT_EQ((L - 20) % 2, 0);
            const int B = (L - 20) / 2;
            for (int i = 0; i < ARC_POINTS; ++i) {
                EXPECT_NEAR(radiusOf(profile.p[i]), rf, 1e-9);
            }
            EXPECT_NEAR(radiusOf(profile.p[L]), rf, 1e-9);
            EXPECT_NEAR(radiusOf(profile.p[B + 10]), ru, 1e-9);
            traceTrochoid(r0, rf, trochoid);
            EXPECT_EQ(profile.p[10].x, trochoid[0].x);
            EXPECT_EQ(profile.p[10].y, trochoid[0].y);
            // Turned back by one pitch: polar angle atan2(x, y) lowered by 2 pi / z.
            const double p = 2.0 * PI / z;
            const Vec2 last = profile.p[L];
            const Vec2 turnedBack = {last.x * std::cos(p) - last.y * std::sin(p),
                                     last.y * std::cos(p) + last.x * std::sin(p)};
            EXPECT_NEAR(turnedBack.x, profile.p[0].x, 1e-9);
            EXPECT_NEAR(turnedBack.y, profile.p[0].y, 1e-9);
            for (int i = 0; i <= L; ++i) {
                ASSERT_TRUE(std::isfinite(profile.p[i].x) && std::isfinite(profile.p[i].y)) << i;
            }
            ToothProfile other;
            double otherCut = 0.0;
            EXPECT_EQ(buildToothProfile(2, z, x, other, otherCut), L);
            EXPECT_EQ(otherCut, rcut);
            EXPECT_EQ(0, std::memcmp(&other, &profile, sizeof(Vec2) * (L + 1)));
        }
    }
}

}  // namespace
