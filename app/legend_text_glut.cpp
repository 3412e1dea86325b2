// legend_text_glut.cpp -- the legends as GLUT's bitmap text, drawn into the picture
// with lighting on, whose dark grey they take (the desktop programs). GLUT's fonts
// stop at Latin-1, so the Japanese of a legend in the text language is drawn from
// the glyphs of legend_glyphs.cpp, on the same baseline.
#include <GL/freeglut.h>

#include <cassert>

#include "app/legend_glyphs.h"
#include "app/window.h"
#include "draw/batch.h"

const LegendGlyph* legendGlyph(unsigned int codePoint)
{
    for (int i = 0; i < LEGEND_GLYPH_COUNT; ++i) {
        if (LEGEND_GLYPHS[i].codePoint == codePoint) {
            return &LEGEND_GLYPHS[i];
        }
    }
    return nullptr;
}

// The code point that starts at *c (UTF-8), c moved past it. A byte that starts no
// character stands for itself.
static unsigned int nextCodePoint(const char*& c)
{
    const unsigned char lead = static_cast<unsigned char>(*c++);
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    unsigned int code = more == 0 ? lead : lead & (0x3Fu >> more);
    for (int i = 0; i < more && (static_cast<unsigned char>(*c) & 0xC0) == 0x80; ++i) {
        code = (code << 6) | (static_cast<unsigned char>(*c++) & 0x3F);
    }
    return code;
}

void drawText(float x, float y, void* font, const char* text)
{
    prepareForText();
    glPushAttrib(GL_CURRENT_BIT);
    glRasterPos2f(x, y);
    for (const char* c = text; *c != '\0';) {
        const unsigned int code = nextCodePoint(c);
        if (code < 0x80) {
            glutBitmapCharacter(font, static_cast<int>(code));
            continue;
        }
        const LegendGlyph* glyph = legendGlyph(code);
        assert(glyph != nullptr && "a legend character without a glyph: make-legend-glyphs.py");
        if (glyph != nullptr) {
            glBitmap(LEGEND_GLYPH_SIZE, LEGEND_GLYPH_SIZE, 0.0f, LEGEND_GLYPH_DESCENT,
                     LEGEND_GLYPH_SIZE, 0.0f, glyph->bits);
        }
    }
    glPopAttrib();
}

void startTextFrame()
{
    // Part of GL's picture: the frame's glClear has wiped it.
}

void addLegendsToPicture(unsigned char* rgba, int width, int height)
{
    // Part of GL's picture: read back with it.
    (void)rgba;
    (void)width;
    (void)height;
}
