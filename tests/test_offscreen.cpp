// test_offscreen.cpp -- the dash-dot patterns zoomed in: a bounded number of calls
// that show the same dashes in the window as the plain drawing, and never a NaN or
// infinity for GL.
//
// Every vertex reaches GL in window coordinates, so the recorded segments are what
// the window shows. The plain drawing to compare with is the same call in the
// kit's plain mode: every dash of the figure, nothing culled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "draw/batch.h"
#include "draw/dash_pattern.h"
#include "draw/gear_render.h"
#include "draw/round_primitives.h"
#include "recorder/gl_recorder.h"

namespace {

using glrec::Fn;
constexpr double TRUE_PI = 3.14159265358979323846;
constexpr double PIXEL = 0.0025;

// [SECTION] The recorded segments

struct Affine {  // (x, y) -> (a x + b y + tx, c x + d y + ty)
    double a, b, c, d, tx, ty;
};

Vec2 applyInverse(const Affine& m, const Vec2& p)
{
    const double det = m.a * m.d - m.b * m.c;
    return Vec2{(m.d * (p.x - m.tx) - m.b * (p.y - m.ty)) / det,
                (m.a * (p.y - m.ty) - m.c * (p.x - m.tx)) / det};
}

// The kit's modelview, where a figure starts.
Affine kitFrame()
{
    const KitMatrix& k = kitMatrix();
    return Affine{k.a, k.b, k.c, k.d, k.tx, k.ty};
}

struct Segment {
    Vec2 p, q;
};

// Every GL_LINES segment sent since the trace began, in window units.
std::vector<Segment> sentSegments()
{
    flushBatch();
    std::vector<Segment> lines;
    bool isLines = false;
    bool pending = false;
    Vec2 first = {0, 0};
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        if (c.fn == Fn::Begin) {
            isLines = c.a[0] == GL_LINES;
            pending = false;
        } else if (c.fn == Fn::Vertex2d && isLines) {
            const Vec2 v = {c.a[0], c.a[1]};
            if (pending) {
                lines.push_back(Segment{first, v});
            }
            first = v;
            pending = !pending;
        }
    }
    return lines;
}

// A frame begun afresh, moved by (x, y) window units and turned by `turn` radians.
void startFrame(double x = 0.0, double y = 0.0, double turn = 0.0)
{
    startBatchFrame();
    glrec::reset();
    kitTranslate(x, y);
    kitRotate(turn * RAD_TO_DEG);
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
// they touch.
std::vector<Interval> shown(const std::vector<Segment>& segments,
                            const std::function<double(const Vec2&)>& param)
{
    std::vector<Interval> pieces;
    for (Segment s : segments) {
        if (clipToWindow(s.p, s.q)) {
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

class OffscreenTest : public ::testing::Test {
protected:
    void SetUp() override { startFrame(); }
    void TearDown() override { viewState.scale = 0.2; }
};

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
    const double turn = std::get<1>(GetParam());
    const double pitchRadius = std::get<2>(GetParam());
    startFrame();
    viewState.scale = 0.2;
    for (int i = 0; i < presses; ++i) {
        viewState.scale = viewState.scale / 0.9;
    }
    const double zoom = viewState.scale;
    drawGearCircles(Vec2{0.0, -pitchRadius}, turn, 0.94 * pitchRadius, pitchRadius - 1.25, 0.0,
                    pitchRadius, pitchRadius, pitchRadius + 1.0);
    ASSERT_FALSE(glrec::overflowed());
    EXPECT_LT(sentSegments().size(), 50000u);
    EXPECT_TRUE(glrec::allFinite());
    // The pitch circle alone, in the frame its gear turns it in: about 2 units of it
    // cross the window through the pitch point, 11/15 inked.
    startFrame(0.0, -zoom * pitchRadius, turn);
    drawScaledDashDotCircle(zoom, ORIGIN, pitchRadius, BLUE);
    const double radius = pitchRadius * zoom;
    double inked = 0.0;
    for (Segment s : sentSegments()) {
        if (clipToWindow(s.p, s.q)) {
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
void compareCircle(double x, double y, double turn, const std::function<void()>& draw,
                   const Vec2& centre, double r)
{
    startFrame(x, y, turn);
    const Affine frame = kitFrame();
    draw();
    const std::vector<Segment> culled = sentSegments();
    EXPECT_LT(culled.size(), 10000u);
    startFrame(x, y, turn);
    kitScreen.plain = true;
    draw();
    kitScreen.plain = false;
    const std::vector<Segment> plain = sentSegments();
    ASSERT_FALSE(glrec::overflowed());

    const double radius = std::fabs(r);
    const Vec2 o = applyInverse(frame, ORIGIN);
    const double facing = std::atan2(o.y - centre.y, o.x - centre.x);
    const auto angle = [&](const Vec2& w) {
        const Vec2 p = applyInverse(frame, w);
        return std::remainder(std::atan2(p.y - centre.y, p.x - centre.x) - facing, 2.0 * TRUE_PI);
    };
    const std::vector<Interval> want = shown(plain, angle);
    const std::vector<Interval> got = shown(culled, angle);
    // Vertices reach GL as floats: a few millionths of a unit.
    const double tolerance = 0.25 * PIXEL / radius + 4e-6 / radius;
    ASSERT_FALSE(want.empty());
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(got[i].first, want[i].first, tolerance) << i;
        EXPECT_NEAR(got[i].second, want[i].second, tolerance) << i;
    }
    // Every chord sent once, near the window, sagging at most a quarter pixel.
    std::vector<std::pair<double, double>> starts;
    for (const Segment& s : culled) {
        starts.emplace_back(s.p.x, s.p.y);
        EXPECT_FALSE(std::fmin(s.p.x, s.q.x) > 1.01 || std::fmax(s.p.x, s.q.x) < -1.01 ||
                     std::fmin(s.p.y, s.q.y) > 1.01 || std::fmax(s.p.y, s.q.y) < -1.01);
        const Vec2 mid = applyInverse(frame, Vec2{(s.p.x + s.q.x) / 2.0, (s.p.y + s.q.y) / 2.0});
        const double sag = radius - std::hypot(mid.x - centre.x, mid.y - centre.y);
        EXPECT_TRUE(sag > -1e-5 && sag <= PIXEL / 4.0 * 1.001 + 1e-5) << sag;
    }
    std::sort(starts.begin(), starts.end());
    EXPECT_EQ(std::adjacent_find(starts.begin(), starts.end()), starts.end());
}

TEST_F(OffscreenTest, CulledCirclesShowThePlainDashes)
{
    viewState.scale = 0.2 / std::pow(0.9, 20);  // 16.5 units on screen: 470,000 plain chords
    const double s = viewState.scale;
    // A 20-tooth gear's pitch circle, in the frame its gear turns it in.
    compareCircle(0.0, -10.0 * s, 0.3, [s] { drawScaledDashDotCircle(s, ORIGIN, 10.0, BLUE); },
                  ORIGIN, 10.0 * s);
    // The seam, where the last group meets the first, at (0.2, 0).
    compareCircle(0.0, 0.0, 0.0, [] { drawDashDotCircle(Vec2{-16.3, 0.0}, 16.5, BLUE); },
                  Vec2{-16.3, 0.0}, 16.5);
    // A negative radius, with an odd number of groups (377).
    compareCircle(0.0, 0.0, 0.0, [] { drawDashDotCircle(Vec2{0.0, -12.0}, -12.02, BLUE); },
                  Vec2{0.0, -12.0}, -12.02);
}

// The same for a line, as stretches of the distance along it from p1, drawn in
// a frame moved by (x, y) and turned by `turn` radians.
void compareLine(const Vec2& p1, const Vec2& p2, double x = 0.0, double y = 0.0, double turn = 0.0)
{
    std::vector<Interval> runs[2];
    for (int k = 0; k < 2; ++k) {
        startFrame(x, y, turn);
        const Affine frame = kitFrame();
        kitScreen.plain = k == 0;
        drawDashDotLine(p1, p2, BLUE);
        kitScreen.plain = false;
        const std::vector<Segment> segments = sentSegments();
        ASSERT_FALSE(glrec::overflowed());
        EXPECT_TRUE(k == 0 || segments.size() < 100u);
        const Vec2 a = {frame.a * p1.x + frame.b * p1.y + frame.tx, frame.c * p1.x + frame.d * p1.y + frame.ty};
        const Vec2 b = {frame.a * p2.x + frame.b * p2.y + frame.tx, frame.c * p2.x + frame.d * p2.y + frame.ty};
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        runs[k] = shown(segments, [&](const Vec2& w) {
            return ((w.x - a.x) * (b.x - a.x) + (w.y - a.y) * (b.y - a.y)) / length;
        });
    }
    ASSERT_FALSE(runs[0].empty());
    ASSERT_EQ(runs[1].size(), runs[0].size());
    for (std::size_t i = 0; i < runs[0].size(); ++i) {
        // Vertices reach GL as floats, the plain line's far ones hundreds of units out.
        const double tolerance = 4e-7 * (std::fabs(runs[0][i].first) + 1.0);
        EXPECT_NEAR(runs[1][i].first, runs[0][i].first, tolerance) << i;
        EXPECT_NEAR(runs[1][i].second, runs[0][i].second, tolerance) << i;
    }
}

TEST_F(OffscreenTest, CulledLinesShowThePlainDashes)
{
    compareLine(Vec2{-1500.0, 0.3}, Vec2{1700.0, -0.2});
    compareLine(Vec2{0.2, 0.1}, Vec2{2000.0, 900.0});  // the start in view
    compareLine(Vec2{2000.0, 900.0}, Vec2{0.2, 0.1});  // the end in view
    compareLine(Vec2{-3000.0, 0.0}, Vec2{3000.0, 0.5}, 0.2, -0.1, 0.5);
    compareLine(Vec2{-20000.0, 0.3}, Vec2{24000.0, -0.2});  // the longest a view draws
}

}  // namespace
