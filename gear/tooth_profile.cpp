// tooth_profile.cpp -- assembles one tooth outline from the flank curves.
//
// The flank is the cutter's trochoid (the root fillet) joined to the involute at
// their first crossing, or, where the polylines do not cross, at the exact point
// where the two curves meet.
// Where the junction lies outside the base circle, the trochoid has cut into the
// involute: the gear is undercut, and the junction's radius is the undercut
// circle. The opposite flank is the mirror image turned by the tooth's angular
// thickness; the root arc before the flank and the tip arc after it close the
// outline so that z copies turned by 2 pi / z join into the whole gear.
#include "gear/tooth_profile.h"

#include <cassert>
#include <cmath>

#include "gear/flank_curves.h"

Vec2 involuteBuf[CURVE_POINTS];
Vec2 trochoidBuf[CURVE_POINTS];
Vec2 flankBuf[CURVE_POINTS];
Vec2 mirrorBuf[CURVE_POINTS];

// Cross product of (d) with (p - o): which side of the line through o along d p lies.
static double sideOf(double dx, double dy, const Vec2& p, const Vec2& o)
{
    return dx * (p.y - o.y) - dy * (p.x - o.x);
}

double toothAngleOf(double r0, double x)
{
    return (PI / 2.0 + (2.0 * x) * gearPair.tanAlpha0) / r0;
}

bool toothIsPointed(int z, double x, const ToothProfile& profile, int last)
{
    if (last < 2 * ARC_POINTS) {
        return false;
    }
    const int B = (last - 2 * ARC_POINTS) / 2;
    const Vec2& tip = profile.p[B + ARC_POINTS];
    const double tipAngle = std::atan2(tip.x, tip.y);
    return 2.0 * tipAngle > toothAngleOf(z / 2.0, x);
}

int joinFlank(int m, const Vec2* T, int n, const Vec2* V, const Vec2& junction, Vec2* F,
              double& rcut)
{
    int cj = -1;
    int ck = -1;
    for (int j = 0; j < m && cj < 0; ++j) {
        const double dx = T[j + 1].x - T[j].x;
        const double dy = T[j + 1].y - T[j].y;
        for (int k = 0; k < n; ++k) {
            const double c1 = sideOf(dx, dy, V[k], T[j]);
            const double c2 = sideOf(dx, dy, V[k + 1], T[j]);
            if (c1 * c2 <= 0.0) {
                const double ex = V[k + 1].x - V[k].x;
                const double ey = V[k + 1].y - V[k].y;
                const double c3 = sideOf(ex, ey, T[j], V[k]);
                const double c4 = sideOf(ex, ey, T[j + 1], V[k]);
                if (c3 * c4 < 0.0) {
                    cj = j;
                    ck = k;
                    break;
                }
            }
        }
    }

    if (cj >= 0) {
        const int j = cj;
        const int k = ck;
        const double s1 = (T[j + 1].y - T[j].y) / (T[j + 1].x - T[j].x);
        const double s2 = (V[k + 1].y - V[k].y) / (V[k + 1].x - V[k].x);
        const double X = ((V[k].y - T[j].y) + s1 * T[j].x - s2 * V[k].x) / (s1 - s2);
        const double Y = (X - V[k].x) * s2 + V[k].y;
        if (j + n - k + 1 > FLANK_MAX_LAST) {
            return -1;
        }
        for (int i = 0; i <= j; ++i) {
            F[i] = T[i];
        }
        F[j + 1] = Vec2{X, Y};
        for (int i = 1; i <= n - k; ++i) {
            F[j + 1 + i] = V[k + i];
        }
        rcut = std::sqrt(X * X + Y * Y);
        return j + n - k + 1;
    }

    // NOTE: where the polylines miss each other the curves still meet: tangentially
    // at the form circle, or in a crossing too near the base circle's cusp for the
    // one-degree involute steps to show. The caller computes that point exactly.
    if (!(std::isfinite(junction.x) && std::isfinite(junction.y))) {
        return -1;
    }
    const double rj = distanceFromOrigin(junction);
    // Points within a rounding of the junction would make a segment of no length,
    // on which the pitch phase search cannot interpolate.
    const double below = rj * (1.0 - JUNCTION_MARGIN);
    const double above = rj * (1.0 + JUNCTION_MARGIN);
    int B = 0;
    for (int j = 0; j <= m && distanceFromOrigin(T[j]) < below; ++j) {
        F[B++] = T[j];
    }
    F[B] = junction;
    for (int k = 0; k <= n; ++k) {
        if (distanceFromOrigin(V[k]) > above) {
            if (B == FLANK_MAX_LAST) {
                return -1;
            }
            F[++B] = V[k];
        }
    }
    rcut = rj;
    return B;
}

// Distance from the interference point at which the line along which the cutter's
// corner touches the gear crosses the line of action, for pitch radius r0 and a
// corner d below the pitch line; negative when the corner passes it (undercut).
static double cornerReach(double r0, double d)
{
    const double sinAlpha0 = std::sin(gearPair.alpha0);
    return r0 * sinAlpha0 - d / sinAlpha0;
}

bool gearIsUndercut(double r0, double x)
{
    return cornerReach(r0, DEDENDUM - x) < 0.0;
}

Vec2 flankJunction(double r0, double rf, double rg, double ru)
{
    const GearPairState& gp = gearPair;
    const double d = r0 - rf;
    const double h = gp.tanAlpha0 * d;
    const double e = cornerReach(r0, d);
    double r = std::sqrt(rg * rg + e * e);
    if (!(e > 0.0)) {
        // Polar angle of the involute minus that of the corner's path, at radius r:
        // negative while the corner cuts into the involute.
        auto ahead = [&](double radius) {
            const double phi = std::acos(rg / radius);
            const double involute = (std::tan(phi) - phi) - gp.invAlpha0;
            const double run = std::sqrt(radius * radius - rf * rf);
            const double corner = -(h + run) / r0 + std::atan2(run, rf);
            return involute - corner;
        };
        double lo = rf > rg ? rf : rg;
        double hi = ru;
        if (!(ahead(hi) >= 0.0)) {
            return Vec2{NAN, NAN};
        }
        if (ahead(lo) >= 0.0) {
            hi = lo;
        }
        for (int i = 0; i < JUNCTION_BISECTIONS && hi - lo > 0.0; ++i) {
            const double mid = 0.5 * (lo + hi);
            if (mid <= lo || mid >= hi) {
                break;
            }
            (ahead(mid) >= 0.0 ? hi : lo) = mid;
        }
        r = hi;
    }
    if (!(r < ru)) {
        return Vec2{NAN, NAN};
    }
    const double phi = std::acos(rg / r);
    const double t = (std::tan(phi) - phi) - gp.invAlpha0;
    return Vec2{r * std::sin(t), r * std::cos(t)};
}

int buildToothProfile(int gearIndex, int z, double x, ToothProfile& profile, double& rcut)
{
    (void)gearIndex;  // names the gear for the caller; the outline depends on z and x only
    const GearPairState& gp = gearPair;
    const double r0 = z / 2.0;
    const double addendum = x + ADDENDUM;
    const double dedendum = DEDENDUM - x;
    const double toothAngle = toothAngleOf(r0, x);
    const double rg = r0 * gp.cosAlpha0;
    const double ru = r0 + addendum;
    const double rf = r0 - dedendum;
    const double spaceAngle = PI / r0 - toothAngle;

    const int n = traceInvolute(rg, ru, involuteBuf);
    const int m = traceTrochoid(r0, rf, trochoidBuf);
    const Vec2 junction = flankJunction(r0, rf, rg, ru);
    const int B = joinFlank(m, trochoidBuf, n, involuteBuf, junction, flankBuf, rcut);
    if (B < 0) {
        return -1;
    }
    // NOTE: the undercut circle is where the curves meet, not where their polylines
    // cross: near the base circle a thousandth of a module in radius moves the end of
    // the path of contact by some hundredths along the line of action.
    if (std::isfinite(junction.x) && std::isfinite(junction.y)) {
        rcut = distanceFromOrigin(junction);
    }
    const Vec2* F = flankBuf;

    const double sT = std::sin(toothAngle);
    const double cT = std::cos(toothAngle);
    for (int i = 0; i <= B; ++i) {
        mirrorBuf[i].x = -F[i].x * cT + sT * F[i].y;
        mirrorBuf[i].y = sT * F[i].x + cT * F[i].y;
    }

    const double rootAngle = std::atan2(-F[0].x, F[0].y);
    const double dRoot = (spaceAngle - 2.0 * rootAngle) / ARC_POINTS;
    for (int i = 0; i < ARC_POINTS; ++i) {
        const double a = (spaceAngle - rootAngle) - i * dRoot;
        profile.p[i] = Vec2{std::sin(a) * (-rf), std::cos(a) * rf};
    }

    for (int i = 0; i <= B; ++i) {
        profile.p[ARC_POINTS + i] = F[i];
    }

    const double tipAngle = std::atan2(F[B].x, F[B].y);
    const double dTip = (toothAngle - 2.0 * tipAngle) / ARC_POINTS;
    for (int i = 0; i < ARC_POINTS; ++i) {
        const double a = i * dTip + tipAngle;
        profile.p[B + ARC_POINTS + i] = Vec2{std::sin(a) * ru, std::cos(a) * ru};
    }

    for (int i = 0; i <= B; ++i) {
        profile.p[B + 2 * ARC_POINTS + i] = mirrorBuf[B - i];
    }
    const int last = 2 * B + 2 * ARC_POINTS;
    assert(last <= PROFILE_LAST_INDEX && "outline overflows its array");
    return last;
}
