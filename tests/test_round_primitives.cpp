// test_round_primitives.cpp -- discs, circles, dash-dot and dashed circles and
// ellipses, read back from the recorded GL calls as the window sees them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "draw/batch.h"
#include "draw/round_primitives.h"
#include "recorder/gl_recorder.h"

namespace {

using glrec::Fn;
// Vertices reach GL as floats.
constexpr double FLOAT_TIGHT = 2e-6;
constexpr double TRUE_PI = 3.14159265358979323846;

// The vertices of every draw of `mode`, in order, in window units.
std::vector<Vec2> verticesOf(GLenum mode)
{
    std::vector<Vec2> out;
    bool inside = false;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        inside = c.fn == Fn::Begin ? c.a[0] == mode : inside && c.fn != Fn::End;
        if (inside && c.fn == Fn::Vertex2d) {
            out.push_back(Vec2{c.a[0], c.a[1]});
        }
    }
    return out;
}

// The segments that have a length: zero-length pieces only repeat a vertex.
std::vector<Vec2> segmentEnds()
{
    const std::vector<Vec2> v = verticesOf(GL_LINES);
    std::vector<Vec2> out;
    for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
        if (v[i].x != v[i + 1].x || v[i].y != v[i + 1].y) {
            out.push_back(v[i]);
            out.push_back(v[i + 1]);
        }
    }
    return out;
}

// Polar angle about c, in degrees of the kit's steps (which use KIT_PI), in [0, 360).
double kitDegrees(const Vec2& p, const Vec2& c = ORIGIN)
{
    const double d = std::atan2(p.y - c.y, p.x - c.x) * 180.0 / KIT_PI;
    return d < -1e-6 ? d + 360.0 * TRUE_PI / KIT_PI : d;
}

class RoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startBatchFrame();
        glrec::reset();
    }
};

TEST_F(RoundTest, CircleAndDiscAre120GonsStartingOnPlusX)
{
    drawScaledDisc(0.2, Vec2{1.0, 2.0}, 2.5, BLACK);      // radius 0.5 about (0.2, 0.4)
    drawScaledCircle(0.2, Vec2{0.0, -10.0}, 5.0, YELLOW);  // radius 1 about (0, -2)
    flushBatch();
    const Vec2 discCentre = {0.2, 0.4};
    const std::vector<Vec2> fan = verticesOf(GL_TRIANGLES);
    ASSERT_EQ(fan.size(), 3u * 118);  // a fan of the 120 corners about the first
    for (std::size_t i = 0; i < fan.size(); ++i) {
        EXPECT_NEAR(std::hypot(fan[i].x - 0.2, fan[i].y - 0.4), 0.5, FLOAT_TIGHT) << i;
    }
    EXPECT_NEAR(kitDegrees(fan[0], discCentre), 0.0, 1e-4);
    EXPECT_NEAR(kitDegrees(fan[1], discCentre), 3.0, 1e-4);  // counter-clockwise
    EXPECT_NEAR(kitDegrees(fan.back(), discCentre), 357.0, 1e-4);

    const Vec2 centre = {0.0, -2.0};
    const std::vector<Vec2> ends = segmentEnds();
    ASSERT_EQ(ends.size(), 2u * 120);  // 119 sides and the one that closes the loop
    for (std::size_t i = 0; i < ends.size(); i += 2) {
        const double step = kitDegrees(ends[i + 1], centre) - kitDegrees(ends[i], centre);
        EXPECT_NEAR(i + 2 < ends.size() ? step : step + 360.0 * TRUE_PI / KIT_PI, 3.0, 1e-4) << i;
        EXPECT_NEAR(std::hypot(ends[i].x, ends[i].y + 2.0), 1.0, FLOAT_TIGHT);
    }
    EXPECT_NEAR(ends[0].x, 1.0, FLOAT_TIGHT);
}

struct Pattern {
    double r;
    int groups;
    int dash;
    int dot;
};

// Each group is a dash of d chords and a dot of g, the first group turned one
// group on from +x; a negative radius puts the whole pattern opposite.
TEST_F(RoundTest, DashDotCircleFollowsItsRadius)
{
    const Pattern patterns[] = {{0.1, 6, 9, 2}, {0.2, 6, 9, 2}, {0.5, 15, 22, 5}, {2.0, 62, 90, 20}};
    for (const Pattern& p : patterns) {
        glrec::reset();
        drawDashDotCircle(ORIGIN, p.r, BLUE);
        flushBatch();
        const std::vector<Vec2> ends = segmentEnds();
        ASSERT_EQ(ends.size(), 2u * p.groups * (p.dash + p.dot)) << p.r;
        const double groupDegrees = 360.0 / p.groups;
        const double chordDegrees = groupDegrees / (p.dash + 3 * p.dot);
        EXPECT_NEAR(kitDegrees(ends[0]), groupDegrees, 1e-3) << p.r;
        EXPECT_NEAR(kitDegrees(ends[2 * p.dash - 1]), groupDegrees + p.dash * chordDegrees, 1e-3);
        EXPECT_NEAR(kitDegrees(ends[2 * p.dash]), groupDegrees + (p.dash + p.dot) * chordDegrees,
                    1e-3);
    }
    glrec::reset();
    drawScaledDashDotCircle(0.2, Vec2{0.5, 0.5}, 2.5, BLUE);  // radius 0.5 about (0.1, 0.1)
    drawDashDotCircle(Vec2{0.1, 0.1}, -0.5, BLUE);
    flushBatch();
    const std::vector<Vec2> ends = segmentEnds();
    ASSERT_EQ(ends.size(), 2u * 2 * 15 * 27);
    for (std::size_t i = 0; i < ends.size() / 2; ++i) {
        EXPECT_NEAR(ends[ends.size() / 2 + i].x - 0.1, 0.1 - ends[i].x, FLOAT_TIGHT) << i;
        EXPECT_NEAR(ends[ends.size() / 2 + i].y - 0.1, 0.1 - ends[i].y, FLOAT_TIGHT) << i;
    }
}

TEST_F(RoundTest, DashedCircleAndEllipsesFollowTheirOwnRules)
{
    drawDashedCircle(ORIGIN, 0.1, BLACK);  // 6 groups of 8 chords of 6 degrees, from 60
    flushBatch();
    std::vector<Vec2> ends = segmentEnds();
    ASSERT_EQ(ends.size(), 2u * 6 * 8);
    EXPECT_NEAR(kitDegrees(ends[0]), 60.0, 1e-3);
    EXPECT_NEAR(kitDegrees(ends[15]), 108.0, 1e-3);

    glrec::reset();
    drawFilledEllipse(Vec2{0.1, 0.2}, 0.4, 0.2, TRUE_PI / 4.0, GREEN);
    drawEllipseOutline(ORIGIN, 0.4, 0.2, 0.0, GREEN);
    flushBatch();
    // Turned back by the quarter turn's half, every corner lies on the ellipse.
    const double c = std::cos(TRUE_PI / 4.0);
    for (const Vec2& p : verticesOf(GL_TRIANGLES)) {
        const double x = c * (p.x - 0.1) + c * (p.y - 0.2);
        const double y = -c * (p.x - 0.1) + c * (p.y - 0.2);
        EXPECT_NEAR(x * x / 0.16 + y * y / 0.04, 1.0, 1e-5);
    }
    ends = segmentEnds();
    EXPECT_NEAR(ends[0].x, 0.4, FLOAT_TIGHT);
    for (const Vec2& p : ends) {
        EXPECT_NEAR(p.x * p.x / 0.16 + p.y * p.y / 0.04, 1.0, 1e-5);
    }
}

}  // namespace
