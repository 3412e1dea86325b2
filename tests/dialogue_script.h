// Runs the console dialogue on a scripted input, fed a line at a time as the
// console hands lines over (a long one cut, NULs kept), and captures what it prints. A script that ends while
// the dialogue waits ends it as the end of the console's input does.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console_lines.h"
#include "console/console_text.h"
#include "console/dialogue.h"
#include "gear/gear_pair.h"

inline void feedDialogue(const std::string& input, char lastKey)
{
    viewState.lastKey = lastKey;
    openDialogue();
    std::size_t at = 0;
    while (dialogueOpen()) {
        if (at >= input.size()) {
            endOfDialogueInput();
        }
        std::size_t end = input.find('\n', at);
        end = end == std::string::npos ? input.size() : end;
        ConsoleLine line;
        clearConsoleLine(line);
        appendToConsoleLine(line, input.data() + at, end - at);
        at = end + 1;
        answerDialogue(line.text, line.length, line.whole);
    }
}

#ifdef _WIN32
#include <io.h>

// Windows has no open_memstream: the output goes through a temporary file (binary,
// so that no line end is translated), made once and emptied before every run,
// since making files is slow under Wine.
inline std::string runDialogue(const std::string& input, char lastKey)
{
    static FILE* outFile = nullptr;
    if (outFile == nullptr) {
        outFile = std::tmpfile();
    }
    FILE* out = outFile;
    std::rewind(out);
    _chsize(_fileno(out), 0);
    consoleOut = out;
    feedDialogue(input, lastKey);
    consoleOut = stdout;
    std::string printed(static_cast<size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    printed.resize(std::fread(&printed[0], 1, printed.size(), out));
    return printed;
}
#else
inline std::string runDialogue(const std::string& input, char lastKey)
{
    char* outBuf = nullptr;
    size_t outSize = 0;
    FILE* out = open_memstream(&outBuf, &outSize);
    consoleOut = out;
    feedDialogue(input, lastKey);
    std::fclose(out);
    consoleOut = stdout;
    std::string printed(outBuf, outSize);
    std::free(outBuf);
    return printed;
}
#endif
