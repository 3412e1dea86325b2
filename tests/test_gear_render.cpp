// test_gear_render.cpp -- the gear renderers: which figures they draw, in what
// order, colour and place, read back from the recorded GL calls as the window
// sees them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "draw/batch.h"
#include "draw/gear_render.h"
#include "recorder/gl_recorder.h"
#include "trace_reading.h"

namespace {

using glrec::Fn;
// Vertices reach GL as floats.
constexpr double FLOAT_TIGHT = 2e-6;
constexpr double TRUE_PI = 3.14159265358979323846;
// The zoom of these tests: the gear of radius 11 about (0, -10) lies wholly in the
// window, its centre at (0, -0.4).
constexpr double ZOOM = 0.04;

// Every draw since the trace began, the batch sent first.
std::vector<Drawn> draws()
{
    flushBatch();
    return drawsInTrace();
}

// Distances from c of the vertices of the line draws in `colour`, rounded to 1e-4.
std::vector<double> radiiIn(const Rgba& colour, const Vec2& c)
{
    std::vector<double> out;
    for (const Drawn& d : draws()) {
        for (const Vec2& v : d.vertices) {
            const double r = std::round(std::hypot(v.x - c.x, v.y - c.y) * 1e4) / 1e4;
            if (d.mode == GL_LINES && same(d.colour, colour) &&
                std::find(out.begin(), out.end(), r) == out.end()) {
                out.push_back(r);
            }
        }
    }
    return out;
}

void drawCircles(double angle, double rcut)
{
    drawGearCircles(Vec2{0.0, -10.0}, angle, 9.3969, 8.75, rcut, 10.0, 10.0, 11.0);
}

class GearRenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startBatchFrame();
        glrec::reset();
        viewState.scale = ZOOM;
    }
};

TEST_F(GearRenderTest, UndercutCircleOnlyWhenStrictlyOutsideTheBaseCircle)
{
    const double rcuts[] = {9.3969, 9.2969, 9.3969 + 1e-4, std::numeric_limits<double>::quiet_NaN()};
    for (int k = 0; k < 4; ++k) {
        glrec::reset();
        drawCircles(0.0, rcuts[k]);
        const std::vector<double> black = radiiIn(BLACK, Vec2{0.0, -10.0 * ZOOM});
        EXPECT_EQ(!black.empty(), k == 2) << k;
    }
}

// Base, undercut, standard pitch, tip and root circles, the centre mark, then the
// centre lines and the working pitch circle, each about the centre.
TEST_F(GearRenderTest, CirclesComeInOrderAboutTheCentre)
{
    drawCircles(0.3, 9.6);
    const std::vector<Drawn> d = draws();
    const Rgba colours[] = {GREEN, BLACK, PURPLE, YELLOW, BLACK, BLUE};
    ASSERT_EQ(d.size(), 6u);
    for (std::size_t i = 0; i < d.size(); ++i) {
        EXPECT_TRUE(same(d[i].colour, colours[i])) << i;
        EXPECT_EQ(d[i].mode, i == 4 ? GL_TRIANGLES : GL_LINES) << i;
    }
    const Vec2 c = {0.0, -10.0 * ZOOM};
    const auto rounded = [](double r) { return std::round(ZOOM * r * 1e4) / 1e4; };
    EXPECT_EQ(radiiIn(GREEN, c), std::vector<double>{rounded(9.3969)});
    EXPECT_EQ(radiiIn(BLACK, c), std::vector<double>{rounded(9.6)});
    EXPECT_EQ(radiiIn(PURPLE, c), std::vector<double>{rounded(10.0)});
    EXPECT_EQ(radiiIn(YELLOW, c), (std::vector<double>{rounded(11.0), rounded(8.75)}));
    for (const Vec2& v : d[4].vertices) {
        EXPECT_NEAR(std::hypot(v.x - c.x, v.y - c.y), ZOOM * CENTRE_MARK_RADIUS, FLOAT_TIGHT);
    }
    // The matrix moved for the pitch circle comes back up to rounding.
    const KitMatrix& m = kitMatrix();
    EXPECT_NEAR(m.a, 1.0, 1e-6);
    EXPECT_NEAR(m.tx, 0.0, 1e-6);
    EXPECT_NEAR(m.ty, 0.0, 1e-6);
}

// The two centre lines run along and across the angle, through the centre, one
// working pitch radius each way; the pitch circle's dashes (12 groups at this
// size) start one group after another from the turned +x.
TEST_F(GearRenderTest, CentreLinesAndPitchCircleTurnWithTheAngle)
{
    const double radius = 10.0 * ZOOM;
    const double group = 2.0 * KIT_PI / 12 * RAD_TO_DEG * TRUE_PI / 180.0;
    for (double angle : {0.0, 0.3, PI / 2.0}) {
        glrec::reset();
        drawCircles(angle, 0.0);
        const Vec2 c = {0.0, -radius};
        const std::vector<Drawn> d = draws();
        double farAlong = 0.0;
        double farAcross = 0.0;
        std::vector<double> onCircle;
        for (const Vec2& v : d.back().vertices) {
            const Vec2 d = {v.x - c.x, v.y - c.y};
            const double along = d.x * std::cos(angle) + d.y * std::sin(angle);
            const double across = -d.x * std::sin(angle) + d.y * std::cos(angle);
            // On the circle, or on a chord's side within a quarter pixel of it.
            const bool circle = std::fabs(std::hypot(d.x, d.y) - radius) < 0.25 / 400.0;
            if (circle) {
                onCircle.push_back(std::atan2(d.y, d.x) - angle);
            }
            if (std::fabs(across) < 1e-5) {
                farAlong = std::fmax(farAlong, std::fabs(along));
            } else if (std::fabs(along) < 1e-5) {
                farAcross = std::fmax(farAcross, std::fabs(across));
            } else {
                EXPECT_TRUE(circle) << v.x << " " << v.y;
            }
        }
        EXPECT_NEAR(farAlong, radius, 1e-5) << angle;
        EXPECT_NEAR(farAcross, radius, 1e-5) << angle;
        for (int j = 1; j <= 12; ++j) {
            EXPECT_TRUE(std::any_of(onCircle.begin(), onCircle.end(), [&](double a) {
                return std::fabs(std::remainder(a - j * group, 2.0 * TRUE_PI)) < 1e-5;
            })) << angle << " group " << j;
        }
    }
}

const Vec2 OUTLINE[] = {{0.0, 9.0}, {0.2, 9.6}, {0.3, 10.4}, {0.25, 11.0}};

// z copies of the outline about the centre, copy k turned by the angle less k + 1
// pitches, all 4 pixels wide in one draw.
TEST_F(GearRenderTest, TeethAreCopiesTurnedOnePitchApart)
{
    drawGearTeeth(ZOOM, 0.25, 20, Vec2{1.0, -10.0}, 2, OUTLINE, RED);
    const std::vector<Drawn> d = draws();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].width, 4.0);
    ASSERT_EQ(d[0].vertices.size(), 20u * 2 * 2);
    for (std::size_t k = 0; k < 20; ++k) {
        const double turn = 0.25 - (k + 1) * (2.0 * PI / 20.0);
        for (std::size_t j = 0; j < 4; ++j) {
            const Vec2 p = OUTLINE[(j + 1) / 2];
            const Vec2 v = d[0].vertices[4 * k + j];
            EXPECT_NEAR(v.x, ZOOM + ZOOM * (p.x * std::cos(turn) - p.y * std::sin(turn)), 1e-6);
            EXPECT_NEAR(v.y, -10.0 * ZOOM + ZOOM * (p.x * std::sin(turn) + p.y * std::cos(turn)), 1e-6);
        }
    }
}

TEST_F(GearRenderTest, ProfileIsOneThickSegmentPerPairOfPoints)
{
    drawProfile(OUTLINE, 0, RED);
    EXPECT_TRUE(draws().empty());
    viewState.scale = 0.08;
    drawProfile(OUTLINE, 3, RED);
    const std::vector<Drawn> d = draws();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].width, 4.0);
    ASSERT_EQ(d[0].vertices.size(), 6U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(d[0].vertices[2 * i].x, 0.08 * OUTLINE[i].x, FLOAT_TIGHT);
        EXPECT_NEAR(d[0].vertices[2 * i + 1].y, 0.08 * OUTLINE[i + 1].y, FLOAT_TIGHT);
    }
}

}  // namespace
