// test_offscreen.cpp -- the dash-dot patterns zoomed in: plain calls whenever the
// figure is cheap, otherwise a bounded number of calls that show the same dashes
// in the window as the plain drawing, and never a NaN or infinity for GL.
//
// The recorder keeps no matrices, so these tests replay the recorded matrix calls
// as an exact GL would to find where each vertex lands, and answer the kit's
// modelview queries from that replay. The plain drawing to compare with is sent
// by the kit's plain senders in the same frame, every dash of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "draw/dash_pattern.h"
#include "draw/gear_render.h"
#include "draw/round_primitives.h"
#include "recorder/gl_recorder.h"

namespace {

using glrec::Fn;
constexpr double TRUE_PI = 3.14159265358979323846;
constexpr double PIXEL = 0.0025;

// [SECTION] Replaying the recorded matrix calls

struct Affine {  // (x, y) -> (a x + b y + tx, c x + d y + ty)
    double a, b, c, d, tx, ty;
};

Affine compose(const Affine& m, const Affine& n)
{
    return Affine{m.a * n.a + m.b * n.c, m.a * n.b + m.b * n.d, m.c * n.a + m.d * n.c,
                  m.c * n.b + m.d * n.d, m.a * n.tx + m.b * n.ty + m.tx, m.c * n.tx + m.d * n.ty + m.ty};
}

Vec2 apply(const Affine& m, const Vec2& p)
{
    return Vec2{m.a * p.x + m.b * p.y + m.tx, m.c * p.x + m.d * p.y + m.ty};
}

Vec2 applyInverse(const Affine& m, const Vec2& p)
{
    const double det = m.a * m.d - m.b * m.c;
    return Vec2{(m.d * (p.x - m.tx) - m.b * (p.y - m.ty)) / det,
                (m.a * (p.y - m.ty) - m.c * (p.x - m.tx)) / det};
}

Affine turn(double radians)
{
    return Affine{std::cos(radians), -std::sin(radians), std::sin(radians), std::cos(radians), 0, 0};
}

const Affine IDENTITY = {1, 0, 0, 1, 0, 0};
Affine startMatrix = IDENTITY;  // the frame's modelview the drawing starts from

struct Segment {
    Vec2 p, q;
    std::size_t index;  // trace index of its second vertex
};

// GL_LINES segments in window units, and the modelview after the first upTo calls.
std::vector<Segment> replay(std::size_t upTo, Affine* modelview = nullptr)
{
    std::vector<Segment> lines;
    std::vector<Affine> stack = {startMatrix};
    bool isLines = false;
    bool pending = false;
    Vec2 first = {0, 0};
    for (std::size_t i = 0; i < upTo && i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        Affine& top = stack.back();
        if (c.fn == Fn::PushMatrix) {
            stack.push_back(top);
        } else if (c.fn == Fn::PopMatrix) {
            stack.pop_back();
        } else if (c.fn == Fn::LoadIdentity) {
            top = IDENTITY;
        } else if (c.fn == Fn::Translated) {
            top = compose(top, Affine{1, 0, 0, 1, c.a[0], c.a[1]});
        } else if (c.fn == Fn::Rotated) {
            top = compose(top, turn(c.a[0] * TRUE_PI / 180.0));
        } else if (c.fn == Fn::Begin) {
            isLines = c.a[0] == GL_LINES;
            pending = false;
        } else if (c.fn == Fn::Vertex2d && isLines) {
            const Vec2 v = apply(top, Vec2{c.a[0], c.a[1]});
            if (pending) {
                lines.push_back(Segment{first, v, i});
            }
            first = v;
            pending = !pending;
        }
    }
    if (modelview != nullptr) {
        *modelview = stack.back();
    }
    return lines;
}

void fill(const Affine& m, GLdouble* v)
{
    const double values[16] = {m.a, m.c, 0, 0, m.b, m.d, 0, 0, 0, 0, 1, 0, m.tx, m.ty, 0, 1};
    std::copy(values, values + 16, v);
}

// The modelview that the recorded calls have built so far.
void exactModelview(GLenum, GLdouble* v)
{
    Affine m = IDENTITY;
    replay(glrec::size(), &m);
    fill(m, v);
}

// [SECTION] What shows in the window

bool clipToWindow(Vec2& p, Vec2& q)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double pk[4] = {p.x - q.x, q.x - p.x, p.y - q.y, q.y - p.y};
    const double qk[4] = {p.x + 1.0, 1.0 - p.x, p.y + 1.0, 1.0 - p.y};
    for (int k = 0; k < 4; ++k) {
        if (pk[k] < 0.0) {
            t0 = std::max(t0, qk[k] / pk[k]);
        } else if (pk[k] > 0.0) {
            t1 = std::min(t1, qk[k] / pk[k]);
        } else if (qk[k] < 0.0) {
            return false;
        }
    }
    const Vec2 d = {q.x - p.x, q.y - p.y};
    q = Vec2{p.x + t1 * d.x, p.y + t1 * d.y};
    p = Vec2{p.x + t0 * d.x, p.y + t0 * d.y};
    return t0 < t1;
}

using Interval = std::pair<double, double>;

// The stretches of a figure's own parameter inked in the window, merged where
// they touch, from the segments recorded at or after `from`.
std::vector<Interval> shown(const std::vector<Segment>& segments, std::size_t from,
                            const std::function<double(const Vec2&)>& param)
{
    std::vector<Interval> pieces;
    for (Segment s : segments) {
        if (s.index >= from && clipToWindow(s.p, s.q)) {
            pieces.emplace_back(std::min(param(s.p), param(s.q)), std::max(param(s.p), param(s.q)));
        }
    }
    std::sort(pieces.begin(), pieces.end());
    std::vector<Interval> merged;
    for (const Interval& piece : pieces) {
        if (!merged.empty() && piece.first <= merged.back().second + 1e-9) {
            merged.back().second = std::max(merged.back().second, piece.second);
        } else {
            merged.push_back(piece);
        }
    }
    return merged;
}

std::size_t lastFigureStart()
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        start = (glrec::at(i).fn == Fn::Disable) ? i : start;
    }
    return start;
}

// The driven wheel of a 20/20 pair, working pitch radius 10 below the pitch point.
void drawTwentyToothCircles(double angle)
{
    drawGearCircles(Vec2{0.0, -10.0}, angle, 9.3969, 8.75, 0.0, 10.0, 10.0, 11.0);
}

class OffscreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        glrec::reset();
        startMatrix = IDENTITY;
    }
    void TearDown() override { viewState.scale = 0.2; }
};

// [SECTION] Plain calls kept

TEST_F(OffscreenTest, CheapFiguresKeepThePlainCalls)
{
    drawDashDotCircle(Vec2{0.0, -2.0}, 2.0, BLUE);  // partly off screen, but only 6,820 chords
    EXPECT_EQ(glrec::count(Fn::GetDoublev), 0);
    EXPECT_EQ(glrec::count(Fn::Vertex2d), 2 * 62 * 110);
    drawDashDotLine(Vec2{-400.0, 0.1}, Vec2{400.0, 0.1}, GREEN);  // 4,799 periods
    EXPECT_EQ(glrec::count(Fn::GetDoublev), 0);
    EXPECT_EQ(glrec::count(Fn::Vertex2d), 2 * 62 * 110 + 4 * 4799 + 2);
}

// [SECTION] Bounded cost at every zoom the keys reach

// Presses of 'W' from the start zoom, the turn of the gear, and its working pitch
// radius: 65 presses reach the largest zoom, and 100 is the largest gear's.
using Zoomed = std::tuple<int, double, double>;

class PitchCircleZoom : public ::testing::TestWithParam<Zoomed> {
protected:
    void TearDown() override { viewState.scale = 0.2; }
};

TEST_P(PitchCircleZoom, StaysCheapFiniteAndShowsThePitchCircle)
{
    const int presses = std::get<0>(GetParam());
    const double pitchRadius = std::get<2>(GetParam());
    glrec::reset();
    startMatrix = IDENTITY;
    viewState.scale = 0.2;
    for (int i = 0; i < presses; ++i) {
        viewState.scale = viewState.scale / 0.9;
    }
    glrec::setMatrixSource(exactModelview);
    drawGearCircles(Vec2{0.0, -pitchRadius}, std::get<1>(GetParam()), 0.94 * pitchRadius,
                    pitchRadius - 1.25, 0.0, pitchRadius, pitchRadius, pitchRadius + 1.0);
    ASSERT_FALSE(glrec::overflowed());
    EXPECT_LT(glrec::count(Fn::Vertex2d), 100000);
    EXPECT_TRUE(glrec::allFinite());
    EXPECT_EQ(glrec::count(Fn::PushMatrix), glrec::count(Fn::PopMatrix));
    // About 2 units of the circle through the pitch point cross the window, 11/15 inked.
    const double radius = pitchRadius * viewState.scale;
    const std::size_t pitchFrom = lastFigureStart();
    double inked = 0.0;
    for (Segment s : replay(glrec::size())) {
        if (s.index > pitchFrom && clipToWindow(s.p, s.q)) {
            inked += std::hypot(s.q.x - s.p.x, s.q.y - s.p.y);
            const Vec2 m = {(s.p.x + s.q.x) / 2.0, (s.p.y + s.q.y) / 2.0};
            EXPECT_NEAR(std::hypot(m.x, m.y + radius), radius, PIXEL / 4.0);
        }
    }
    EXPECT_NEAR(inked, 2.0 * 11.0 / 15.0, 0.15);
}

INSTANTIATE_TEST_SUITE_P(Presses, PitchCircleZoom,
                         ::testing::Values(Zoomed{30, 0.0, 10.0}, Zoomed{30, 0.7, 10.0},
                                           Zoomed{60, 0.7, 10.0}, Zoomed{65, 0.0, 10.0},
                                           Zoomed{65, 0.7, 100.0}));

// [SECTION] The same dashes as the plain drawing

// Draws as the kit chooses, then plain in the same frame, and compares what shows
// as stretches of the circle's own polar angle about `centre` (in the frame the
// figure starts in). r may be negative.
void compareCircle(const std::function<void()>& draw, const Vec2& centre, double r)
{
    glrec::reset();
    glrec::setMatrixSource(exactModelview);
    draw();
    EXPECT_EQ(glrec::count(Fn::LoadIdentity), 1);
    EXPECT_LT(glrec::count(Fn::Vertex2d), 20000);
    const std::size_t culledFrom = lastFigureStart();
    Affine frame = IDENTITY;
    replay(culledFrom, &frame);
    const std::vector<Segment> culled = replay(glrec::size());

    const Affine saved = startMatrix;
    startMatrix = frame;
    glrec::reset();
    glDisable(GL_LIGHTING);
    sendDashDotCircle(toWindow(centre.x), toWindow(centre.y), toWindow(r), circlePattern(r), BLUE);
    ASSERT_FALSE(glrec::overflowed());
    const std::size_t plainFrom = 0;
    const std::vector<Segment> plain = replay(glrec::size());
    startMatrix = saved;

    const double radius = std::fabs(r);
    const Vec2 o = applyInverse(frame, ORIGIN);
    const double facing = std::atan2(o.y - centre.y, o.x - centre.x);
    const auto angle = [&](const Vec2& w) {
        const Vec2 p = applyInverse(frame, w);
        return std::remainder(std::atan2(p.y - centre.y, p.x - centre.x) - facing, 2.0 * TRUE_PI);
    };
    const std::vector<Interval> want = shown(plain, plainFrom, angle);
    const std::vector<Interval> got = shown(culled, culledFrom, angle);
    const double stretch = std::sqrt(std::fabs(frame.a * frame.d - frame.b * frame.c));
    const double most = (std::hypot(frame.a + frame.d, frame.c - frame.b) +
                         std::hypot(frame.a - frame.d, frame.c + frame.b)) / 2.0;
    const double tolerance = 0.25 * PIXEL / (radius * stretch);
    ASSERT_FALSE(want.empty());
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(got[i].first, want[i].first, tolerance) << i;
        EXPECT_NEAR(got[i].second, want[i].second, tolerance) << i;
    }
    // Every chord sent once, near the window, sagging at most a quarter pixel.
    std::vector<std::pair<double, double>> starts;
    for (const Segment& s : culled) {
        if (s.index < culledFrom) {
            continue;
        }
        starts.emplace_back(s.p.x, s.p.y);
        EXPECT_FALSE(std::fmin(s.p.x, s.q.x) > 1.01 || std::fmax(s.p.x, s.q.x) < -1.01 ||
                     std::fmin(s.p.y, s.q.y) > 1.01 || std::fmax(s.p.y, s.q.y) < -1.01);
        const Vec2 mid = applyInverse(frame, Vec2{(s.p.x + s.q.x) / 2.0, (s.p.y + s.q.y) / 2.0});
        const double sag = (radius - std::hypot(mid.x - centre.x, mid.y - centre.y)) * most;
        EXPECT_TRUE(sag > -1e-9 && sag <= PIXEL / 4.0 * 1.001) << sag;
    }
    std::sort(starts.begin(), starts.end());
    EXPECT_EQ(std::adjacent_find(starts.begin(), starts.end()), starts.end());
}

TEST_F(OffscreenTest, CulledCirclesShowThePlainDashes)
{
    viewState.scale = 0.2 / std::pow(0.9, 20);  // 16.5 units on screen: 470,000 plain chords
    compareCircle([] { drawTwentyToothCircles(0.3); }, ORIGIN, 10.0 * viewState.scale);
    // The seam, where the last group meets the first, at (0.2, 0).
    compareCircle([] { drawDashDotCircle(Vec2{-16.3, 0.0}, 16.5, BLUE); }, Vec2{-16.3, 0.0}, 16.5);
    // A negative radius, with an odd number of groups (377).
    compareCircle([] { drawDashDotCircle(Vec2{0.0, -12.0}, -12.02, BLUE); }, Vec2{0.0, -12.0}, -12.02);
    // Enlarged, so that single chords would sag 2 pixels.
    startMatrix = Affine{5.0, 0, 0, 5.0, 0, 0};
    compareCircle([] { drawDashDotCircle(Vec2{0.0, -4.05}, 4.0, BLUE); }, Vec2{0.0, -4.05}, 4.0);
}

// The same for a line, as stretches of the distance along it from p1.
void compareLine(const Vec2& p1, const Vec2& p2)
{
    std::vector<Interval> runs[2];
    for (int k = 0; k < 2; ++k) {
        glrec::reset();
        glrec::setMatrixSource(exactModelview);
        if (k == 0) {
            const double length = std::hypot(p1.x - p2.x, p1.y - p2.y);
            glDisable(GL_LIGHTING);
            sendDashDotLine(toWindow(p1.x), toWindow(p1.y), std::atan2(p2.y - p1.y, p2.x - p1.x),
                            linePattern(length), BLUE);
        } else {
            drawDashDotLine(p1, p2, BLUE);
            EXPECT_EQ(glrec::count(Fn::LoadIdentity), 1);
            EXPECT_LT(glrec::count(Fn::Vertex2d), 200);
        }
        ASSERT_FALSE(glrec::overflowed());
        const Vec2 a = apply(startMatrix, p1);
        const Vec2 b = apply(startMatrix, p2);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        runs[k] = shown(replay(glrec::size()), 0, [&](const Vec2& w) {
            return ((w.x - a.x) * (b.x - a.x) + (w.y - a.y) * (b.y - a.y)) / length;
        });
    }
    ASSERT_FALSE(runs[0].empty());
    ASSERT_EQ(runs[1].size(), runs[0].size());
    for (std::size_t i = 0; i < runs[0].size(); ++i) {
        EXPECT_NEAR(runs[1][i].first, runs[0][i].first, 1e-7) << i;
        EXPECT_NEAR(runs[1][i].second, runs[0][i].second, 1e-7) << i;
    }
}

TEST_F(OffscreenTest, CulledLinesShowThePlainDashes)
{
    compareLine(Vec2{-1500.0, 0.3}, Vec2{1700.0, -0.2});
    compareLine(Vec2{0.2, 0.1}, Vec2{2000.0, 900.0});  // the start in view
    compareLine(Vec2{2000.0, 900.0}, Vec2{0.2, 0.1});  // the end in view
    startMatrix = compose(Affine{1, 0, 0, 1, 0.2, -0.1}, turn(0.5));
    compareLine(Vec2{-3000.0, 0.0}, Vec2{3000.0, 0.5});
    startMatrix = IDENTITY;
    compareLine(Vec2{-20000.0, 0.3}, Vec2{24000.0, -0.2});  // the longest a view draws
}

}  // namespace
