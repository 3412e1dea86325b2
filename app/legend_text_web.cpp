// legend_text_web.cpp -- the legends on a web page: emscripten's GLUT has no
// bitmap fonts, so each line is written on the page's 2-D canvas "legend", which
// lies over the GL canvas, in the font and dark grey of the desktop's legends.
//
// The text lies over the picture instead of under what is drawn after it; the
// legends sit in the upper left, where little else is drawn. The canvas keeps
// what is written on it, so a frame whose lines are those already there leaves
// it alone; only a change of legend clears and writes it again.
#include <GL/glut.h>
#include <emscripten.h>

#include <cstring>

#include "app/window.h"

// NOTE: the GLUT header names fonts by the address of a variable that only
// freeglut defines; the views' font is that of every legend here, so its
// address only has to exist.
void* glutBitmapHelvetica18 = nullptr;

namespace {

constexpr int LEGEND_LINES = 12;
constexpr int LINE_BYTES = 128;

struct Legend {
    int count;
    float x[LEGEND_LINES];  // window units, the baseline's left end
    float y[LEGEND_LINES];
    char text[LEGEND_LINES][LINE_BYTES];
};

Legend written;  // this frame's lines
Legend shown;    // the lines on the canvas

bool sameLegend(const Legend& p, const Legend& q)
{
    if (p.count != q.count) {
        return false;
    }
    for (int i = 0; i < p.count; ++i) {
        if (p.x[i] != q.x[i] || p.y[i] != q.y[i] || std::strcmp(p.text[i], q.text[i]) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

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
    if (written.count == LEGEND_LINES) {
        return;
    }
    const int i = written.count;
    written.x[i] = x;
    written.y[i] = y;
    std::strncpy(written.text[i], text, LINE_BYTES - 1);
    written.text[i][LINE_BYTES - 1] = '\0';
    ++written.count;
}

void startTextFrame()
{
    written.count = 0;
}

void finishTextFrame()
{
    if (sameLegend(written, shown)) {
        return;
    }
    clearLegendCanvas();
    for (int i = 0; i < written.count; ++i) {
        writeLegendCanvas(written.x[i], written.y[i], written.text[i]);
    }
    shown = written;
}
