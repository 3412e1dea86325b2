// keyboard.cpp -- maps single keys to view changes, zoom, direction, steps, new
// numbers on the console, and the end of the program.
//
// A key changes the view state, turns the gears of a mesh view by its one step,
// and asks for a redisplay: keys that arrive while a slow frame is drawn all count,
// and end in one frame. 'z' and 'x' open the console dialogue and return at once;
// the window goes on living while it waits for its answers. 'p' asks the next
// frame to be saved as a picture (app/picture.cpp); 'h' switches the
// high-contrast display (draw/kit.h) on or off, and neither turns the gears. 'a'
// lets a timer step the mesh views, a frame posted per step, until something stops it.
#include "app/keyboard.h"

#include <cstdlib>

#include <GL/freeglut.h>

#include "app/picture.h"
#include "app/views.h"
#include "app/window.h"
#include "console/dialogue.h"
#include "gear/gear_pair.h"

static bool playing;          // 'a': the mesh views step by themselves
static int playRun;           // numbers each start, so that a stopped run's timer ends

static bool inMeshView()
{
    const char mode = viewState.viewMode;
    return mode == '3' || mode == '4' || mode == '5';
}

// One step of a run that 'a' started; the timer it sets is the run's only one.
static void playStep(int run)
{
    if (!playing || run != playRun) {
        return;
    }
    advanceMesh();
    glutPostRedisplay();
    glutTimerFunc(PLAY_STEP_MS, playStep, run);
}

static void startPlaying()
{
    playing = true;
    ++playRun;
    glutTimerFunc(PLAY_STEP_MS, playStep, playRun);
}

bool meshPlaying()
{
    return playing;
}

void keyboardCommand(unsigned char key, int x, int y)
{
    (void)x;
    (void)y;
    if (key == KEY_ESCAPE) {
        std::exit(0);
    }
    // NOTE: keys typed into the window while the console waits are dropped, not
    // run once it has its answer: they were meant for the console.
    if (dialogueOpen()) {
        return;
    }
    ViewState& v = viewState;
    v.lastKey = static_cast<char>(key);
    switch (key) {
    case 'z':
    case 'x':
        playing = false;
        openDialogue();
        waitForAnswers();
        return;
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
        // NOTE: a run goes on from one mesh view to another, and ends with 1 or 2.
        playing = playing && key != '1' && key != '2';
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
    case 'a':
        if (playing || !inMeshView()) {
            playing = false;
            return;
        }
        startPlaying();
        return;
    case 'p':
        // NOTE: the frame that saves shows the state as it is; nothing turns.
        askForPicture();
        glutPostRedisplay();
        return;
    case 'h':
        highContrast = !highContrast;
        glutPostRedisplay();
        return;
    default:
        return;
    }
    if (inMeshView()) {
        advanceMesh();
    }
    glutPostRedisplay();
}
