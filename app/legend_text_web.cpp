// legend_text_web.cpp -- the legends on a web page: emscripten's GLUT has no
// bitmap fonts, so each frame's lines go to the page, which writes them on its
// 2-D canvas "legend" over the GL canvas in the browser's font and the desktop's
// dark grey (larger on a small screen, so that they stay readable), and writes
// them into a picture that 'p' saves, as the desktop's GL picture holds them.
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

EM_JS(void, clearLegendLines, (), {
    Module["legendLines"] = [];
    Module["showLegends"]();
});

// (x, y) in window units, as glRasterPos2f takes them: the baseline's left end.
EM_JS(void, addLegendLine, (float x, float y, const char* text), {
    Module["legendLines"].push({x : x, y : y, text : UTF8ToString(text)});
    Module["showLegends"]();
});

// The page's legends at the picture's size, blended into its RGBA rows (from the
// bottom, as GL reads them) by their coverage.
EM_JS(void, blendLegends, (unsigned char* rgba, int width, int height), {
    const text = Module["legendImage"](width, height).data;
    for (let y = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x) {
            const from = 4 * (y * width + x);
            const to = rgba + 4 * ((height - 1 - y) * width + x);
            const cover = text[from + 3] / 255;
            for (let c = 0; c < 3; ++c) {
                HEAPU8[to + c] = Math.round(HEAPU8[to + c] * (1 - cover) + text[from + c] * cover);
            }
        }
    }
});

void drawText(float x, float y, void* font, const char* text)
{
    (void)font;
    addLegendLine(x, y, text);
}

void startTextFrame()
{
    clearLegendLines();
}

void addLegendsToPicture(unsigned char* rgba, int width, int height)
{
    blendLegends(rgba, width, height);
}
