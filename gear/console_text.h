// console_text.h -- the one way the dialogue's UTF-8 texts reach the console.
#pragma once

#include <cstddef>
#include <cstdio>

// The longest text, in bytes, that one call may write.
constexpr std::size_t CONSOLE_TEXT_MAX = 1024;

// Writes `length` (at most CONSOLE_TEXT_MAX) bytes of UTF-8 text to `stream` so
// that a person sees its characters: as they are to a file, a pipe or a UTF-8
// terminal; as UTF-16 to a Windows console, whatever its code page. Does not flush.
void writeConsoleText(FILE* stream, const char* text, std::size_t length);
