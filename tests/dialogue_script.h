// Runs the console dialogue on a scripted input and captures what it prints.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gear/dialogue.h"
#include "gear/gear_pair.h"

#ifdef _WIN32
// Windows has neither fmemopen nor open_memstream: script and output go through
// temporary files (binary, so that no line end is translated).
inline std::string runDialogue(const std::string& input, char lastKey)
{
    FILE* in = std::tmpfile();
    FILE* out = std::tmpfile();
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
    std::fclose(out);
    std::fclose(in);
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
