// command_line.cpp -- reads gearmesh's options out of the command line.
//
// The program's own options are the language of its texts, the high-contrast
// display, and the outlines instead of the window; every other argument GLUT must know, since glutInit
// would silently skip a typo.
// GLUT's options (freeglut's glutInit) stay in argv, in their order, for it.
#include "app/command_line.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/outline_svg.h"
#include "console/language.h"
#include "draw/kit.h"

static const char* const UNKNOWN_OPTION_TEXT = "\n不明なオプションです：%s";
static const char* const NO_VALUE_TEXT = "\nオプション %s の後に値がありません";
static const char* const BAD_MODULE_TEXT =
    "\n--outline のモジュールは0より大きく100以下の数（mm）で指定してください：%s";
static const char* const BAD_BORE_TEXT = "\n--bore の直径は0より大きい数（mm）で指定してください：%s";
static const char* const BORE_ALONE_TEXT = "\n%s は --outline と一緒に指定してください";
static const char* const USAGE_TEXT =
    "\n使い方：gearmesh [--english | -e] [--high-contrast] [--outline モジュール [--bore 直径]]"
    " [GLUTのオプション]"
    "\n  --english, -e  コンソールの文とウィンドウのタイトルを英語にする"
    "\n  --high-contrast  高コントラストで描く（キーhと同じ：プロジェクタ・印刷向け）"
    "\n  --outline M    ウィンドウを開かず，2つの歯車をモジュールM mmのSVGファイルに書く"
    "\n  --bore D       その歯車に直径D mmの中心穴をあける"
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

// A length in mm after --outline or --bore: the whole argument, a finite number
// above 0 and at most `most`.
static bool readMillimetres(const char* text, double most, double& value)
{
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(v) || !(v > 0.0 && v <= most)) {
        return false;
    }
    value = v;
    return true;
}

CommandLine readCommandLine(int* argc, char** argv, char* problem, int size)
{
    CommandLine asked = CommandLine::RUN;
    const char* wrong = nullptr;        // the first argument at fault
    const char* wrongText = nullptr;    // and what is wrong with it
    int kept = 1;
    outlineRequest = OutlineRequest{0.0, 0.0};
    for (int i = 1; i < *argc; ++i) {
        const char* arg = argv[i];
        const bool outline = is(arg, "--outline");
        if ((outline || is(arg, "--bore")) && i + 1 < *argc) {
            ++i;
            const bool read = readMillimetres(argv[i], outline ? MODULE_MAX : HUGE_VAL,
                                              outline ? outlineRequest.module : outlineRequest.bore);
            if (!read && wrong == nullptr) {
                wrong = argv[i];
                wrongText = outline ? BAD_MODULE_TEXT : BAD_BORE_TEXT;
            }
            asked = read ? asked : CommandLine::WRONG;
            continue;
        }
        if (is(arg, "--english") || is(arg, "-e")) {
            textLanguage = Language::ENGLISH;
            continue;
        }
        if (is(arg, "--high-contrast")) {
            highContrast = true;
            continue;
        }
        if (is(arg, "--help") || is(arg, "-h")) {
            asked = asked == CommandLine::WRONG ? asked : CommandLine::HELP;
            continue;
        }
        const bool takesValue = isOneOf(arg, GLUT_VALUE_OPTIONS) || outline || is(arg, "--bore");
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
    if (outlineRequest.bore > 0.0 && !(outlineRequest.module > 0.0) && wrong == nullptr) {
        wrong = "--bore";
        wrongText = BORE_ALONE_TEXT;
        asked = CommandLine::WRONG;
    }
    if (asked == CommandLine::RUN && outlineRequest.module > 0.0) {
        asked = CommandLine::OUTLINE;
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
