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

Vec2 vertex(std::size_t i)
{
    const glrec::Call c = glrec::callsOf(Fn::Vertex2d).at(i);
    return Vec2{c.a[0], c.a[1]};
}

// Polar angle of a vertex, in degrees of the kit's steps (which use KIT_PI), in [0, 360).
double kitDegrees(std::size_t i)
{
    const double d = std::atan2(vertex(i).y, vertex(i).x) * 180.0 / KIT_PI;
    return d < 0.0 ? d + 360.0 * TRUE_PI / KIT_PI : d;
}

// Vertex counts of the glBegin/glEnd batches, in order.
std::vector<int> batchSizes()
{
    std::vector<int> out;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        if (glrec::at(i).fn == Fn::Begin) {
            out.push_back(0);
        } else if (glrec::at(i).fn == Fn::Vertex2d) {
            ++out.back();
        }
    }
    return out;
}

class RoundTest : public ::testing::Test {
protected:
    void SetUp() override { glrec::reset(); }
};

TEST_F(RoundTest, CircleAndDiscAre120GonsStartingOnPlusX)
{
    drawCircle(ORIGIN, 1.0, GREEN);
    ASSERT_EQ(batchSizes(), std::vector<int>{238});  // P0 P1, P1 P2, ... P118 P119
    EXPECT_EQ(glrec::callsOf(Fn::Begin)[0].a[0], GL_LINE_LOOP);
    EXPECT_TRUE(vertex(0).x == 1.0 && vertex(0).y == 0.0);
    EXPECT_NEAR(kitDegrees(1), 3.0, 1e-9);
    for (std::size_t i = 1; i + 1 < 238; i += 2) {
        EXPECT_TRUE(vertex(i).x == vertex(i + 1).x && vertex(i).y == vertex(i + 1).y) << i;
    }
    EXPECT_NEAR(kitDegrees(236), 354.0, 1e-9);
    EXPECT_NEAR(kitDegrees(237), 357.0, 1e-9);

    glrec::reset();
    drawScaledDisc(0.2, Vec2{1.0, 2.0}, 2.5, BLACK);      // radius 0.5 about (0.2, 0.4)
    drawScaledCircle(0.2, Vec2{0.0, -10.0}, 5.0, YELLOW);  // radius 1 about (0, -2)
    EXPECT_EQ(batchSizes(), (std::vector<int>{120, 238}));
    EXPECT_EQ(glrec::callsOf(Fn::Begin)[0].a[0], GL_POLYGON);
    EXPECT_NEAR(glrec::callsOf(Fn::Translated)[0].a[1], 0.4, TIGHT);
    EXPECT_NEAR(glrec::callsOf(Fn::Translated)[1].a[1], -2.0, TIGHT);
    EXPECT_EQ(vertex(0).x, 0.5);
    EXPECT_NEAR(kitDegrees(1), 3.0, 1e-9);  // counter-clockwise
    EXPECT_NEAR(vertex(120).x, 1.0, TIGHT);
}

struct Pattern {
    double r;
    int groups;
    int dash;
    int dot;
};

class DashDotCircleCounts : public ::testing::TestWithParam<Pattern> {};

TEST_P(DashDotCircleCounts, FollowTheRadius)
{
    const Pattern p = GetParam();
    glrec::reset();
    drawDashDotCircle(ORIGIN, p.r, BLUE);
    std::vector<int> expected;
    for (int k = 0; k < p.groups; ++k) {
        expected.push_back(2 * p.dash);
        expected.push_back(2 * p.dot);
    }
    EXPECT_EQ(batchSizes(), expected);
    ASSERT_EQ(glrec::count(Fn::Rotated), p.groups);
    EXPECT_NEAR(glrec::callsOf(Fn::Rotated)[0].a[0], 2.0 * KIT_PI / p.groups * RAD_TO_DEG, TIGHT);
    for (std::size_t i = 0; i + 1 < glrec::size(); ++i) {  // each group in a frame turned further
        EXPECT_TRUE(glrec::at(i).fn != Fn::Rotated || glrec::at(i + 1).fn == Fn::Begin) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Radii, DashDotCircleCounts,
                         ::testing::Values(Pattern{0.1, 6, 9, 2}, Pattern{0.2, 6, 9, 2},
                                           Pattern{0.5, 15, 22, 5}, Pattern{-0.5, 15, 22, 5},
                                           Pattern{2.0, 62, 90, 20}));

TEST_F(RoundTest, DashDotCircleGroupIsADashThenADotAndANegativeRadiusIsOpposite)
{
    drawDashDotCircle(ORIGIN, 0.1, BLUE);
    const double firstTurn = glrec::callsOf(Fn::Rotated).at(0).a[0];
    EXPECT_NEAR(firstTurn, 60.0, 1e-6);
    // Dash: 9 chords of 4 degrees from 0 to 36; dot: 2 chords from 44 to 52,
    // which the first turn puts at 104 to 112 in the window.
    EXPECT_EQ(vertex(0).x, 0.1);
    for (std::size_t j = 1; j <= 9; ++j) {
        EXPECT_NEAR(kitDegrees(2 * j - 1), 4.0 * j, 1e-9) << j;
    }
    EXPECT_NEAR(kitDegrees(18), 44.0, 1e-9);
    EXPECT_NEAR(kitDegrees(21), 52.0, 1e-9);
    EXPECT_NEAR(kitDegrees(18) * KIT_PI / TRUE_PI + firstTurn, 104.0, 1e-6);

    glrec::reset();
    drawScaledDashDotCircle(0.2, Vec2{0.5, 0.5}, 2.5, BLUE);  // radius 0.5 about (0.1, 0.1)
    drawDashDotCircle(Vec2{0.1, 0.1}, -0.5, BLUE);
    const std::vector<glrec::Call> vs = glrec::callsOf(Fn::Vertex2d);
    ASSERT_EQ(vs.size(), 2U * 2 * 15 * 27);
    for (std::size_t i = 0; i < vs.size() / 2; ++i) {
        EXPECT_NEAR(vs[vs.size() / 2 + i].a[0], -vs[i].a[0], TIGHT) << i;
        EXPECT_NEAR(vs[vs.size() / 2 + i].a[1], -vs[i].a[1], TIGHT) << i;
    }
}

TEST_F(RoundTest, DashedCircleAndEllipsesFollowTheirOwnRules)
{
    drawDashedCircle(ORIGIN, 0.1, BLACK);  // 6 groups of 8 chords of 6 degrees
    EXPECT_EQ(batchSizes(), std::vector<int>(6, 16));
    EXPECT_NEAR(kitDegrees(15), 48.0, 1e-9);
    glrec::reset();
    drawDashedCircle(ORIGIN, 0.5, BLACK);
    drawFilledEllipse(Vec2{0.1, 0.2}, 0.4, 0.2, TRUE_PI / 4.0, GREEN);
    drawEllipseOutline(ORIGIN, 0.4, 0.2, 0.0, GREEN);
    std::vector<int> sizes(15, 40);
    sizes.push_back(121);
    sizes.push_back(242);
    EXPECT_EQ(batchSizes(), sizes);
    EXPECT_NEAR(glrec::callsOf(Fn::Rotated).at(15).a[0], 45.0, 1e-7);
    const std::size_t e = 600;  // the filled ellipse's first vertex
    EXPECT_NEAR(vertex(e + 120).x, vertex(e).x, 1e-9);
    EXPECT_NEAR(vertex(e + 30).y, 0.2, 1e-9);  // a quarter turn on: the minor semi-axis
    for (std::size_t i = e; i <= e + 120; ++i) {
        EXPECT_NEAR(vertex(i).x * vertex(i).x / 0.16 + vertex(i).y * vertex(i).y / 0.04, 1.0, 1e-9);
    }
    EXPECT_TRUE(vertex(e + 121).x == 0.4 && vertex(e + 122).x == vertex(e + 123).x);
    EXPECT_NEAR(vertex(e + 122).x, 0.4, TIGHT);
}

}  // namespace
