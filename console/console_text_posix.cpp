// console_text_posix.cpp -- console text on systems whose terminals read UTF-8:
// the bytes go out unchanged.
#include "console/console_text.h"

void writeConsoleText(FILE* stream, const char* text, std::size_t length)
{
    std::fwrite(text, 1, length, stream);
}
