// dash_pattern.h -- the dash-dot patterns of the line and the circle, defined once
// for the plain drawing (every dash sent) and for the culled one (window_cull.cpp,
// only what can reach the window), and the plain drawing itself.
#pragma once

#include "draw/kit.h"

// Largest radius or length, in window units, that a view hands the dash-dot
// figures: a pitch radius of about 110 modules at the largest zoom, 200, is
// 22,000 units, a centre line twice that. Counts and cost are bounded by it.
constexpr double LARGEST_DASH_DOT_FIGURE = 100000.0;

// A line fitted to its length L: n periods of length u, each a long dash, a gap,
// a dot and a gap (9, 2, 2, 2 fifteenths of u), and a closing long dash, so that
// the line runs from 0 to n u + 9u/15 = L along its own +x.
struct LinePattern {
    int periods;    // n
    double period;  // u, window units
    double dash;    // long dash, 9u/15
    double step;    // gap and dot, 2u/15 each
};

// A circle fitted to its radius: n groups, each turned one group further, each a
// long dash of d chords and a dot of g chords; a group spans d + 3g chord steps
// (dash, gap, dot, gap).
struct CirclePattern {
    int groups;         // n
    int dash;           // d
    int dot;            // g
    double groupAngle;  // 2 pi / n, radians of KIT_PI
    double sub;         // one chord step, 2 pi / (n (d + 3g))
    double dotStart;    // where the dot starts within its group, (d + g) steps
};

// Pattern of a line of length `length` (window units): 2 periods below half a
// unit, 6 per unit above.
LinePattern linePattern(double length);
// Pattern of a circle of radius r (window units): the counts follow |r|, fixed
// at 6, 9, 2 below 0.2.
CirclePattern circlePattern(double r);

// Every dash and dot of the line from (x, y) turned by direction (radians, window
// units).
void sendDashDotLine(double x, double y, double direction, const LinePattern& p,
                     const Rgba& colour);
// Every group of the circle of radius rr about (tx, ty) (window units).
void sendDashDotCircle(double tx, double ty, double rr, const CirclePattern& p,
                       const Rgba& colour);
