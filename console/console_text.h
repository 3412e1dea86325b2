// console_text.h -- the one way the console's UTF-8 texts reach a person.
#pragma once

#include <cstddef>
#include <cstdio>

// The longest text, in bytes, that one call may write.
constexpr std::size_t CONSOLE_TEXT_MAX = 1024;

// Where the dialogue, its report and the program's messages write; the console
// unless a test points it at a buffer.
extern FILE* consoleOut;

// Writes `length` (at most CONSOLE_TEXT_MAX) bytes of UTF-8 text to `stream` so
// that a person sees its characters: as they are to a file, a pipe or a UTF-8
// terminal; as UTF-16 to a Windows console, whatever its code page. Does not flush.
// Provided beside this header for each platform.
void writeConsoleText(FILE* stream, const char* text, std::size_t length);

// A format in the text language (console/language.h), written to consoleOut and
// flushed, so that a prompt shows also when the console is a pipe. A text longer
// than CONSOLE_TEXT_MAX is written as far as it holds.
// NOTE: the format is checked in Japanese; its English form has the same
// conversions, so the arguments fit either.
__attribute__((format(printf, 1, 2))) void say(const char* format, ...);
// A text without conversions, in the text language.
void sayText(const char* text);
