// test_round_primitives.cpp -- discs, circles, dash-dot and dashed circles and
// ellipses, read back from the recorded GL calls.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "draw/round_primitives.h"
#include "recorder/gl_recorder.h"

namespace {

using glrec::Fn;

constexpr double TIGHT = 1e-12;
constexpr double TRUE_PI = 3.14159265358979323846;

std::vector<Vec2> vertices()
{
    std::vector<Vec2> out;
    for (const glrec::Call& c : glrec::callsOf(Fn::Vertex2d)) {
        out.push_back(Vec2{c.a[0], c.a[1]});
    }
    return out;
}

// Degrees of the kit's angle steps, which use KIT_PI rather than pi.
double kitDegrees(double degrees)
{
    return degrees * KIT_PI / TRUE_PI;
}

double polarDegrees(const Vec2& v)
{
    return std::atan2(v.y, v.x) * 180.0 / TRUE_PI;
}

// Vertex counts of the glBegin/glEnd batches, in order.
std::vector<int> batchSizes()
{
    std::vector<int> out;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const Fn fn = glrec::at(i).fn;
        if (fn == Fn::Begin) {
            out.push_back(0);
        } else if (fn == Fn::Vertex2d) {
            ++out.back();
        }
    }
    return out;
}

class RoundTest : public ::testing::Test {
protected:
    void SetUp() override { glrec::reset(); }
};

// [SECTION] Disc and circle

TEST_F(RoundTest, CircleIsA120GonSentAsOverlappingPairs)
{
    drawCircle(ORIGIN, 1.0, GREEN);
    EXPECT_EQ(glrec::callsOf(Fn::Begin).at(0).a[0], GL_LINE_LOOP);
    const std::vector<Vec2> vs = vertices();
    ASSERT_EQ(vs.size(), 238U);
    EXPECT_EQ(vs[0].x, 1.0);
    EXPECT_EQ(vs[0].y, 0.0);
    const double step = 2.0 * KIT_PI / 120.0;
    EXPECT_NEAR(vs[1].x, std::cos(step), TIGHT);
    EXPECT_NEAR(vs[1].y, std::sin(step), TIGHT);
    EXPECT_NEAR(polarDegrees(vs[1]), kitDegrees(3.0), 1e-9);
    for (std::size_t i = 1; i + 1 < vs.size(); i += 2) {
        EXPECT_EQ(vs[i].x, vs[i + 1].x) << i;
        EXPECT_EQ(vs[i].y, vs[i + 1].y) << i;
    }
    EXPECT_NEAR(polarDegrees(vs[236]) + 360.0, kitDegrees(354.0), 1e-9);
    EXPECT_NEAR(polarDegrees(vs[237]) + 360.0, kitDegrees(357.0), 1e-9);
}

TEST_F(RoundTest, DiscIsA120GonPolygonStartingOnPlusX)
{
    drawDisc(Vec2{0.3, -0.1}, 0.5, BLACK);
    EXPECT_EQ(glrec::callsOf(Fn::Begin).at(0).a[0], GL_POLYGON);
    const glrec::Call t = glrec::callsOf(Fn::Translated).at(0);
    EXPECT_NEAR(t.a[0], 0.3, TIGHT);
    EXPECT_NEAR(t.a[1], -0.1, TIGHT);
    const std::vector<Vec2> vs = vertices();
    ASSERT_EQ(vs.size(), 120U);
    EXPECT_EQ(vs[0].x, 0.5);
    EXPECT_EQ(vs[0].y, 0.0);
    EXPECT_GT(vs[1].y, 0.0);  // counter-clockwise
    for (const Vec2& v : vs) {
        EXPECT_NEAR(std::hypot(v.x, v.y), 0.5, TIGHT);
    }
}

TEST_F(RoundTest, ScaledRoundPrimitivesMultiplyCentreAndRadiusByTheZoom)
{
    drawScaledCircle(0.2, Vec2{0.0, -10.0}, 5.0, YELLOW);
    glrec::Call t = glrec::callsOf(Fn::Translated).at(0);
    EXPECT_NEAR(t.a[0], 0.0, TIGHT);
    EXPECT_NEAR(t.a[1], -2.0, TIGHT);
    EXPECT_NEAR(vertices().at(0).x, 1.0, TIGHT);

    glrec::reset();
    drawScaledDisc(0.2, Vec2{1.0, 2.0}, 0.1, BLACK);
    t = glrec::callsOf(Fn::Translated).at(0);
    EXPECT_NEAR(t.a[0], 0.2, TIGHT);
    EXPECT_NEAR(t.a[1], 0.4, TIGHT);
    EXPECT_NEAR(vertices().at(0).x, 0.02, TIGHT);
}

// [SECTION] Dash-dot circle

struct PatternCase {
    double r;
    int groups;
    int dashChords;
    int dotChords;
};

class DashDotCircleCounts : public ::testing::TestWithParam<PatternCase> {
protected:
    void SetUp() override { glrec::reset(); }
};

TEST_P(DashDotCircleCounts, GroupsDashesAndDotsFollowTheRadius)
{
    const PatternCase c = GetParam();
    drawDashDotCircle(ORIGIN, c.r, BLUE);

    const std::vector<glrec::Call> turns = glrec::callsOf(Fn::Rotated);
    ASSERT_EQ(turns.size(), static_cast<std::size_t>(c.groups));
    EXPECT_NEAR(turns[0].a[0], 2.0 * KIT_PI / c.groups * RAD_TO_DEG, TIGHT);
    EXPECT_EQ(glrec::count(Fn::Vertex2d), 2LL * c.groups * (c.dashChords + c.dotChords));
    const std::vector<int> sizes = batchSizes();
    ASSERT_EQ(sizes.size(), 2U * c.groups);
    for (std::size_t i = 0; i < sizes.size(); i += 2) {
        EXPECT_EQ(sizes[i], 2 * c.dashChords) << "group " << i / 2;
        EXPECT_EQ(sizes[i + 1], 2 * c.dotChords) << "group " << i / 2;
    }
    // Every group is sent in its own turned frame: a rotation before each dash.
    for (std::size_t i = 0; i + 1 < glrec::size(); ++i) {
        if (glrec::at(i).fn == Fn::Rotated) {
            EXPECT_EQ(glrec::at(i + 1).fn, Fn::Begin) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Radii, DashDotCircleCounts,
                         ::testing::Values(PatternCase{0.1, 6, 9, 2}, PatternCase{0.2, 6, 9, 2},
                                           PatternCase{0.5, 15, 22, 5},
                                           PatternCase{-0.5, 15, 22, 5},
                                           PatternCase{1.0, 31, 45, 10},
                                           PatternCase{2.0, 62, 90, 20}));

TEST_F(RoundTest, DashDotCircleFirstGroupIsTurnedBySixtyDegrees)
{
    drawDashDotCircle(ORIGIN, 0.1, BLUE);
    const double firstTurn = glrec::callsOf(Fn::Rotated).at(0).a[0];
    EXPECT_NEAR(firstTurn, 60.0, 1e-6);

    const std::vector<Vec2> vs = vertices();
    // Dash: 9 chords of 4 degrees from 0 to 36; dot: 2 chords from 44 to 52.
    EXPECT_EQ(vs[0].x, 0.1);
    EXPECT_EQ(vs[0].y, 0.0);
    for (int j = 1; j <= 9; ++j) {
        EXPECT_NEAR(polarDegrees(vs[2 * j - 1]), kitDegrees(4.0 * j), 1e-9) << j;
        EXPECT_NEAR(std::hypot(vs[2 * j - 1].x, vs[2 * j - 1].y), 0.1, TIGHT);
    }
    EXPECT_NEAR(polarDegrees(vs[18]), kitDegrees(44.0), 1e-9);
    EXPECT_NEAR(polarDegrees(vs[21]), kitDegrees(52.0), 1e-9);
    // In the window the first dot therefore runs from 104 to 112 degrees.
    EXPECT_NEAR(polarDegrees(vs[18]) + firstTurn, 104.0, 1e-6);
    EXPECT_NEAR(polarDegrees(vs[21]) + firstTurn, 112.0, 1e-6);
}

TEST_F(RoundTest, DashDotCircleOfNegativeRadiusPutsEveryVertexOpposite)
{
    drawDashDotCircle(Vec2{0.1, 0.1}, 0.5, BLUE);
    const std::vector<Vec2> positive = vertices();
    glrec::reset();
    drawDashDotCircle(Vec2{0.1, 0.1}, -0.5, BLUE);
    const std::vector<Vec2> negative = vertices();
    ASSERT_EQ(positive.size(), negative.size());
    for (std::size_t i = 0; i < positive.size(); ++i) {
        EXPECT_NEAR(negative[i].x, -positive[i].x, TIGHT) << i;
        EXPECT_NEAR(negative[i].y, -positive[i].y, TIGHT) << i;
    }
}

TEST_F(RoundTest, ScaledDashDotCircleFitsThePatternToTheRadiusOnScreen)
{
    drawScaledDashDotCircle(0.2, Vec2{0.0, -10.0}, 10.0, BLUE);
    EXPECT_EQ(glrec::count(Fn::Rotated), 62);
    const glrec::Call t = glrec::callsOf(Fn::Translated).at(0);
    EXPECT_NEAR(t.a[1], -2.0, TIGHT);
    EXPECT_NEAR(vertices().at(0).x, 2.0, TIGHT);
}

// [SECTION] Round primitives without callers

TEST_F(RoundTest, DashedCircleDrawsOneChainPerGroup)
{
    drawDashedCircle(ORIGIN, 0.1, BLACK);
    EXPECT_EQ(glrec::count(Fn::Rotated), 6);
    EXPECT_EQ(batchSizes(), std::vector<int>(6, 16));  // 8 chords each
    const std::vector<Vec2> vs = vertices();
    EXPECT_NEAR(polarDegrees(vs[15]), kitDegrees(48.0), 1e-9);  // 8 steps of 6 degrees

    glrec::reset();
    drawDashedCircle(ORIGIN, 0.5, BLACK);
    EXPECT_EQ(glrec::count(Fn::Rotated), 15);
    EXPECT_EQ(batchSizes(), std::vector<int>(15, 40));  // d = 20
}

TEST_F(RoundTest, FilledEllipseClosesOnItsFirstVertex)
{
    drawFilledEllipse(Vec2{0.1, 0.2}, 0.4, 0.2, TRUE_PI / 4.0, GREEN);
    EXPECT_EQ(glrec::callsOf(Fn::Begin).at(0).a[0], GL_POLYGON);
    EXPECT_NEAR(glrec::callsOf(Fn::Rotated).at(0).a[0], 45.0, 1e-7);
    const std::vector<Vec2> vs = vertices();
    ASSERT_EQ(vs.size(), 121U);
    EXPECT_NEAR(vs[0].x, 0.4, TIGHT);
    EXPECT_NEAR(vs[120].x, vs[0].x, 1e-9);
    EXPECT_NEAR(vs[120].y, vs[0].y, 1e-9);
    EXPECT_NEAR(vs[30].x, 0.0, 1e-9);  // a quarter turn on: the minor semi-axis
    EXPECT_NEAR(vs[30].y, 0.2, 1e-9);
    for (const Vec2& v : vs) {
        EXPECT_NEAR(v.x * v.x / 0.16 + v.y * v.y / 0.04, 1.0, 1e-9);
    }
}

TEST_F(RoundTest, EllipseOutlineChainsPairsFromTheMajorAxis)
{
    drawEllipseOutline(ORIGIN, 0.4, 0.2, 0.0, GREEN);
    EXPECT_EQ(glrec::callsOf(Fn::Begin).at(0).a[0], GL_LINE_LOOP);
    const std::vector<Vec2> vs = vertices();
    ASSERT_EQ(vs.size(), 242U);
    EXPECT_EQ(vs[0].x, 0.4);
    EXPECT_NEAR(vs[1].x, 0.4, TIGHT);
    for (std::size_t i = 1; i + 1 < vs.size(); i += 2) {
        EXPECT_EQ(vs[i].x, vs[i + 1].x) << i;
        EXPECT_EQ(vs[i].y, vs[i + 1].y) << i;
    }
}

}  // namespace
