// picture_caption.cpp -- the caption under a saved picture: the pair's numbers in
// the text language, so that a handout says what it shows.
//
// The numbers are the report's own (shiftedPairFigures, console/report.h), to the
// same digits; the caption stands in a strip of its own below the window's
// picture, in the legends' font, and is written into the PNG and the SVG alike.
#include "app/picture.h"

#include <cstdio>

#include "console/language.h"
#include "console/report.h"
#include "draw/kit.h"
#include "gear/gear_pair.h"

static const char* const TEETH_TEXT = "歯数 z1=%d z2=%d  転位係数 x1=%.4f x2=%.4f";
static const char* const ANGLE_TEXT = "かみ合い圧力角αb=%.3f°  軸間距離a=%.4f";
static const char* const CONTACT_TEXT = "かみ合い率ε=%.3f  頂げきc=%.4f";

// Pixels: the strip's margins, and its rows in the legends' font and in the larger
// one of the high-contrast display.
static constexpr int CAPTION_LEFT = 12;
static constexpr int CAPTION_MARGIN = 8;
static constexpr int SMALL_ROW = 22;
static constexpr int LARGE_ROW = 30;
static constexpr int SMALL_DESCENT = 5;
static constexpr int LARGE_DESCENT = 7;

void composeCaption(int width, Caption& caption)
{
    const GearPairState& gp = gearPair;
    const PairFigures figures = shiftedPairFigures();
    std::snprintf(caption.text[0], sizeof caption.text[0], inLanguage(TEETH_TEXT), gp.z1, gp.z2,
                  gp.x1, gp.x2);
    std::snprintf(caption.text[1], sizeof caption.text[1], inLanguage(ANGLE_TEXT),
                  figures.alphabDegrees, figures.a);
    std::snprintf(caption.text[2], sizeof caption.text[2], inLanguage(CONTACT_TEXT),
                  figures.contactRatio, figures.clearance);
    const bool large = highContrast;
    const int row = large ? LARGE_ROW : SMALL_ROW;
    for (int i = 0; i < CAPTION_LINES; ++i) {
        caption.lines[i] = caption.text[i];
        caption.baselines[i] = CAPTION_MARGIN + (i + 1) * row - (large ? LARGE_DESCENT : SMALL_DESCENT);
    }
    caption.strip = TextStrip{caption.lines, CAPTION_LINES, caption.baselines, CAPTION_LEFT, width,
                              2 * CAPTION_MARGIN + CAPTION_LINES * row, large};
}
