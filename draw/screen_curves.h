// screen_curves.h -- what the screen needs of a curve: how many chords keep an arc
// within a quarter pixel of itself, which arcs of a circle can reach the window,
// which points of a polyline keep it within a quarter pixel of itself, and what
// lies too far outside the window to show. All in window units.
#pragma once

#include "draw/kit.h"

// Half-size of the window widened by 4 pixels, for the widest line and a chord's
// sag: what lies wholly beyond it on one side cannot show.
constexpr double WINDOW_REACH = 1.01;

// Largest distance of what is sent from the true curve: a quarter pixel.
double screenTolerance();
// The same for a polyline, which is the true curve itself: a quarter pixel, none
// in the plain drawing, which sends every point.
double polylineTolerance();
// Whether what cannot show is left out (not in the plain drawing).
bool culling();

// Chords of equal angle for an arc of radius r spanning `angle` radians, none of
// them sagging more than the tolerance; at least one.
int chordsFor(double r, double angle);
// The arcs of the circle of radius r > 0 about centre that can reach the window,
// as angles (radians, from +x counter-clockwise) from[i] < to[i]; returns how
// many, at most 8. The whole circle is the one arc from 0 to 2 pi.
int visibleArcs(const Vec2& centre, double r, double* from, double* to);
// The arc from angle `from` to `to` of that circle as chords, each left out where
// it cannot show.
void sendArc(const Vec2& centre, double r, double from, double to);

// Whether the segment p-q, or the disc of radius r about c, cannot show.
bool segmentMissesWindow(const Vec2& p, const Vec2& q);
bool discMissesWindow(const Vec2& c, double r);

// The points of the open polyline points[0..last] (last <= PROFILE_LAST_INDEX)
// that keep it within `tolerance` of itself (Douglas-Peucker), as indices into
// `kept`, which has room for last + 1; a point that repeats the one before is
// dropped. Returns how many.
int simplifyPolyline(const Vec2* points, int last, double tolerance, int* kept);
