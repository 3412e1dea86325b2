// window.cpp -- the window, its callbacks, and the frame services of the views.
//
// Projection and modelview are the identity in every frame, so the views draw in
// normalised device coordinates; nothing corrects for the window's aspect.
#include "app/window.h"

#include <GL/freeglut.h>

#include "app/keyboard.h"
#include "app/picture.h"
#include "app/views.h"
#include "console/console_lines.h"
#include "console/dialogue.h"
#include "console/language.h"
#include "draw/batch.h"

const char* const WINDOW_TITLE =
    "転位歯車のかみ合い　z:歯数変更，x:転位係数変更，1,2,3,4：描画歯車選択，"
    "w,W:縮小拡大，r,R:正逆回転，s:かみ合い継続";

// Side of the square window at start, pixels: 400 per window unit.
static constexpr int WINDOW_SIDE = 800;
// How often the loop looks for a console line while the dialogue waits, ms: well
// under what a person notices after pressing Enter.
static constexpr unsigned int CONSOLE_POLL_MS = 20;

// Answers the open dialogue with the lines typed since the last look; once the
// pair is accepted the window shows it at once.
static void answerFromConsole(int)
{
    ConsoleLine line;
    while (dialogueOpen()) {
        const LineStatus status = takeConsoleLine(line, false);
        if (status == LineStatus::END) {
            endOfDialogueInput();
        }
        if (status == LineStatus::NONE) {
            glutTimerFunc(CONSOLE_POLL_MS, answerFromConsole, 0);
            return;
        }
        answerDialogue(line.text, line.length, line.whole);
        offerInputLine(dialogueOpen());
    }
    glutPostRedisplay();
}

void waitForAnswers()
{
    offerInputLine(true);
    glutTimerFunc(CONSOLE_POLL_MS, answerFromConsole, 0);
}

void openWindow(int* argc, char** argv)
{
    // Before glutInit, so that a -geometry on the command line takes precedence.
    glutInitWindowSize(WINDOW_SIDE, WINDOW_SIDE);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(inLanguage(WINDOW_TITLE));
    setWindowTitleProperties(inLanguage(WINDOW_TITLE));
    glutDisplayFunc(displayViews);
    glutReshapeFunc(reshapeWindow);
    glutKeyboardFunc(keyboardCommand);
    glClearColor(1, 1, 1, 1);
    // NOTE: the legends take their colour from lighting, which the kit turns on
    // before each text; on from the start, GL's state matches it before any frame.
    glEnable(GL_LIGHTING);
    if (dialogueOpen()) {
        waitForAnswers();
    }
    glutMainLoop();
}

void reshapeWindow(int width, int height)
{
    glViewport(0, 0, width, height);
    // The kit cuts its curves for the pixels of the window's longer side.
    kitScreen.pixelsPerUnit = (width > height ? width : height) / 2.0;
    if (!(kitScreen.pixelsPerUnit > 0.0)) {
        kitScreen.pixelsPerUnit = WINDOW_SIDE / 2.0;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

void beginFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    startBatchFrame();
    startTextFrame();
}

void endFrame()
{
    flushBatch();
    finishTextFrame();
    glFlush();
    // NOTE: the finished frame is in the back buffer only until the swap.
    savePictureIfAsked();
    glutSwapBuffers();
}

unsigned int nextCodePoint(const char*& c)
{
    const unsigned char lead = static_cast<unsigned char>(*c++);
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    unsigned int code = more == 0 ? lead : lead & (0x3Fu >> more);
    for (int i = 0; i < more && (static_cast<unsigned char>(*c) & 0xC0) == 0x80; ++i) {
        code = (code << 6) | (static_cast<unsigned char>(*c++) & 0x3F);
    }
    return code;
}
