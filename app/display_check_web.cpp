// display_check_web.cpp -- on a web page the window is a canvas, which the program
// can draw on only where the browser offers WebGL (switched off in its settings,
// or a browser too old, it does not).
#include "app/display_check.h"
#include "console/language.h"

#include <emscripten.h>

#include <cstdio>

const char* const NO_WINDOW_ADVICE =
    "ブラウザの設定で WebGL（ハードウェアアクセラレーション）を有効にするか，"
    "ブラウザを最新の版にしてください";

EM_JS(int, webglAvailable, (), {
    try {
        return document.createElement("canvas").getContext("webgl") ? 1 : 0;
    } catch (e) {
        return 0;
    }
});

bool windowSystemReachable(int argc, char** argv, char* reason, int size)
{
    (void)argc;
    (void)argv;
    if (webglAvailable() != 0) {
        return true;
    }
    std::snprintf(reason, size, "%s", inLanguage("このブラウザでは WebGL が使えません"));
    return false;
}
