// legend_glyphs.h -- bitmaps of the characters beyond Latin-1 that the window's
// legends write, for GLUT's bitmap text, whose fonts have none of them. The table
// is written by scripts/make-legend-glyphs.py.
#pragma once

// One character, 16 x 16 pixels, as glBitmap takes it: bottom row first, each row
// two bytes of pixels (the leftmost in the high bit) padded to four.
constexpr int LEGEND_GLYPH_SIZE = 16;
// Rows of the glyph below the baseline.
constexpr int LEGEND_GLYPH_DESCENT = 2;
struct LegendGlyph {
    unsigned int codePoint;
    unsigned char bits[LEGEND_GLYPH_SIZE * 4];
};

extern const LegendGlyph LEGEND_GLYPHS[];
extern const int LEGEND_GLYPH_COUNT;

// The glyph of a code point, or nullptr when the table has none.
const LegendGlyph* legendGlyph(unsigned int codePoint);
