// The four views against the recording stand-in: legends, what is drawn over what,
// and the start-and-finish dot rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "app/views.h"
#include "dialogue_script.h"
#include "gear_fixture.h"
#include "trace_reading.h"

namespace {

using glrec::Fn;

void drawView(char mode)
{
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

bool isDot(const Disc& d) { return std::fabs(d.r - 0.01) < 1e-12; }

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
    EXPECT_NEAR(d.x, viewState.scale * p.x, 1e-12);
    EXPECT_NEAR(d.y, viewState.scale * p.y, 1e-12);
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
    const long long crosshairWidth = glrec::find(Fn::LineWidth);
    const long long firstCircle = firstDrawnIn(GREEN);
    ASSERT_GE(crosshairWidth, 0);
    EXPECT_LT(crosshairWidth, firstCircle);
    const glrec::Call& t = glrec::at(static_cast<std::size_t>(glrec::find(Fn::Translated)));
    EXPECT_EQ(t.a[0], 0.0);
    EXPECT_DOUBLE_EQ(t.a[1], 0.2 * gearPair.center1.y);
    EXPECT_GT(firstDrawnIn(RED), lastDrawnIn(BLUE));
    EXPECT_EQ(glrec::count(Fn::SwapBuffers), 1);
    // z1 copies of the outline, each count1 thick segments.
    EXPECT_EQ(glrec::count(Fn::LineWidth), 1 + 2LL * gearPair.z1 * gearPair.count1);
    EXPECT_EQ(glrec::count(Fn::PushMatrix), glrec::count(Fn::PopMatrix));

    drawView('2');
    expected[0] = "(2) draw driven gear";
    EXPECT_EQ(legendTexts(), expected);
    // Here the crosshair comes after the circles.
    EXPECT_GT(glrec::find(Fn::LineWidth), firstDrawnIn(GREEN));
    EXPECT_EQ(glrec::count(Fn::LineWidth), 1 + 2LL * gearPair.z2 * gearPair.count2);
    EXPECT_EQ(viewState.theta1, 0.0);
}

TEST(Views, ShiftedMeshDrawsCirclesThenMarksThenTeeth)
{
    computePair(10, 30, 0.5, 0.0);
    const GearPairState& gp = gearPair;
    viewState.theta1 = -viewState.baseStep;
    viewState.theta1w = viewState.theta1;
    advanceMesh();
    drawView('3');
    const std::vector<std::string> expected = {
        "(3) draw gear mesh",
        "     circle : blue :mesh pitch cl,  green:base cl,  black:undercut cl",
        "     point  : blue :mesh pitch pnt, black:mesh start and finish pnt",
        "                 green:interference pnt, red:contact pnt",
        "     green line : path of contact"};
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
    // First picture after the view key: theta1 0, theta1w one pitch.
    EXPECT_EQ(viewState.theta1, 0.0);
    EXPECT_EQ(viewState.theta1w, gp.pitchAngle1);
    // The teeth of gear 1 are placed at its centre and turned by theta1w + phase1.
    const long long place = glrec::find(Fn::Translated, marks.back().at);
    ASSERT_GE(place, 0);
    const glrec::Call& turn = glrec::at(static_cast<std::size_t>(place) + 1);
    ASSERT_EQ(turn.fn, Fn::Rotated);
    EXPECT_DOUBLE_EQ(turn.a[0], (gp.pitchAngle1 + gp.phase1) * RAD_TO_DEG);
    EXPECT_DOUBLE_EQ(glrec::at(static_cast<std::size_t>(place)).a[1], 0.2 * gp.center1.y);
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
        "     green line : path of contact"};
    EXPECT_EQ(legendTexts(), expected);
    const std::vector<Disc> all = discs();
    ASSERT_GE(all.size(), 3u);
    // The crosshair first, then the marks of the standard pair, before any circle.
    EXPECT_LT(glrec::find(Fn::LineWidth), static_cast<long long>(all[0].at));
    expectAt(all[0], gp.stdN1, GREEN);
    expectAt(all[1], gp.stdN2, GREEN);
    expectAt(all[2], gp.PITCH_POINT, BLUE);
    const long long pathOfContact = firstDrawnIn(GREEN, all[2].at + 1);
    const glrec::Call& from = glrec::at(static_cast<std::size_t>(pathOfContact) + 1);
    EXPECT_NEAR(from.a[0], viewState.scale * gp.stdN1.x, 1e-12);
    // The base circle of standard gear 1 comes after the path of contact.
    EXPECT_GT(firstDrawnIn(GREEN, static_cast<std::size_t>(pathOfContact) + 1), pathOfContact);
    EXPECT_GT(firstDrawnIn(RED), lastDrawnIn(CONTACT_COLOUR) - 1);
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
