// number_reading.h -- the numbers of one typed line, as the dialogue reads them.
#pragma once

#include <cstddef>

// Whether the `length` bytes of line are text a person typed: no NUL and no other
// control character but tab and carriage return (a line end from Windows).
bool typedText(const char* line, std::size_t length);

// line with every full-width digit, sign, decimal point, exponent letter and
// ideographic space read as its ASCII form, and the minus signs of an input
// method (ー, ｰ, −) read as '-' where they stand before a digit, into text
// (size > strlen(line)).
void readAsAscii(const char* line, char* text, std::size_t size);

// What a line read by readAsAscii still holds outside ASCII: nothing, one
// character (once or more), or several different ones (or bytes that are not UTF-8).
enum class Foreign { NONE, ONE, SEVERAL };
// FOREIGN_CHARACTER_BYTES: room for one UTF-8 character and its NUL.
constexpr std::size_t FOREIGN_CHARACTER_BYTES = 5;
// With ONE, `character` receives it as UTF-8 and codePoint its code point.
Foreign foreignCharacters(const char* text, char (&character)[FOREIGN_CHARACTER_BYTES],
                          unsigned long& codePoint);

// The numbers of one line, at most `room` of them.
struct LineNumbers {
    int count;
    long long whole[2];  // when whole numbers are asked for
    double real[2];      // otherwise
};

enum class LineReading { NUMBERS, UNREADABLE, TOO_MANY };

// Splits text at blanks; every piece must read completely as a decimal number (a
// whole number when wholeNumbers), and there may be no more than room of them.
LineReading readNumbers(const char* text, bool wholeNumbers, int room, LineNumbers& numbers);
