// window.h -- the one graphics window and the frame services of the views.
#pragma once

// UTF-8; the blank after the first phrase is U+3000. Shown in the text language.
extern const char* const WINDOW_TITLE;

// Opens the 800 x 800 double-buffered window, registers the display, reshape and
// keyboard callbacks and enters the GLUT loop, which never returns.
void openWindow(int* argc, char** argv);

// Viewport over the whole window, projection identity, modelview left current.
void reshapeWindow(int width, int height);
// Clears colour and depth, then the modelview (GL's and the kit's) to identity.
void beginFrame();
// Sends what the kit still holds, flushes, saves the frame when a picture was
// asked for ('p'), and swaps the buffers.
void endFrame();
// One line of text whose first character's origin is (x, y) in window units: GLUT's
// bitmap text in the picture, or on a web page text on a canvas over it. Provided
// beside the window code for each.
void drawText(float x, float y, void* font, const char* text);
// A new frame's text: what drawText writes from now on is this frame's.
void startTextFrame();
// The frame's text is complete: shown where it is not part of the picture.
void finishTextFrame();
// Writes the frame's legends into its picture as read back from GL (RGBA rows from
// the bottom), where they are not part of GL's picture (a web page).
void addLegendsToPicture(unsigned char* rgba, int width, int height);

// The most lines of text one frame writes (view 5 writes about forty: its legend,
// titles, scales and the names of the points), and the bytes of one line.
constexpr int FRAME_TEXT_LINES = 64;
constexpr int FRAME_TEXT_BYTES = 160;

// [SECTION] The frame's text read back, for a saved picture
// One line of the frame's text as drawText was given it: where (window units),
// what (UTF-8), and whether in the large font of the high-contrast display.
struct FrameTextLine {
    float x;
    float y;
    const char* text;
    bool large;
};
// Line i (from 0, in the order written) of the frame drawn last; false past its end.
bool frameTextLine(int i, FrameTextLine& line);
// Pixels that the legends' font (large or not) moves on after the character; 0
// where the platform cannot tell (a web page, whose browser lays its text out).
int textAdvance(unsigned int codePoint, bool large);
// Lines of text written in a strip of their own below a picture, in the legends'
// font and colour on white.
struct TextStrip {
    const char* const* lines;  // UTF-8
    int count;
    const int* baselines;  // pixels from the strip's top
    int left;              // pixels from its left edge to where the lines start
    int width;             // pixels: the window's width
    int height;
    bool large;
};
// Writes the strip into rgba (width x height pixels, 4 bytes each, the bottom row
// first, as GL reads them); frame is the window's picture just read, which the
// desktop borrows its bottom rows from and puts back.
void writeTextStrip(const TextStrip& strip, unsigned char* rgba, const unsigned char* frame);
// The code point that starts at *c (UTF-8), c moved past it. A byte that starts no
// character stands for itself.
unsigned int nextCodePoint(const char*& c);

// Lets the event loop answer the open dialogue from the console's lines, a look
// every few milliseconds, and show the new pair once it is accepted.
void waitForAnswers();

// Hands the title to the window system so that it shows the real characters;
// provided beside the window code for each window system.
void setWindowTitleProperties(const char* utf8Title);
