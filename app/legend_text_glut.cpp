// legend_text_glut.cpp -- the legends as GLUT's bitmap text (the desktop programs),
// written with lighting on, whose dark grey they take, and drawn at the place in
// the frame where the views write them, under what is drawn after. GLUT's fonts
// stop at Latin-1, so the Japanese of a legend in the text language is drawn from
// the glyphs of legend_glyphs.cpp, on the same baseline.
//
// A legend is some 300 characters, each its own glBitmap with GLUT's state saved
// and restored around it. So the lines a view writes first in its frame are
// written once, into the cleared frame, read back, and kept as an image (a texture
// whose clear pixels are transparent); every later frame that writes the same
// lines in the same window draws that image as one quad, pixel for pixel what the
// bitmaps put there. Lines written once something is drawn (a count or a label
// among the figures), and the plain drawing, get the bitmaps themselves.
#include <GL/freeglut.h>

#include <cassert>
#include <cstring>

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

namespace {

// Pixels of GLUT's fonts (18 and 24 pixels) above and below a baseline, with room to spare.
constexpr int ABOVE_BASELINE = 30;
constexpr int BELOW_BASELINE = 10;
// The glyphs of the large font: the 16-pixel glyphs grown by half.
constexpr int LARGE_GLYPH_SIZE = LEGEND_GLYPH_SIZE * 3 / 2;
constexpr int LARGE_GLYPH_DESCENT = LEGEND_GLYPH_DESCENT * 3 / 2;
constexpr int LEFT_OF_START = 4;
// The largest image kept, pixels; a larger legend gets the bitmaps every frame.
constexpr int IMAGE_WIDTH_MAX = 2048;
constexpr int IMAGE_HEIGHT_MAX = 256;

struct LegendLine {
    float x;  // window units, as glRasterPos2f takes them
    float y;
    void* font;
    char text[FRAME_TEXT_BYTES];
};

struct Legend {
    int count;
    LegendLine lines[FRAME_TEXT_LINES];
    GLint viewport[4];  // the window it was written in
};

// The pixels of the window an image covers, and the texture that holds it.
struct LegendImage {
    Legend legend;    // what it shows
    bool made;
    GLint left;       // window pixels
    GLint bottom;
    GLsizei width;
    GLsizei height;
    GLsizei texWidth;  // powers of two, as GL 1.1 wants them
    GLsizei texHeight;
    GLuint texture;
};

Legend written;  // the frame's lines, in the order written
LegendImage image;
unsigned char readBack[IMAGE_WIDTH_MAX * IMAGE_HEIGHT_MAX * 4];
unsigned char texels[IMAGE_WIDTH_MAX * IMAGE_HEIGHT_MAX * 4];

bool sameLegend(const Legend& p, const Legend& q)
{
    if (p.count != q.count || std::memcmp(p.viewport, q.viewport, sizeof p.viewport) != 0) {
        return false;
    }
    for (int i = 0; i < p.count; ++i) {
        const LegendLine& a = p.lines[i];
        const LegendLine& b = q.lines[i];
        if (a.x != b.x || a.y != b.y || a.font != b.font || std::strcmp(a.text, b.text) != 0) {
            return false;
        }
    }
    return true;
}

// The glyph grown by half for the large font: each pixel of the 16-pixel glyph
// covers one or two pixels each way (nearest neighbour), 24 x 24 in all, as
// glBitmap takes it: bottom row first, each row three bytes padded to four.
void growGlyph(const LegendGlyph& glyph, unsigned char* bits)
{
    std::memset(bits, 0, LARGE_GLYPH_SIZE * 4);
    for (int row = 0; row < LARGE_GLYPH_SIZE; ++row) {
        const unsigned char* from = glyph.bits + 4 * (row * LEGEND_GLYPH_SIZE / LARGE_GLYPH_SIZE);
        for (int col = 0; col < LARGE_GLYPH_SIZE; ++col) {
            const int source = col * LEGEND_GLYPH_SIZE / LARGE_GLYPH_SIZE;
            if ((from[source / 8] >> (7 - source % 8)) & 1) {
                bits[4 * row + col / 8] |= static_cast<unsigned char>(0x80 >> (col % 8));
            }
        }
    }
}

// The legends' font, and the glyphs beside it, in the size the display asks for.
bool isLarge(void* font)
{
    return font == GLUT_BITMAP_TIMES_ROMAN_24;
}

// One line's characters from the current raster position on: Latin-1 from GLUT's
// font, the rest from the glyphs.
void writeCharacters(void* font, const char* text)
{
    // The glyphs' rows are padded to four bytes, whatever a picture left set.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (const char* c = text; *c != '\0';) {
        const unsigned int code = nextCodePoint(c);
        if (code < 0x100) {
            glutBitmapCharacter(font, static_cast<int>(code));
            continue;
        }
        const LegendGlyph* glyph = legendGlyph(code);
        assert(glyph != nullptr && "a legend character without a glyph: make-legend-glyphs.py");
        if (glyph == nullptr) {
            continue;
        }
        if (isLarge(font)) {
            unsigned char bits[LARGE_GLYPH_SIZE * 4];
            growGlyph(*glyph, bits);
            glBitmap(LARGE_GLYPH_SIZE, LARGE_GLYPH_SIZE, 0.0f, LARGE_GLYPH_DESCENT,
                     LARGE_GLYPH_SIZE, 0.0f, bits);
        } else {
            glBitmap(LEGEND_GLYPH_SIZE, LEGEND_GLYPH_SIZE, 0.0f, LEGEND_GLYPH_DESCENT,
                     LEGEND_GLYPH_SIZE, 0.0f, glyph->bits);
        }
    }
}

void writeBitmaps(const Legend& legend)
{
    glEnable(GL_LIGHTING);
    for (int i = 0; i < legend.count; ++i) {
        const LegendLine& line = legend.lines[i];
        glPushAttrib(GL_CURRENT_BIT);
        glRasterPos2f(line.x, line.y);
        writeCharacters(line.font, line.text);
        glPopAttrib();
    }
}

GLsizei powerOfTwoAtLeast(GLsizei n)
{
    GLsizei p = 1;
    while (p < n) {
        p *= 2;
    }
    return p;
}

// The window pixels the lines can ink: right of the leftmost start, about the
// baselines; false when that does not fit an image.
bool placeImage(const Legend& legend, LegendImage& im)
{
    const GLint* vp = legend.viewport;
    GLint left = vp[2];
    GLint bottom = vp[3];
    GLint top = 0;
    for (int i = 0; i < legend.count; ++i) {
        const GLint x = static_cast<GLint>((legend.lines[i].x + 1.0F) / 2.0F * vp[2]) - LEFT_OF_START;
        const GLint y = static_cast<GLint>((legend.lines[i].y + 1.0F) / 2.0F * vp[3]);
        left = x < left ? x : left;
        bottom = y - BELOW_BASELINE < bottom ? y - BELOW_BASELINE : bottom;
        top = y + ABOVE_BASELINE > top ? y + ABOVE_BASELINE : top;
    }
    im.left = left < 0 ? 0 : left;
    im.bottom = bottom < 0 ? 0 : bottom;
    im.width = vp[2] - im.left;
    im.height = (top > vp[3] ? vp[3] : top) - im.bottom;
    im.texWidth = powerOfTwoAtLeast(im.width);
    im.texHeight = powerOfTwoAtLeast(im.height);
    return im.width > 0 && im.height > 0 && im.texWidth <= IMAGE_WIDTH_MAX &&
           im.texHeight <= IMAGE_HEIGHT_MAX;
}

// Writes the lines into the cleared frame, keeps what they inked as the image
// (every pixel not of the clear colour, white), and clears their place again.
void makeImage(const Legend& legend)
{
    image.made = false;
    if (!placeImage(legend, image)) {
        writeBitmaps(legend);
        return;
    }
    writeBitmaps(legend);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(image.left, image.bottom, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE,
                 readBack);
    glEnable(GL_SCISSOR_TEST);
    glScissor(image.left, image.bottom, image.width, image.height);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    // The image is cut to the box of what the lines inked: the quad's every pixel
    // costs the rasteriser, inked or not.
    const auto inked = [](const unsigned char* p) { return (p[0] & p[1] & p[2]) != 255; };
    GLsizei left = image.width;
    GLsizei right = 0;
    GLsizei bottom = image.height;
    GLsizei top = 0;
    for (GLsizei row = 0; row < image.height; ++row) {
        for (GLsizei col = 0; col < image.width; ++col) {
            if (inked(readBack + 4 * (row * image.width + col))) {
                left = col < left ? col : left;
                right = col + 1 > right ? col + 1 : right;
                bottom = row < bottom ? row : bottom;
                top = row + 1 > top ? row + 1 : top;
            }
        }
    }
    if (right <= left) {
        return;  // nothing inked: nothing to draw
    }
    const GLsizei fullWidth = image.width;
    image.left += left;
    image.bottom += bottom;
    image.width = right - left;
    image.height = top - bottom;
    image.texWidth = powerOfTwoAtLeast(image.width);
    image.texHeight = powerOfTwoAtLeast(image.height);
    std::memset(texels, 0, sizeof texels);
    for (GLsizei row = 0; row < image.height; ++row) {
        for (GLsizei col = 0; col < image.width; ++col) {
            const unsigned char* p = readBack + 4 * ((row + bottom) * fullWidth + col + left);
            unsigned char* t = texels + 4 * (row * image.texWidth + col);
            t[0] = p[0];
            t[1] = p[1];
            t[2] = p[2];
            t[3] = inked(p) ? 255 : 0;
        }
    }
    if (image.texture == 0) {
        glGenTextures(1, &image.texture);
    }
    glBindTexture(GL_TEXTURE_2D, image.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.texWidth, image.texHeight, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, texels);
    image.legend = legend;
    image.made = true;
}

// The image as one quad over exactly its pixels, its transparent texels left out.
void drawImage()
{
    const GLint* vp = image.legend.viewport;
    const double x0 = 2.0 * image.left / vp[2] - 1.0;
    const double x1 = 2.0 * (image.left + image.width) / vp[2] - 1.0;
    const double y0 = 2.0 * image.bottom / vp[3] - 1.0;
    const double y1 = 2.0 * (image.bottom + image.height) / vp[3] - 1.0;
    const double s = static_cast<double>(image.width) / image.texWidth;
    const double t = static_cast<double>(image.height) / image.texHeight;
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, image.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5F);
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 0.0);
    glVertex2d(x0, y0);
    glTexCoord2d(s, 0.0);
    glVertex2d(x1, y0);
    glTexCoord2d(s, t);
    glVertex2d(x1, y1);
    glTexCoord2d(0.0, t);
    glVertex2d(x0, y1);
    glEnd();
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
}

// The batch's call at the place of the frame's lines first to first + count - 1.
void sendLines(int first, int count, bool bufferClear)
{
    Legend part = {};
    for (int i = first; i < first + count && i < written.count; ++i) {
        part.lines[part.count++] = written.lines[i];
    }
    if (part.count == 0) {
        return;
    }
    glGetIntegerv(GL_VIEWPORT, part.viewport);
    if (image.made && sameLegend(part, image.legend) && !kitScreen.plain) {
        drawImage();
    } else if (bufferClear && !kitScreen.plain) {
        makeImage(part);
        if (image.made) {
            drawImage();
        }
    } else {
        writeBitmaps(part);
    }
}

}  // namespace

void drawText(float x, float y, void* font, const char* text)
{
    batchTextSender = sendLines;
    if (written.count == FRAME_TEXT_LINES) {
        return;  // NOTE: no frame writes this many lines
    }
    LegendLine& line = written.lines[written.count];
    line.x = x;
    line.y = y;
    // NOTE: the views name one font for every legend; the display chooses its size.
    line.font = highContrast && font == GLUT_BITMAP_HELVETICA_18 ? GLUT_BITMAP_TIMES_ROMAN_24 : font;
    std::strncpy(line.text, text, FRAME_TEXT_BYTES - 1);
    line.text[FRAME_TEXT_BYTES - 1] = '\0';
    batchText(written.count);
    ++written.count;
}

void startTextFrame()
{
    // Part of GL's picture: the frame's glClear has wiped it.
    written.count = 0;
}

void finishTextFrame()
{
}

void addLegendsToPicture(unsigned char* rgba, int width, int height)
{
    // Part of GL's picture: read back with it.
    (void)rgba;
    (void)width;
    (void)height;
}

bool frameTextLine(int i, FrameTextLine& line)
{
    if (i < 0 || i >= written.count) {
        return false;
    }
    const LegendLine& l = written.lines[i];
    line = FrameTextLine{l.x, l.y, l.text, isLarge(l.font)};
    return true;
}

int textAdvance(unsigned int codePoint, bool large)
{
    if (codePoint < 0x100) {
        return glutBitmapWidth(large ? GLUT_BITMAP_TIMES_ROMAN_24 : GLUT_BITMAP_HELVETICA_18,
                               static_cast<int>(codePoint));
    }
    return large ? LARGE_GLYPH_SIZE : LEGEND_GLYPH_SIZE;
}

// NOTE: drawn into the bottom rows of the frame just read, which are put back
// after, so that the window never shows the strip.
void writeTextStrip(const TextStrip& strip, unsigned char* rgba, const unsigned char* frame)
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int rows = strip.height < viewport[3] ? strip.height : viewport[3];
    std::memset(rgba, 255, static_cast<std::size_t>(strip.width) * strip.height * 4);
    if (rows <= 0 || strip.width != viewport[2]) {
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, strip.width, rows);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    void* font = strip.large ? GLUT_BITMAP_TIMES_ROMAN_24 : GLUT_BITMAP_HELVETICA_18;
    glEnable(GL_LIGHTING);
    for (int i = 0; i < strip.count; ++i) {
        // Pixels of the strip, from its top, to window units of the rows it borrows.
        const float x = 2.0f * strip.left / viewport[2] - 1.0f;
        const float y = 2.0f * (rows - strip.baselines[i]) / viewport[3] - 1.0f;
        glPushAttrib(GL_CURRENT_BIT);
        glRasterPos2f(x, y);
        writeCharacters(font, strip.lines[i]);
        glPopAttrib();
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, strip.width, rows, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba + static_cast<std::size_t>(strip.height - rows) * strip.width * 4);
    glRasterPos2f(-1.0f, -1.0f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(strip.width, rows, GL_RGBA, GL_UNSIGNED_BYTE, frame);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}
