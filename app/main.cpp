// main.cpp -- gearmesh: a teaching simulator of a pair of involute spur gears with
// profile shift. Asks for the gears on the console, then shows them in a window.
#include "app/window.h"
#include "gear/dialogue.h"
#include "gear/gear_pair.h"

int main(int argc, char** argv)
{
    viewState.lastKey = 'z';
    viewState.viewMode = '1';
    parameterDialogue();
    openWindow(&argc, argv);
    return 0;
}
