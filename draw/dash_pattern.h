// dash_pattern.h -- the dash-dot patterns of the line and the circle, defined once
// for what draws them (dash_dot.cpp) and for what sends of them only what can
// reach the window (window_cull.cpp).
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
// long dash of d steps and a dot of g steps; a group spans d + 3g steps (dash,
// gap, dot, gap). The steps only measure the pattern: what is sent is chords as
// fine as the size on screen needs.
struct CirclePattern {
    int groups;         // n
    int dash;           // d
    int dot;            // g
    double groupAngle;  // 2 pi / n, radians of KIT_PI
    double sub;         // one step, 2 pi / (n (d + 3g))
    double dotStart;    // where the dot starts within its group, (d + g) steps
};

// Pattern of a line of length `length` (window units): 2 periods below half a
// unit, 6 per unit above.
LinePattern linePattern(double length);
// Pattern of a circle of radius r (window units): the counts follow |r|, fixed
// at 6, 9, 2 below 0.2.
CirclePattern circlePattern(double r);
