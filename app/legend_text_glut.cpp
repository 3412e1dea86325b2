// legend_text_glut.cpp -- the legends as GLUT's bitmap text, drawn into the picture
// with lighting on, whose dark grey they take (the desktop programs).
#include <GL/freeglut.h>

#include "app/window.h"
#include "draw/batch.h"

void drawText(float x, float y, void* font, const char* text)
{
    prepareForText();
    glPushAttrib(GL_CURRENT_BIT);
    glRasterPos2f(x, y);
    for (const char* c = text; *c != '\0'; ++c) {
        glutBitmapCharacter(font, static_cast<int>(static_cast<signed char>(*c)));
    }
    glPopAttrib();
}

void startTextFrame()
{
    // Part of GL's picture: the frame's glClear has wiped it.
}
