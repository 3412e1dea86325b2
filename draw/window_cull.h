// window_cull.h -- the dash-dot figures sent only where they can reach the window,
// for figures whose plain drawing would cost far more than what shows.
#pragma once

#include "draw/dash_pattern.h"

// The dashes and dots of the line from (x, y) (window units, in the current
// modelview's frame) along direction (radians) over `length` that can reach the
// window, as window coordinates.
void sendVisibleDashDotLine(double x, double y, double direction, double length,
                            const LinePattern& p, const Rgba& colour);

// The same for the circle of radius rr about (tx, ty), each group placed where the
// plain drawing's accumulated rotations put it, each chord sagging at most a
// quarter pixel from its arc.
void sendVisibleDashDotCircle(double tx, double ty, double rr, const CirclePattern& p,
                              const Rgba& colour);
