// report.h -- what the console says of an accepted pair: its warnings, its report
// and the key help.
#pragma once

// Warnings of the pair in gearPair that is drawn but cannot work as a gear pair
// should: pointed teeth, a contact ratio below 1, no tip clearance, interference.
void warnOfUnsoundPair();

// The report and key help of the pair in gearPair.
void printReport();

// Whether the report ends with the key help: not when no window follows.
extern bool keyHelpWanted;
