// console_lines_web.cpp -- console lines in a web page: the page hands over each
// line when Enter is pressed in its input field, and the end of input when its
// button for it is used; the program takes them from a small queue.
//
// Nothing here may wait: the page's lines come only when the program has returned
// to the browser, so the window's timer looks for them instead.
#include "console/console_lines.h"

#include <emscripten.h>

#include <cassert>

namespace {

// Lines typed and not yet taken. A person types far fewer than this between two
// looks of the window's timer; a line that finds the queue full is dropped.
constexpr int QUEUE_LINES = 16;

ConsoleLine queue[QUEUE_LINES];
int first = 0;           // index of the oldest line held
int held = 0;            // lines held
bool ended = false;      // the page has said that the input ends

}  // namespace

// Called by the page: one line as typed, UTF-8, without its line end: `length`
// bytes, of which the page hands over the first `count` (enough to fill a line).
extern "C" EMSCRIPTEN_KEEPALIVE void typeConsoleLine(const char* bytes, int count, int length)
{
    if (held == QUEUE_LINES || ended) {
        return;
    }
    ConsoleLine& line = queue[(first + held) % QUEUE_LINES];
    clearConsoleLine(line);
    appendToConsoleLine(line, bytes, static_cast<std::size_t>(count));
    line.whole = line.whole && count == length;
    ++held;
}

// Called by the page: no line comes after those already typed.
extern "C" EMSCRIPTEN_KEEPALIVE void endConsoleInput()
{
    ended = true;
}

void startConsoleLines()
{
}

bool consoleLinesMayWait()
{
    return false;
}

LineStatus takeConsoleLine(ConsoleLine& line, bool wait)
{
    assert(!wait && "nothing waits in a web page");
    (void)wait;
    if (held > 0) {
        line = queue[first];
        first = (first + 1) % QUEUE_LINES;
        --held;
        return LineStatus::LINE;
    }
    return ended ? LineStatus::END : LineStatus::NONE;
}

// The page's hook: its input line takes a line only while a question waits.
EM_JS(void, offerPageInputLine, (int questionWaits), { Module["offerLine"](questionWaits !== 0); });

void offerInputLine(bool questionWaits)
{
    offerPageInputLine(questionWaits ? 1 : 0);
}
