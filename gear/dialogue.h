// dialogue.h -- the console dialogue that fills the gear pair, and its report.
#pragma once

#include <cstdio>

#include "gear/gear_pair.h"

// Numbers of teeth the dialogue accepts. Below the minimum the cutter undercuts a
// standard gear above its pitch circle (and below 3 its root circle is not even
// positive), so the path of contact has no end on that side; above the maximum one
// frame takes too long to draw for the window to stay usable.
constexpr int TEETH_MIN = 5;
constexpr int TEETH_MAX = 200;

// Where the dialogue reads and writes; the console unless a test points them at
// a script.
extern FILE* consoleIn;
extern FILE* consoleOut;

// Runs the whole dialogue: the teeth prompt and stage unless viewState.lastKey is
// 'x', then the shift prompt until a pair meshes, the shift stage, the view reset
// and the report. Ends the process with status 1 when the input ends.
void parameterDialogue();

// Where the tip circle ru of a gear with pitch radius R crosses the line of action
// of a pair with pressure angle a: gear 2's on the N1 side, gear 1's on the N2 side.
Vec2 tipPoint(int gearIndex, double a, double R, double ru);

// The stages on their own, for callers that supply the inputs themselves.
void teethStage();
void shiftStage();
void resetView();
void printReport();
