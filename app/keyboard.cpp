// keyboard.cpp -- maps single keys to view changes, zoom, direction, steps, new
// numbers on the console, and the end of the program.
//
// Keys that redraw draw the frame themselves, before the callback returns: the
// animation moves only on key presses and window-system redisplays, and nothing
// posts redisplay requests. 'z' and 'x' run the console dialogue inside the
// callback, so the window stands still until it returns, and then keeps the old
// picture until the next redraw.
#include "app/keyboard.h"

#include <cstdlib>

#include "app/views.h"
#include "gear/dialogue.h"
#include "gear/gear_pair.h"

void keyboardCommand(unsigned char key, int x, int y)
{
    (void)x;
    (void)y;
    ViewState& v = viewState;
    v.lastKey = static_cast<char>(key);
    switch (key) {
    case 'z':
    case 'x':
        parameterDialogue();
        return;
    case '1':
    case '2':
    case '3':
    case '4':
        v.viewMode = static_cast<char>(key);
        v.step = v.baseStep;
        v.theta1 = -v.step;
        v.theta1w = v.theta1;
        break;
    case 'w':
        if (ZOOM_STEP * v.scale >= SCALE_MIN) {
            v.scale = ZOOM_STEP * v.scale;
        }
        break;
    case 'W':
        if (v.scale / ZOOM_STEP <= SCALE_MAX) {
            v.scale = v.scale / ZOOM_STEP;
        }
        break;
    case 'r':
        v.step = v.baseStep;
        break;
    case 'R':
        v.step = -v.baseStep;
        break;
    case 's':
        break;
    case KEY_ESCAPE:
        std::exit(0);
    default:
        return;
    }
    displayViews();
}
