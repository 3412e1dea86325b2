// contact_view.cpp -- view 5: each pair's path of contact laid out flat, N1 on the
// left, with where one pair of teeth carries the load alone (red) and where two
// share it (blue), the specific sliding of both flanks over it, and the contact
// points of the current angle, as views 3 and 4 place them.
//
// Both lines of action share one scale, the longer N1N2 across 80% of the window,
// so that the two paths compare at a glance. The sliding curves go under the path
// and everything dark stays off it but the contact dots. The zones and the
// sliding are the geometry's (gear/contact_path.h); this file only lays them out.
#include "app/contact_view.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/window.h"
#include "console/language.h"
#include "draw/round_primitives.h"
#include "gear/contact_path.h"
#include "gear/line_of_action.h"

static const char* const HEADING_TEXT = "(5) 作用線上のかみ合い：上は転位歯車，下は標準歯車";
static const char* const ZONES_TEXT = "赤：一対かみ合い区間  青：二対かみ合い区間  黒点：いまの接触点";
static const char* const SLIDING_TEXT = "すべり率：緑は歯車1，赤紫は歯車2（左の目盛り）";
static const char* const POINTS_TEXT = "A：かみ合い始め  E：かみ合い終わり  P：ピッチ点";
static const char* const SHIFTED_TEXT = "転位歯車  かみ合い率ε=%.3f";
static const char* const STANDARD_TEXT = "標準歯車  かみ合い率ε=%.3f";
static const char* const COUNT_TEXT = "かみ合っている歯の対：%d";

// Window units. Where the text goes, in the legends' font and in the larger one of
// the high-contrast display: the rows of the legend, each panel's zero line (the
// path), and the text about it.
struct TextPlaces {
    float legendYs[4];
    double panelZeroY[2];
    double titleAbove;   // the panel title's baseline over the zero line
    double countAbove;
    double labelAbove;   // a point's name over the zero line
    double labelRow;     // a crowded name goes up a row
    double labelRoom;    // names closer than this crowd
    double labelHalf;    // half a name's width
    double valueBelow;   // a root value under its curve's end
    double valueLeft;    // gear 2's root value, left of its end
    double scaleDrop;    // a scale number's baseline under its tick
};
static const TextPlaces TEXT_PLACES[2] = {
    {{0.95f, 0.9f, 0.85f, 0.8f}, {0.45, -0.3}, 0.25, 0.2, 0.105, 0.045, 0.07, 0.012, 0.05, 0.14, 0.012},
    {{0.94f, 0.87f, 0.8f, 0.73f}, {0.4, -0.4}, 0.26, 0.19, 0.115, 0.06, 0.08, 0.016, 0.06, 0.19, 0.02},
};

static const TextPlaces& places()
{
    return TEXT_PLACES[highContrast ? 1 : 0];
}

static constexpr float TEXT_X = -0.9f;
static constexpr double SLIDING_UNIT = 0.08;
// The sliding drawn: from its value at the tips, 1, down to this; steeper roots
// run off the bottom of the scale.
static constexpr double SLIDING_MIN = -5.0;
static constexpr double SLIDING_MAX = 1.0;
static constexpr int SLIDING_SEGMENTS = 64;
// N1 of both pairs, and the share of the window's width the longer N1N2 spans.
static constexpr double N1_X = -0.8;
static constexpr double LINE_SPAN = 1.6;
static constexpr double SCALE_X = -0.88;           // the sliding scale's axis
static constexpr double SCALE_TEXT_X = -0.98;
static constexpr double TICK_FROM = 0.02;          // ticks start clear of the path and its dots
static constexpr double TICK_TO = 0.09;
static constexpr double PATH_WIDTH = 0.01;         // 4 pixels
static constexpr double DOT_RADIUS = 0.01;

void drawContactCount(float x, float y, int count)
{
    char text[64];
    std::snprintf(text, sizeof text, inLanguage(COUNT_TEXT), count);
    drawText(x, y, GLUT_BITMAP_HELVETICA_18, text);
}

// One pair's panel: where its line of action lies in the window.
struct Panel {
    ContactPath path;
    double zeroY;   // the path's height
    double scaleX;  // window units per module along the line
};

static double xAt(const Panel& p, double s)
{
    return N1_X + (s - p.path.n1) * p.scaleX;
}

static double yOfSliding(const Panel& p, double sliding)
{
    return p.zeroY + SLIDING_UNIT * sliding;
}

// Where gear's sliding comes up to SLIDING_MIN, from N1's side for gear 1 and
// N2's for gear 2: sigma1 = 1 - (z1/z2)(n2 - s)/(s - n1) solved for s.
static double slidingFloor(const ContactPath& c, int gear)
{
    const double teethRatio = gear == 1 ? static_cast<double>(c.z2) / c.z1
                                        : static_cast<double>(c.z1) / c.z2;
    const double q = (1.0 - SLIDING_MIN) * teethRatio;
    return gear == 1 ? (c.n2 + q * c.n1) / (1.0 + q) : (c.n1 + q * c.n2) / (1.0 + q);
}

static void drawSlidingCurve(const Panel& p, int gear, const Rgba& colour)
{
    const ContactPath& c = p.path;
    const double from = gear == 1 ? std::max(c.start, slidingFloor(c, 1)) : c.start;
    const double to = gear == 2 ? std::min(c.end, slidingFloor(c, 2)) : c.end;
    if (!(to > from)) {
        return;
    }
    auto pointAt = [&](double s) {
        return Vec2{xAt(p, s), yOfSliding(p, std::max(SLIDING_MIN, specificSliding(c, gear, s)))};
    };
    Vec2 last = pointAt(from);
    for (int i = 1; i <= SLIDING_SEGMENTS; ++i) {
        const Vec2 next = pointAt(from + (to - from) * i / SLIDING_SEGMENTS);
        drawLine(last, next, colour);
        last = next;
    }
    // The root's value at its end of the path, or at the floor it runs off.
    const double root = rootSliding(c, gear);
    const double endS = gear == 1 ? c.start : c.end;
    const double valueY = yOfSliding(p, std::max(SLIDING_MIN, root)) - places().valueBelow;
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", root);
    const double valueX = gear == 1 ? xAt(p, endS) : xAt(p, endS) - places().valueLeft;
    drawText(static_cast<float>(valueX), static_cast<float>(valueY), GLUT_BITMAP_HELVETICA_18,
             text);
}

static void drawSlidingScale(const Panel& p)
{
    drawLine(Vec2{SCALE_X, yOfSliding(p, SLIDING_MIN)}, Vec2{SCALE_X, yOfSliding(p, SLIDING_MAX)},
             BLACK);
    for (int v = static_cast<int>(SLIDING_MIN); v <= static_cast<int>(SLIDING_MAX); ++v) {
        const double y = yOfSliding(p, v);
        drawLine(Vec2{SCALE_X - 0.015, y}, Vec2{SCALE_X + 0.015, y}, BLACK);
        char text[8];
        std::snprintf(text, sizeof text, "%d", v);
        drawText(static_cast<float>(SCALE_TEXT_X), static_cast<float>(y - places().scaleDrop),
                 GLUT_BITMAP_HELVETICA_18, text);
    }
}

// The named points of the line, each a tick with its name above the path; a name
// that would run into the one before it goes up a row.
static void drawPointLabels(const Panel& p)
{
    const ContactPath& c = p.path;
    struct Label {
        double s;
        const char* name;
    };
    const Label labels[] = {{c.n1, "N1"}, {c.start, "A"}, {0.0, "P"}, {c.end, "E"}, {c.n2, "N2"}};
    double lastX = -10.0;
    int row = 0;
    for (const Label& l : labels) {
        const double x = xAt(p, l.s);
        row = x - lastX < places().labelRoom ? row + 1 : 0;
        lastX = x;
        const double rise = row * places().labelRow;
        drawLine(Vec2{x, p.zeroY + TICK_FROM}, Vec2{x, p.zeroY + TICK_TO + rise}, BLACK);
        drawText(static_cast<float>(x - places().labelHalf),
                 static_cast<float>(p.zeroY + places().labelAbove + rise), GLUT_BITMAP_HELVETICA_18,
                 l.name);
    }
}

static void drawPath(const Panel& p)
{
    const ContactPath& c = p.path;
    const double y = p.zeroY;
    drawLine(Vec2{xAt(p, c.n1), y}, Vec2{xAt(p, c.start), y}, BLACK);
    drawLine(Vec2{xAt(p, c.end), y}, Vec2{xAt(p, c.n2), y}, BLACK);
    if (c.singleEnd > c.singleStart) {
        drawThickLine(Vec2{xAt(p, c.start), y}, Vec2{xAt(p, c.singleStart), y}, PATH_WIDTH, BLUE);
        drawThickLine(Vec2{xAt(p, c.singleStart), y}, Vec2{xAt(p, c.singleEnd), y}, PATH_WIDTH,
                      RED);
        drawThickLine(Vec2{xAt(p, c.singleEnd), y}, Vec2{xAt(p, c.end), y}, PATH_WIDTH, BLUE);
    } else {
        drawThickLine(Vec2{xAt(p, c.start), y}, Vec2{xAt(p, c.end), y}, PATH_WIDTH, BLUE);
    }
}

// The contact points of the current angle, as views 3 and 4 find them, taken back
// to their distance along the line; returns how many there are.
static int drawContactDots(const Panel& p, double angle, double limit1, double limit2)
{
    Vec2 contacts[CONTACT_CAPACITY];
    const int count = findContactPoints(angle, limit1, limit2, viewState.theta1w, contacts);
    for (int i = 0; i < count; ++i) {
        const double s = -contacts[i].x * std::cos(angle) + contacts[i].y * std::sin(angle);
        drawDisc(Vec2{xAt(p, s), p.zeroY}, DOT_RADIUS, BLACK);
    }
    return count;
}

static void drawPanel(const Panel& p, const char* title, double angle, double limit1, double limit2)
{
    char text[128];
    std::snprintf(text, sizeof text, inLanguage(title), (p.path.end - p.path.start) / p.path.pb);
    drawText(TEXT_X, static_cast<float>(p.zeroY + places().titleAbove), GLUT_BITMAP_HELVETICA_18,
             text);
    drawSlidingScale(p);
    drawSlidingCurve(p, 1, GREEN);
    drawSlidingCurve(p, 2, PURPLE);
    drawPointLabels(p);
    drawPath(p);
    const int count = drawContactDots(p, angle, limit1, limit2);
    drawContactCount(TEXT_X, static_cast<float>(p.zeroY + places().countAbove), count);
}

void drawContactView()
{
    const GearPairState& gp = gearPair;
    const char* const legend[] = {HEADING_TEXT, ZONES_TEXT, SLIDING_TEXT, POINTS_TEXT};
    for (int i = 0; i < 4; ++i) {
        drawText(TEXT_X, places().legendYs[i], GLUT_BITMAP_HELVETICA_18, inLanguage(legend[i]));
    }
    const ContactPath shifted = shiftedContactPath();
    const ContactPath standard = standardContactPath();
    const double longest = std::max(shifted.n2 - shifted.n1, standard.n2 - standard.n1);
    const double scaleX = LINE_SPAN / longest;
    drawPanel(Panel{shifted, places().panelZeroY[0], scaleX}, SHIFTED_TEXT, gp.alphab, gp.limit1,
              gp.limit2);
    drawPanel(Panel{standard, places().panelZeroY[1], scaleX}, STANDARD_TEXT, gp.alpha0,
              gp.stdLimit1, gp.stdLimit2);
}
