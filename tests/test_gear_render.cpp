// test_gear_render.cpp -- the gear renderers: which figures they draw, in what
// order, colour and place, and how they leave the matrix.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "draw/gear_render.h"
#include "recorder/gl_recorder.h"

namespace {

using glrec::Fn;
constexpr double TIGHT = 1e-12;

// Trace indices of the figures' glDisable(GL_LIGHTING) calls.
std::vector<std::size_t> figures()
{
    std::vector<std::size_t> out;
    for (long long i = glrec::find(Fn::Disable); i >= 0; i = glrec::find(Fn::Disable, i + 1)) {
        out.push_back(static_cast<std::size_t>(i));
    }
    return out;
}

// The first call of fn at or after a figure's start.
const glrec::Call& within(std::size_t figure, Fn fn)
{
    return glrec::at(static_cast<std::size_t>(glrec::find(fn, figure)));
}

// Matrix calls outside every figure, with how many figures came before each.
std::vector<std::pair<glrec::Call, std::size_t>> looseCalls()
{
    std::vector<std::pair<glrec::Call, std::size_t>> out;
    std::size_t seen = 0;
    bool inside = false;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const Fn fn = glrec::at(i).fn;
        seen += (fn == Fn::Disable) ? 1 : 0;
        inside = (fn == Fn::Disable) || (inside && fn != Fn::Enable);
        if (!inside && (fn == Fn::Translated || fn == Fn::Rotated)) {
            out.emplace_back(glrec::at(i), seen);
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
        glrec::reset();
        viewState.scale = 0.2;
    }
};

TEST_F(GearRenderTest, UndercutCircleOnlyWhenStrictlyOutsideTheBaseCircle)
{
    const double rcuts[] = {9.3969, 9.2969, 9.3969 + 1e-9, std::numeric_limits<double>::quiet_NaN()};
    for (int k = 0; k < 4; ++k) {
        glrec::reset();
        drawCircles(0.0, rcuts[k]);
        const glrec::Call& second = within(figures()[1], Fn::Color4f);
        EXPECT_EQ(second.a[0] == 0.0, k == 2) << k;  // BLACK rather than the PURPLE pitch circle
        EXPECT_EQ(figures().size(), k == 2 ? 9U : 8U) << k;
    }
}

TEST_F(GearRenderTest, CirclesComeInOrderAndThePitchCircleTurnsInAnUndoneFrame)
{
    drawCircles(0.3, 9.6);
    const std::vector<std::size_t> f = figures();
    ASSERT_EQ(f.size(), 9U);
    const Rgba colours[] = {GREEN, BLACK, PURPLE, YELLOW, YELLOW, BLACK, BLUE, BLUE, BLUE};
    const double modes[] = {GL_LINE_LOOP, GL_LINE_LOOP, GL_LINE_LOOP, GL_LINE_LOOP, GL_LINE_LOOP,
                            GL_POLYGON, GL_LINES, GL_LINES, GL_LINES};
    const double radii[] = {9.3969, 9.6, 10.0, 11.0, 8.75, CENTRE_MARK_RADIUS};
    for (std::size_t i = 0; i < 9; ++i) {
        const glrec::Call& c = within(f[i], Fn::Color4f);
        EXPECT_TRUE(c.a[0] == colours[i].r && c.a[1] == colours[i].g && c.a[2] == colours[i].b) << i;
        EXPECT_EQ(within(f[i], Fn::Begin).a[0], modes[i]) << i;
        if (i < 6) {
            EXPECT_NEAR(within(f[i], Fn::Vertex2d).a[0], 0.2 * radii[i], TIGHT) << i;
            EXPECT_NEAR(within(f[i], Fn::Translated).a[1], -2.0, TIGHT) << i;
        }
    }
    // The pitch circle: 62 groups about ORIGIN, in a frame moved to the centre
    // (without toWindow) and turned by the angle, then moved back without a pop.
    EXPECT_EQ(glrec::count(Fn::Rotated), 2 + 2 + 62);
    EXPECT_EQ(within(f[8], Fn::Translated).a[1], 0.0);
    EXPECT_NEAR(within(f[8], Fn::Vertex2d).a[0], 2.0, TIGHT);
    const auto loose = looseCalls();
    ASSERT_EQ(loose.size(), 4U);
    const double firsts[] = {0.0, 0.3 * RAD_TO_DEG, -0.3 * RAD_TO_DEG, -0.0};
    const double seconds[] = {0.2 * -10.0, 0.0, 0.0, -0.2 * -10.0};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(loose[i].first.fn, (i == 0 || i == 3) ? Fn::Translated : Fn::Rotated) << i;
        EXPECT_TRUE(loose[i].first.a[0] == firsts[i] && loose[i].first.a[1] == seconds[i]) << i;
        EXPECT_EQ(loose[i].second, i < 2 ? 8U : 9U) << i;
    }
    EXPECT_EQ(glrec::count(Fn::PushMatrix), glrec::count(Fn::PopMatrix));
}

TEST_F(GearRenderTest, CentreLinesRunAlongAndAcrossTheAngle)
{
    // Angle 0: (2, -2) to (-2, -2) and (0, -4) to (0, 0); a quarter turn swaps them.
    const Vec2 ends[2][4] = {{{2, -2}, {-2, -2}, {0, -4}, {0, 0}}, {{0, 0}, {0, -4}, {2, -2}, {-2, -2}}};
    for (int k = 0; k < 2; ++k) {
        glrec::reset();
        drawCircles(k * PI / 2.0, 0.0);
        for (std::size_t j = 0; j < 2; ++j) {
            const std::size_t line = figures().at(5 + j);
            const glrec::Call& from = within(line, Fn::Translated);
            const double turn = within(line, Fn::Rotated).a[0] * 3.14159265358979323846 / 180.0;
            const std::size_t lastVertex = static_cast<std::size_t>(glrec::find(Fn::End, line)) - 1;
            const double length = glrec::at(lastVertex).a[0];
            EXPECT_NEAR(from.a[0], ends[k][2 * j].x, TIGHT) << k << j;
            EXPECT_NEAR(from.a[1], ends[k][2 * j].y, TIGHT) << k << j;
            EXPECT_NEAR(from.a[0] + length * std::cos(turn), ends[k][2 * j + 1].x, 1e-8) << k << j;
            EXPECT_NEAR(from.a[1] + length * std::sin(turn), ends[k][2 * j + 1].y, 1e-8) << k << j;
        }
    }
}

const Vec2 OUTLINE[] = {{0.0, 9.0}, {0.2, 9.6}, {0.3, 10.4}, {0.25, 11.0}};

TEST_F(GearRenderTest, TeethAreCopiesTurnedOnePitchApartInAnUndoneFrame)
{
    drawGearTeeth(0.2, 0.25, 20, Vec2{1.0, -10.0}, 2, OUTLINE, RED);
    EXPECT_EQ(figures().size(), 40U);  // 20 copies of 2 segments
    const auto loose = looseCalls();
    ASSERT_EQ(loose.size(), 24U);
    EXPECT_TRUE(loose[0].first.fn == Fn::Translated && loose[1].first.fn == Fn::Rotated);
    EXPECT_NEAR(loose[0].first.a[0], 0.2, TIGHT);
    EXPECT_NEAR(loose[0].first.a[1], -2.0, TIGHT);
    EXPECT_EQ(loose[1].first.a[0], 0.25 * RAD_TO_DEG);
    const double pitch = (-(2.0 * PI / 20.0)) * RAD_TO_DEG;
    EXPECT_NEAR(pitch, -18.0, 1e-6);
    for (std::size_t k = 0; k < 20; ++k) {  // each turn comes before its copy
        EXPECT_TRUE(loose[2 + k].first.a[0] == pitch && loose[2 + k].second == 2 * k) << k;
    }
    EXPECT_EQ(loose[22].first.a[0], -0.25 * RAD_TO_DEG);
    EXPECT_EQ(loose[23].first.a[0], -loose[0].first.a[0]);
    EXPECT_EQ(loose[23].first.a[1], -loose[0].first.a[1]);
    EXPECT_EQ(glrec::count(Fn::PushMatrix), 0);
}

TEST_F(GearRenderTest, ProfileIsOneThickSegmentPerPairOfPoints)
{
    drawProfile(OUTLINE, 0, RED);
    EXPECT_EQ(glrec::size(), 0U);
    viewState.scale = 0.5;
    drawProfile(OUTLINE, 3, RED);
    EXPECT_EQ(glrec::count(Fn::LineWidth), 6);
    EXPECT_EQ(glrec::callsOf(Fn::LineWidth)[0].a[0], 4.0);
    const std::vector<glrec::Call> vs = glrec::callsOf(Fn::Vertex2d);
    ASSERT_EQ(vs.size(), 6U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(vs[2 * i].a[0], 0.5 * OUTLINE[i].x, TIGHT);
        EXPECT_NEAR(vs[2 * i + 1].a[1], 0.5 * OUTLINE[i + 1].y, TIGHT);
    }
}

}  // namespace
