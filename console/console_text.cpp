// console_text.cpp -- the console's texts in the text language, on every platform;
// the bytes reach the console through the platform's writeConsoleText.
#include "console/console_text.h"

#include <cstdarg>

#include "console/language.h"

FILE* consoleOut = stdout;

void say(const char* format, ...)
{
    char text[CONSOLE_TEXT_MAX];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof text, inLanguage(format), args);
    va_end(args);
    const std::size_t kept = length < 0 ? 0 : static_cast<std::size_t>(length);
    writeConsoleText(consoleOut, text, kept < sizeof text ? kept : sizeof text - 1);
    std::fflush(consoleOut);
}

void sayText(const char* text)
{
    say("%s", inLanguage(text));
}
