// test_kit.cpp -- the straight primitives and the conventions that every kit
// primitive shares, read back from the recorded GL calls.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "draw/kit.h"
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

// Window position of x along a dash-dot line drawn as translate + rotate + (x, 0).
Vec2 alongLine(double x)
{
    const glrec::Call t = glrec::callsOf(Fn::Translated).at(0);
    const double turn = glrec::callsOf(Fn::Rotated).at(0).a[0] * TRUE_PI / 180.0;
    return Vec2{t.a[0] + x * std::cos(turn), t.a[1] + x * std::sin(turn)};
}

std::vector<double> xsOf(const std::vector<Vec2>& vs)
{
    std::vector<double> out;
    for (const Vec2& v : vs) {
        out.push_back(v.x);
    }
    return out;
}

void expectAllNear(const std::vector<double>& actual, const std::vector<double>& expected,
                   double tolerance)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "at " << i;
    }
}

class KitTest : public ::testing::Test {
protected:
    void SetUp() override { glrec::reset(); }
};

// [SECTION] Dash-dot line

TEST_F(KitTest, DashDotLineOfShortLengthHasTwoPeriodsVertexByVertex)
{
    drawDashDotLine(ORIGIN, Vec2{0.39, 0.0}, BLUE);

    const std::vector<Fn> expected = {Fn::Disable, Fn::PushMatrix, Fn::Translated, Fn::Rotated,
                                      Fn::Color4f, Fn::Begin};
    EXPECT_EQ(glrec::sequence(0, 6), expected);
    EXPECT_EQ(glrec::at(0).a[0], GL_LIGHTING);
    EXPECT_EQ(glrec::at(5).a[0], GL_LINES);
    const std::vector<Fn> tail = {Fn::End, Fn::PopMatrix, Fn::Enable};
    EXPECT_EQ(glrec::sequence(glrec::size() - 3), tail);

    const std::vector<Vec2> vs = vertices();
    expectAllNear(xsOf(vs), {0.0, 0.09, 0.11, 0.13, 0.15, 0.24, 0.26, 0.28, 0.30, 0.39}, TIGHT);
    for (const Vec2& v : vs) {
        EXPECT_EQ(v.y, 0.0);
    }
}

TEST_F(KitTest, DashDotLineOfUnitLengthHasFivePeriodsAndElevenSegments)
{
    drawDashDotLine(ORIGIN, Vec2{1.0, 0.0}, BLUE);

    const std::vector<Vec2> vs = vertices();
    ASSERT_EQ(vs.size(), 22U);
    const double u = 15.0 / 84.0;
    EXPECT_NEAR(vs[1].x, 9.0 * u / 15.0, TIGHT);
    EXPECT_NEAR(vs[2].x, 11.0 * u / 15.0, TIGHT);
    EXPECT_NEAR(vs[3].x, 13.0 * u / 15.0, TIGHT);
    EXPECT_NEAR(vs[20].x, 5.0 * u, TIGHT);
    EXPECT_NEAR(vs[21].x, 1.0, TIGHT);
}

TEST_F(KitTest, DashDotLinePeriodCountFollowsLength)
{
    struct Case {
        double length;
        std::size_t vertexCount;
    };
    // n = 2, 2, 3, 11 periods: 4n + 2 vertices.
    for (const Case& c : {Case{0.5, 10}, Case{0.3, 10}, Case{0.67, 14}, Case{2.0, 46}}) {
        glrec::reset();
        drawDashDotLine(ORIGIN, Vec2{c.length, 0.0}, BLUE);
        const std::vector<Vec2> vs = vertices();
        EXPECT_EQ(vs.size(), c.vertexCount) << "length " << c.length;
        EXPECT_NEAR(vs.back().x, c.length, TIGHT) << "length " << c.length;
    }
    glrec::reset();
    drawDashDotLine(ORIGIN, Vec2{0.3, 0.0}, BLUE);
    EXPECT_NEAR(vertices().at(4).x, 4.5 / 39.0, TIGHT);  // the second period starts at u
}

TEST_F(KitTest, DashDotLineReadFromEitherEndCoversTheSameDashes)
{
    const Vec2 p = {0.1, 0.2};
    const Vec2 q = {0.7, -0.25};
    drawDashDotLine(p, q, GREEN);
    std::vector<Vec2> forward;
    for (const Vec2& v : vertices()) {
        forward.push_back(alongLine(v.x));
    }
    glrec::reset();
    drawDashDotLine(q, p, GREEN);
    std::vector<Vec2> backward;
    for (const Vec2& v : vertices()) {
        backward.push_back(alongLine(v.x));
    }

    ASSERT_EQ(forward.size(), backward.size());
    ASSERT_EQ(forward.size(), 14U);  // L = 0.75: three periods
    const std::size_t last = forward.size() - 1;
    for (std::size_t i = 0; i <= last; ++i) {
        EXPECT_NEAR(forward[i].x, backward[last - i].x, 1e-9) << i;
        EXPECT_NEAR(forward[i].y, backward[last - i].y, 1e-9) << i;
    }
    EXPECT_NEAR(forward[last].x, q.x, 1e-9);
    EXPECT_NEAR(forward[last].y, q.y, 1e-9);
}

TEST_F(KitTest, ScaledDashDotLineFitsThePatternToTheLengthOnScreen)
{
    drawScaledDashDotLine(0.2, Vec2{0.0, -10.0}, Vec2{0.0, 0.0}, BLUE);
    EXPECT_EQ(vertices().size(), 46U);  // L = 2 on screen: 11 periods
    const glrec::Call t = glrec::callsOf(Fn::Translated).at(0);
    EXPECT_NEAR(t.a[0], 0.0, TIGHT);
    EXPECT_NEAR(t.a[1], -2.0, TIGHT);
    EXPECT_NEAR(glrec::callsOf(Fn::Rotated).at(0).a[0], (TRUE_PI / 2.0) * RAD_TO_DEG, TIGHT);
}

// [SECTION] Lines, thick lines, crosshair

TEST_F(KitTest, ThickLineSwitchesToItsWidthAndBackToTheStandingWidth)
{
    drawThickLine(Vec2{0.1, 0.2}, Vec2{0.3, 0.4}, 0.01, RED);
    const std::vector<Fn> expected = {Fn::Disable,  Fn::Color4f, Fn::LineWidth, Fn::Begin,
                                      Fn::Vertex2d, Fn::Vertex2d, Fn::End,      Fn::LineWidth,
                                      Fn::Enable};
    ASSERT_EQ(glrec::sequence(), expected);
    EXPECT_FLOAT_EQ(static_cast<float>(glrec::at(2).a[0]), 4.0F);
    EXPECT_FLOAT_EQ(static_cast<float>(glrec::at(7).a[0]), 2.0F);
    EXPECT_EQ(glrec::at(4).a[0], 0.1);
    EXPECT_EQ(glrec::at(5).a[1], 0.4);
}

TEST_F(KitTest, LineSendsItsEndPointsInItsColour)
{
    drawLine(Vec2{-0.5, 0.25}, Vec2{0.75, -1.0}, PURPLE);
    const std::vector<Fn> expected = {Fn::Disable,  Fn::Color4f, Fn::Begin, Fn::Vertex2d,
                                      Fn::Vertex2d, Fn::End,     Fn::Enable};
    ASSERT_EQ(glrec::sequence(), expected);
    const glrec::Call colour = glrec::at(1);
    EXPECT_EQ(colour.a[0], 1.0);
    EXPECT_EQ(colour.a[1], 0.0);
    EXPECT_EQ(colour.a[2], 1.0);
    EXPECT_EQ(colour.a[3], 0.0);
    EXPECT_EQ(glrec::at(3).a[0], -0.5);
    EXPECT_EQ(glrec::at(4).a[1], -1.0);
}

TEST_F(KitTest, ScaledLineMultipliesBothPointsByTheZoom)
{
    drawScaledLine(0.2, Vec2{0.0, -10.0}, Vec2{5.0, 0.0}, GREEN);
    const std::vector<Vec2> vs = vertices();
    ASSERT_EQ(vs.size(), 2U);
    EXPECT_NEAR(vs[0].x, 0.0, TIGHT);
    EXPECT_NEAR(vs[0].y, -2.0, TIGHT);
    EXPECT_NEAR(vs[1].x, 1.0, TIGHT);
    EXPECT_NEAR(vs[1].y, 0.0, TIGHT);
}

TEST_F(KitTest, CrosshairCrossesTheWindowThroughItsPoint)
{
    drawCrosshair(Vec2{0.2, -0.4}, 0.0);
    const std::vector<Fn> expected = {
        Fn::Disable,  Fn::LineWidth, Fn::PushMatrix, Fn::Color4f,  Fn::Translated,
        Fn::Rotated,  Fn::Begin,     Fn::Vertex2d,   Fn::Vertex2d, Fn::Vertex2d,
        Fn::Vertex2d, Fn::End,       Fn::PopMatrix,  Fn::Enable};
    ASSERT_EQ(glrec::sequence(), expected);
    EXPECT_EQ(glrec::at(1).a[0], 2.0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(glrec::at(3).a[i], 0.0);
    }
    // Translation by the point turns the arms into (-9.8, -0.4)-(10.2, -0.4) and
    // (0.2, -10.4)-(0.2, 9.6).
    const glrec::Call t = glrec::at(4);
    const std::vector<Vec2> vs = vertices();
    const std::vector<double> windowXs = {vs[0].x + t.a[0], vs[1].x + t.a[0], vs[2].x + t.a[0],
                                          vs[3].x + t.a[0]};
    const std::vector<double> windowYs = {vs[0].y + t.a[1], vs[1].y + t.a[1], vs[2].y + t.a[1],
                                          vs[3].y + t.a[1]};
    expectAllNear(windowXs, {-9.8, 10.2, 0.2, 0.2}, TIGHT);
    expectAllNear(windowYs, {-0.4, -0.4, -10.4, 9.6}, TIGHT);

    glrec::reset();
    drawCrosshair(ORIGIN, TRUE_PI / 2.0);
    EXPECT_NEAR(glrec::callsOf(Fn::Rotated).at(0).a[0], 90.0, 1e-7);
}

// [SECTION] Primitives without callers

TEST_F(KitTest, MatrixHelpersComposeWithoutBracketOrPush)
{
    rotateThenTranslate(0.5, 0.3, -0.2);
    ASSERT_EQ(glrec::sequence(), (std::vector<Fn>{Fn::Rotated, Fn::Translated}));
    EXPECT_EQ(glrec::at(0).a[0], 0.5 * RAD_TO_DEG);
    EXPECT_EQ(glrec::at(0).a[3], 1.0);
    EXPECT_NEAR(glrec::at(1).a[0], 0.3, TIGHT);
    EXPECT_NEAR(glrec::at(1).a[1], -0.2, TIGHT);

    glrec::reset();
    rotateAbout(Vec2{0.1, 0.2}, Vec2{0.3, -0.1}, TRUE_PI / 6.0);
    ASSERT_EQ(glrec::sequence(), (std::vector<Fn>{Fn::Translated, Fn::Rotated, Fn::Translated}));
    EXPECT_NEAR(glrec::at(0).a[0], 0.4, TIGHT);
    EXPECT_NEAR(glrec::at(0).a[1], 0.1, TIGHT);
    EXPECT_NEAR(glrec::at(1).a[0], 30.0, 1e-7);
    EXPECT_EQ(glrec::at(2).a[0], -glrec::at(0).a[0]);
    EXPECT_EQ(glrec::at(2).a[1], -glrec::at(0).a[1]);
}

TEST_F(KitTest, DashedLineFitsEqualDashesEndingOnTheFarPoint)
{
    drawDashedLine(ORIGIN, Vec2{1.0, 0.0}, BLACK);
    std::vector<Vec2> vs = vertices();
    ASSERT_EQ(vs.size(), 20U);  // n = 9: ten dashes
    const double u = 10.0 / 98.0;
    EXPECT_NEAR(vs[1].x, 0.8 * u, TIGHT);
    EXPECT_NEAR(vs[2].x, u, TIGHT);
    EXPECT_NEAR(vs[19].x, 1.0, TIGHT);

    glrec::reset();
    drawDashedLine(ORIGIN, Vec2{0.0, 0.3}, BLACK);
    vs = vertices();
    ASSERT_EQ(vs.size(), 8U);  // below 0.4: n = 3, four dashes
    EXPECT_NEAR(vs[7].x, 0.3, TIGHT);
}

TEST_F(KitTest, RectanglesShareTheirCornersAndDifferInMode)
{
    const Vec2 corner = {0.1, -0.2};
    drawFilledRect(corner, 0.3, 0.4, TRUE_PI / 4.0, YELLOW);
    const std::vector<Vec2> filled = vertices();
    const double filledMode = glrec::callsOf(Fn::Begin).at(0).a[0];
    const glrec::Call turn = glrec::callsOf(Fn::Rotated).at(0);
    const glrec::Call move = glrec::callsOf(Fn::Translated).at(0);
    glrec::reset();
    drawRectOutline(corner, 0.3, 0.4, TRUE_PI / 4.0, YELLOW);
    const std::vector<Vec2> outline = vertices();

    EXPECT_EQ(filledMode, GL_POLYGON);
    EXPECT_EQ(glrec::callsOf(Fn::Begin).at(0).a[0], GL_LINE_LOOP);
    EXPECT_NEAR(turn.a[0], 45.0, 1e-7);
    EXPECT_EQ(move.a[0], 0.1);
    EXPECT_EQ(move.a[1], -0.2);
    const std::vector<Vec2> expected = {{0.0, 0.0}, {0.3, 0.0}, {0.3, 0.4}, {0.0, 0.4}};
    ASSERT_EQ(filled.size(), 4U);
    ASSERT_EQ(outline.size(), 4U);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(filled[i].x, expected[i].x, TIGHT);
        EXPECT_NEAR(filled[i].y, expected[i].y, TIGHT);
        EXPECT_EQ(outline[i].x, filled[i].x);
        EXPECT_EQ(outline[i].y, filled[i].y);
    }
}

TEST_F(KitTest, ArrowHasAShaftOnlyWhenLongerThanItsHead)
{
    drawArrow(Vec2{0.5, 0.5}, 0.4, 0.0, RED);
    ASSERT_EQ(glrec::count(Fn::Begin), 3);
    std::vector<Vec2> vs = vertices();
    ASSERT_EQ(vs.size(), 10U);
    EXPECT_NEAR(vs[1].x, -0.4, TIGHT);
    EXPECT_NEAR(vs[0].y - vs[3].y, 0.02, TIGHT);
    EXPECT_NEAR(vs[6].y, 0.04, TIGHT);
    EXPECT_NEAR(vs[9].y, -0.04, TIGHT);

    glrec::reset();
    drawArrow(Vec2{0.5, 0.5}, 0.05, 0.0, RED);
    EXPECT_EQ(glrec::count(Fn::Begin), 2);
    EXPECT_EQ(vertices().size(), 6U);
}

TEST_F(KitTest, GridDrawsEachLineInItsOwnBatchAtWidthOne)
{
    drawGrid(Vec2{0.0, 0.0}, 0.0, 2, 0.1, 0.2);
    EXPECT_EQ(glrec::count(Fn::Begin), 10);
    EXPECT_EQ(glrec::count(Fn::End), 10);
    const std::vector<glrec::Call> widths = glrec::callsOf(Fn::LineWidth);
    ASSERT_EQ(widths.size(), 1U);
    EXPECT_EQ(widths[0].a[0], 1.0);
    const std::vector<Vec2> vs = vertices();
    ASSERT_EQ(vs.size(), 20U);
    EXPECT_NEAR(vs[0].x, -0.2, TIGHT);  // first vertical line, x = -2 dx
    EXPECT_NEAR(vs[0].y, -0.4, TIGHT);
    EXPECT_NEAR(vs[1].y, 0.4, TIGHT);
    EXPECT_NEAR(vs[10].y, -0.4, TIGHT);  // first horizontal line, y = -2 dy
    EXPECT_NEAR(vs[10].x, -0.2, TIGHT);
    EXPECT_NEAR(vs[11].x, 0.2, TIGHT);
}

// [SECTION] Conventions shared by every primitive

struct Primitive {
    std::string name;
    std::function<void()> draw;
    bool setsWidth;
};

std::vector<Primitive> everyPrimitive()
{
    const Vec2 a = {0.1, -0.3};
    const Vec2 b = {0.6, 0.2};
    return {
        {"drawLine", [=] { drawLine(a, b, RED); }, false},
        {"drawThickLine", [=] { drawThickLine(a, b, 0.01, RED); }, true},
        {"drawDashDotLine", [=] { drawDashDotLine(a, b, BLUE); }, false},
        {"drawCrosshair", [=] { drawCrosshair(a, 0.0); }, true},
        {"drawScaledLine", [=] { drawScaledLine(0.2, a, b, GREEN); }, false},
        {"drawScaledDashDotLine", [=] { drawScaledDashDotLine(0.2, a, b, BLUE); }, false},
        {"drawDashedLine", [=] { drawDashedLine(a, b, BLACK); }, false},
        {"drawFilledRect", [=] { drawFilledRect(a, 0.2, 0.1, 0.3, YELLOW); }, false},
        {"drawRectOutline", [=] { drawRectOutline(a, 0.2, 0.1, 0.3, YELLOW); }, false},
        {"drawArrow", [=] { drawArrow(a, 0.3, 0.3, PURPLE); }, false},
        {"drawGrid", [=] { drawGrid(a, 0.3, 2, 0.1, 0.1); }, true},
        {"drawDisc", [=] { drawDisc(a, 0.3, RED); }, false},
        {"drawCircle", [=] { drawCircle(a, 0.3, RED); }, false},
        {"drawDashDotCircle", [=] { drawDashDotCircle(a, 0.3, BLUE); }, false},
        {"drawScaledDisc", [=] { drawScaledDisc(0.2, a, 0.3, RED); }, false},
        {"drawScaledCircle", [=] { drawScaledCircle(0.2, a, 0.3, RED); }, false},
        {"drawScaledDashDotCircle", [=] { drawScaledDashDotCircle(0.2, a, 3.0, BLUE); }, false},
        {"drawDashedCircle", [=] { drawDashedCircle(a, 0.3, BLACK); }, false},
        {"drawFilledEllipse", [=] { drawFilledEllipse(a, 0.3, 0.2, 0.4, GREEN); }, false},
        {"drawEllipseOutline", [=] { drawEllipseOutline(a, 0.3, 0.2, 0.4, GREEN); }, false},
    };
}

TEST_F(KitTest, EveryPrimitiveBracketsLightingSetsColourFirstAndRestoresTheMatrix)
{
    for (const Primitive& primitive : everyPrimitive()) {
        SCOPED_TRACE(primitive.name);
        glrec::reset();
        primitive.draw();
        const std::size_t n = glrec::size();
        ASSERT_GE(n, 2U);
        EXPECT_EQ(glrec::at(0).fn, Fn::Disable);
        EXPECT_EQ(glrec::at(0).a[0], GL_LIGHTING);
        EXPECT_EQ(glrec::at(n - 1).fn, Fn::Enable);
        EXPECT_EQ(glrec::at(n - 1).a[0], GL_LIGHTING);
        EXPECT_EQ(glrec::count(Fn::Disable), 1);
        EXPECT_EQ(glrec::count(Fn::Enable), 1);

        long long depth = 0;
        bool inside = false;
        bool coloured = false;
        for (std::size_t i = 0; i < n; ++i) {
            const Fn fn = glrec::at(i).fn;
            if (fn == Fn::Color4f) {
                coloured = true;
            } else if (fn == Fn::PushMatrix) {
                ++depth;
            } else if (fn == Fn::PopMatrix) {
                --depth;
                EXPECT_GE(depth, 0) << "pop without push at " << i;
            } else if (fn == Fn::Begin) {
                EXPECT_TRUE(coloured) << "glBegin before any colour at " << i;
                EXPECT_FALSE(inside) << "nested glBegin at " << i;
                inside = true;
            } else if (fn == Fn::End) {
                EXPECT_TRUE(inside) << "glEnd without glBegin at " << i;
                inside = false;
            } else if (fn == Fn::Vertex2d) {
                EXPECT_TRUE(inside) << "vertex outside glBegin/glEnd at " << i;
            }
        }
        EXPECT_EQ(depth, 0);
        EXPECT_FALSE(inside);
        if (!primitive.setsWidth) {
            EXPECT_EQ(glrec::count(Fn::LineWidth), 0);
        }
    }
}

}  // namespace
