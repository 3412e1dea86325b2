// picture_svg.cpp -- the frame just drawn as an SVG file beside its PNG: key 'p'.
//
// Nothing is drawn again: the file is written from the kit's batch, which holds
// the frame until the next one begins as runs of one kind, colour and width
// (draw/batch.h), and from the frame's lines of text. A run of lines becomes one
// path stroked in its colour and width, its segments joined where one starts at
// the end of the last; a run of triangles one filled path, the triangles of a fan
// (a disc) joined into one polygon; the text stays text, each character placed
// where the bitmap font put it. The coordinates are the window's pixels, y down;
// what the window cuts off at its edge the file clips, and the caption stands in a
// strip below, as in the PNG.
#include "app/picture.h"

#include <cmath>
#include <cstdlib>

#include "app/svg_text.h"
#include "app/window.h"
#include "draw/batch.h"
#include "gear/gear_pair.h"

namespace {

// Bytes of the file besides its runs, vertices and text, and at most per each. A
// line of text is its element and a tspan for each character: at most 48 bytes for
// each byte of the line (a Japanese character, 3 bytes, with its font, about 125).
constexpr std::size_t SVG_FIXED_BYTES = 4096;
constexpr std::size_t SVG_RUN_BYTES = 256;
constexpr std::size_t SVG_VERTEX_BYTES = 24;
constexpr std::size_t SVG_TEXT_LINE_BYTES = 512 + 48 * FRAME_TEXT_BYTES;
// The corners of one polygon held while it grows: a disc has a few hundred.
constexpr int POLYGON_CORNERS = 4096;
// GL's lighting gives the bitmap legends their colour: its default ambient light
// 0.2 times the default material's 0.2, 10 of 255; the web page writes the same.
const char* const TEXT_COLOUR = "#0a0a0a";
// The families whose letters are closest to GLUT's Helvetica 18 and Times Roman 24,
// in the sizes whose letters cover those of the bitmaps best; the Japanese in a
// Gothic, at the size of the glyphs (legend_glyphs.h).
const char* const SMALL_FONT = "font-family=\"Helvetica, Arial, 'Nimbus Sans', 'Liberation Sans', "
                               "sans-serif\" font-size=\"19\"";
const char* const LARGE_FONT = "font-family=\"'Times New Roman', Times, 'Nimbus Roman', "
                               "'Liberation Serif', serif\" font-size=\"25\"";
const char* const JAPANESE_FONT = "font-family=\"'Noto Sans CJK JP', 'Droid Sans Fallback', "
                                  "'IPAGothic', sans-serif\"";

// The window's pixels, y down, and the window units they come from.
struct PixelFrame {
    double width;
    double height;
};

Vec2 toPixels(const PixelFrame& f, double x, double y)
{
    return Vec2{(x + 1.0) * f.width / 2.0, (1.0 - y) * f.height / 2.0};
}

void putColour(SvgText& svg, const char* attribute, const Rgba& c)
{
    put(svg, " %s=\"#%02x%02x%02x\"", attribute, colourByte(c.r), colourByte(c.g), colourByte(c.b));
}

void putLines(SvgText& svg, const PixelFrame& f, const BatchRun& run)
{
    const int segments = runSegmentCount(run);
    if (segments == 0) {
        return;
    }
    put(svg, "<path fill=\"none\" stroke-linejoin=\"round\"");
    putColour(svg, "stroke", run.colour);
    put(svg, " stroke-width=\"%g\" d=\"", run.width);
    Vec2 end = {NAN, NAN};
    for (int k = 0; k < segments; ++k) {
        Vec2 from;
        Vec2 to;
        runSegment(run, k, from, to);
        const char* gap = k == 0 ? "" : k % 8 == 0 ? "\n" : " ";
        if (!(from.x == end.x && from.y == end.y)) {
            const Vec2 p = toPixels(f, from.x, from.y);
            put(svg, "%sM", gap);
            putPoint(svg, "", p.x, p.y);
            gap = " ";
        }
        const Vec2 q = toPixels(f, to.x, to.y);
        putPoint(svg, gap, q.x, q.y);
        end = to;
    }
    put(svg, "\"/>\n");
}

// One polygon, turned so that every polygon of the file winds the same way: a
// path's polygons then fill their union, where two overlap too.
void putPolygon(SvgText& svg, const PixelFrame& f, const Vec2* corners, int count)
{
    double area = 0.0;
    for (int i = 0; i < count; ++i) {
        const Vec2& p = corners[i];
        const Vec2& q = corners[(i + 1) % count];
        area += p.x * q.y - q.x * p.y;
    }
    for (int i = 0; i < count; ++i) {
        const Vec2& c = corners[area < 0.0 ? count - 1 - i : i];
        const Vec2 p = toPixels(f, c.x, c.y);
        putPoint(svg, i == 0 ? "M" : " L", p.x, p.y);
    }
    put(svg, " Z\n");
}

void putTriangles(SvgText& svg, const PixelFrame& f, const BatchRun& run)
{
    if (run.count < 3) {
        return;
    }
    static Vec2 corners[POLYGON_CORNERS];
    int count = 0;
    put(svg, "<path");
    putColour(svg, "fill", run.colour);
    put(svg, " d=\"");
    const float* v = batchVertices() + 2 * run.first;
    for (int t = 0; t + 2 < run.count; t += 3) {
        const Vec2 a = {v[2 * t], v[2 * t + 1]};
        const Vec2 b = {v[2 * t + 2], v[2 * t + 3]};
        const Vec2 c = {v[2 * t + 4], v[2 * t + 5]};
        // A fan goes on from its first corner and the last corner of the triangle before.
        const bool goesOn = count > 0 && count < POLYGON_CORNERS && a.x == corners[0].x &&
                            a.y == corners[0].y && b.x == corners[count - 1].x &&
                            b.y == corners[count - 1].y;
        if (goesOn) {
            corners[count++] = c;
            continue;
        }
        if (count > 0) {
            putPolygon(svg, f, corners, count);
        }
        corners[0] = a;
        corners[1] = b;
        corners[2] = c;
        count = 3;
    }
    putPolygon(svg, f, corners, count);
    put(svg, "\"/>\n");
}

// The characters from..to of a text as XML holds them.
void putEscaped(SvgText& svg, const char* from, const char* to)
{
    for (const char* c = from; c != to && *c != '\0'; ++c) {
        if (*c == '&') {
            put(svg, "&amp;");
        } else if (*c == '<') {
            put(svg, "&lt;");
        } else if (*c == '>') {
            put(svg, "&gt;");
        } else if (*c == '-') {
            // NOTE: GLUT's fonts draw the hyphen as wide as a minus, and the
            // legends' hyphens are minus signs.
            put(svg, "&#x2212;");
        } else {
            put(svg, "%c", *c);
        }
    }
}

// A line of text whose baseline starts at (x, y) pixels. Where the platform can
// tell where the bitmap font puts each character, each is placed there (a tspan
// of its own: renderers take one x for a tspan, not a list), the Japanese in the
// size of their glyphs; else the renderer lays the line out.
void putText(SvgText& svg, double x, double y, const char* text, bool large)
{
    // NOTE: the legends indent with runs of spaces, which SVG would fold into one.
    put(svg, "<text xml:space=\"preserve\" style=\"white-space:pre\" fill=\"%s\" %s "
             "x=\"%.2f\" y=\"%.2f\">", TEXT_COLOUR, large ? LARGE_FONT : SMALL_FONT, x, y);
    double at = x;
    const char* c = text;
    const bool placed = textAdvance('x', large) > 0;
    while (placed && *c != '\0') {
        const char* from = c;
        const unsigned int code = nextCodePoint(c);
        put(svg, "<tspan x=\"%.2f\"", at);
        if (code >= 0x100) {
            put(svg, " %s font-size=\"%d\"", JAPANESE_FONT, textAdvance(code, large));
        }
        put(svg, ">");
        putEscaped(svg, from, c);
        put(svg, "</tspan>");
        at += textAdvance(code, large);
    }
    putEscaped(svg, c, nullptr);
    put(svg, "</text>\n");
}

}  // namespace

bool composePictureSvg(int width, int height, const TextStrip& caption, SvgText& svg)
{
    int textLines = 0;
    FrameTextLine line;
    while (frameTextLine(textLines, line)) {
        ++textLines;
    }
    const int runs = batchRunCount();
    const BatchRun* run = batchRuns();
    std::size_t vertices = 0;
    for (int i = 0; i < runs; ++i) {
        vertices += run[i].kind == RunKind::TEXT ? 0 : static_cast<std::size_t>(run[i].count);
    }
    const std::size_t size = SVG_FIXED_BYTES + runs * SVG_RUN_BYTES + vertices * SVG_VERTEX_BYTES +
                             (textLines + caption.count) * SVG_TEXT_LINE_BYTES;
    svg = SvgText{static_cast<char*>(std::malloc(size)), 0, size, 2};
    if (svg.bytes == nullptr) {
        return false;
    }
    const PixelFrame f = {static_cast<double>(width), static_cast<double>(height)};
    const int whole = height + caption.height;
    const GearPairState& gp = gearPair;
    put(svg, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<!-- gearmesh: view %c of the pair %d/%d with shifts %.4f and %.4f -->\n",
        viewState.viewMode, gp.z1, gp.z2, gp.x1, gp.x2);
    put(svg, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
             "viewBox=\"0 0 %d %d\">\n", width, whole, width, whole);
    put(svg, "<clipPath id=\"window\"><rect width=\"%d\" height=\"%d\"/></clipPath>\n"
             "<rect width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n<g clip-path=\"url(#window)\">\n",
        width, height, width, whole);
    for (int i = 0; i < runs; ++i) {
        if (run[i].kind == RunKind::LINES) {
            putLines(svg, f, run[i]);
        }
        if (run[i].kind == RunKind::TRIANGLES) {
            putTriangles(svg, f, run[i]);
        }
        for (int k = 0; run[i].kind == RunKind::TEXT && k < run[i].count; ++k) {
            if (frameTextLine(run[i].first + k, line)) {
                const Vec2 p = toPixels(f, line.x, line.y);
                putText(svg, p.x, p.y, line.text, line.large);
            }
        }
    }
    put(svg, "</g>\n");
    for (int i = 0; i < caption.count; ++i) {
        putText(svg, caption.left, height + caption.baselines[i], caption.lines[i], caption.large);
    }
    put(svg, "</svg>\n");
    return true;
}
