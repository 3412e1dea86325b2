// The four views against the recording stand-in: legends, what is drawn over what,
// and the start-and-finish dot rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "app/keyboard.h"
#include "app/views.h"
#include "app/window.h"
#include "console/language.h"
#include "dialogue_script.h"
#include "gear_fixture.h"
#include "trace_reading.h"

namespace {

using glrec::Fn;

void drawView(char mode)
{
    // Another legend first, so that the view writes its own lines instead of
    // drawing them from the image an earlier frame left.
    beginFrame();
    drawText(0.0f, 0.0f, GLUT_BITMAP_HELVETICA_18, "-");
    endFrame();
    viewState.viewMode = mode;
    glrec::reset();
    displayViews();
}

std::vector<std::string> legendTexts()
{
    std::vector<std::string> texts;
    for (const TextLine& line : textLines()) {
        EXPECT_FLOAT_EQ(line.x, -0.9f);
        texts.push_back(line.text);
    }
    return texts;
}

bool isDot(const Disc& d) { return std::fabs(d.r - 0.01) < 1e-6; }

// Index of the glBegin of the draw that holds the crosshair's arm from x = -10.
long long crosshairDraw()
{
    long long begin = -1;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        begin = c.fn == Fn::Begin ? static_cast<long long>(i) : begin;
        if (c.fn == Fn::Vertex2d && std::fabs(c.a[0] + 10.0) < 1e-5) {
            return begin;
        }
    }
    return -1;
}

// Red vertices, and whether each lies on the ring between root and tip circle of
// one of the gears (centre and radii in modules, drawn at the view's zoom).
struct ToothRing {
    Vec2 centre;
    double root, tip;
};
long long redVerticesOffRings(std::initializer_list<ToothRing> rings, long long& red)
{
    long long off = 0;
    red = 0;
    Rgba colour = {-1, -1, -1, -1};
    const double s = viewState.scale;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        if (c.fn == Fn::Color4f) {
            colour = {static_cast<float>(c.a[0]), static_cast<float>(c.a[1]),
                      static_cast<float>(c.a[2]), static_cast<float>(c.a[3])};
        }
        if (c.fn != Fn::Vertex2d || !same(colour, RED)) {
            continue;
        }
        ++red;
        bool on = false;
        for (const ToothRing& g : rings) {
            const double r = std::hypot(c.a[0] - s * g.centre.x, c.a[1] - s * g.centre.y) / s;
            on = on || (r > g.root - 1e-4 && r < g.tip + 1e-4);
        }
        off += on ? 0 : 1;
    }
    return off;
}

std::vector<Disc> dots()
{
    std::vector<Disc> found;
    for (const Disc& d : discs()) {
        if (isDot(d)) found.push_back(d);
    }
    return found;
}

void expectAt(const Disc& d, const Vec2& p, const Rgba& colour)
{
    EXPECT_NEAR(d.x, viewState.scale * p.x, 1e-6);
    EXPECT_NEAR(d.y, viewState.scale * p.y, 1e-6);
    EXPECT_TRUE(same(d.colour, colour)) << d.colour.r << " " << d.colour.g << " " << d.colour.b;
}

TEST(Views, GearViewsLegendAndOrder)
{
    computePair(10, 30, 0.5, 0.0);
    const std::vector<std::string> lines = {"     green : base circle",
                                            "     black : undercut circle",
                                            "     purple: standard pitch circle",
                                            "     blue  : mesh pitch circle",
                                            "     yellow: bottom and tip circle"};
    drawView('1');
    std::vector<std::string> expected = {"(1) draw drive gear"};
    expected.insert(expected.end(), lines.begin(), lines.end());
    EXPECT_EQ(legendTexts(), expected);
    const std::vector<TextLine> placed = textLines();
    EXPECT_FLOAT_EQ(placed[0].y, 0.95f);
    EXPECT_FLOAT_EQ(placed[5].y, 0.7f);
    // Crosshair first, through gear 1's centre; then circles; the teeth last.
    const long long crosshair = crosshairDraw();
    ASSERT_GE(crosshair, 0);
    EXPECT_LT(crosshair, firstDrawnIn(GREEN));
    EXPECT_NEAR(glrec::at(static_cast<std::size_t>(crosshair) + 1).a[1],
                0.2 * gearPair.center1.y, 1e-6);
    EXPECT_GT(firstDrawnIn(RED), lastDrawnIn(BLUE));
    EXPECT_EQ(glrec::count(Fn::SwapBuffers), 1);
    // Copies of the outline, every point on the tooth ring.
    long long red = 0;
    const GearPairState& gp = gearPair;
    EXPECT_EQ(redVerticesOffRings({{gp.center1, gp.rf1, gp.ru1}}, red), 0);
    EXPECT_GT(red, 0);
    EXPECT_LE(red, 2LL * gp.z1 * gp.count1);

    drawView('2');
    expected[0] = "(2) draw driven gear";
    EXPECT_EQ(legendTexts(), expected);
    // Here the crosshair comes after the circles.
    EXPECT_GT(crosshairDraw(), firstDrawnIn(GREEN));
    EXPECT_EQ(redVerticesOffRings({{gp.center2, gp.rf2, gp.ru2}}, red), 0);
    EXPECT_GT(red, 0);
    EXPECT_LE(red, 2LL * gp.z2 * gp.count2);
}

TEST(Views, ShiftedMeshDrawsCirclesThenMarksThenTeeth)
{
    computePair(10, 30, 0.5, 0.0);
    const GearPairState& gp = gearPair;
    viewState.theta1 = -viewState.baseStep;
    viewState.theta1w = viewState.theta1;
    advanceMesh();
    viewState.scale = 0.06;  // both centres and every mark in the window
    drawView('3');
    const std::vector<std::string> expected = {
        "(3) draw gear mesh",
        "     circle : blue :mesh pitch cl,  green:base cl,  black:undercut cl",
        "     point  : blue :mesh pitch pnt, black:mesh start and finish pnt",
        "                 green:interference pnt, red:contact pnt",
        "     green line : path of contact",
        std::to_string(gp.contactCount)};  // after the count's Japanese, drawn as glyphs
    EXPECT_EQ(legendTexts(), expected);
    EXPECT_FLOAT_EQ(textLines()[0].y, 0.9f);

    const std::vector<Disc> marks = dots();
    ASSERT_GE(marks.size(), 4u);
    expectAt(marks[0], gp.N1, GREEN);
    expectAt(marks[1], gp.N2, GREEN);
    expectAt(marks[2], gp.PITCH_POINT, BLUE);
    // The circles, the centre marks among them, come before every mark.
    const std::vector<Disc> all = discs();
    EXPECT_FALSE(isDot(all[0]));
    EXPECT_LT(all[1].at, marks[0].at);
    EXPECT_LT(firstDrawnIn(GREEN), marks[0].at);
    // Contact dots after the green path of contact, teeth after every dot.
    const long long pathOfContact = lastDrawnIn(GREEN);
    EXPECT_GT(static_cast<long long>(marks.back().at), pathOfContact);
    EXPECT_GT(firstDrawnIn(RED), static_cast<long long>(marks.back().at));
    EXPECT_EQ(gp.contactCount,
              static_cast<int>(std::count_if(marks.begin(), marks.end(), [](const Disc& d) {
                  return same(d.colour, CONTACT_COLOUR);
              })) - 1);
    EXPECT_GE(gp.contactCount, 1);
    // Both gears' teeth about their centres in mesh, every point on its tooth ring.
    long long red = 0;
    EXPECT_EQ(redVerticesOffRings({{gp.center1, gp.rf1, gp.ru1}, {gp.center2, gp.rf2, gp.ru2}}, red),
              0);
    EXPECT_GT(red, 0);
    EXPECT_LE(red, 2LL * (gp.z1 * gp.count1 + gp.z2 * gp.count2));
    EXPECT_TRUE(glrec::allFinite());
}

TEST(Views, StandardMeshDrawsMarksBeforeCircles)
{
    computePair(10, 30, 0.5, 0.0);
    const GearPairState& gp = gearPair;
    drawView('4');
    const std::vector<std::string> expected = {
        "(4) draw standard gear mesh",
        "     circle : blue :pitch cl,  green:base cl,  black:undercut cl",
        "     point  : blue :pitch pnt, black:mesh start and finish pnt",
        "                 green:interference pnt, red:contact pnt",
        "     green line : path of contact",
        std::to_string(gp.stdContactCount)};
    EXPECT_EQ(legendTexts(), expected);
    const std::vector<Disc> all = discs();
    ASSERT_GE(all.size(), 3u);
    // The crosshair first, then the marks of the standard pair, before any circle.
    EXPECT_LT(crosshairDraw(), static_cast<long long>(all[0].at));
    expectAt(all[0], gp.stdN1, GREEN);
    expectAt(all[1], gp.stdN2, GREEN);
    expectAt(all[2], gp.PITCH_POINT, BLUE);
    const long long pathOfContact = firstDrawnIn(GREEN, all[2].at + 1);
    const glrec::Call& from = glrec::at(static_cast<std::size_t>(pathOfContact) + 1);
    EXPECT_NEAR(from.a[0], viewState.scale * gp.stdN1.x, 1e-6);
    // The base circle of standard gear 1 comes after the path of contact.
    EXPECT_GT(firstDrawnIn(GREEN, static_cast<std::size_t>(pathOfContact) + 1), pathOfContact);
    EXPECT_GT(firstDrawnIn(RED), lastDrawnIn(CONTACT_COLOUR) - 1);
}

// View 5 counts, and marks with black dots, the contact points of views 3 and 4.
TEST(Views, ContactViewCountsTheDotsOfViewsThreeAndFour)
{
    computePair(10, 30, 0.5, 0.0);
    textLanguage = Language::ENGLISH;
    for (int step = 0; step < 2 * STEPS_PER_HALF_PITCH; step += 7) {
        viewState.theta1w = gearPair.pitchAngle1 + step * viewState.baseStep;
        drawView('3');
        drawView('4');
        drawView('5');
        std::vector<int> counted;
        for (const TextLine& line : textLines()) {
            int n = -1;
            if (std::sscanf(line.text.c_str(), "tooth pairs in contact: %d", &n) == 1) {
                counted.push_back(n);
            }
        }
        const std::vector<Disc> all = discs();
        EXPECT_EQ(counted, (std::vector<int>{gearPair.contactCount, gearPair.stdContactCount}));
        EXPECT_EQ(std::count_if(all.begin(), all.end(),
                                [](const Disc& d) { return isDot(d) && same(d.colour, BLACK); }),
                  gearPair.contactCount + gearPair.stdContactCount);
    }
    textLanguage = Language::JAPANESE;
}

// A frame is a few draws and state changes, whatever the pair, the view and the
// zoom: the runs of one colour and width are sent whole.
TEST(Views, AFrameIsAFewBatchesAtEveryZoom)
{
    const struct {
        int z1, z2;
        double x1, x2;
    } pairs[] = {{5, 5, 0, 0}, {10, 30, 0.5, 0}, {5, 200, 0.8, 0}, {45, 17, -0.5, -0.5},
                 {200, 200, 0, 0}, {200, 200, 3, 3}};
    // The start zoom, 30 'w', 30 and 60 'W', and the ends of the zoom's range.
    const double zooms[] = {1.0, std::pow(0.9, 30), std::pow(0.9, -30), std::pow(0.9, -60),
                            SCALE_MIN / START_SCALE, SCALE_MAX / START_SCALE};
    long long mostDraws = 0;
    long long mostSwitches = 0;
    for (const auto& p : pairs) {
        ASSERT_TRUE(computePair(p.z1, p.z2, p.x1, p.x2)) << p.z1 << "/" << p.z2;
        for (double zoom : zooms) {
            viewState.scale = START_SCALE * zoom;
            for (char view : {'1', '2', '3', '4'}) {
                if (view >= '3') {
                    advanceMesh();
                }
                drawView(view);
                const long long switches = glrec::count(Fn::Color4f) + glrec::count(Fn::LineWidth) +
                                           glrec::count(Fn::Enable) + glrec::count(Fn::Disable);
                mostDraws = std::max(mostDraws, glrec::count(Fn::Begin));
                mostSwitches = std::max(mostSwitches, switches);
                EXPECT_LE(glrec::count(Fn::Begin), 100) << p.z1 << "/" << p.z2 << " view " << view;
                EXPECT_LE(switches, 100) << p.z1 << "/" << p.z2 << " view " << view;
            }
        }
    }
    std::printf("most draws %lld, most state switches %lld in a frame\n", mostDraws, mostSwitches);
}

// A side whose smallest distance is shared gets no black dot; a strict minimum does.
TEST(Views, StartAndFinishDotsNeedAStrictMinimum)
{
    computePair(20, 20, 0.0, 0.0);
    GearPairState& gp = gearPair;
    auto blackDots = [] {
        int n = 0;
        for (const Disc& d : dots()) {
            if (same(d.colour, BLACK)) ++n;
        }
        return n;
    };
    gp.distU1 = 1.0; gp.distT2 = 1.0; gp.distN1 = 2.0;
    gp.distU2 = 3.0; gp.distT1 = 2.0; gp.distN2 = 4.0;
    drawView('3');
    EXPECT_EQ(blackDots(), 1);
    gp.distT2 = 0.5;
    drawView('3');
    EXPECT_EQ(blackDots(), 2);
    gp.distU2 = 2.0;
    drawView('3');
    EXPECT_EQ(blackDots(), 1);
    // A gear without undercut: U copies N and only the mating tip can be marked.
    gp.distU1 = gp.distN1 = 1.0; gp.distT2 = 1.5;
    drawView('3');
    EXPECT_EQ(blackDots(), 0);
}

}  // namespace

namespace {

// Whatever pair the dialogue accepts, no view hands GL a NaN or an infinity.
TEST(Views, AcceptedPairsReachGLOnlyWithFiniteNumbers)
{
    const char* inputs[] = {"5 5\n0 0\n",     "5 200\n0.8 0\n", "7 40\n0.6 -0.3\n",
                            "12 30\n0.5 0\n", "20 20\n-0.4 -0.4\n", "10 30\n1.2 0\n",
                            "200 200\n3 3\n", "33 17\n1e-12 0\n"};
    for (const char* input : inputs) {
        runDialogue(input, 'z');
        ASSERT_EQ(std::strtod(std::strchr(input, '\n') + 1, nullptr), gearPair.x1) << input;
        for (char view : {'1', '2', '3', '4'}) {
            drawView(view);
            EXPECT_TRUE(glrec::allFinite()) << input << " view " << view;
            EXPECT_FALSE(glrec::overflowed());
        }
    }
}

}  // namespace
