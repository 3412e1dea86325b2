// test_round_primitives.cpp -- discs, circles, dash-dot and dashed circles and
// ellipses, read back from the recorded GL calls as the window sees them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
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

// Stretches of polar angle (kit degrees from +x, starts in [0, 360)) inked by the
// chords about c, merged where they touch, the seam at +x included, in order.
std::vector<std::pair<double, double>> inkedArcs(const Vec2& c = ORIGIN)
{
    const double turn = 360.0 * TRUE_PI / KIT_PI;
    const std::vector<Vec2> ends = segmentEnds();
    std::vector<std::pair<double, double>> chords;
    for (std::size_t i = 0; i < ends.size(); i += 2) {
        const double a = kitDegrees(ends[i], c);
        const double b = kitDegrees(ends[i + 1], c);
        chords.emplace_back(a, b < a - 180.0 ? b + turn : b);
    }
    std::sort(chords.begin(), chords.end());
    std::vector<std::pair<double, double>> arcs;
    for (const auto& chord : chords) {
        if (!arcs.empty() && std::fabs(arcs.back().second - chord.first) < 1e-6) {
            arcs.back().second = chord.second;
        } else {
            arcs.push_back(chord);
        }
    }
    if (arcs.size() > 1 && std::fabs(arcs.back().second - turn - arcs.front().first) < 1e-6) {
        arcs.back().second = arcs.front().second + turn;
        arcs.erase(arcs.begin());
    }
    return arcs;
}

class RoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startBatchFrame();
        glrec::reset();
    }
};

// Every chord ends on the circle and sags at most a quarter pixel below it, with
// no more chords than that needs; a disc's fan covers it as well.
TEST_F(RoundTest, CircleAndDiscAreCutToAQuarterPixel)
{
    const double quarter = 0.25 / 400.0;
    for (const double r : {0.002, 0.01, 0.3, 0.95}) {
        glrec::reset();
        drawScaledCircle(0.5, Vec2{0.0, 0.1}, 2.0 * r, YELLOW);
        drawDisc(Vec2{0.0, 0.05}, -r, BLACK);
        drawCircle(ORIGIN, 0.0, GREEN);  // nothing
        flushBatch();
        const std::vector<Vec2> ends = segmentEnds();
        ASSERT_EQ(ends.size(), verticesOf(GL_LINES).size()) << "a piece of no length";
        double turned = 0.0;
        for (std::size_t i = 0; i < ends.size(); i += 2) {
            const Vec2 m = {(ends[i].x + ends[i + 1].x) / 2.0, (ends[i].y + ends[i + 1].y) / 2.0};
            EXPECT_NEAR(std::hypot(ends[i].x, ends[i].y - 0.05), r, FLOAT_TIGHT);
            EXPECT_LE(r - std::hypot(m.x, m.y - 0.05), quarter * 1.0001 + FLOAT_TIGHT) << r;
            turned += 2.0 * std::asin(std::hypot(ends[i + 1].x - ends[i].x, ends[i + 1].y - ends[i].y) / 2.0 / r);
        }
        EXPECT_NEAR(turned, 2.0 * TRUE_PI, 1e-3) << r;
        const double fewest = TRUE_PI / std::acos(std::fmax(1.0 - quarter / r, -0.5));
        EXPECT_LE(ends.size() / 2.0, std::ceil(fewest) + 1.0) << r;
        double area = 0.0;
        const std::vector<Vec2> fan = verticesOf(GL_TRIANGLES);
        for (std::size_t i = 0; i + 2 < fan.size(); i += 3) {
            area += std::fabs((fan[i + 1].x - fan[i].x) * (fan[i + 2].y - fan[i].y) -
                              (fan[i + 2].x - fan[i].x) * (fan[i + 1].y - fan[i].y)) / 2.0;
        }
        EXPECT_GE(area, TRUE_PI * r * r - 2.0 * TRUE_PI * r * quarter) << r;
        EXPECT_LE(area, TRUE_PI * r * r) << r;
    }
}

struct Pattern {
    double r;
    int groups;
    int dash;
    int dot;
};

// Each group is a long dash of d steps and a dot of g, in a group of d + 3g steps,
// the first group turned one group on from +x; a negative radius puts the whole
// pattern opposite.
TEST_F(RoundTest, DashDotCircleFollowsItsRadius)
{
    const Pattern patterns[] = {{0.1, 6, 9, 2}, {0.2, 6, 9, 2}, {0.5, 15, 22, 5}, {0.9, 28, 40, 9}};
    for (const Pattern& p : patterns) {
        glrec::reset();
        drawDashDotCircle(ORIGIN, p.r, BLUE);
        flushBatch();
        const auto arcs = inkedArcs();
        ASSERT_EQ(arcs.size(), 2u * p.groups) << p.r;
        const double groupDegrees = 360.0 / p.groups;
        const double stepDegrees = groupDegrees / (p.dash + 3 * p.dot);
        int dashes = 0;
        for (std::size_t k = 0; k < arcs.size(); ++k) {
            if (std::fabs(arcs[k].second - arcs[k].first - p.dash * stepDegrees) > 1e-3) {
                continue;
            }
            ++dashes;
            const auto& dot = arcs[(k + 1) % arcs.size()];
            EXPECT_NEAR(std::remainder(arcs[k].first, groupDegrees), 0.0, 1e-3) << p.r << " " << k;
            EXPECT_NEAR(std::remainder(dot.first - arcs[k].first - (p.dash + p.dot) * stepDegrees, 360.0),
                        0.0, 1e-3);
            EXPECT_NEAR(dot.second - dot.first, p.dot * stepDegrees, 1e-3);
        }
        EXPECT_EQ(dashes, p.groups) << p.r;
    }
    glrec::reset();
    drawScaledDashDotCircle(0.2, Vec2{0.5, 0.5}, 2.5, BLUE);  // radius 0.5 about (0.1, 0.1)
    flushBatch();
    const auto arcs = inkedArcs(Vec2{0.1, 0.1});
    glrec::reset();
    drawDashDotCircle(Vec2{0.1, 0.1}, -0.5, BLUE);
    flushBatch();
    const auto opposite = inkedArcs(Vec2{0.1, 0.1});
    ASSERT_EQ(arcs.size(), opposite.size());
    for (const auto& arc : opposite) {
        const double start = std::remainder(arc.first - 180.0 * TRUE_PI / KIT_PI, 360.0);
        EXPECT_TRUE(std::any_of(arcs.begin(), arcs.end(), [&](const std::pair<double, double>& a) {
            return std::fabs(std::remainder(a.first - start, 360.0)) < 1e-3 &&
                   std::fabs((a.second - a.first) - (arc.second - arc.first)) < 1e-3;
        })) << arc.first;
    }
}

TEST_F(RoundTest, DashedCircleAndEllipsesFollowTheirOwnRules)
{
    drawDashedCircle(ORIGIN, 0.1, BLACK);  // 6 groups of 8 steps of 6 degrees, from 60
    flushBatch();
    const auto arcs = inkedArcs();
    ASSERT_EQ(arcs.size(), 6u);
    for (const auto& arc : arcs) {
        EXPECT_NEAR(std::remainder(arc.first, 60.0), 0.0, 1e-3);
        EXPECT_NEAR(arc.second - arc.first, 48.0, 1e-3);
    }
    std::vector<Vec2> ends;

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
