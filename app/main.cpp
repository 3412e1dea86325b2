// main.cpp -- gearmesh: a teaching simulator of a pair of involute spur gears with
// profile shift. Asks for the gears on the console, then shows them in a window,
// or with --outline writes them as SVG files to be cut.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/command_line.h"
#include "app/display_check.h"
#include "app/outline_svg.h"
#include "app/window.h"
#include "console/console_lines.h"
#include "console/console_text.h"
#include "console/dialogue.h"
#include "console/report.h"
#include "gear/gear_pair.h"
#include "console/language.h"

static const char* const NO_WINDOW_TEXT = "\nウィンドウを開けません：%s．\n%s\n";

// Status of a command line that cannot be run, as command-line tools have it.
static constexpr int USAGE_STATUS = 2;

static void writeText(FILE* stream, const char* text)
{
    writeConsoleText(stream, text, std::strlen(text));
    std::fflush(stream);
}

int main(int argc, char** argv)
{
    char problem[256];
    const CommandLine asked = readCommandLine(&argc, argv, problem, static_cast<int>(sizeof problem));
    if (asked == CommandLine::WRONG) {
        writeText(stderr, problem);
        writeText(stderr, usageText());
        return USAGE_STATUS;
    }
    if (asked == CommandLine::HELP) {
        writeText(stdout, usageText());
        return EXIT_SUCCESS;
    }
    // NOTE: checked before the first question, so that nobody types a whole
    // dialogue only to learn that no window can open. The outlines need none.
    const bool outline = asked == CommandLine::OUTLINE;
    keyHelpWanted = !outline;
    char reason[256];
    if (!outline && !windowSystemReachable(argc, argv, reason, static_cast<int>(sizeof reason))) {
        std::printf(inLanguage(NO_WINDOW_TEXT), reason, inLanguage(NO_WINDOW_ADVICE));
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
        answerDialogue(line.text, line.length, line.whole);
    }
    if (outline) {
        return writeGearOutlines();
    }
    openWindow(&argc, argv);
    return 0;
}
