// dialogue.h -- the console dialogue that fills the gear pair, and its report.
#pragma once

#include <cstdio>

#include "gear/gear_pair.h"
#include "gear/pair_stages.h"

// Where the dialogue reads and writes; the console unless a test points them at
// a script.
extern FILE* consoleIn;
extern FILE* consoleOut;

// Runs the whole dialogue: the teeth prompt and stage unless viewState.lastKey is
// 'x', then the shift prompt until a pair meshes, the shift stage, the view reset
// and the report. Ends the process with status 1 when the input ends.
void parameterDialogue();

// The report and key help of the pair in gearPair.
void printReport();
