// pressure_angle.cpp -- solves the working pressure angle of a shifted pair.
//
// Backlash-free mesh of two shifted gears:
//     inv(ab) = inv(a0) + 2 tan(a0) (x1 + x2) / (z1 + z2),   inv(a) = tan(a) - a.
// The residual r(a) = m - inv(a) is positive below the root and negative above
// it on (0, pi/2). We walk from a0 in steps of SOLVER_STEP until r changes sign,
// then refine the bracket by false position. The orders of computation below are
// deliberate: a zero shift sum must return a0 bit for bit.
#include "gear/pressure_angle.h"

#include <cmath>

static double residual(double m, double a)
{
    return m - (std::tan(a) - a);
}

double solveWorkingPressureAngle(double alpha0, double x1, double x2, int z1, int z2)
{
    const int teethSum = z1 + z2;
    const double f = (2.0 * std::tan(alpha0)) * (x1 + x2) / static_cast<double>(teethSum);
    const double step = (f > 0.0) ? SOLVER_STEP : -SOLVER_STEP;
    const double m = (std::tan(alpha0) - alpha0) + f;

    double prev = alpha0;
    double rPrev = residual(m, prev);
    double next = prev;
    double rNext = rPrev;
    for (;;) {
        next = prev + step;
        if (!(next >= 0.0)) {
            return 0.0;
        }
        // NOTE: past a right angle tan() changes branch and would bracket a false
        // root; the equation has no working angle there.
        if (next >= SOLVER_MAX_ANGLE) {
            return 0.0;
        }
        rNext = residual(m, next);
        if (rPrev * rNext > 0.0) {
            prev = next;
            rPrev = rNext;
            continue;
        }
        break;
    }

    // Fixed normaliser: the residual at the prev end when the bracket was found.
    const double r0 = rPrev;
    double c = prev;
    for (int iteration = 0; iteration < SOLVER_MAX_REFINEMENTS; ++iteration) {
        c = prev - ((next - prev) / (rNext - rPrev)) * rPrev;
        const double rC = residual(m, c);
        const double ratio = rC / r0;
        // NOTE: a zero shift sum gives 0/0 here on the first estimate, which is
        // alpha0 itself: the not-a-number ratio must count as converged.
        if (std::fabs(ratio) < SOLVER_TOLERANCE || std::isnan(ratio)) {
            return c;
        }
        if (rPrev * rC > 0.0) {
            prev = c;
            rPrev = rC;
        } else {
            next = c;
            rNext = rC;
        }
    }
    return c;
}
