// Working pressure angle: exact paths, reference values of the design, and a cross-check against
// an independent inverse involute.
#include <gtest/gtest.h>

#include <cmath>

#include "gear/pressure_angle.h"

namespace {

const double ALPHA0 = 3.14159265358979 / 9.0;

double involute(double a) { return std::tan(a) - a; }

// Newton's method on inv(a) = target, from a start above the root, where the
// convex involute makes the iteration fall monotonically onto it.
double inverseInvolute(double target)
{
    double a = 1.5;
    while (involute(a) < target) {
        a = 0.5 * (a + 1.5707963267948966);
    }
    for (int i = 0; i < 200; ++i) {
        const double t = std::tan(a);
        const double next = a - (involute(a) - target) / (t * t);
        if (std::fabs(next - a) < 1e-15) {
            return next;
        }
        a = next;
    }
    return a;
}

TEST(PressureAngle, ZeroShiftSumReturnsAlpha0BitForBit)
{
    const int teeth[] = {3, 5, 12, 20, 30, 57, 100, 200};
    for (int z1 : teeth) {
        for (int z2 : teeth) {
            EXPECT_EQ(solveWorkingPressureAngle(ALPHA0, 0.0, 0.0, z1, z2), ALPHA0);
            EXPECT_EQ(solveWorkingPressureAngle(ALPHA0, 0.5, -0.5, z1, z2), ALPHA0);
            EXPECT_EQ(solveWorkingPressureAngle(ALPHA0, -1.3, 1.3, z1, z2), ALPHA0);
        }
    }
}

TEST(PressureAngle, ReferenceValuesOfTheDesignUpwardAndDownward)
{
    const double up = solveWorkingPressureAngle(ALPHA0, 0.5, 0.0, 12, 30);
    EXPECT_NEAR(up, 0.40430, 5e-6);
    EXPECT_NEAR(up * 57.2957795, 23.164, 5e-4);

    const double up2 = solveWorkingPressureAngle(ALPHA0, 0.5, 0.3, 10, 20);
    EXPECT_NEAR(up2, 0.45533, 5e-6);
    EXPECT_NEAR(up2 * 57.2957795, 26.089, 5e-4);

    const double down = solveWorkingPressureAngle(ALPHA0, -0.4, -0.4, 20, 20);
    EXPECT_NEAR(down, 0.10107, 5e-6);
    EXPECT_NEAR(down * 57.2957795, 5.791, 5e-4);
}

TEST(PressureAngle, NoMeshIsExactlyZero)
{
    EXPECT_EQ(solveWorkingPressureAngle(ALPHA0, -0.5, -0.5, 20, 20), 0.0);
    EXPECT_EQ(solveWorkingPressureAngle(ALPHA0, -3.0, -3.0, 10, 10), 0.0);
    // A root below the lowest angle the scan visits (about 0.0090659) is not found.
    const double m = involute(0.005);
    const double xSum = (m - involute(ALPHA0)) * 40 / (2 * std::tan(ALPHA0));
    EXPECT_EQ(solveWorkingPressureAngle(ALPHA0, xSum, 0.0, 20, 20), 0.0);
}

TEST(PressureAngle, AgreesWithNewtonInverseOverAGrid)
{
    const int teeth[] = {5, 12, 20, 41, 100};
    const double shifts[] = {-0.6, -0.3, -0.05, 0.0, 0.2, 0.5, 1.0};
    int compared = 0;
    for (int z1 : teeth) {
        for (int z2 : teeth) {
            for (double x1 : shifts) {
                for (double x2 : shifts) {
                    const double m = involute(ALPHA0) +
                                     2 * std::tan(ALPHA0) * (x1 + x2) / (z1 + z2);
                    const double got = solveWorkingPressureAngle(ALPHA0, x1, x2, z1, z2);
                    if (m <= 0.0) {
                        EXPECT_EQ(got, 0.0) << z1 << "/" << z2 << " " << x1 << " " << x2;
                        continue;
                    }
                    if (m < involute(0.0095)) {
                        continue;  // near the scan's lowest angle; covered above
                    }
                    EXPECT_NEAR(got, inverseInvolute(m), 1e-7)
                        << z1 << "/" << z2 << " " << x1 << " " << x2;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

TEST(PressureAngle, EndsForEveryInput)
{
    // A shift sum too small for the tolerance to be met in double arithmetic.
    const double tiny = solveWorkingPressureAngle(ALPHA0, 1e-12, 0.0, 20, 20);
    EXPECT_NEAR(tiny, ALPHA0, 1e-9);
    EXPECT_NEAR(solveWorkingPressureAngle(ALPHA0, -1e-12, 0.0, 20, 20), ALPHA0, 1e-9);

    // Shift sums far beyond any gear: either no mesh or an angle below a right angle.
    const double huge[] = {50.0, 1e3, 1e6, 1e12, 1e300};
    for (double x : huge) {
        const double a = solveWorkingPressureAngle(ALPHA0, x, x, 10, 10);
        EXPECT_GE(a, 0.0);
        EXPECT_LT(a, 1.5707963267948966);
        if (a != 0.0) {
            EXPECT_NEAR(involute(a), involute(ALPHA0) + 2 * std::tan(ALPHA0) * 2 * x / 20,
                        1e-6 * involute(a));
        }
    }
    EXPECT_EQ(solveWorkingPressureAngle(ALPHA0, INFINITY, 0.0, 10, 10), 0.0);
}

}  // namespace
