// console_lines.h -- whole lines from the console, taken without waiting, so that
// a window can go on answering while a question waits for its answer.
#pragma once

#include "console/dialogue.h"

struct ConsoleLine {
    char text[CONSOLE_LINE_MAX];  // UTF-8, without its line end, then a NUL
    std::size_t length;           // bytes of the line in text (it may hold a NUL itself)
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

// [SECTION] Shared by the platforms' readers (console_lines.cpp)
// An empty, whole line.
void clearConsoleLine(ConsoleLine& line);
// Adds count bytes to line as far as it has room; bytes beyond cut it.
void appendToConsoleLine(ConsoleLine& line, const char* bytes, std::size_t count);

// Reads into `into` what the input has now, at most `room` bytes, waiting for
// some; 0 once the input has ended.
using ReadBlock = std::size_t (*)(char* into, std::size_t room);
// Bytes of standard input read in blocks: each read takes what the console has,
// and the bytes after the line taken wait here for the next. A terminal hands
// over one line a read, so input typed ahead still waits in its buffer.
constexpr std::size_t LINE_BLOCK_BYTES = 16384;
struct LineBlocks {
    char bytes[LINE_BLOCK_BYTES];
    std::size_t first;  // the first byte not yet taken
    std::size_t held;   // bytes read into `bytes`
};
// The next line of the input, read with readBlock as far as needed; false when
// the input ends before any byte of it.
bool takeBlockLine(LineBlocks& blocks, ReadBlock readBlock, ConsoleLine& line);
