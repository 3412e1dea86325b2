// test_offscreen.cpp -- the dash-dot patterns at deep zoom: plain calls whenever
// the figure is cheap or wholly in the window, otherwise a bounded number of calls
// that show the same dashes in the window, and never a NaN or infinity for GL.
//
// The recorder keeps no matrices, so these tests replay the recorded matrix calls
// as an exact GL would to find where each vertex lands, and answer the kit's
// modelview queries from that replay. The plain drawing to compare with comes from
// answering the query with a matrix that shrinks everything into the window: the
// kit then draws the plain way, and the replay still places it with the true one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

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

// A modelview under which every figure here lies in the window.
void shrinkingModelview(GLenum, GLdouble* v)
{
    fill(Affine{1e-7, 0, 0, 1e-7, 0, 0}, v);
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

TEST_F(OffscreenTest, CheapOrWhollyVisibleFiguresKeepThePlainCalls)
{
    drawDashDotCircle(Vec2{0.0, -2.0}, 2.0, BLUE);  // partly off screen, but only 6,820 chords
    EXPECT_EQ(glrec::count(Fn::GetDoublev), 0);
    EXPECT_EQ(glrec::count(Fn::Vertex2d), 2 * 62 * 110);

    // 0.9 units about (0.05, -0.03) on screen: 282 groups of 405 + 90 chords.
    glrec::reset();
    double tenth[16] = {0.1, 0, 0, 0, 0, 0.1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    glrec::setModelview(tenth);
    drawDashDotCircle(Vec2{0.5, -0.3}, 9.0, BLUE);
    ASSERT_FALSE(glrec::overflowed());
    EXPECT_EQ(glrec::sequence(0, 7), (std::vector<Fn>{Fn::Disable, Fn::GetDoublev, Fn::PushMatrix,
                                                      Fn::Translated, Fn::Color4f, Fn::Rotated,
                                                      Fn::Begin}));
    EXPECT_EQ(glrec::count(Fn::Rotated), 282);
    EXPECT_EQ(glrec::count(Fn::Vertex2d), 2LL * 282 * 495);
    EXPECT_NEAR(glrec::at(8).a[1], std::sin(2.0 * KIT_PI / (282.0 * 675.0)) * 9.0, 1e-12);

    glrec::reset();
    tenth[0] = tenth[5] = 1e-4;
    glrec::setModelview(tenth);
    drawDashDotLine(Vec2{-2000.0, 100.0}, Vec2{3000.0, -500.0}, GREEN);
    EXPECT_EQ(glrec::count(Fn::Vertex2d),
              4 * static_cast<long long>(6.0 * std::hypot(5000.0, 600.0) - 1.0) + 2);
    EXPECT_EQ(glrec::count(Fn::LoadIdentity), 0);
}

// [SECTION] Bounded cost at any zoom

class PitchCircleZoom : public ::testing::TestWithParam<std::pair<int, double>> {
protected:
    void TearDown() override { viewState.scale = 0.2; }
};

TEST_P(PitchCircleZoom, StaysCheapFiniteAndShowsThePitchCircle)
{
    const int presses = GetParam().first;
    glrec::reset();
    startMatrix = IDENTITY;
    viewState.scale = 0.2;
    for (int i = 0; i < presses; ++i) {
        viewState.scale = viewState.scale / 0.9;
    }
    glrec::setMatrixSource(exactModelview);
    drawTwentyToothCircles(GetParam().second);
    ASSERT_FALSE(glrec::overflowed());
    EXPECT_LT(glrec::count(Fn::Vertex2d), 100000);
    EXPECT_TRUE(glrec::allFinite());
    EXPECT_EQ(glrec::count(Fn::PushMatrix), glrec::count(Fn::PopMatrix));
    if (presses > 200) {
        return;  // where no double places the circle to a pixel
    }
    // About 2 units of the circle through the pitch point cross the window, 11/15 inked.
    const double radius = 10.0 * viewState.scale;
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
                         ::testing::Values(std::make_pair(30, 0.0), std::make_pair(30, 0.7),
                                           std::make_pair(60, 0.7), std::make_pair(200, 0.0),
                                           std::make_pair(200, 0.7), std::make_pair(2000, 0.7)));

TEST_F(OffscreenTest, NothingNonFiniteReachesGlAtAnyZoom)
{
    const Vec2 outline[] = {{0.0, 9.0}, {0.2, 9.6}, {0.3, 10.4}};
    for (double scale : {1e-300, 1e-150, 1e150, 1e300}) {
        glrec::reset();
        glrec::setMatrixSource(exactModelview);
        viewState.scale = scale;
        drawTwentyToothCircles(0.4);
        drawGearTeeth(scale, 0.4, 20, Vec2{0.0, -10.0}, 2, outline, RED);
        EXPECT_TRUE(glrec::allFinite() && !glrec::overflowed()) << scale;
        EXPECT_LT(glrec::count(Fn::Vertex2d), 100000) << scale;
    }
    // Figures that are not finite send their colour only; one enclosing the window sends nothing.
    glrec::reset();
    const double inf = std::numeric_limits<double>::infinity();
    drawDashDotCircle(Vec2{std::nan(""), 0.0}, 1.0, BLUE);
    drawDashDotCircle(ORIGIN, inf, BLUE);
    drawDashDotLine(ORIGIN, Vec2{inf, 0.0}, BLUE);
    EXPECT_EQ(glrec::sequence(), (std::vector<Fn>{Fn::Disable, Fn::Color4f, Fn::Enable, Fn::Disable,
                                                  Fn::Color4f, Fn::Enable, Fn::Disable, Fn::Color4f,
                                                  Fn::Enable}));
    drawDashDotCircle(Vec2{0.3, 0.2}, 4.0, BLUE);
    EXPECT_EQ(glrec::count(Fn::Vertex2d), 0);
}

// [SECTION] The same dashes as the plain drawing

// Draws plain, then as the kit chooses, and compares what shows as stretches of
// the circle's own polar angle about `centre` (in the frame the figure starts in).
void compareCircle(const std::function<void()>& draw, const Vec2& centre, double radius,
                   double pixels = 0.25)
{
    glrec::reset();
    glrec::setMatrixSource(shrinkingModelview);
    draw();
    ASSERT_TRUE(glrec::count(Fn::LoadIdentity) == 0 && !glrec::overflowed());
    const std::size_t plainFrom = lastFigureStart();
    Affine frame = IDENTITY;
    replay(plainFrom, &frame);
    const std::vector<Segment> plain = replay(glrec::size());

    glrec::reset();
    glrec::setMatrixSource(exactModelview);
    draw();
    EXPECT_EQ(glrec::count(Fn::LoadIdentity), 1);
    EXPECT_LT(glrec::count(Fn::Vertex2d), 20000);
    const std::size_t culledFrom = lastFigureStart();
    const std::vector<Segment> culled = replay(glrec::size());

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
    const double tolerance = pixels * PIXEL / (radius * stretch);
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
    compareCircle([] { drawDashDotCircle(Vec2{0.0, -12.0}, -12.02, BLUE); }, Vec2{0.0, -12.0}, 12.02);
    // Shrunk and turned, 1.2 units about (0.24, 0.21): most of the circle within reach.
    startMatrix = compose(turn(0.4), Affine{0.1, 0, 0, 0.1, 0, 0});
    compareCircle([] { drawDashDotCircle(Vec2{3.0, 1.0}, 12.0, BLUE); }, Vec2{3.0, 1.0}, 12.0);
    // About the window's centre: past the edges, inside the corners.
    startMatrix = Affine{0.1, 0, 0, 0.1, 0, 0};
    compareCircle([] { drawDashDotCircle(ORIGIN, 12.0, BLUE); }, ORIGIN, 12.0);
    // Enlarged, so that single chords would sag 2 pixels.
    startMatrix = Affine{5.0, 0, 0, 5.0, 0, 0};
    compareCircle([] { drawDashDotCircle(Vec2{0.0, -4.05}, 4.0, BLUE); }, Vec2{0.0, -4.05}, 4.0);
    // Sheared into an ellipse.
    startMatrix = Affine{0.05, 0.02, 0.0, 0.08, 0.1, -0.2};
    compareCircle([] { drawDashDotCircle(ORIGIN, 20.0, BLUE); }, ORIGIN, 20.0, 0.5);
}

// The same for a line, as stretches of the distance along it from p1.
void compareLine(const Vec2& p1, const Vec2& p2)
{
    std::vector<Interval> runs[2];
    for (int k = 0; k < 2; ++k) {
        glrec::reset();
        glrec::setMatrixSource(k == 0 ? shrinkingModelview : exactModelview);
        drawDashDotLine(p1, p2, BLUE);
        EXPECT_EQ(glrec::count(Fn::LoadIdentity), k);
        EXPECT_TRUE(k == 0 || glrec::count(Fn::Vertex2d) < 200);
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
}

// What a long horizontal dash-dot line shows, as stretches of x.
std::vector<Interval> shownOfLine(const Vec2& p1, const Vec2& p2)
{
    glrec::reset();
    glrec::setMatrixSource(exactModelview);
    drawDashDotLine(p1, p2, BLUE);
    EXPECT_TRUE(glrec::allFinite() && glrec::count(Fn::Vertex2d) < 200);
    return shown(replay(glrec::size()), 0, [](const Vec2& w) { return w.x; });
}

TEST_F(OffscreenTest, LinesBeyondIntCountsKeepTheirRhythmAndWholeEndDashes)
{
    for (double half : {1e6, 1e12, 1e200}) {
        const std::vector<Interval> inked = shownOfLine(Vec2{-half, 0.1}, Vec2{half, 0.1});
        const double u = 2.0 * half / (15.0 * std::trunc(12.0 * half - 1.0) + 9.0) * 15.0;
        ASSERT_GE(inked.size(), 20U);
        for (std::size_t i = 1; i + 1 < inked.size(); ++i) {  // whole pieces, off the edges
            const bool dash = std::fabs(inked[i].second - inked[i].first - u * 9.0 / 15.0) < 1e-9;
            const bool dot = std::fabs(inked[i].second - inked[i].first - u * 2.0 / 15.0) < 1e-9;
            EXPECT_TRUE(dash || dot) << half << " piece " << i;
            EXPECT_NEAR(inked[i + 1].first - inked[i].first, (dash ? 11.0 : 4.0) * u / 15.0, 1e-9);
        }
    }
    // Too long for int counts, short enough that p2 - p1 is exact: whole dashes at the ends.
    const double dash = 1.0 / 6.0 * 9.0 / 15.0;
    const std::vector<Interval> starting = shownOfLine(Vec2{-0.4, 0.3}, Vec2{1e15, 0.3});
    const std::vector<Interval> ending = shownOfLine(Vec2{-1e15, -0.2}, Vec2{0.5, -0.2});
    ASSERT_FALSE(starting.empty() || ending.empty());
    EXPECT_NEAR(starting.front().first, -0.4, 1e-9);
    EXPECT_NEAR(starting.front().second, -0.4 + dash, 1e-9);
    EXPECT_NEAR(ending.back().first, 0.5 - dash, 1e-9);
    EXPECT_NEAR(ending.back().second, 0.5, 1e-9);
}

}  // namespace
