// key_buttons_web.cpp -- the page's row of key buttons, for touch screens without
// a keyboard: a button hands its key to the program as if it were pressed on the
// picture.
#include <emscripten.h>

#include "app/keyboard.h"

extern "C" EMSCRIPTEN_KEEPALIVE void pressKey(int key)
{
    keyboardCommand(static_cast<unsigned char>(key), 0, 0);
}
