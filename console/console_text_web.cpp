// console_text_web.cpp -- console text in a web page: the page's console element
// gets each text as it is written.
//
// NOTE: not through standard output, which the browser's runtime hands on only
// line by line: a prompt, which has no line end, would not show until the answer
// to it had been typed.
#include "console/console_text.h"

#include <emscripten.h>

// The page's hook; text is UTF-8, length bytes.
EM_JS(void, showConsoleText, (const char* text, int length),
      { Module["consoleText"](UTF8ToString(text, length)); });

void writeConsoleText(FILE* stream, const char* text, std::size_t length)
{
    if (stream != stdout) {
        std::fwrite(text, 1, length, stream);
        return;
    }
    // Whatever printf left in the stream comes out first.
    std::fflush(stream);
    showConsoleText(text, static_cast<int>(length));
}
