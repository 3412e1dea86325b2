// flank_curves.cpp -- the involute and the cutter's trochoid in the gear's frame.
//
// Involute: a point of pressure angle phi lies at r = rg / cos(phi) and polar angle
// inv(phi) - inv(alpha0), so it crosses the +y axis on the standard pitch circle.
// Trochoid: the cutter's tip corner, at depth d = r0 - rf below the rack's pitch
// line and h = d tan(alpha0) along it, traced as the pitch line rolls on r0:
//     corner = rf (-sin g, cos g) + (r0 g - h) (cos g, sin g),
// from where it touches the root circle (r0 g = h) onwards.
// Both read alpha0, invAlpha0 and tanAlpha0 of the teeth stage.
#include "gear/flank_curves.h"

#include <cmath>

int traceInvolute(double rg, double ru, Vec2* out)
{
    const GearPairState& gp = gearPair;
    const double step = gp.alpha0 / static_cast<double>(INVOLUTE_DIVISIONS);
    int i = 0;
    // NOTE: the last index is kept for the tip point, so the loop stops one short
    // of the buffer's end; no real tip radius gets anywhere near it (it needs
    // ru above about 6e14 rg).
    for (; i < CURVE_LAST_INDEX; ++i) {
        const double phi = i * step;
        const double r = rg / std::cos(phi);
        if (!(r < ru)) {
            break;
        }
        const double t = (std::tan(phi) - phi) - gp.invAlpha0;
        out[i] = Vec2{r * std::sin(t), r * std::cos(t)};
    }
    const double phiU = std::acos(rg / ru);
    const double t = (std::tan(phiU) - phiU) - gp.invAlpha0;
    out[i] = Vec2{ru * std::sin(t), ru * std::cos(t)};
    return i;
}

int traceTrochoid(double r0, double rf, Vec2* out)
{
    const double d = r0 - rf;
    const double h = gearPair.tanAlpha0 * d;
    const double g0 = h / r0;
    // NOTE: the corner's path touches the root circle at g0 and leaves it both ways.
    // The fillet is the branch at the larger polar angle: the one rolling forward
    // while the corner lies inside the pitch circle, the one rolling back when a
    // shift above 1.25 puts it outside.
    const double roll = d < 0.0 ? -TROCHOID_STEP : TROCHOID_STEP;
    for (int i = 0; i <= TROCHOID_LAST_INDEX; ++i) {
        const double g = i * roll + g0;
        const double u = std::atan(g);
        const double w = g - u;
        const double R = r0 / std::cos(u);
        const double A = (-R) * std::sin(w);
        const double Bv = R * std::cos(w);
        out[i].x = (A - h * std::cos(g)) + d * std::sin(g);
        out[i].y = (Bv - h * std::sin(g)) - d * std::cos(g);
    }
    return TROCHOID_LAST_INDEX;
}
