// window_cull.h -- the dash-dot figures sent only where they can reach the window.
#pragma once

#include "draw/dash_pattern.h"

// The dashes and dots of the line from (x, y) (window units, in the current
// modelview's frame) along direction (radians) over `length` that can reach the
// window, as window coordinates.
void sendVisibleDashDotLine(double x, double y, double direction, double length,
                            const LinePattern& p, const Rgba& colour);

// The same for the patterned circle of radius rr about (tx, ty), each group placed
// where turning the frame group by group puts it, each arc in chords that sag at
// most the screen's tolerance.
void sendVisibleCircle(double tx, double ty, double rr, const CirclePattern& p,
                       const Rgba& colour);
