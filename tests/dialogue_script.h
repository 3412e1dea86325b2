// Runs the console dialogue on a scripted input and captures what it prints.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gear/dialogue.h"
#include "gear/gear_pair.h"

#ifdef _WIN32
#include <io.h>

// Windows has neither fmemopen nor open_memstream: script and output go through
// two temporary files (binary, so that no line end is translated), made once and
// emptied before every run, since making files is slow under Wine.
inline FILE* emptiedScratchFile(FILE*& file)
{
    if (file == nullptr) {
        file = std::tmpfile();
    }
    std::rewind(file);
    _chsize(_fileno(file), 0);
    return file;
}

inline std::string runDialogue(const std::string& input, char lastKey)
{
    static FILE* inFile = nullptr;
    static FILE* outFile = nullptr;
    FILE* in = emptiedScratchFile(inFile);
    FILE* out = emptiedScratchFile(outFile);
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    consoleIn = in;
    consoleOut = out;
    viewState.lastKey = lastKey;
    parameterDialogue();
    consoleIn = stdin;
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
    FILE* in = fmemopen(const_cast<char*>(input.data()), input.size(), "r");
    FILE* out = open_memstream(&outBuf, &outSize);
    consoleIn = in;
    consoleOut = out;
    viewState.lastKey = lastKey;
    parameterDialogue();
    std::fclose(out);
    std::fclose(in);
    consoleIn = stdin;
    consoleOut = stdout;
    std::string printed(outBuf, outSize);
    std::free(outBuf);
    return printed;
}
#endif
