// views.cpp -- composes the frame of the selected view (view 5 is laid out in
// contact_view.cpp).
//
// The pitch point is the model origin and the window centre at every zoom; gear 1
// is centred below it, gear 2 above. The order of drawing decides what covers
// what (depth testing is never on): in view 3 the circles go under the marks, in
// view 4 over them, and in both the teeth are drawn last, over every dot.
#include "app/views.h"

#include <GL/freeglut.h>

#include <cassert>

#include "app/contact_view.h"
#include "app/keyboard.h"
#include "app/window.h"
#include "draw/gear_render.h"
#include "draw/round_primitives.h"
#include "gear/line_of_action.h"

// NOTE: not red: the teeth are red and drawn over the dots, which would then
// vanish into the flanks they sit on.
const Rgba CONTACT_COLOUR = {0.0f, 0.0f, 1.0f, 0.0f};

static constexpr double DOT_RADIUS = 0.01;

// Every legend is five lines at the same heights (window units) from LEGEND_X;
// the single-gear views put their heading above them, the mesh views count the
// pairs of teeth in contact on a line of their own below. The larger font of the
// high-contrast display takes rows of 28 pixels instead of 20.
static constexpr int LEGEND_LINE_COUNT = 5;
static constexpr float LEGEND_X = -0.9f;
struct LegendRows {
    float headingY;
    float ys[LEGEND_LINE_COUNT];
    float countY;
};
static const LegendRows LEGEND_ROWS[2] = {
    {0.95f, {0.9f, 0.85f, 0.8f, 0.75f, 0.7f}, 0.65f},
    {0.94f, {0.87f, 0.8f, 0.73f, 0.66f, 0.59f}, 0.52f},
};

static const LegendRows& legendRows()
{
    return LEGEND_ROWS[highContrast ? 1 : 0];
}

static void legend(const char* const* lines)
{
    for (int i = 0; i < LEGEND_LINE_COUNT; ++i) {
        drawText(LEGEND_X, legendRows().ys[i], GLUT_BITMAP_HELVETICA_18, lines[i]);
    }
}

// A marker whose radius is DOT_RADIUS window units at any zoom.
static void dot(const Vec2& p, const Rgba& colour)
{
    const double s = viewState.scale;
    drawScaledDisc(s, p, DOT_RADIUS / s, colour);
}

static const char* const GEAR_LEGEND_LINES[LEGEND_LINE_COUNT] = {
    "     green : base circle",
    "     black : undercut circle",
    "     purple: standard pitch circle",
    "     blue  : mesh pitch circle",
    "     yellow: bottom and tip circle",
};

static void drawGearLegend(const char* heading)
{
    drawText(LEGEND_X, legendRows().headingY, GLUT_BITMAP_HELVETICA_18, heading);
    legend(GEAR_LEGEND_LINES);
}

static const char* const MESH_LEGEND_LINES[LEGEND_LINE_COUNT] = {
    "(3) draw gear mesh",
    "     circle : blue :mesh pitch cl,  green:base cl,  black:undercut cl",
    "     point  : blue :mesh pitch pnt, black:mesh start and finish pnt",
    "                 green:interference pnt, red:contact pnt",
    "     green line : path of contact",
};
static const char* const STD_MESH_LEGEND_LINES[LEGEND_LINE_COUNT] = {
    "(4) draw standard gear mesh",
    "     circle : blue :pitch cl,  green:base cl,  black:undercut cl",
    "     point  : blue :pitch pnt, black:mesh start and finish pnt",
    "                 green:interference pnt, red:contact pnt",
    "     green line : path of contact",
};

void advanceMesh()
{
    ViewState& v = viewState;
    const GearPairState& gp = gearPair;
    v.theta1w = v.theta1w + v.step;
    v.theta1 = v.theta1 + v.step;
    v.theta2 = gp.ratio * v.theta1;
    const double pitch = gp.pitchAngle1;
    double w = v.theta1w;
    if (w > pitch) {
        w = w - pitch;
    }
    while (w < pitch) {
        w = w + pitch;
    }
    // NOTE: an angle a hair short of one pitch can round up to two on the way
    // back; two pitches are one pitch, and the subtraction is exact.
    while (w >= 2.0 * pitch) {
        w = w - pitch;
    }
    v.theta1w = w;
    v.theta2w = gp.ratio * v.theta1w;
    assert(v.theta1w >= gp.pitchAngle1 && v.theta1w < 2.0 * gp.pitchAngle1 &&
           "one step folds the angle into one pitch");
}

// Black dot at the start or finish of contact on one side of the pitch point: at
// the own gear's undercut point U, the mating gear's tip point T or the
// interference point N, whichever is strictly nearer than both others; a tie
// marks nothing.
static void markContactEnd(const Vec2& u, double du, const Vec2& t, double dt, const Vec2& n,
                           double dn)
{
    if (du < dn && du < dt) {
        dot(u, BLACK);
    }
    if (dt < du && dt < dn) {
        dot(t, BLACK);
    }
    if (dn < du && dn < dt) {
        dot(n, BLACK);
    }
}

static void drawDriveGearView()
{
    const GearPairState& gp = gearPair;
    const double scale = viewState.scale;
    drawGearLegend("(1) draw drive gear");
    drawCrosshair(Vec2{gp.center1.x, scale * gp.center1.y}, 0);
    drawGearCircles(gp.center1, 0, gp.rg1, gp.rf1, gp.rcut1, gp.r01, gp.rb1, gp.ru1);
    drawGearTeeth(scale, 0, gp.z1, gp.center1, gp.count1, gp.profile1.p, RED);
}

static void drawDrivenGearView()
{
    const GearPairState& gp = gearPair;
    const double scale = viewState.scale;
    drawGearLegend("(2) draw driven gear");
    drawGearCircles(gp.center2, 0, gp.rg2, gp.rf2, gp.rcut2, gp.r02, gp.rb2, gp.ru2);
    drawCrosshair(Vec2{gp.center2.x, scale * gp.center2.y}, 0);
    drawGearTeeth(scale, 0, gp.z2, gp.center2, gp.count2, gp.profile2.p, RED);
}

static void drawShiftedMeshView()
{
    GearPairState& gp = gearPair;
    const ViewState& v = viewState;
    legend(MESH_LEGEND_LINES);
    drawGearCircles(gp.center1, v.theta1, gp.rg1, 0, gp.rcut1, 0, gp.rb1, gp.ru1);
    drawGearCircles(gp.center2, -v.theta2, gp.rg2, 0, gp.rcut2, 0, gp.rb2, gp.ru2);
    drawCrosshair(ORIGIN, 0);
    dot(gp.N1, GREEN);
    dot(gp.N2, GREEN);
    dot(gp.PITCH_POINT, BLUE);
    markContactEnd(gp.U1, gp.distU1, gp.T2, gp.distT2, gp.N1, gp.distN1);
    markContactEnd(gp.U2, gp.distU2, gp.T1, gp.distT1, gp.N2, gp.distN2);
    drawScaledLine(v.scale, gp.N1, gp.N2, GREEN);
    gp.contactCount = findContactPoints(gp.alphab, gp.limit1, gp.limit2, v.theta1w, gp.contacts);
    assert(gp.contactCount >= 0 && gp.contactCount <= CONTACT_CAPACITY &&
           "contact points overflow their buffer");
    for (int i = 0; i < gp.contactCount; ++i) {
        dot(gp.contacts[i], CONTACT_COLOUR);
    }
    drawContactCount(LEGEND_X, legendRows().countY, gp.contactCount);
    drawGearTeeth(v.scale, v.theta1w + gp.phase1, gp.z1, gp.center1, gp.count1, gp.profile1.p,
                  RED);
    drawGearTeeth(v.scale, (PI - v.theta2w) + gp.phase2, gp.z2, gp.center2, gp.count2,
                  gp.profile2.p, RED);
}

static void drawStandardMeshView()
{
    GearPairState& gp = gearPair;
    const ViewState& v = viewState;
    legend(STD_MESH_LEGEND_LINES);
    drawCrosshair(ORIGIN, 0);
    dot(gp.stdN1, GREEN);
    dot(gp.stdN2, GREEN);
    dot(gp.PITCH_POINT, BLUE);
    markContactEnd(gp.stdU1, gp.stdDistU1, gp.stdT2, gp.stdDistT2, gp.stdN1, gp.stdDistN1);
    markContactEnd(gp.stdU2, gp.stdDistU2, gp.stdT1, gp.stdDistT1, gp.stdN2, gp.stdDistN2);
    drawScaledLine(v.scale, gp.stdN1, gp.stdN2, GREEN);
    drawGearCircles(gp.stdCenter1, v.theta1, gp.rg1, 0, gp.rcut01, 0, gp.r01, gp.ru01);
    drawGearCircles(gp.stdCenter2, -v.theta2, gp.rg2, 0, gp.rcut02, 0, gp.r02, gp.ru02);
    gp.stdContactCount =
        findContactPoints(gp.alpha0, gp.stdLimit1, gp.stdLimit2, v.theta1w, gp.stdContacts);
    assert(gp.stdContactCount >= 0 && gp.stdContactCount <= CONTACT_CAPACITY &&
           "contact points overflow their buffer");
    for (int i = 0; i < gp.stdContactCount; ++i) {
        dot(gp.stdContacts[i], CONTACT_COLOUR);
    }
    drawContactCount(LEGEND_X, legendRows().countY, gp.stdContactCount);
    drawGearTeeth(v.scale, v.theta1w, gp.z1, gp.stdCenter1, gp.stdCount1, gp.stdProfile1.p, RED);
    drawGearTeeth(v.scale, PI - v.theta2w, gp.z2, gp.stdCenter2, gp.stdCount2, gp.stdProfile2.p,
                  RED);
}

void displayViews()
{
    // NOTE: a web page shows its window before the first pair is accepted, and
    // until then the record holds no gear to draw.
    if (gearPair.z1 == 0) {
        beginFrame();
        endFrame();
        return;
    }
    // The dash-dot figures are bounded for this range only.
    assert(viewState.scale >= SCALE_MIN && viewState.scale <= SCALE_MAX && "zoom out of its range");
    beginFrame();
    const char mode = viewState.viewMode;
    if (mode == '1') {
        drawDriveGearView();
    }
    if (mode == '2') {
        drawDrivenGearView();
    }
    if (mode == '3') {
        drawShiftedMeshView();
    }
    if (mode == '4') {
        drawStandardMeshView();
    }
    if (mode == '5') {
        drawContactView();
    }
    endFrame();
}
