// Runs the console dialogue on a scripted input and captures what it prints.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gear/dialogue.h"
#include "gear/gear_pair.h"

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
