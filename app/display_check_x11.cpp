// display_check_x11.cpp -- the window system check on X11.
//
// freeglut, when it cannot open the display, ends the process from inside
// glutInit with a line in English; by then the user has typed the whole
// dialogue. Opening the display once, before any question, lets main say why in
// the program's own language and end before the dialogue starts.
#include "app/display_check.h"

#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/language.h"

// snprintf cuts a long reason at a byte; a character cut in two shows as garbage
// on the console, so the cut moves back to where the last whole character ends.
static void cutAtCharacter(char* reason, int written, int size)
{
    if (written < size) {
        return;
    }
    const int end = size - 1;
    int lead = end - 1;
    while (lead > 0 && (static_cast<unsigned char>(reason[lead]) & 0xC0) == 0x80) {
        --lead;
    }
    const unsigned char first = static_cast<unsigned char>(reason[lead]);
    const int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    if (lead + length > end) {
        reason[lead] = '\0';
    }
}

const char* const NO_WINDOW_ADVICE =
    "デスクトップの端末から起動するか，環境変数 DISPLAY に画面を指定してください"
    "（例：DISPLAY=:0 gearmesh）";

bool windowSystemReachable(int argc, char** argv, char* reason, int size)
{
    // glutInit takes "-display NAME" in preference to DISPLAY, the last one given,
    // and takes the word after "-display" as the name whatever it is; without one
    // it stops, after the dialogue. The check reads the line the same way.
    const char* name = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-display") != 0) {
            continue;
        }
        if (i + 1 == argc) {
            std::snprintf(reason, size, "%s",
                          inLanguage("「-display」のあとに X ディスプレイの名前がありません"));
            return false;
        }
        name = argv[++i];
    }
    // Xlib reads an empty name as DISPLAY too.
    if (name == nullptr || name[0] == '\0') {
        name = std::getenv("DISPLAY");
    }
    if (name == nullptr || name[0] == '\0') {
        std::snprintf(reason, size, "%s",
                      inLanguage("環境変数 DISPLAY が設定されていません"
                                 "（画面のない端末や ssh からの起動では設定されません）"));
        return false;
    }
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        cutAtCharacter(reason,
                       std::snprintf(reason, size, inLanguage("X ディスプレイ「%s」に接続できません"), name),
                       size);
        return false;
    }
    // NOTE: left open until the process ends. An X server with no other client
    // (Xvfb, a bare server) resets when its last connection closes, and glutInit,
    // a moment later, would then fail to connect (3 starts in 20, measured).
    return true;
}
