// number_reading.h -- the numbers of one typed line, as the dialogue reads them.
#pragma once

#include <cstddef>

// line with every full-width digit, sign, decimal point, exponent letter and
// ideographic space read as its ASCII form, into text (size > strlen(line)).
// True when the line holds other characters outside ASCII.
bool readAsAscii(const char* line, char* text, std::size_t size);

// The numbers of one line, at most `room` of them.
struct LineNumbers {
    int count;
    long long whole[2];  // when whole numbers are asked for
    double real[2];      // otherwise
};

enum class LineReading { NUMBERS, UNREADABLE, TOO_MANY };

// Splits text at blanks; every piece must read completely as a number (a whole
// number when wholeNumbers), and there may be no more than room of them.
LineReading readNumbers(const char* text, bool wholeNumbers, int room, LineNumbers& numbers);
