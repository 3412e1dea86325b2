// command_line.cpp -- reads gearmesh's options out of the command line.
//
// The program takes one option of its own, the language of its texts; every
// other argument GLUT must know, since glutInit would silently skip a typo.
// GLUT's options (freeglut's glutInit) stay in argv, in their order, for it.
#include "app/command_line.h"

#include <cstdio>
#include <cstring>

#include "console/language.h"

static const char* const UNKNOWN_OPTION_TEXT = "\n不明なオプションです：%s";
static const char* const NO_VALUE_TEXT = "\nオプション %s の後に値がありません";
static const char* const USAGE_TEXT =
    "\n使い方：gearmesh [--english | -e] [GLUTのオプション]"
    "\n  --english, -e  コンソールの文とウィンドウのタイトルを英語にする"
    "\n  GLUTのオプション：-display 画面名  -geometry 幅x高さ+X+Y  -iconic  -direct  -indirect"
    "  -gldebug  -sync\n";

// GLUT's options, the first two with a value after them.
static const char* const GLUT_VALUE_OPTIONS[] = {"-display", "-geometry"};
static const char* const GLUT_FLAG_OPTIONS[] = {"-iconic",  "-direct", "-indirect",
                                                "-gldebug", "-sync"};

template <std::size_t N>
static bool isOneOf(const char* arg, const char* const (&names)[N])
{
    for (const char* name : names) {
        if (std::strcmp(arg, name) == 0) {
            return true;
        }
    }
    return false;
}

static bool is(const char* arg, const char* name) { return std::strcmp(arg, name) == 0; }

CommandLine readCommandLine(int* argc, char** argv, char* problem, int size)
{
    CommandLine asked = CommandLine::RUN;
    const char* wrong = nullptr;        // the first argument at fault
    const char* wrongText = nullptr;    // and what is wrong with it
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const char* arg = argv[i];
        if (is(arg, "--english") || is(arg, "-e")) {
            textLanguage = Language::ENGLISH;
            continue;
        }
        if (is(arg, "--help") || is(arg, "-h")) {
            asked = asked == CommandLine::WRONG ? asked : CommandLine::HELP;
            continue;
        }
        const bool takesValue = isOneOf(arg, GLUT_VALUE_OPTIONS);
        // NOTE: a bare -display is the display check's to refuse, as a display
        // that cannot be reached.
        if (takesValue && i + 1 == *argc && is(arg, "-display")) {
            argv[kept++] = argv[i];
            continue;
        }
        if (takesValue && i + 1 < *argc) {
            argv[kept++] = argv[i++];
            argv[kept++] = argv[i];
            continue;
        }
        if (isOneOf(arg, GLUT_FLAG_OPTIONS)) {
            argv[kept++] = argv[i];
            continue;
        }
        if (wrong == nullptr) {
            wrong = arg;
            wrongText = takesValue ? NO_VALUE_TEXT : UNKNOWN_OPTION_TEXT;
        }
        asked = CommandLine::WRONG;
    }
    *argc = kept;
    argv[kept] = nullptr;
    problem[0] = '\0';
    if (wrong != nullptr) {
        // NOTE: formatted after the whole line is read, so that an -e after the
        // fault still gives the reason in English.
        std::snprintf(problem, static_cast<std::size_t>(size), inLanguage(wrongText), wrong);
    }
    return asked;
}

const char* usageText()
{
    return inLanguage(USAGE_TEXT);
}
