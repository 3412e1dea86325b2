// interference.cpp -- the depth by which a tooth tip enters the mate's tooth.
//
// Frame: the pair frame, turned if need be so that the gear entered, b, lies below
// (centre (0, -Rb)) and the gear whose tip enters, a, above (centre (0, Ra)), R
// being the working pitch radii; the line of action runs through the pitch point
// along (-cos ab, sin ab). The involutes place the teeth: while the flanks touch
// at the point s of the line of action (s from the pitch point, positive towards
// a's interference point), a tooth outline of b is turned by the polar angle
// -tau_b - s / rg_b and one of a by PI - tau_a + s / rg_a, where tau is the polar
// angle of the involute on the working pitch circle: each base circle unrolls s.
//
// The corner of a's tip, where its tip arc meets the involute, is named by gamma,
// its polar angle about a's centre from the line of centres: it is there when
// s = rg_a (gamma - corner + tau_a). Only points inside b's tip circle can enter b,
// and those have |gamma| < gammaMax. Teeth and motion are symmetric (the mesh run
// backwards is its own mirror image), so the corner that meets the flank of b
// being entered stands for both. Of the tip, the corner leads into b's flank and
// goes deepest: the arc behind it comes to the same places later in the mesh, by
// then no deeper in b (the tests measure the whole arc against the rack's cut).
//
// The depth of a point inside b is its distance to what is not b: b's flank (the
// fillet trochoid up to where it meets the involute, then the involute) or b's tip
// circle. The largest depth is sought on a grid of the corner's path through b's
// tip circle, then refined around the deepest sample.
#include "gear/interference.h"

#include <algorithm>
#include <cmath>

#include "gear/gear_pair.h"
#include "gear/tooth_profile.h"

// Samples of the corner's path through the mate's tip circle, about this far apart
// (module): an entry a few thousandths deep is some hundredths of a module long,
// and gets several.
constexpr double PATH_STEP = 0.01;
constexpr int PATH_SAMPLES_MIN = 64;
constexpr int PATH_SAMPLES_MAX = 4096;
constexpr int FILLET_SAMPLES = 16;
constexpr int GOLDEN_STEPS = 32;
constexpr int REFINE_ROUNDS = 3;
constexpr double GOLDEN_RATIO = 0.6180339887498949;

// One gear of the shifted pair, as the depth needs it. Angles are polar angles in
// the gear's outline (buildToothProfile), whose flank crosses +y on r0.
struct MeshGear {
    double r0;          // standard pitch radius
    double rf;          // root radius
    double rg;          // base radius
    double ru;          // tip radius
    double rb;          // working pitch radius
    double h;           // tan(alpha0) times the cutter corner's depth r0 - rf
    double runSign;     // the fillet's branch: -1 when the corner lies outside r0
    double rcut;        // where fillet and involute meet
    double toothAngle;  // tooth thickness on r0
    double pitch;       // angular pitch
    double tau;         // the involute's polar angle on rb
};

// Polar angle of the involute at radius r (r >= rg).
static double involuteAngle(double rg, double r)
{
    const double phi = std::acos(rg / r);
    return (std::tan(phi) - phi) - gearPair.invAlpha0;
}

static Vec2 atPolar(double r, double angle)
{
    return Vec2{r * std::sin(angle), r * std::cos(angle)};
}

static double distanceBetween(const Vec2& p, const Vec2& q)
{
    return std::hypot(p.x - q.x, p.y - q.y);
}

static MeshGear meshGear(int z, double x, double rb)
{
    const GearPairState& gp = gearPair;
    MeshGear g;
    g.r0 = z / 2.0;
    g.rf = g.r0 - (DEDENDUM - x);
    g.rg = g.r0 * gp.cosAlpha0;
    g.ru = g.r0 + (x + ADDENDUM);
    g.rb = rb;
    g.h = gp.tanAlpha0 * (g.r0 - g.rf);
    g.runSign = g.r0 - g.rf < 0.0 ? -1.0 : 1.0;
    g.rcut = distanceFromOrigin(flankJunction(g.r0, g.rf, g.rg, g.ru));
    g.toothAngle = toothAngleOf(g.r0, x);
    g.pitch = 2.0 * PI / z;
    g.tau = involuteAngle(g.rg, rb);
    return g;
}

// The fillet is the path of the cutter's corner: with run its distance along the
// cutter's tip line from where it touches the root circle, the pitch line has
// rolled g = (h + run) / r0 and the corner lies at rf (-sin g, cos g) + run (cos g,
// sin g), at radius sqrt(rf^2 + run^2).
static Vec2 filletPoint(const MeshGear& g, double run)
{
    const double roll = (g.h + run) / g.r0;
    return Vec2{-g.rf * std::sin(roll) + run * std::cos(roll),
                g.rf * std::cos(roll) + run * std::sin(roll)};
}

static double filletRun(const MeshGear& g, double r)
{
    return g.runSign * std::sqrt(std::max(0.0, r * r - g.rf * g.rf));
}

static double filletAngle(const MeshGear& g, double r)
{
    const double run = filletRun(g, r);
    return -(g.h + run) / g.r0 + std::atan2(run, g.rf);
}

// The largest value of f on [lo, hi] by golden section, starting from `at` with
// value `best`; `at` receives where it was found.
template <typename F>
static double goldenMax(F f, double lo, double hi, double& at, double best)
{
    double x1 = hi - GOLDEN_RATIO * (hi - lo);
    double x2 = lo + GOLDEN_RATIO * (hi - lo);
    double f1 = f(x1);
    double f2 = f(x2);
    for (int i = 0; i < GOLDEN_STEPS; ++i) {
        if (f1 > best) {
            best = f1;
            at = x1;
        }
        if (f2 > best) {
            best = f2;
            at = x2;
        }
        if (f1 < f2) {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + GOLDEN_RATIO * (hi - lo);
            f2 = f(x2);
        } else {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - GOLDEN_RATIO * (hi - lo);
            f1 = f(x1);
        }
    }
    return best;
}

static double distanceToFillet(const MeshGear& g, const Vec2& p)
{
    const double last = filletRun(g, g.rcut);
    const double step = last / FILLET_SAMPLES;
    int nearest = 0;
    double best = INFINITY;
    for (int i = 0; i <= FILLET_SAMPLES; ++i) {
        const double d = distanceBetween(p, filletPoint(g, i * step));
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    const double lo = std::max(0, nearest - 1) * step;
    const double hi = std::min(FILLET_SAMPLES, nearest + 1) * step;
    double at = nearest * step;
    auto closeness = [&](double run) { return -distanceBetween(p, filletPoint(g, run)); };
    return -goldenMax(closeness, lo, hi, at, -best);
}

// The normals of an involute touch its base circle: the involute point on the same
// normal as p, p's tangent to the base circle, has its string (the unrolled length)
// where p has its own, and the two lengths differ by the distance.
static double distanceToInvolute(const MeshGear& g, const Vec2& p, double r, double angle)
{
    double best = std::min(distanceBetween(p, atPolar(g.rcut, involuteAngle(g.rg, g.rcut))),
                           distanceBetween(p, atPolar(g.ru, involuteAngle(g.rg, g.ru))));
    if (r > g.rg) {
        const double string = std::sqrt(r * r - g.rg * g.rg);
        const double footString = g.rg * (angle + std::acos(g.rg / r) + gearPair.invAlpha0);
        const double footRadius = std::hypot(g.rg, footString);
        if (footString > 0.0 && footRadius >= g.rcut && footRadius <= g.ru) {
            best = std::min(best, std::fabs(string - footString));
        }
    }
    return best;
}

// Polar angle of b's flank at radius r, between root and tip circle.
static double flankAngle(const MeshGear& b, double r)
{
    return r < b.rcut ? filletAngle(b, r) : involuteAngle(b.rg, r);
}

// Depth of the point at radius r, polar angle `angle` of b's outline, inside b.
static double depthInTooth(const MeshGear& b, double r, double angle)
{
    // Into the half tooth left of its centre line, where the outline's flank is.
    const double centre = 0.5 * b.toothAngle;
    const double a = centre - std::fabs(std::remainder(angle - centre, b.pitch));
    if (!(a > flankAngle(b, r))) {
        return 0.0;
    }
    const Vec2 p = atPolar(r, a);
    return std::min({b.ru - r, distanceToFillet(b, p), distanceToInvolute(b, p, r, a)});
}

// Depth in b of a's corner at gamma; `corner` is its polar angle in a's outline.
static double cornerDepth(const MeshGear& a, const MeshGear& b, double corner, double gamma)
{
    const double x = -a.ru * std::sin(gamma);
    const double y = (a.rb - a.ru * std::cos(gamma)) + b.rb;
    const double r = std::sqrt(x * x + y * y);
    // NOTE: under the root circle only with a clearance that is not positive, which
    // is warned of on its own.
    if (!(r < b.ru && r > b.rf)) {
        return 0.0;
    }
    const double s = a.rg * (gamma - corner + a.tau);
    return depthInTooth(b, r, std::atan2(x, y) + b.tau + s / b.rg);
}

double tipEntryDepth(int tipGear)
{
    const GearPairState& gp = gearPair;
    const MeshGear g1 = meshGear(gp.z1, gp.x1, gp.rb1);
    const MeshGear g2 = meshGear(gp.z2, gp.x2, gp.rb2);
    const MeshGear& a = tipGear == 1 ? g1 : g2;
    const MeshGear& b = tipGear == 1 ? g2 : g1;
    const double corner = involuteAngle(a.rg, a.ru);

    const double centres = a.rb + b.rb;
    const double cosMax = (centres * centres + a.ru * a.ru - b.ru * b.ru) / (2.0 * centres * a.ru);
    if (!(cosMax < 1.0)) {
        return 0.0;
    }
    const double gammaMax = std::acos(std::max(-1.0, cosMax));
    // Relative to b, a turns about the pitch point by (1 + Ra / Rb) times its own
    // turn; the tip inside b's tip circle is at most `reach` from the pitch point.
    const double reach = std::hypot(a.ru * std::sin(gammaMax), a.rb - a.ru * std::cos(gammaMax));
    const double path = 2.0 * gammaMax * (1.0 + a.rb / b.rb) * reach;
    const int nPath = std::clamp(static_cast<int>(std::ceil(path / PATH_STEP)), PATH_SAMPLES_MIN,
                                 PATH_SAMPLES_MAX);
    const double dGamma = 2.0 * gammaMax / nPath;

    double best = 0.0;
    double gamma = 0.0;
    for (int i = 0; i <= nPath; ++i) {
        const double g = i * dGamma - gammaMax;
        const double depth = cornerDepth(a, b, corner, g);
        if (depth > best) {
            best = depth;
            gamma = g;
        }
    }
    if (best == 0.0) {
        return 0.0;
    }
    auto alongPath = [&](double g) { return cornerDepth(a, b, corner, g); };
    for (int round = 0; round < REFINE_ROUNDS; ++round) {
        best = goldenMax(alongPath, gamma - dGamma, gamma + dGamma, gamma, best);
    }
    return best;
}
