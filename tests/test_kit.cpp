// test_kit.cpp -- the straight primitives, and the conventions every kit
// primitive shares, read back from the recorded GL calls.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "draw/round_primitives.h"
#include "recorder/gl_recorder.h"

namespace {

using glrec::Fn;
constexpr double TIGHT = 1e-12;

double arg(Fn fn, std::size_t i, int k = 0)
{
    return glrec::callsOf(fn).at(i).a[k];
}

class KitTest : public ::testing::Test {
protected:
    void SetUp() override { glrec::reset(); }
};

TEST_F(KitTest, DashDotLineFitsItsPeriodsToItsLengthFromEitherEnd)
{
    const double xs[] = {0.0, 0.09, 0.11, 0.13, 0.15, 0.24, 0.26, 0.28, 0.30, 0.39};
    drawDashDotLine(ORIGIN, Vec2{0.39, 0.0}, BLUE);
    drawDashDotLine(Vec2{0.39, 0.0}, ORIGIN, BLUE);  // turned by 180: the same dashes, last first
    ASSERT_EQ(glrec::count(Fn::Vertex2d), 20);
    EXPECT_NEAR(arg(Fn::Rotated, 1), 180.0, 1e-6);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_NEAR(arg(Fn::Vertex2d, i), xs[i], TIGHT) << i;
        EXPECT_NEAR(0.39 - arg(Fn::Vertex2d, 10 + i), xs[9 - i], TIGHT) << i;
        EXPECT_EQ(arg(Fn::Vertex2d, i, 1), 0.0);
    }
    // n = 2, 2, 3, 11, 5 periods: 4n + 2 vertices, the last on the far end.
    const double lengths[] = {0.5, 0.3, 0.67, 2.0, 1.0};
    const long long counts[] = {10, 10, 14, 46, 22};
    for (int k = 0; k < 5; ++k) {
        glrec::reset();
        drawDashDotLine(ORIGIN, Vec2{0.0, lengths[k]}, BLUE);
        ASSERT_EQ(glrec::count(Fn::Vertex2d), counts[k]) << lengths[k];
        EXPECT_NEAR(arg(Fn::Vertex2d, static_cast<std::size_t>(counts[k] - 1)), lengths[k], TIGHT);
    }
    const double u = 15.0 / 84.0;  // the unit line: first dot 11u/15 to 13u/15, last dash from 5u
    EXPECT_NEAR(arg(Fn::Vertex2d, 2), 11.0 * u / 15.0, TIGHT);
    EXPECT_NEAR(arg(Fn::Vertex2d, 3), 13.0 * u / 15.0, TIGHT);
    EXPECT_NEAR(arg(Fn::Vertex2d, 20), 5.0 * u, TIGHT);
}

TEST_F(KitTest, LinesAndCrosshairSendTheirPointsAndWidths)
{
    drawThickLine(Vec2{0.1, 0.2}, Vec2{0.3, 0.4}, 0.01, RED);
    EXPECT_EQ(glrec::sequence(2, 8), (std::vector<Fn>{Fn::LineWidth, Fn::Begin, Fn::Vertex2d,
                                                      Fn::Vertex2d, Fn::End, Fn::LineWidth}));
    EXPECT_EQ(arg(Fn::LineWidth, 0), 4.0);
    EXPECT_EQ(arg(Fn::LineWidth, 1), 2.0);
    drawScaledLine(0.2, Vec2{0.0, -10.0}, Vec2{5.0, 0.0}, PURPLE);
    EXPECT_TRUE(arg(Fn::Color4f, 1) == 1.0 && arg(Fn::Color4f, 1, 1) == 0.0);
    EXPECT_NEAR(arg(Fn::Vertex2d, 2, 1), -2.0, TIGHT);
    EXPECT_NEAR(arg(Fn::Vertex2d, 3), 1.0, TIGHT);
    drawScaledDashDotLine(0.2, Vec2{0.0, -10.0}, ORIGIN, BLUE);  // 2 units on screen: 11 periods
    EXPECT_EQ(glrec::count(Fn::Vertex2d), 4 + 46);
    EXPECT_NEAR(arg(Fn::Translated, 0, 1), -2.0, TIGHT);

    glrec::reset();
    drawCrosshair(Vec2{0.2, -0.4}, 0.0);
    drawCrosshair(ORIGIN, 1.5707963267948966);
    EXPECT_EQ(glrec::sequence(1, 7), (std::vector<Fn>{Fn::LineWidth, Fn::PushMatrix, Fn::Color4f,
                                                      Fn::Translated, Fn::Rotated, Fn::Begin}));
    EXPECT_EQ(arg(Fn::LineWidth, 0), 2.0);
    EXPECT_NEAR(arg(Fn::Rotated, 1), 90.0, 1e-7);
    // Moved by the point, the arms run (-9.8, -0.4)-(10.2, -0.4) and (0.2, -10.4)-(0.2, 9.6).
    const double xs[] = {-9.8, 10.2, 0.2, 0.2};
    const double ys[] = {-0.4, -0.4, -10.4, 9.6};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(arg(Fn::Vertex2d, i) + arg(Fn::Translated, 0), xs[i], TIGHT);
        EXPECT_NEAR(arg(Fn::Vertex2d, i, 1) + arg(Fn::Translated, 0, 1), ys[i], TIGHT);
    }
}

TEST_F(KitTest, PrimitivesWithoutCallersDrawWhatTheyOffer)
{
    rotateThenTranslate(0.5, 0.3, -0.2);
    rotateAbout(Vec2{0.1, 0.2}, Vec2{0.3, -0.1}, 0.5235987755982988);
    EXPECT_EQ(glrec::sequence(), (std::vector<Fn>{Fn::Rotated, Fn::Translated, Fn::Translated,
                                                  Fn::Rotated, Fn::Translated}));
    EXPECT_EQ(arg(Fn::Rotated, 0), 0.5 * RAD_TO_DEG);
    EXPECT_NEAR(arg(Fn::Rotated, 1), 30.0, 1e-7);
    EXPECT_NEAR(arg(Fn::Translated, 1), 0.4, TIGHT);
    EXPECT_EQ(arg(Fn::Translated, 2, 1), -arg(Fn::Translated, 1, 1));

    glrec::reset();
    drawDashedLine(ORIGIN, Vec2{1.0, 0.0}, BLACK);   // n = 9: ten dashes of 0.8u
    drawFilledRect(ORIGIN, 0.3, 0.4, 0.0, YELLOW);   // vertices 20 to 23
    drawRectOutline(ORIGIN, 0.3, 0.4, 0.0, YELLOW);
    drawArrow(ORIGIN, 0.4, 0.0, RED);                // shaft from vertex 28, and a two-part head
    drawArrow(ORIGIN, 0.05, 0.0, RED);               // no shaft
    drawGrid(ORIGIN, 0.0, 2, 0.1, 0.2);              // ten lines, from vertex 44
    EXPECT_NEAR(arg(Fn::Vertex2d, 1), 0.8 * 10.0 / 98.0, TIGHT);
    EXPECT_NEAR(arg(Fn::Vertex2d, 19), 1.0, TIGHT);
    EXPECT_NEAR(arg(Fn::Vertex2d, 22, 1), 0.4, TIGHT);
    EXPECT_NEAR(arg(Fn::Vertex2d, 29), -0.4, TIGHT);
    const double modes[] = {GL_LINES, GL_POLYGON, GL_LINE_LOOP, GL_POLYGON, GL_POLYGON,
                            GL_POLYGON, GL_POLYGON, GL_POLYGON, GL_LINES};
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(arg(Fn::Begin, i), modes[i]) << i;
    }
    EXPECT_EQ(glrec::count(Fn::Begin), 18);
    EXPECT_EQ(glrec::count(Fn::LineWidth), 1);
    EXPECT_EQ(arg(Fn::LineWidth, 0), 1.0);
    EXPECT_NEAR(arg(Fn::Vertex2d, 45, 1), 0.4, TIGHT);  // x = -2 dx, up to y = 2 dy
    EXPECT_NEAR(arg(Fn::Vertex2d, 55), 0.2, TIGHT);     // y = -2 dy, across to x = 2 dx
}

TEST_F(KitTest, EveryPrimitiveBracketsLightingColoursFirstAndRestoresTheMatrix)
{
    const Vec2 a = {0.1, -0.3};
    const Vec2 b = {0.6, 0.2};
    const std::vector<std::function<void()>> primitives = {
        [=] { drawLine(a, b, RED); }, [=] { drawDashDotLine(a, b, BLUE); },
        [=] { drawDashedLine(a, b, BLACK); }, [=] { drawFilledRect(a, 0.2, 0.1, 0.3, YELLOW); },
        [=] { drawRectOutline(a, 0.2, 0.1, 0.3, YELLOW); }, [=] { drawArrow(a, 0.3, 0.3, PURPLE); },
        [=] { drawDisc(a, 0.3, RED); }, [=] { drawCircle(a, 0.3, RED); },
        [=] { drawDashDotCircle(a, 3.0, BLUE); }, [=] { drawDashedCircle(a, 0.3, BLACK); },
        [=] { drawFilledEllipse(a, 0.3, 0.2, 0.4, GREEN); },
        [=] { drawEllipseOutline(a, 0.3, 0.2, 0.4, GREEN); },
        [=] { drawDashDotCircle(a, 30.0, BLUE); },  // over the budget, partly off screen
        [=] { drawDashDotLine(a, Vec2{3000.0, 1.0}, BLUE); },
        // The last three set a width; the others must leave it alone.
        [=] { drawThickLine(a, b, 0.01, RED); }, [=] { drawCrosshair(a, 0.0); },
        [=] { drawGrid(a, 0.3, 2, 0.1, 0.1); }};
    for (std::size_t k = 0; k < primitives.size(); ++k) {
        glrec::reset();
        primitives[k]();
        const std::size_t n = glrec::size();
        EXPECT_TRUE(glrec::at(0).fn == Fn::Disable && glrec::at(0).a[0] == GL_LIGHTING) << k;
        EXPECT_TRUE(glrec::at(n - 1).fn == Fn::Enable && glrec::at(n - 1).a[0] == GL_LIGHTING) << k;
        EXPECT_EQ(glrec::count(Fn::Disable) + glrec::count(Fn::Enable), 2) << k;
        EXPECT_EQ(glrec::count(Fn::LineWidth) > 0, k + 3 >= primitives.size()) << k;
        long long depth = 0;
        bool inside = false;
        bool coloured = false;
        for (std::size_t i = 0; i < n; ++i) {
            const Fn fn = glrec::at(i).fn;
            coloured = coloured || fn == Fn::Color4f;
            depth += (fn == Fn::PushMatrix) ? 1 : (fn == Fn::PopMatrix) ? -1 : 0;
            EXPECT_FALSE(depth < 0 || (fn == Fn::Begin && (inside || !coloured)) ||
                         (fn == Fn::Vertex2d && !inside)) << "primitive " << k << ", call " << i;
            inside = (fn == Fn::Begin) || (inside && fn != Fn::End);
        }
        EXPECT_TRUE(depth == 0 && !inside) << k;
    }
}

}  // namespace
