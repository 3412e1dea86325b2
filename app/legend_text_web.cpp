// legend_text_web.cpp -- the legends on a web page: emscripten's GLUT has no
// bitmap fonts, so each frame's lines go to the page, which writes them on its
// 2-D canvas "legend" over the GL canvas in the browser's font and the desktop's
// dark grey (larger on a small screen, so that they stay readable, and in the
// high-contrast display), and writes them into a picture that 'p' saves, as the
// desktop's GL picture holds them, and a caption's strip below it.
//
// The text lies over the picture instead of under what is drawn after it; the
// legends sit in the upper left, where little else is drawn. The canvas keeps
// what is written on it, so a frame whose lines are those already there leaves
// it alone; only a change of legend clears and writes it again.
#include <GL/glut.h>
#include <emscripten.h>

#include <cstring>

#include "app/window.h"
#include "draw/kit.h"

// NOTE: the GLUT header names fonts by the address of a variable that only
// freeglut defines; the views' font is that of every legend here, so its
// address only has to exist.
void* glutBitmapHelvetica18 = nullptr;

namespace {

struct Legend {
    int count;
    bool large;  // in the larger font of the high-contrast display
    float x[FRAME_TEXT_LINES];  // window units, the baseline's left end
    float y[FRAME_TEXT_LINES];
    char text[FRAME_TEXT_LINES][FRAME_TEXT_BYTES];
};

Legend written;  // this frame's lines
Legend shown;    // the lines on the canvas

bool sameLegend(const Legend& p, const Legend& q)
{
    if (p.count != q.count || p.large != q.large) {
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

EM_JS(void, clearLegendLines, (), { Module["legendLines"] = []; });

// (x, y) in window units, as glRasterPos2f takes them: the baseline's left end.
EM_JS(void, addLegendLine, (float x, float y, const char* text), {
    Module["legendLines"].push({x : x, y : y, text : UTF8ToString(text)});
});

EM_JS(void, showLegendLines, (bool large), { Module["showLegends"](large); });

// Text written by the page blended by its coverage into RGBA rows (from the
// bottom, as GL reads them): the page's legends at the picture's size, or with
// `count` lines the caption's strip, each line at its baseline (pixels from the
// strip's top) from `left`, in the legends' font.
EM_JS(void, blendText, (unsigned char* rgba, int width, int height, int left, bool large,
                        const char* const* lines, const int* baselines, int count), {
    const placed = [];
    for (let i = 0; i < count; ++i) {
        placed.push({x : left, y : HEAP32[(baselines >> 2) + i],
                     text : UTF8ToString(HEAPU32[(lines >> 2) + i])});
    }
    const text = (count > 0 ? Module["textImage"](width, height, placed, large)
                            : Module["legendImage"](width, height)).data;
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
    if (written.count == FRAME_TEXT_LINES) {
        return;
    }
    const int i = written.count;
    written.x[i] = x;
    written.y[i] = y;
    std::strncpy(written.text[i], text, FRAME_TEXT_BYTES - 1);
    written.text[i][FRAME_TEXT_BYTES - 1] = '\0';
    ++written.count;
}

void startTextFrame()
{
    written.count = 0;
    written.large = highContrast;
}

void finishTextFrame()
{
    if (sameLegend(written, shown)) {
        return;
    }
    clearLegendLines();
    for (int i = 0; i < written.count; ++i) {
        addLegendLine(written.x[i], written.y[i], written.text[i]);
    }
    showLegendLines(written.large);
    shown = written;
}

void addLegendsToPicture(unsigned char* rgba, int width, int height)
{
    blendText(rgba, width, height, 0, false, nullptr, nullptr, 0);
}

bool frameTextLine(int i, FrameTextLine& line)
{
    if (i < 0 || i >= written.count) {
        return false;
    }
    line = FrameTextLine{written.x[i], written.y[i], written.text[i], written.large};
    return true;
}

int textAdvance(unsigned int codePoint, bool large)
{
    (void)codePoint;
    (void)large;
    return 0;  // NOTE: the browser lays the text out, in the SVG file as on the page
}

void writeTextStrip(const TextStrip& strip, unsigned char* rgba, const unsigned char* frame)
{
    (void)frame;
    std::memset(rgba, 255, static_cast<std::size_t>(strip.width) * strip.height * 4);
    blendText(rgba, strip.width, strip.height, strip.left, strip.large, strip.lines,
              strip.baselines, strip.count);
}
