// report.h -- what the console says of an accepted pair: its warnings, its report
// and the key help.
#pragma once

// Warnings of the pair in gearPair that is drawn but cannot work as a gear pair
// should: pointed teeth, a contact ratio below 1, no tip clearance, interference.
void warnOfUnsoundPair();

// The report and key help of the pair in gearPair.
void printReport();

// The figures of the shifted pair in gearPair that the report prints and a saved
// picture's caption repeats.
struct PairFigures {
    double alphabDegrees;  // working pressure angle
    double a;              // working centre distance
    double contactRatio;   // the path of contact the views draw, in base pitches
    double path;           // its length
    double clearance;      // tip clearance c
};
PairFigures shiftedPairFigures();

// Whether the report ends with the key help: not when no window follows.
extern bool keyHelpWanted;
