// The drawn teeth against the teeth a rack cutter really cuts.
//
// The reference is built from first principles, not from the program's formulas:
// the rack's pitch line rolls on the standard pitch circle r0; its tooth is the
// region left of the straight flank (which crosses the pitch line where the rolled
// length is zero, leaning at alpha0) and above its tip line, d = r0 - rf below the
// pitch line. At each radius r the gear's flank lies at the largest polar angle
// that the rack tooth reaches on the circle r over all rolling positions g. Where
// that extreme is reached by the straight flank's interior, the flank is generated
// (the involute); where by the tip corner, it is the fillet. Over a grid of pairs
// the dialogue accepts, the outlines, the undercut circles, the contact limits and
// the meshing pictures of views 3 and 4, and how deep tips enter, are held to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gear/contact_path.h"
#include "gear/line_of_action.h"
#include "gear/pressure_angle.h"
#include "gear/tooth_profile.h"
#include "gear_fixture.h"

namespace {

// The mathematical pi, not the geometry's rounded PI: the reference owes the code nothing.
const double REFERENCE_PI = 3.14159265358979323846;
const double ALPHA = REFERENCE_PI / 9.0;

struct Extreme {
    double angle;  // largest polar angle reached on the circle
    bool byFlank;  // reached by the straight flank's interior, not the tip corner
};

// The rack tooth's largest polar angle on the circle r at rolling angle g.
Extreme rackAt(double r0, double rf, double r, double g)
{
    const double d = r0 - rf;
    const double t = std::tan(ALPHA);
    // A point v above the pitch line (negative below) and u along it, the tangent
    // point being where u = 0, lies at polar angle -g + atan2(u, r0 + v) and radius
    // sqrt((r0 + v)^2 + u^2). The flank is u = v t + r0 g.
    Extreme best = {-INFINITY, false};
    const double qa = 1.0 + t * t;
    const double qb = 2.0 * (r0 + r0 * g * t);
    const double qc = r0 * r0 + r0 * r0 * g * g - r * r;
    const double disc = qb * qb - 4.0 * qa * qc;
    if (disc >= 0.0) {
        for (double sign : {-1.0, 1.0}) {
            const double v = (-qb + sign * std::sqrt(disc)) / (2.0 * qa);
            const double local = std::atan2(v * t + r0 * g, r0 + v);
            // Only where the circle, turning towards larger polar angles, leaves
            // the rack tooth: the far crossing is where it enters.
            if (v >= -d && std::cos(local) + t * std::sin(local) > 0.0) {
                const double a = -g + local;
                if (a > best.angle) {
                    best = {a, v > -d + 1e-9};
                }
            }
        }
    }
    // The tip line v = -d, as far along as the corner, where the circle leaves it
    // towards larger polar angles (u > 0).
    if (r >= rf) {
        const double u = std::sqrt(r * r - rf * rf);
        if (u <= -d * t + r0 * g) {
            const double a = -g + std::atan2(u, rf);
            if (a > best.angle) {
                best = {a, false};
            }
        }
    }
    return best;
}

// The extreme over all rolling positions: a scan, then a golden-section search
// around every peak of the samples, keeping the best position met (the extreme of
// the fillet lies where the corner just reaches the circle, at the edge of the
// positions that reach it at all). Near where fillet and involute meet, the flank's
// peak and the corner's are within a sample's error of each other: each is refined
// before they are compared.
Extreme rackExtreme(double r0, double rf, double r)
{
    const double step = 0.005;
    Extreme best = {-INFINITY, false};
    auto consider = [&](double g) {
        const Extreme e = rackAt(r0, rf, r, g);
        if (e.angle > best.angle) {
            best = e;
        }
        return e.angle;
    };
    // The rack rolls from far on one side of the tooth to far on the other.
    std::vector<double> samples;
    for (double g = -2.5; g <= 2.5; g += step) {
        samples.push_back(consider(g));
    }
    // The fillet's extreme is a sharp peak the samples may straddle: try where the
    // corner lies on the circle, just inside the tooth.
    for (double run : {-std::sqrt(r * r - rf * rf), std::sqrt(r * r - rf * rf)}) {
        consider((run + (r0 - rf) * std::tan(ALPHA)) / r0 + 1e-12);
    }
    const double k = 0.5 * (std::sqrt(5.0) - 1.0);
    for (std::size_t i = 1; i + 1 < samples.size(); ++i) {
        if (!(samples[i] > -INFINITY && samples[i] >= samples[i - 1] &&
              samples[i] >= samples[i + 1])) {
            continue;
        }
        double lo = -2.5 + (i - 1.0) * step;
        double hi = -2.5 + (i + 1.0) * step;
        for (int n = 0; n < 60; ++n) {
            const double g1 = hi - k * (hi - lo);
            const double g2 = lo + k * (hi - lo);
            if (consider(g1) < consider(g2)) {
                lo = g1;
            } else {
                hi = g2;
            }
        }
    }
    return best;
}

// Radius above which the rack's straight flank generates the tooth: where the
// fillet meets the involute.
double junctionRadius(double r0, double rf, double ru)
{
    // A flank point touches the gear where the normal through it meets the pitch
    // point: the corner, d below the pitch line, touches d / sin(alpha) along that
    // normal. Short of the base circle's tangent point, the corner generates the
    // involute's lowest point, where the fillet only touches it and the scan
    // below cannot tell the two apart.
    const double d = r0 - rf;
    if (d / std::sin(ALPHA) <= r0 * std::sin(ALPHA)) {
        return std::hypot(r0 * std::cos(ALPHA), r0 * std::sin(ALPHA) - d / std::sin(ALPHA));
    }
    double lo = rf;
    double hi = ru;
    for (int i = 0; i < 50; ++i) {
        const double mid = 0.5 * (lo + hi);
        (rackExtreme(r0, rf, mid).byFlank ? hi : lo) = mid;
    }
    return hi;
}

double polar(const Vec2& p) { return std::atan2(p.x, p.y); }

double segmentDistance(const Vec2& p, const Vec2& a, const Vec2& b)
{
    const double ex = b.x - a.x;
    const double ey = b.y - a.y;
    const double len2 = ex * ex + ey * ey;
    double s = len2 > 0.0 ? ((p.x - a.x) * ex + (p.y - a.y) * ey) / len2 : 0.0;
    s = std::clamp(s, 0.0, 1.0);
    return std::hypot(p.x - a.x - s * ex, p.y - a.y - s * ey);
}

Vec2 turned(const Vec2& p, double a)  // counter-clockwise, as glRotated turns
{
    return {p.x * std::cos(a) - p.y * std::sin(a), p.x * std::sin(a) + p.y * std::cos(a)};
}

// A gear as drawn: its outline, turned by `angle` about `centre`, z copies.
struct DrawnGear {
    const ToothProfile* profile;
    int last;
    int z;
    Vec2 centre;
    double angle;
};

// p in the tooth frame of the copy nearest to it, and the copies beside it.
Vec2 intoToothFrame(const DrawnGear& g, const Vec2& p, int copy)
{
    const double pitch = 2.0 * PI / g.z;
    const Vec2 q = turned({p.x - g.centre.x, p.y - g.centre.y}, -g.angle);
    const double start = polar(g.profile->p[0]);
    const double k = std::floor((polar(q) - start) / pitch) + copy;
    return turned(q, k * pitch);
}

double distanceToDrawn(const DrawnGear& g, const Vec2& p)
{
    double best = INFINITY;
    for (int copy = -1; copy <= 1; ++copy) {
        const Vec2 q = intoToothFrame(g, p, copy);
        for (int i = 1; i <= g.last; ++i) {
            best = std::min(best, segmentDistance(q, g.profile->p[i - 1], g.profile->p[i]));
        }
    }
    return best;
}

// Polar angle at which the flank from index `from` (its root) to `to` (its tip)
// crosses the circle `radius`, interpolated between its points.
double flankAngleAt(const ToothProfile& o, int from, int to, double radius)
{
    const int step = from < to ? 1 : -1;
    for (int i = from; i != to; i += step) {
        const double ra = distanceFromOrigin(o.p[i]);
        const double rb = distanceFromOrigin(o.p[i + step]);
        if (radius >= ra && radius <= rb) {
            const double s = rb > ra ? (radius - ra) / (rb - ra) : 0.0;
            return polar(o.p[i]) + s * (polar(o.p[i + step]) - polar(o.p[i]));
        }
    }
    return NAN;
}

// Whether p lies inside the drawn gear: inside its root circle, or within a tooth
// between its flank and the mirrored flank (both monotone in radius).
bool insideDrawn(const DrawnGear& g, const Vec2& p)
{
    const ToothProfile& o = *g.profile;
    const int B = (g.last - 2 * ARC_POINTS) / 2;
    const double r = distanceFromOrigin({p.x - g.centre.x, p.y - g.centre.y});
    if (r < distanceFromOrigin(o.p[0])) {
        return true;
    }
    if (r > distanceFromOrigin(o.p[B + ARC_POINTS])) {
        return false;
    }
    const double left = flankAngleAt(o, ARC_POINTS, B + ARC_POINTS, r);
    const double right = flankAngleAt(o, g.last, B + 2 * ARC_POINTS, r);
    const Vec2 q = intoToothFrame(g, p, 0);
    const double pitch = 2.0 * PI / g.z;
    for (int copy = -1; copy <= 1; ++copy) {
        const double a = polar(q) + copy * pitch;
        if (a > left && a < right) {
            return true;
        }
    }
    return false;
}

struct Worst {
    double vertex = 0, segment = 0, thickness = 0, rcut = 0, belowRoot = 0, limits = 0, ends = 0;
    double contact = 0, overlap = 0, interference = 0, phase = 0;
    int phaseRefused = 0, told = 0, wrong = 0, sliding = 0;
    double entry = 0, dots = 0;
};

// The pair being checked, and for each figure the pair that gave its worst value.
std::string current;
std::map<const double*, std::string> worstAt;

void keepWorst(double& worst, double v)
{
    if (!(v <= worst)) {
        worst = v;
        worstAt[&worst] = current;
    }
}

// One outline against the rack: vertices and segment midpoints of its flank, its
// thickness on the standard pitch circle, its undercut circle, its root circle.
void checkOutline(int z, double x, const ToothProfile& o, int last, double rcut, Worst& w)
{
    const double r0 = z / 2.0;
    const double rf = r0 - (1.25 - x);
    const double ru = r0 + 1.0 + x;
    const int B = (last - 2 * ARC_POINTS) / 2;
    auto offReference = [&](const Vec2& p) {
        const double r = distanceFromOrigin(p);
        if (r <= rf) {
            return 0.0;  // the root circle, checked below
        }
        return r * std::fabs(polar(p) - rackExtreme(r0, rf, r).angle);
    };
    const double rj = junctionRadius(r0, rf, ru);
    for (int i = ARC_POINTS; i <= B + ARC_POINTS; ++i) {
        const Vec2& p = o.p[i];
        keepWorst(w.vertex, offReference(p));
        if (i > ARC_POINTS) {
            const Vec2& a = o.p[i - 1];
            // NOTE: a chord across the fillet's foot runs almost along the root
            // circle, where the circumferential gap overstates the distance; those
            // are measured by the vertices alone.
            if (distanceFromOrigin(a) > rf + 1e-3) {
                keepWorst(w.segment, offReference({0.5 * (a.x + p.x), 0.5 * (a.y + p.y)}));
            }
        }
    }
    for (int i = 0; i <= last; ++i) {
        keepWorst(w.belowRoot, rf - distanceFromOrigin(o.p[i]));
    }
    keepWorst(w.rcut, std::fabs(rcut - rj));
    // Thickness on the standard pitch circle, between the two drawn flanks.
    if (rj < r0 && r0 < ru) {
        const double left = flankAngleAt(o, ARC_POINTS, B + ARC_POINTS, r0);
        const double right = flankAngleAt(o, last, B + 2 * ARC_POINTS, r0);
        if (right > left) {
            const double thickness = r0 * (right - left);
            const double exact = REFERENCE_PI / 2.0 + 2.0 * x * std::tan(ALPHA);
            keepWorst(w.thickness, std::fabs(thickness - exact));
        }
    }
}

// Views 3 and 4 for one full angular pitch of gear 1: every contact dot on both
// drawn outlines, no drawn tooth inside the other gear.
void checkMesh(bool shifted, Worst& w)
{
    GearPairState& gp = gearPair;
    resetView();
    const double alpha = shifted ? gp.alphab : gp.alpha0;
    const double limit1 = shifted ? gp.limit1 : gp.stdLimit1;
    const double limit2 = shifted ? gp.limit2 : gp.stdLimit2;
    const int steps = 2 * STEPS_PER_HALF_PITCH;
    for (int step = 0; step < steps; ++step) {
        const double theta1w = gp.pitchAngle1 + step * viewState.baseStep;
        const double theta2w = gp.ratio * theta1w;
        DrawnGear g1 = {shifted ? &gp.profile1 : &gp.stdProfile1,
                        shifted ? gp.count1 : gp.stdCount1, gp.z1,
                        shifted ? gp.center1 : gp.stdCenter1,
                        theta1w + (shifted ? gp.phase1 : 0.0)};
        DrawnGear g2 = {shifted ? &gp.profile2 : &gp.stdProfile2,
                        shifted ? gp.count2 : gp.stdCount2, gp.z2,
                        shifted ? gp.center2 : gp.stdCenter2,
                        (PI - theta2w) + (shifted ? gp.phase2 : 0.0)};
        Vec2 contacts[CONTACT_CAPACITY];
        const int n = findContactPoints(alpha, limit1, limit2, theta1w, contacts);
        for (int i = 0; i < n; ++i) {
            keepWorst(w.contact, distanceToDrawn(g1, contacts[i]));
            keepWorst(w.contact, distanceToDrawn(g2, contacts[i]));
        }
        // Points of each outline near the pitch point, inside the other gear; a tip
        // that reaches the mate's root circle is warned of, and does overlap.
        const bool clear = !shifted || (tipClearance(1) > 0.0 && tipClearance(2) > 0.0);
        // Contact that ends where one gear's involute begins, while the mate's tip
        // reaches further: that tip sweeps on into the fillet, past the path of
        // contact, and the pair interferes however exactly it is drawn.
        const bool interferes =
            shifted ? (gp.distU1 < gp.distT2 && gp.distU1 < gp.distN1) ||
                          (gp.distU2 < gp.distT1 && gp.distU2 < gp.distN2)
                    : (gp.stdDistU1 < gp.stdDistT2 && gp.stdDistU1 < gp.stdDistN1) ||
                          (gp.stdDistU2 < gp.stdDistT1 && gp.stdDistU2 < gp.stdDistN2);
        for (int pass = 0; pass < 2 && clear; ++pass) {
            const DrawnGear& a = pass == 0 ? g1 : g2;
            const DrawnGear& b = pass == 0 ? g2 : g1;
            const double pitch = 2.0 * PI / a.z;
            for (int k = -2; k <= 2; ++k) {
                // The copy whose tooth points towards the pitch point, and its neighbours.
                const double towards = polar({-a.centre.x, -a.centre.y});
                const double copyTurn = std::round((towards + a.angle) / pitch) + k;
                for (int i = 0; i <= a.last; ++i) {
                    const Vec2 q = turned(a.profile->p[i], a.angle - copyTurn * pitch);
                    const Vec2 p = {q.x + a.centre.x, q.y + a.centre.y};
                    if (insideDrawn(b, p)) {
                        keepWorst(interferes ? w.interference : w.overlap, distanceToDrawn(b, p));
                    }
                }
            }
        }
    }
}

// [SECTION] Interference: how deep a tip really enters the mate
// A tooth as the rack cuts it: the rack's extreme angle at radii up to where the involute
// begins (closer near the root, which the fillet leaves almost along it) and on to the tip.
struct CutTooth {
    double z, rf, ru, thickness;  // thickness: angular, on r0: the rack's space there
    std::vector<double> r;
    std::vector<Vec2> flank;
};

CutTooth cutTooth(int z, double x, double rj)
{
    const double r0 = z / 2.0, rf = r0 - 1.25 + x, ru = r0 + 1.0 + x;
    CutTooth t = {double(z), rf, ru, (REFERENCE_PI / 2 + 2 * x * std::tan(ALPHA)) / r0, {}, {}};
    for (int k = 0; k <= 128; ++k) {
        const double f = (k % 64) / 64.0;
        t.r.push_back(k == 128 ? ru : k < 64 ? rf + (rj - rf) * f * f : rj + (ru - rj) * f * f);
        const double a = rackExtreme(r0, rf, t.r.back()).angle;
        t.flank.push_back({t.r.back() * std::sin(a), t.r.back() * std::cos(a)});
    }
    return t;
}

double flankAt(const CutTooth& t, double r)
{
    const size_t i = std::clamp<size_t>(
        std::upper_bound(t.r.begin(), t.r.end(), r) - t.r.begin(), 1, t.r.size() - 1);
    const double a = polar(t.flank[i - 1]);
    return a + (r - t.r[i - 1]) / (t.r[i] - t.r[i - 1]) * (polar(t.flank[i]) - a);
}

// How deep the point at radius r (above the root circle), polar angle a lies in the
// cut gear: its distance to the nearest flank or the tip circle; 0 outside.
double depthInCut(const CutTooth& t, double r, double a)
{
    // Turned into the nearest half tooth that has the tabulated flank.
    const double turned =
        t.thickness / 2 - std::fabs(std::remainder(a - t.thickness / 2, 2 * REFERENCE_PI / t.z));
    const double gap = turned - flankAt(t, r);
    // Only flank within the distance of the flank at the same radius can be nearer.
    double depth = gap > 0.0 ? std::min(t.ru - r, 2.0 * r * std::sin(gap / 2)) : 0.0;
    const Vec2 p = {r * std::sin(turned), r * std::cos(turned)};
    const auto from = std::lower_bound(t.r.begin(), t.r.end(), r - depth) - t.r.begin();
    for (size_t k = std::max<size_t>(1, from); k < t.r.size() && t.r[k - 1] <= r + depth; ++k) {
        depth = std::min(depth, segmentDistance(p, t.flank[k - 1], t.flank[k]));
    }
    return depth;
}

// Deepest entry of gear a's tip arc into gear b, pitch circles Ra and Rb rolling, a above
// b, from a flank of each on the pitch point: as a turns by w, b turns back by w Ra / Rb.
// The point at angle t of a's outline is then g = t + w - fa from the line of centres; at
// each g (|g| < in: inside b's tip circle) the t that come between two flanks of b.
double referenceEntry(const CutTooth& a, const CutTooth& b, double Ra, double Rb)
{
    const double corner = polar(a.flank.back()), k = Ra / Rb, pitch = 2 * REFERENCE_PI / b.z;
    const double in = std::acos(std::clamp(
        ((Ra + Rb) * (Ra + Rb) + a.ru * a.ru - b.ru * b.ru) / (2 * (Ra + Rb) * a.ru), -1.0, 1.0));
    // Steps of 0.01 module at most: entries a few thousandths deep are some hundredths long.
    const double reach = std::hypot(a.ru * std::sin(in), Ra - a.ru * std::cos(in));
    double best = 0.0;
    for (double g = -in; g <= in; g += 0.01 / ((1 + k) * reach)) {
        const double x = -a.ru * std::sin(g), y = Ra - a.ru * std::cos(g) + Rb;
        const double r = std::hypot(x, y), flank = flankAt(b, r);
        const double spot = std::atan2(x, y) + flankAt(b, Rb) + (g + flankAt(a, Ra)) * k;
        const double last = spot - (a.thickness - corner) * k;
        for (double m = std::ceil((last - b.thickness + flank) / pitch);
             r < b.ru && flank + m * pitch < spot - corner * k; ++m) {
            const double t0 = std::max(corner, (spot - b.thickness + flank - m * pitch) / k);
            const double t1 = std::min(a.thickness - corner, (spot - flank - m * pitch) / k);
            for (int i = 0, n = 1 + int(std::max(0.0, t1 - t0) * a.ru / 0.005); i <= n; ++i) {
                best = std::max(best, depthInCut(b, r, spot - (t0 + (t1 - t0) * i / n) * k));
            }
        }
    }
    return best;
}

// [SECTION] The sliding line of the report
// Root sliding of both gears and the single-pair length, as the report prints them,
// of a pair of pressure angle alpha and pitch radii R1, R2 rolling together: each
// path end is where the mate's tip or the own involute's beginning (junction radius
// rj) comes first. There the involutes' radii of curvature are the distances from
// N1 and N2, and each flank's speed is its gear's angular speed times that radius.
std::string referenceSliding(int z1, int z2, double alpha, double R1, double R2, double x1,
                             double x2, double rj1, double rj2)
{
    const double n1 = R1 * std::sin(alpha), n2 = R2 * std::sin(alpha);
    const double g1 = R1 * std::cos(alpha), g2 = R2 * std::cos(alpha);
    const double ru1 = z1 / 2.0 + 1 + x1, ru2 = z2 / 2.0 + 1 + x2;
    const double end1 = std::min(std::sqrt(ru2 * ru2 - g2 * g2) - n2,
                                 n1 - std::sqrt(std::max(0.0, rj1 * rj1 - g1 * g1)));
    const double end2 = std::min(std::sqrt(ru1 * ru1 - g1 * g1) - n1,
                                 n2 - std::sqrt(std::max(0.0, rj2 * rj2 - g2 * g2)));
    const double rho1 = n1 - end1, rho2 = n2 - end2, line = n1 + n2;
    const double g = end1 + end2, pb = REFERENCE_PI * std::cos(ALPHA);
    char text[96];
    std::snprintf(text, sizeof text, "%.3f %.3f %.4f", 1 - double(z1) / z2 * (line - rho1) / rho1,
                  1 - double(z2) / z1 * (line - rho2) / rho2,
                  g < pb ? g : g <= 2 * pb ? 2 * pb - g : 0.0);
    return text;
}

TEST(RackReference, DrawnTeethAndContactsAreWhatTheRackCuts)
{
    const int teeth[] = {5, 7, 10, 14, 17, 20, 21, 25, 32, 45, 60, 100, 150, 195, 200};
    const double shifts[] = {-0.5, -0.2, 0.0, 0.3, 0.5, 0.8, 1.2, 2.0};
    const int meshTeeth[] = {5, 10, 17, 25, 45, 100, 200};
    const double meshShifts[] = {-0.5, 0.0, 0.5, 1.2};
    Worst w;
    std::map<std::pair<int, double>, double> junctions;
    std::map<std::pair<int, double>, CutTooth> cut;
    std::set<std::pair<int, int>> standardsChecked;
    int pairs = 0;
    for (int z1 : teeth) {
        for (int z2 : teeth) {
            for (double x1 : shifts) {
                for (double x2 : shifts) {
                    int gear = 0;
                    gearPair = GearPairState{};
                    const PairFault fault = computeGearPair(z1, z2, x1, x2, gear);
                    GearPairState& gp = gearPair;
                    if (fault == PairFault::NO_PHASE) {
                        // Refused for want of a phase although both working pitch
                        // circles lie between root and tip circles?
                        const double ab = solveWorkingPressureAngle(ALPHA, x1, x2, z1, z2);
                        bool between = true;
                        for (int g = 0; g < 2; ++g) {
                            const double r0 = (g == 0 ? z1 : z2) / 2.0;
                            const double x = g == 0 ? x1 : x2;
                            const double rb = r0 * std::cos(ALPHA) / std::cos(ab);
                            between = between && rb >= r0 - 1.25 + x && rb <= r0 + 1.0 + x;
                        }
                        w.phaseRefused += between ? 1 : 0;
                    }
                    if (fault != PairFault::NONE) {
                        continue;
                    }
                    ++pairs;
                    current = std::to_string(z1) + "/" + std::to_string(z2) + " " +
                              std::to_string(x1) + " " + std::to_string(x2);
                    const double pitch1 = 2.0 * PI / z1;
                    const double pitch2 = 2.0 * PI / z2;
                    keepWorst(w.phase, std::max(std::fabs(gp.phase1) / pitch1,
                                                std::fabs(gp.phase2) / pitch2));
                    // Outlines, once for each gear.
                    for (int g = 0; g < 2; ++g) {
                        const int z = g == 0 ? z1 : z2;
                        const double x = g == 0 ? x1 : x2;
                        const auto key = std::make_pair(z, x);
                        if (junctions.count(key) == 0) {
                            const double r0 = z / 2.0;
                            junctions[key] = junctionRadius(r0, r0 - (1.25 - x), r0 + 1.0 + x);
                            cut[key] = cutTooth(z, x, junctions[key]);
                            checkOutline(z, x, g == 0 ? gp.profile1 : gp.profile2,
                                         g == 0 ? gp.count1 : gp.count2,
                                         g == 0 ? gp.rcut1 : gp.rcut2, w);
                        }
                    }
                    // The path of contact: on each side it ends at the interference
                    // point, the mate's tip or where the own involute begins.
                    const double a = gp.rb1 + gp.rb2;
                    const double along1 = std::sqrt(gp.ru1 * gp.ru1 - gp.rg1 * gp.rg1);
                    const double along2 = std::sqrt(gp.ru2 * gp.ru2 - gp.rg2 * gp.rg2);
                    const double line = a * std::sin(gp.alphab);
                    const double rj1 = junctions[{z1, x1}];
                    const double rj2 = junctions[{z2, x2}];
                    const double tip2 = along2 - gp.rb2 * std::sin(gp.alphab);
                    const double tip1 = along1 - gp.rb1 * std::sin(gp.alphab);
                    const double start1 = gp.rb1 * std::sin(gp.alphab) -
                                          std::sqrt(std::max(0.0, rj1 * rj1 - gp.rg1 * gp.rg1));
                    const double start2 = gp.rb2 * std::sin(gp.alphab) -
                                          std::sqrt(std::max(0.0, rj2 * rj2 - gp.rg2 * gp.rg2));
                    // Clearly, on both sides: the ends below carry the close calls.
                    if (tip2 < start1 - 0.05 && tip1 < start2 - 0.05) {
                        keepWorst(w.limits, std::fabs(gp.limit1 + gp.limit2 -
                                                      (along1 + along2 - line)));
                    }
                    // Elsewhere each end, along the line of action.
                    keepWorst(w.ends, std::fabs(gp.limit1 - std::min(tip2, start1)));
                    keepWorst(w.ends, std::fabs(gp.limit2 - std::min(tip1, start2)));
                    // The report's sliding line of the shifted pair, and once for each
                    // z1, z2 of the standard pair.
                    auto junction = [&](int z, double x) {
                        const auto found = junctions.find({z, x});
                        return found != junctions.end()
                                   ? found->second
                                   : junctionRadius(z / 2.0, z / 2.0 - 1.25 + x, z / 2.0 + 1 + x);
                    };
                    for (int standard = 0; standard < 2; ++standard) {
                        if (standard == 1 && !standardsChecked.insert({z1, z2}).second) {
                            continue;
                        }
                        const double s1 = standard ? 0.0 : x1, s2 = standard ? 0.0 : x2;
                        const ContactPath path =
                            standard ? standardContactPath() : shiftedContactPath();
                        char reported[96];
                        std::snprintf(reported, sizeof reported, "%.3f %.3f %.4f",
                                      rootSliding(path, 1), rootSliding(path, 2),
                                      singlePairLength(path));
                        const std::string reference = referenceSliding(
                            z1, z2, standard ? ALPHA : gp.alphab, standard ? z1 / 2.0 : gp.rb1,
                            standard ? z2 / 2.0 : gp.rb2, s1, s2, junction(z1, s1),
                            junction(z2, s2));
                        if (reference != reported && w.sliding++ < 5) {
                            std::printf("sliding of %s%s: %s, the rack cuts %s\n", current.c_str(),
                                        standard ? " (standard)" : "", reported,
                                        reference.c_str());
                        }
                    }
                    // Black dots that may end the path, N, T, U: on the line, at their distance.
                    for (auto [p, s] : {std::pair{gp.N1, -gp.distN1}, {gp.T2, -gp.distT2},
                                        {gp.U1, -gp.distU1}, {gp.N2, gp.distN2}, {gp.T1, gp.distT1},
                                        {gp.U2, gp.distU2}}) {
                        keepWorst(w.dots, std::hypot(p.x + s * std::cos(gp.alphab),
                                                     p.y - s * std::sin(gp.alphab)));
                    }
                    // Tip entries, but of a pointed tip, or where the clearance is warned of.
                    for (int t = 0; t < 2 && tipClearance(1) > 0 && tipClearance(2) > 0; ++t) {
                        const CutTooth& a = cut[t == 0 ? std::pair{z1, x1} : std::pair{z2, x2}];
                        const double reference = referenceEntry(
                            a, cut[t == 0 ? std::pair{z2, x2} : std::pair{z1, x1}],
                            t == 0 ? gp.rb1 : gp.rb2, t == 0 ? gp.rb2 : gp.rb1);
                        const double depth = tipInterference(t + 1);
                        if (2 * polar(a.flank.back()) < a.thickness) {
                            w.told += depth > INTERFERENCE_LIMIT;
                            w.wrong += depth > INTERFERENCE_LIMIT ? reference < 0.003
                                                                  : reference > 0.007;
                            keepWorst(w.entry, std::fabs(depth - reference));
                        }
                    }
                    // Meshing pictures, on a smaller grid, and not for a pointed tooth.
                    auto in = [](const auto& list, auto v) {
                        return std::find(std::begin(list), std::end(list), v) != std::end(list);
                    };
                    const bool meshed = in(meshTeeth, z1) && in(meshTeeth, z2) &&
                                        in(meshShifts, x1) && in(meshShifts, x2);
                    if (meshed && !toothIsPointed(z1, x1, gp.profile1, gp.count1) &&
                        !toothIsPointed(z2, x2, gp.profile2, gp.count2)) {
                        checkMesh(true, w);
                        if (x1 == 0.0 && x2 == 0.0) {
                            checkMesh(false, w);
                        }
                    }
                }
            }
        }
    }
    std::printf("refused for want of a phase %d; pairs %d: vertex %.4g segment %.4g "
                "thickness %.4g rcut %.4g below root %.4g limits %.4g ends %.4g contact %.4g "
                "overlap %.4g (interference %.4g) phase/pitch %.4g\n",
                w.phaseRefused, pairs, w.vertex, w.segment, w.thickness, w.rcut, w.belowRoot,
                w.limits, w.ends, w.contact, w.overlap, w.interference, w.phase);
    std::printf("end dots off %.4g; tips told %d, %d told or not told against the reference, "
                "off by %.4g\n", w.dots, w.told, w.wrong, w.entry);
    for (const auto& [figure, pair] : worstAt) {
        std::printf("  %.4g at %s\n", *figure, pair.c_str());
    }
    EXPECT_GT(pairs, 5000);
    EXPECT_LT(w.vertex, 0.005);
    EXPECT_LT(w.segment, 0.01);
    EXPECT_LT(w.thickness, 1e-3);
    EXPECT_LT(w.rcut, 0.01);
    EXPECT_LE(w.belowRoot, 1e-9);
    EXPECT_LT(w.limits, 1e-3);
    EXPECT_LT(w.ends, 0.005);
    EXPECT_LT(w.contact, 0.005);
    EXPECT_LT(w.overlap, 0.005);
    EXPECT_LT(w.phase, 1.0);
    EXPECT_EQ(w.phaseRefused, 0);
    EXPECT_LT(w.dots, 1e-9);
    EXPECT_GT(w.told, 20);
    EXPECT_EQ(w.wrong, 0);
    EXPECT_LT(w.entry, 0.002);
    EXPECT_EQ(w.sliding, 0);
}

}  // namespace
