// legend_text_web.cpp -- the legends on a web page: emscripten's GLUT has no
// bitmap fonts, so each line is written on the page's 2-D canvas "legend", which
// lies over the GL canvas, in the font and dark grey of the desktop's legends.
//
// The text lies over the picture instead of under what is drawn after it; the
// legends sit in the upper left, where little else is drawn.
#include <GL/glut.h>
#include <emscripten.h>

#include "app/window.h"

// NOTE: the GLUT header names fonts by the address of a variable that only
// freeglut defines; the views' font is that of every legend here, so its
// address only has to exist.
void* glutBitmapHelvetica18 = nullptr;

EM_JS(void, clearLegendCanvas, (), {
    const canvas = document.getElementById("legend");
    canvas.getContext("2d").clearRect(0, 0, canvas.width, canvas.height);
});

// (x, y) in window units, as glRasterPos2f takes them: the baseline's left end.
EM_JS(void, writeLegendCanvas, (float x, float y, const char* text), {
    const canvas = document.getElementById("legend");
    const context = canvas.getContext("2d");
    context.font = "18px Helvetica, Arial, 'Liberation Sans', sans-serif";
    context.fillStyle = "rgb(10, 10, 10)";
    context.fillText(UTF8ToString(text), (x + 1) * canvas.width / 2, (1 - y) * canvas.height / 2);
});

void drawText(float x, float y, void* font, const char* text)
{
    (void)font;
    writeLegendCanvas(x, y, text);
}

void startTextFrame()
{
    clearLegendCanvas();
}
