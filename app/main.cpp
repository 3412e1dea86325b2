// main.cpp -- gearmesh: a teaching simulator of a pair of involute spur gears with
// profile shift. Asks for the gears on the console, then shows them in a window.
#include <cstdio>
#include <cstdlib>

#include "app/display_check.h"
#include "app/window.h"
#include "gear/console_lines.h"
#include "gear/dialogue.h"
#include "gear/gear_pair.h"

static const char* const NO_WINDOW_TEXT = "\nウィンドウを開けません：%s．\n%s\n";

int main(int argc, char** argv)
{
    // NOTE: checked before the first question, so that nobody types a whole
    // dialogue only to learn that no window can open.
    char reason[256];
    if (!windowSystemReachable(argc, argv, reason, static_cast<int>(sizeof reason))) {
        std::printf(NO_WINDOW_TEXT, reason, NO_WINDOW_ADVICE);
        return EXIT_FAILURE;
    }
    viewState.lastKey = 'z';
    viewState.viewMode = '1';
    // The first pair is made before the window opens, waiting on the console;
    // where nothing may wait (a web page) the window opens first, blank until
    // the pair is accepted.
    startConsoleLines();
    openDialogue();
    ConsoleLine line;
    while (dialogueOpen() && consoleLinesMayWait()) {
        if (takeConsoleLine(line, true) == LineStatus::END) {
            endOfDialogueInput();
        }
        answerDialogue(line.text, line.whole);
    }
    openWindow(&argc, argv);
    return 0;
}
