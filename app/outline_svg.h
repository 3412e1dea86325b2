// outline_svg.h -- --outline: the two gears of the accepted pair as SVG files at
// true size, to be cut with a laser or printed, instead of the window.
#pragma once

// What the command line asks of the outlines; written by readCommandLine before
// the dialogue, read once the pair is accepted.
struct OutlineRequest {
    double module;  // mm, 0 < module <= MODULE_MAX; 0 when no outline is asked
    double bore;    // diameter of a centre hole in each gear, mm; 0 for none
};
extern OutlineRequest outlineRequest;

// The largest module the outlines take (mm).
constexpr double MODULE_MAX = 100.0;

// Writes gear 1 and gear 2 of the pair in gearPair, at outlineRequest's module, to
// new files in the current folder (gearmesh_Z1-Z2_X1-X2_gearN_mM.svg, never over a
// file), and says on the console where each went and how far apart to drill the
// axles. A bore not smaller than either root circle is refused before anything is
// written. Returns the exit status: 0 when both files are written, 2 for a bore
// that does not fit, 1 when a file could not be written.
int writeGearOutlines();
