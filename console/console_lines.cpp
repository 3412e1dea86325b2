// console_lines.cpp -- what every platform's console reader does with the bytes it
// gets: a line kept up to its room and marked as cut beyond it, and a stream of
// blocks parted into lines. How the bytes come is the platform's (console_lines_*).
#include "console/console_lines.h"

#include <cstring>

void clearConsoleLine(ConsoleLine& line)
{
    line.text[0] = '\0';
    line.length = 0;
    line.whole = true;
}

void appendToConsoleLine(ConsoleLine& line, const char* bytes, std::size_t count)
{
    const std::size_t room = sizeof line.text - 1 - line.length;
    const std::size_t kept = count < room ? count : room;
    std::memcpy(line.text + line.length, bytes, kept);
    line.length += kept;
    line.text[line.length] = '\0';
    line.whole = line.whole && kept == count;
}

bool takeBlockLine(LineBlocks& blocks, ReadBlock readBlock, ConsoleLine& line)
{
    clearConsoleLine(line);
    bool any = false;
    for (;;) {
        if (blocks.first == blocks.held) {
            blocks.first = 0;
            blocks.held = readBlock(blocks.bytes, sizeof blocks.bytes);
            if (blocks.held == 0) {
                return any;
            }
        }
        any = true;
        const char* from = blocks.bytes + blocks.first;
        const std::size_t count = blocks.held - blocks.first;
        const char* end = static_cast<const char*>(std::memchr(from, '\n', count));
        const std::size_t taken = end != nullptr ? static_cast<std::size_t>(end - from) : count;
        appendToConsoleLine(line, from, taken);
        blocks.first += taken;
        if (end != nullptr) {
            ++blocks.first;
            return true;
        }
    }
}
