// outline_svg.cpp -- writes each gear of the accepted pair as an SVG file at true
// size: --outline MODULE [--bore D].
//
// Lengths in the file are millimetres: width and height carry "mm" and the
// viewBox the same numbers, so cutting software imports the gear at size. Red is
// what is cut (the teeth, one closed path, and the bore, another), blue is for
// reference only (the working pitch circle, dashed; the centre cross; the label),
// so that the software can leave it out by colour; every line is 0.1 mm wide,
// thin but visible when the file is looked at. The files are laid out so
// that, set side by side with gear 2 to the right of gear 1 and their centres the
// working centre distance apart, the two gears mesh as they stand: a tooth of
// gear 1 points right, a space of gear 2 left. The outline is the geometry's
// (gear/gear_outline.cpp); the name and the new file are the pictures'.
#include "app/outline_svg.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/picture.h"
#include "app/svg_text.h"
#include "console/console_text.h"
#include "gear/gear_outline.h"

OutlineRequest outlineRequest = {0.0, 0.0};

static const char* const SAVED_TEXT = "\n輪郭を保存しました：%s";
static const char* const NOT_SAVED_TEXT = "\n輪郭を保存できませんでした：%s（%s）";
static const char* const DRILL_TEXT = "\n軸穴の中心距離：%.3f mm（軸間距離a=%.4f×モジュール%g mm）";
static const char* const BACKLASH_TEXT =
    "\nバックラッシを付けるには軸穴を少し離します：ピッチ円上のバックラッシ0.1 mmにつき%.3f mm";
static const char* const BORE_TOO_LARGE_TEXT =
    "\n穴の直径%g mmが歯車%dの歯底円の直径%.3f mmより小さくないため，輪郭を書きません"
    "（歯底円の直径：歯車1 %.3f mm，歯車2 %.3f mm）\n";

// Room for a file name and for a whole path as the console shows it.
static constexpr std::size_t NAME_BYTES = 160;
static constexpr std::size_t PATH_BYTES = 4096 + NAME_BYTES;
// Bytes of the file besides its outline's points, and at most per point.
static constexpr std::size_t SVG_FIXED_BYTES = 4096;
static constexpr std::size_t SVG_POINT_BYTES = 64;

// Diameter of the root circle of gear 1 or 2 in mm.
static double rootDiameter(int gear)
{
    return 2.0 * (gear == 1 ? gearPair.rf1 : gearPair.rf2) * outlineRequest.module;
}

// The file of one gear, its outline in `outline` (room for GEAR_OUTLINE_POINTS).
static void composeGear(int gear, Vec2* outline, SvgText& svg)
{
    const GearPairState& gp = gearPair;
    const double m = outlineRequest.module;
    const int z = gear == 1 ? gp.z1 : gp.z2;
    // A tooth of gear 1 towards gear 2 on its right, a space of gear 2 towards gear 1.
    const double toothCentre = gear == 1 ? PI / 2.0 : -PI / 2.0 + PI / z;
    const int count = buildGearOutline(gear, toothCentre, outline);
    // Coordinates to a ten-thousandth of a module or finer.
    svg.decimals = std::clamp(static_cast<int>(std::ceil(4.0 - std::log10(m))), 0, 9);
    const double tip = (gear == 1 ? gp.ru1 : gp.ru2) * m;
    const double margin = std::max(1.0, 0.5 * m);
    // NOTE: small enough that the label of gear 1, below it, clears gear 2 when the
    // two files are set side by side to mesh.
    const double font = std::max(2.0, 0.65 * m);
    const double x = gear == 1 ? gp.x1 : gp.x2;
    char shift[72];
    numberForName(std::fabs(x), shift, sizeof shift);
    char label[160];
    const char* sign = x < 0.0 && std::strcmp(shift, "0") != 0 ? "-" : "";
    std::snprintf(label, sizeof label, "z=%d x=%s%s m=%g mm a=%.3f mm", z, sign, shift, m,
                  (gp.rb1 + gp.rb2) * m);
    // NOTE: a character of a sans-serif font is at most about 0.65 em wide; the
    // label may be wider than the gear.
    const double labelWidth = 0.7 * font * static_cast<double>(std::strlen(label));
    const double width = std::max(2.0 * (tip + margin), labelWidth + 2.0 * margin);
    const double height = 2.0 * (tip + margin) + 1.5 * font;
    const double cx = width / 2.0;
    const double cy = margin + tip;
    put(svg, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<!-- gearmesh: gear %d of the pair %d/%d with shifts %.4f and %.4f, module %g mm."
             " Cut the red lines; the blue ones are for reference. -->\n",
        gear, gp.z1, gp.z2, gp.x1, gp.x2, m);
    put(svg, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.3fmm\" height=\"%.3fmm\" "
             "viewBox=\"0 0 %.3f %.3f\">\n", width, height, width, height);
    const char* const cut = "<path fill=\"none\" stroke=\"#ff0000\" stroke-width=\"0.1\" d=\"";
    const char* const mark = "<path fill=\"none\" stroke=\"#0000ff\" stroke-width=\"0.1\" d=\"";
    put(svg, "%s", cut);
    for (int i = 0; i < count; ++i) {
        // The model's y points up, the file's down.
        putPoint(svg, i == 0 ? "M " : i == 1 ? " L " : i % 8 == 0 ? "\n" : " ",
                 cx + outline[i].x * m, cy - outline[i].y * m);
    }
    put(svg, " Z\"/>\n");
    const double bore = outlineRequest.bore / 2.0;
    if (bore > 0.0) {
        put(svg, "%s", cut);
        putPoint(svg, "M ", cx + bore, cy);
        putPoint(svg, " A ", bore, bore);
        putPoint(svg, " 0 1,1 ", cx - bore, cy);
        putPoint(svg, " A ", bore, bore);
        putPoint(svg, " 0 1,1 ", cx + bore, cy);
        put(svg, " Z\"/>\n");
    }
    put(svg, "<circle fill=\"none\" stroke=\"#0000ff\" stroke-width=\"0.1\" "
             "stroke-dasharray=\"%g %g\" cx=\"%.*f\" cy=\"%.*f\" r=\"%.*f\"/>\n",
        0.5 * m, 0.25 * m, svg.decimals, cx, svg.decimals, cy, svg.decimals,
        (gear == 1 ? gp.rb1 : gp.rb2) * m);
    put(svg, "%s", mark);
    putPoint(svg, "M ", cx - m, cy);
    putPoint(svg, " L ", cx + m, cy);
    putPoint(svg, " M ", cx, cy - m);
    putPoint(svg, " L ", cx, cy + m);
    put(svg, "\"/>\n");
    put(svg, "<text fill=\"#0000ff\" font-family=\"sans-serif\" font-size=\"%g\" "
             "text-anchor=\"middle\" x=\"%.3f\" y=\"%.3f\">%s</text>\n</svg>\n",
        font, cx, 2.0 * (tip + margin) + font, label);
}

int writeGearOutlines()
{
    const GearPairState& gp = gearPair;
    const double m = outlineRequest.module;
    // NOTE: the root circles are known only once the pair is; a bore that does not
    // fit either gear stops both files, so that no half of a pair is cut.
    for (int gear = 1; gear <= 2; ++gear) {
        if (!(outlineRequest.bore < rootDiameter(gear))) {
            say(BORE_TOO_LARGE_TEXT, outlineRequest.bore, gear, rootDiameter(gear), rootDiameter(1),
                rootDiameter(2));
            return 2;
        }
    }
    auto* outline = static_cast<Vec2*>(std::malloc(GEAR_OUTLINE_POINTS * sizeof(Vec2)));
    const std::size_t size = SVG_FIXED_BYTES + GEAR_OUTLINE_POINTS * SVG_POINT_BYTES;
    SvgText svg = {static_cast<char*>(std::malloc(size)), 0, size, 0};
    int status = 0;
    for (int gear = 1; gear <= 2 && status == 0; ++gear) {
        char pair[NAME_BYTES];
        char number[72];
        char base[NAME_BYTES + 96];
        char name[NAME_BYTES + 128];
        char where[PATH_BYTES];
        pairBaseName(pair, sizeof pair);
        numberForName(m, number, sizeof number);
        std::snprintf(base, sizeof base, "%s_gear%d_m%s", pair, gear, number);
        std::snprintf(name, sizeof name, "%s.svg", base);
        svg.used = 0;
        bool written = outline != nullptr && svg.bytes != nullptr;
        int cause = ENOMEM;  // unless the outline is composed
        pathOf(name, where, sizeof where);
        if (written) {
            composeGear(gear, outline, svg);
            const NewFileBytes file = {".svg", reinterpret_cast<unsigned char*>(svg.bytes), svg.used};
            char stem[NAME_BYTES + 112];
            written = writeUnderFreeName(base, &file, 1, stem, sizeof stem, cause) == 1;
            std::snprintf(name, sizeof name, "%s.svg", stem);
            pathOf(name, where, sizeof where);
        }
        if (written) {
            say(SAVED_TEXT, where);
        } else {
            say(NOT_SAVED_TEXT, where, saveCauseText(cause));
            status = 1;
        }
    }
    std::free(outline);
    std::free(svg.bytes);
    if (status == 0) {
        // Pulled apart by da, the flanks part by 2 da sin(ab) along the line of
        // action, which is 2 da tan(ab) along the working pitch circles.
        say(DRILL_TEXT, (gp.rb1 + gp.rb2) * m, gp.rb1 + gp.rb2, m);
        say(BACKLASH_TEXT, 0.1 / (2.0 * std::tan(gp.alphab)));
    }
    sayText("\n");
    return status;
}
