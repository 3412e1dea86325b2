// test_gear_render.cpp -- the gear renderers: which figures they draw, in what
// order and colour, where, and how they leave the matrix.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "draw/gear_render.h"
#include "recorder/gl_recorder.h"

namespace {

using glrec::Fn;

constexpr double TIGHT = 1e-12;
constexpr double TRUE_PI = 3.14159265358979323846;

// One primitive as recorded: the calls from its glDisable(GL_LIGHTING) to its
// glEnable(GL_LIGHTING), summarised.
struct Figure {
    std::size_t first;
    std::size_t last;
    double mode;          // of its first glBegin
    glrec::Call colour;   // its first glColor4f
    glrec::Call move;     // its first glTranslated
    Vec2 firstVertex;
    Vec2 lastVertex;
    int turns;            // glRotated calls inside it
};

struct Scene {
    std::vector<Figure> figures;
    std::vector<glrec::Call> loose;  // calls outside every figure
    std::vector<std::size_t> looseAfter;  // how many figures came before each loose call
};

Scene readScene()
{
    Scene scene;
    std::size_t i = 0;
    while (i < glrec::size()) {
        const glrec::Call& c = glrec::at(i);
        if (c.fn != Fn::Disable) {
            scene.loose.push_back(c);
            scene.looseAfter.push_back(scene.figures.size());
            ++i;
            continue;
        }
        Figure f = {};
        f.first = i;
        bool moved = false;
        bool coloured = false;
        bool begun = false;
        bool anyVertex = false;
        for (; i < glrec::size() && glrec::at(i).fn != Fn::Enable; ++i) {
            const glrec::Call& d = glrec::at(i);
            if (d.fn == Fn::Begin && !begun) {
                f.mode = d.a[0];
                begun = true;
            } else if (d.fn == Fn::Color4f && !coloured) {
                f.colour = d;
                coloured = true;
            } else if (d.fn == Fn::Translated && !moved) {
                f.move = d;
                moved = true;
            } else if (d.fn == Fn::Rotated) {
                ++f.turns;
            } else if (d.fn == Fn::Vertex2d) {
                if (!anyVertex) {
                    f.firstVertex = Vec2{d.a[0], d.a[1]};
                    anyVertex = true;
                }
                f.lastVertex = Vec2{d.a[0], d.a[1]};
            }
        }
        f.last = i;
        ++i;
        scene.figures.push_back(f);
    }
    return scene;
}

bool hasColour(const Figure& f, const Rgba& c)
{
    return f.colour.a[0] == c.r && f.colour.a[1] == c.g && f.colour.a[2] == c.b &&
           f.colour.a[3] == c.a;
}

// Window position of the far end of a dash-dot line figure.
Vec2 lineEnd(const Figure& f)
{
    const long long rotation = glrec::find(Fn::Rotated, f.first);
    const double turn = glrec::at(static_cast<std::size_t>(rotation)).a[0] * TRUE_PI / 180.0;
    return Vec2{f.move.a[0] + f.lastVertex.x * std::cos(turn),
                f.move.a[1] + f.lastVertex.x * std::sin(turn)};
}

struct Gear {
    Vec2 centre;
    double rg;
    double rf;
    double rcut;
    double r0;
    double rb;
    double ru;
};

const Gear TWENTY = {{0.0, -10.0}, 9.3969, 8.75, 9.6, 10.0, 10.0, 11.0};

void drawCircles(const Gear& g, double angle, double rcut)
{
    drawGearCircles(g.centre, angle, g.rg, g.rf, rcut, g.r0, g.rb, g.ru);
}

class GearRenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        glrec::reset();
        viewState.scale = 0.2;
    }
};

// [SECTION] Gear circles

TEST_F(GearRenderTest, UndercutCircleOnlyWhenStrictlyOutsideTheBaseCircle)
{
    const double rg = TWENTY.rg;
    struct Case {
        double rcut;
        int outlines;
    };
    for (const Case& c : {Case{rg, 4}, Case{rg - 0.1, 4}, Case{rg + 1e-9, 5},
                          Case{std::numeric_limits<double>::quiet_NaN(), 4}}) {
        glrec::reset();
        drawCircles(TWENTY, 0.0, c.rcut);
        int outlines = 0;
        for (const Figure& f : readScene().figures) {
            outlines += (f.mode == GL_LINE_LOOP) ? 1 : 0;
        }
        EXPECT_EQ(outlines, c.outlines) << "rcut " << c.rcut;
    }
}

TEST_F(GearRenderTest, CirclesAreDrawnInTheirOrderAndColours)
{
    drawCircles(TWENTY, 0.3, TWENTY.rcut);
    const Scene scene = readScene();
    ASSERT_EQ(scene.figures.size(), 9U);

    struct Expected {
        double mode;
        Rgba colour;
        double radius;  // module units; its first vertex lies at scale * radius
    };
    const Expected expected[] = {
        {GL_LINE_LOOP, GREEN, TWENTY.rg},    {GL_LINE_LOOP, BLACK, TWENTY.rcut},
        {GL_LINE_LOOP, PURPLE, TWENTY.r0},   {GL_LINE_LOOP, YELLOW, TWENTY.ru},
        {GL_LINE_LOOP, YELLOW, TWENTY.rf},   {GL_POLYGON, BLACK, CENTRE_MARK_RADIUS},
    };
    for (std::size_t i = 0; i < 6; ++i) {
        const Figure& f = scene.figures[i];
        EXPECT_EQ(f.mode, expected[i].mode) << i;
        EXPECT_TRUE(hasColour(f, expected[i].colour)) << i;
        EXPECT_NEAR(f.firstVertex.x, 0.2 * expected[i].radius, TIGHT) << i;
        EXPECT_NEAR(f.move.a[1], -2.0, TIGHT) << i;
    }
    for (std::size_t i = 6; i < 9; ++i) {
        EXPECT_EQ(scene.figures[i].mode, GL_LINES) << i;
        EXPECT_TRUE(hasColour(scene.figures[i], BLUE)) << i;
    }
    EXPECT_EQ(scene.figures[8].turns, 62);  // the pitch circle, radius 2 on screen

    // The frame of the pitch circle is set up and undone around it, without a push.
    ASSERT_EQ(scene.loose.size(), 4U);
    const std::vector<Fn> looseOrder = {Fn::Translated, Fn::Rotated, Fn::Rotated,
                                        Fn::Translated};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(scene.loose[i].fn, looseOrder[i]) << i;
    }
    EXPECT_EQ(scene.looseAfter, (std::vector<std::size_t>{8, 8, 9, 9}));
    EXPECT_EQ(scene.loose[0].a[0], 0.0);
    EXPECT_EQ(scene.loose[0].a[1], 0.2 * -10.0);
    EXPECT_EQ(scene.loose[1].a[0], 0.3 * RAD_TO_DEG);
    EXPECT_EQ(scene.loose[2].a[0], -0.3 * RAD_TO_DEG);
    EXPECT_EQ(scene.loose[3].a[1], -0.2 * -10.0);
    const Figure& pitch = scene.figures[8];
    EXPECT_EQ(pitch.move.a[0], 0.0);
    EXPECT_EQ(pitch.move.a[1], 0.0);
    EXPECT_NEAR(pitch.firstVertex.x, 2.0, TIGHT);
    EXPECT_EQ(glrec::count(Fn::PushMatrix), glrec::count(Fn::PopMatrix));
}

TEST_F(GearRenderTest, CentreLinesRunAlongAndAcrossTheAngle)
{
    drawCircles(TWENTY, 0.0, 0.0);
    Scene scene = readScene();
    ASSERT_EQ(scene.figures.size(), 8U);
    Figure along = scene.figures[5];
    Figure across = scene.figures[6];
    EXPECT_NEAR(along.move.a[0], 2.0, TIGHT);
    EXPECT_NEAR(along.move.a[1], -2.0, TIGHT);
    Vec2 end = lineEnd(along);
    EXPECT_NEAR(end.x, -2.0, 1e-8);
    EXPECT_NEAR(end.y, -2.0, 1e-8);
    EXPECT_NEAR(across.move.a[0], 0.0, TIGHT);
    EXPECT_NEAR(across.move.a[1], -4.0, TIGHT);
    end = lineEnd(across);
    EXPECT_NEAR(end.x, 0.0, 1e-8);
    EXPECT_NEAR(end.y, 0.0, 1e-8);

    glrec::reset();
    drawCircles(TWENTY, PI / 2.0, 0.0);
    scene = readScene();
    along = scene.figures[5];
    across = scene.figures[6];
    end = lineEnd(along);
    EXPECT_NEAR(along.move.a[0], end.x, 1e-8);  // vertical
    EXPECT_NEAR(std::fabs(along.move.a[1] - end.y), 4.0, 1e-8);
    end = lineEnd(across);
    EXPECT_NEAR(across.move.a[1], end.y, 1e-8);  // horizontal
    EXPECT_NEAR(std::fabs(across.move.a[0] - end.x), 4.0, 1e-8);
}

// [SECTION] Teeth and outline

const Vec2 OUTLINE[] = {{0.0, 9.0}, {0.2, 9.6}, {0.3, 10.4}, {0.25, 11.0}};

TEST_F(GearRenderTest, TeethAreCopiesTurnedOnePitchApartAndTheFrameIsUndone)
{
    drawGearTeeth(0.2, 0.0, 20, Vec2{0.0, -10.0}, 2, OUTLINE, RED);
    const Scene scene = readScene();
    ASSERT_EQ(scene.figures.size(), 40U);  // 20 copies of 2 segments
    ASSERT_EQ(scene.loose.size(), 24U);
    EXPECT_EQ(scene.loose[0].fn, Fn::Translated);
    EXPECT_NEAR(scene.loose[0].a[1], -2.0, TIGHT);
    EXPECT_EQ(scene.loose[1].fn, Fn::Rotated);
    EXPECT_EQ(scene.loose[1].a[0], 0.0);
    const double pitch = (-(2.0 * PI / 20.0)) * RAD_TO_DEG;
    for (std::size_t k = 0; k < 20; ++k) {
        const glrec::Call& turn = scene.loose[2 + k];
        EXPECT_EQ(turn.fn, Fn::Rotated) << k;
        EXPECT_EQ(turn.a[0], pitch) << k;
        EXPECT_EQ(scene.looseAfter[2 + k], 2 * k) << k;
    }
    EXPECT_NEAR(pitch, -18.0, 1e-6);
    EXPECT_EQ(scene.loose[22].fn, Fn::Rotated);
    EXPECT_EQ(scene.loose[23].fn, Fn::Translated);
    EXPECT_EQ(scene.loose[23].a[0], -scene.loose[0].a[0]);
    EXPECT_EQ(scene.loose[23].a[1], -scene.loose[0].a[1]);
    EXPECT_EQ(glrec::count(Fn::PushMatrix), 0);
    EXPECT_EQ(glrec::count(Fn::LineWidth), 80);
}

TEST_F(GearRenderTest, TeethTurnByTheAngleFirstAndBackLast)
{
    drawGearTeeth(0.2, 0.25, 7, Vec2{1.0, 2.0}, 1, OUTLINE, RED);
    const std::vector<glrec::Call> turns = glrec::callsOf(Fn::Rotated);
    ASSERT_EQ(turns.size(), 9U);
    EXPECT_EQ(turns.front().a[0], 0.25 * RAD_TO_DEG);
    EXPECT_EQ(turns.back().a[0], (-0.25) * RAD_TO_DEG);
    EXPECT_EQ(turns[1].a[0], (-(2.0 * PI / 7.0)) * RAD_TO_DEG);
    const std::vector<glrec::Call> moves = glrec::callsOf(Fn::Translated);
    ASSERT_EQ(moves.size(), 2U);
    EXPECT_NEAR(moves[0].a[0], 0.2, TIGHT);
    EXPECT_NEAR(moves[0].a[1], 0.4, TIGHT);
    EXPECT_EQ(moves[1].a[0], -moves[0].a[0]);
    EXPECT_EQ(moves[1].a[1], -moves[0].a[1]);
}

TEST_F(GearRenderTest, ProfileIsOneThickSegmentPerPointPair)
{
    drawProfile(OUTLINE, 0, RED);
    EXPECT_EQ(glrec::size(), 0U);

    drawProfile(OUTLINE, 1, RED);
    const std::vector<Fn> expected = {Fn::Disable,  Fn::Color4f, Fn::LineWidth, Fn::Begin,
                                      Fn::Vertex2d, Fn::Vertex2d, Fn::End,      Fn::LineWidth,
                                      Fn::Enable};
    ASSERT_EQ(glrec::sequence(), expected);
    EXPECT_FLOAT_EQ(static_cast<float>(glrec::at(2).a[0]), 4.0F);
    EXPECT_NEAR(glrec::at(4).a[1], 0.2 * 9.0, TIGHT);
    EXPECT_NEAR(glrec::at(5).a[0], 0.2 * 0.2, TIGHT);
    EXPECT_NEAR(glrec::at(5).a[1], 0.2 * 9.6, TIGHT);

    glrec::reset();
    viewState.scale = 0.5;
    drawProfile(OUTLINE, 3, RED);
    const Scene scene = readScene();
    ASSERT_EQ(scene.figures.size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(scene.figures[i].firstVertex.x, 0.5 * OUTLINE[i].x, TIGHT);
        EXPECT_NEAR(scene.figures[i].lastVertex.y, 0.5 * OUTLINE[i + 1].y, TIGHT);
    }
}

}  // namespace
