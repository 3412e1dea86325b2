// test_kit.cpp -- the straight primitives and the batch they share, read back
// from the recorded GL calls: where each vertex lands in the window, in which
// colour and width, and how few draws and state changes carry them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "draw/batch.h"
#include "draw/round_primitives.h"
#include "recorder/gl_recorder.h"
#include "trace_reading.h"

namespace {

using glrec::Fn;
// Vertices reach GL as floats.
constexpr double FLOAT_TIGHT = 1e-6;

double arg(Fn fn, std::size_t i, int k = 0)
{
    return glrec::callsOf(fn).at(i).a[k];
}

class KitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startBatchFrame();
        glrec::reset();
    }
};

TEST_F(KitTest, DashDotLineFitsItsPeriodsToItsLengthFromEitherEnd)
{
    const double xs[] = {0.0, 0.09, 0.11, 0.13, 0.15, 0.24, 0.26, 0.28, 0.30, 0.39};
    drawDashDotLine(ORIGIN, Vec2{0.39, 0.0}, BLUE);
    drawDashDotLine(Vec2{0.39, 0.0}, ORIGIN, BLUE);  // turned by 180: the same dashes, last first
    flushBatch();
    ASSERT_EQ(glrec::count(Fn::Vertex2d), 20);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_NEAR(arg(Fn::Vertex2d, i), xs[i], FLOAT_TIGHT) << i;
        EXPECT_NEAR(arg(Fn::Vertex2d, 10 + i), xs[9 - i], FLOAT_TIGHT) << i;
        EXPECT_NEAR(arg(Fn::Vertex2d, i, 1), 0.0, FLOAT_TIGHT);
    }
    // n = 2, 2, 3, 11, 5 periods: 4n + 2 vertices, the last on the far end.
    const double lengths[] = {0.5, 0.3, 0.67, 2.0, 1.0};
    const long long counts[] = {10, 10, 14, 46, 22};
    for (int k = 0; k < 5; ++k) {
        startBatchFrame();
        glrec::reset();
        drawDashDotLine(Vec2{0.0, -1.0}, Vec2{0.0, lengths[k] - 1.0}, BLUE);
        flushBatch();
        ASSERT_EQ(glrec::count(Fn::Vertex2d), counts[k]) << lengths[k];
        EXPECT_NEAR(arg(Fn::Vertex2d, static_cast<std::size_t>(counts[k] - 1), 1), lengths[k] - 1.0,
                    FLOAT_TIGHT);
    }
}

TEST_F(KitTest, LinesAndCrosshairLandWhereTheySayInTheirWidths)
{
    drawThickLine(Vec2{0.1, 0.2}, Vec2{0.3, 0.4}, 0.01, RED);
    drawScaledLine(0.2, Vec2{0.0, -10.0}, Vec2{5.0, 0.0}, PURPLE);
    drawCrosshair(Vec2{0.2, -0.4}, 0.0);
    drawCrosshair(ORIGIN, 1.5707963267948966);
    flushBatch();
    // 4 pixels for the thick line, then the standing 2 for everything after it.
    EXPECT_EQ(arg(Fn::LineWidth, 0), 4.0);
    EXPECT_EQ(arg(Fn::LineWidth, 1), 2.0);
    EXPECT_EQ(glrec::count(Fn::LineWidth), 2);
    // Moved by the point, the arms run (-9.8, -0.4)-(10.2, -0.4) and (0.2, -10.4)-(0.2, 9.6);
    // turned a quarter, the second cross's first arm runs up the y axis.
    const double xs[] = {0.1, 0.3, 0.0, 1.0, -9.8, 10.2, 0.2, 0.2, 0.0, 0.0};
    const double ys[] = {0.2, 0.4, -2.0, 0.0, -0.4, -0.4, -10.4, 9.6, -10.0, 10.0};
    ASSERT_EQ(glrec::count(Fn::Vertex2d), 12);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_NEAR(arg(Fn::Vertex2d, i), xs[i], 1e-5) << i;
        EXPECT_NEAR(arg(Fn::Vertex2d, i, 1), ys[i], 1e-5) << i;
    }
}

// Whatever a run of primitives draws, each stretch of one colour and width goes
// to GL as one draw, lighting is off for the draws, and every
// primitive leaves the kit's modelview as it found it.
TEST_F(KitTest, PrimitivesShareOneDrawPerStateAndRestoreTheMatrix)
{
    const Vec2 a = {0.1, -0.3};
    const Vec2 b = {0.6, 0.2};
    const std::vector<std::function<void()>> primitives = {
        [=] { drawLine(a, b, RED); }, [=] { drawThickLine(a, b, 0.01, RED); },
        [=] { drawDashedLine(a, b, RED); }, [=] { drawFilledRect(a, 0.2, 0.1, 0.3, YELLOW); },
        [=] { drawArrow(a, 0.3, 0.3, YELLOW); }, [=] { drawDisc(a, 0.3, YELLOW); },
        [=] { drawRectOutline(a, 0.2, 0.1, 0.3, BLUE); }, [=] { drawDashDotLine(a, b, BLUE); },
        [=] { drawCircle(a, 0.3, BLUE); }, [=] { drawDashDotCircle(a, 3.0, BLUE); },
        [=] { drawDashedCircle(a, 0.3, BLUE); }, [=] { drawEllipseOutline(a, 0.3, 0.2, 0.4, BLUE); },
        [=] { drawDashDotCircle(a, 30.0, BLUE); },  // over the budget, partly off screen
        [=] { drawDashDotLine(a, Vec2{3000.0, 1.0}, BLUE); },
        [=] { drawFilledEllipse(a, 0.3, 0.2, 0.4, GREEN); }, [=] { drawCrosshair(a, 0.4); }};
    for (const auto& primitive : primitives) {
        const KitMatrix before = kitMatrix();
        primitive();
        const KitMatrix after = kitMatrix();
        EXPECT_TRUE(before.a == after.a && before.b == after.b && before.tx == after.tx &&
                    before.ty == after.ty) << &primitive - &primitives[0];
    }
    flushBatch();
    // Two draws in a row share colour, width and kind only where the first was full.
    const std::vector<Drawn> draws = drawsInTrace();
    ASSERT_GE(draws.size(), 7u);  // red 2, 4, 2 px; yellow; blue; green; black
    for (std::size_t k = 1; k < draws.size(); ++k) {
        const Drawn& p = draws[k - 1];
        const Drawn& q = draws[k];
        const bool alike = p.mode == q.mode && same(p.colour, q.colour) &&
                           (p.mode == GL_TRIANGLES || p.width == q.width);
        EXPECT_TRUE(!alike || p.vertices.size() + 3 > BATCH_VERTICES) << "draw " << k;
    }
    EXPECT_EQ(glrec::sequence().front(), Fn::Disable);
    EXPECT_EQ(glrec::count(Fn::Enable), 0);
    EXPECT_TRUE(glrec::allFinite());
}

}  // namespace

// WCAG's contrast against white, from the 8-bit colour GL makes.
double contrastOf(const Rgba& c)
{
    const auto linear = [](float v) {
        const double s = std::lround(v * 255.0F) / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 1.05 / (0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b) + 0.05);
}

// Hue in degrees, as HSV has it.
double hueOf(const Rgba& c)
{
    const double hi = std::max({c.r, c.g, c.b});
    const double span = hi - std::min({c.r, c.g, c.b});
    const double h = c.r == hi ? (c.g - c.b) / span : c.g == hi ? 2.0 + (c.b - c.r) / span
                                                                : 4.0 + (c.r - c.g) / span;
    return std::fmod(60.0 * h + 360.0, 360.0);
}

TEST(HighContrast, EveryColourReachesThreeToOneAgainstWhiteInItsOwnHue)
{
    EXPECT_NEAR(contrastOf(YELLOW), 1.07, 0.01);
    EXPECT_NEAR(contrastOf(GREEN), 1.37, 0.01);
    for (int r = 0; r <= 8; ++r) {
        for (int g = 0; g <= 8; ++g) {
            for (int b = 0; b <= 8; ++b) {
                const Rgba c = {r / 8.0F, g / 8.0F, b / 8.0F, 0.0F};
                const Rgba shown = contrastingColour(c);
                EXPECT_GE(contrastOf(shown), HIGH_CONTRAST_RATIO) << r << g << b;
                if (contrastOf(c) >= HIGH_CONTRAST_RATIO) {
                    EXPECT_TRUE(shown.r == c.r && shown.g == c.g && shown.b == c.b) << r << g << b;
                } else if (!(r == g && g == b) && !(g == 8 && b == 0 && (r == 0 || r == 8))) {
                    EXPECT_NEAR(hueOf(shown), hueOf(c), 1.0) << r << g << b;
                }
            }
        }
    }
    // The design's yellow and green (left out above), by the table: amber and a dark green.
    EXPECT_NEAR(hueOf(contrastingColour(YELLOW)), 40.0, 5.0);
    EXPECT_NEAR(hueOf(contrastingColour(GREEN)), 120.0, 1.0);
}

TEST_F(KitTest, HighContrastDrawsEveryLineAtLeastThreePixelsInItsContrastingColour)
{
    highContrast = true;
    startBatchFrame();
    drawLine(ORIGIN, Vec2{0.5, 0.0}, YELLOW);
    drawThickLine(ORIGIN, Vec2{0.5, 0.2}, 0.01, RED);
    drawCircle(ORIGIN, 0.5, GREEN);
    highContrast = false;
    ASSERT_EQ(batchRunCount(), 3);
    for (int i = 0; i < batchRunCount(); ++i) {
        const BatchRun& run = batchRuns()[i];
        EXPECT_GE(run.width, HIGH_CONTRAST_LINE_WIDTH);
        EXPECT_GE(contrastOf(run.colour), HIGH_CONTRAST_RATIO);
    }
    EXPECT_EQ(batchRuns()[1].width, 4.0) << "a wider line stays as wide";
    startBatchFrame();
    drawLine(ORIGIN, Vec2{0.5, 0.0}, YELLOW);
    EXPECT_EQ(batchRuns()[0].width, STANDING_LINE_WIDTH) << "off again, as the design has it";
    EXPECT_EQ(batchRuns()[0].colour.b, YELLOW.b);
}
