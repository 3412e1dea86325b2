// page_input_web.cpp -- what the page hands the program besides console lines:
// every key, typed on the picture or given by one of its buttons (the page routes
// them all, so that a run it has replaced hears none), its switch of the
// high-contrast display, and the end of a run.
#include <emscripten.h>

#include <GL/glut.h>

#include "app/keyboard.h"
#include "draw/kit.h"

extern "C" EMSCRIPTEN_KEEPALIVE void pressKey(int key)
{
    keyboardCommand(static_cast<unsigned char>(key), 0, 0);
}

// The page's switch of the high-contrast display: as the key 'h', also while the
// console waits, since it is no key typed into the picture.
extern "C" EMSCRIPTEN_KEEPALIVE void setHighContrast(int on)
{
    highContrast = on != 0;
    glutPostRedisplay();
}

// Ends the run for good before the page starts another (a new language, or again
// after the end): exit() alone leaves the runtime's timers and frames running.
extern "C" EMSCRIPTEN_KEEPALIVE void stopProgram()
{
    emscripten_force_exit(0);
}
