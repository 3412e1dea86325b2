// console_lines.h -- whole lines from the console, taken without waiting, so that
// a window can go on answering while a question waits for its answer.
#pragma once

#include "console/dialogue.h"

struct ConsoleLine {
    char text[CONSOLE_LINE_MAX];  // UTF-8, without its line end
    bool whole;                   // false when the line was longer and is cut
};

enum class LineStatus { NONE, LINE, END };

// Starts reading standard input in the background. A line is read only once the
// one before it has been taken, so input typed ahead waits in the console's own
// buffer, where a program that reads as it asks would find it.
void startConsoleLines();
// The next line if one has come (with wait, once one comes), or END once the
// input has ended and every line before has been taken.
LineStatus takeConsoleLine(ConsoleLine& line, bool wait);
// Whether takeConsoleLine may wait: not in a web page, whose lines come only
// once the program has handed its one thread back to the browser.
bool consoleLinesMayWait();
// Whether a question waits for a line, told after each change and each line taken.
// A web page offers its input line only then; a terminal keeps what is typed ahead
// for the next question, as a program that reads as it asks would find it.
void offerInputLine(bool questionWaits);
