// batch.h -- how the drawing kit reaches GL: a modelview of the kit's own, applied
// to every vertex as it is given, and the frame's batch: a list of runs, each of
// one kind (lines, triangles, or the place of the legend text), colour and line
// width, over one array of vertices in window units.
//
// GL's own modelview stays the identity, so segments drawn under different turns
// (every tooth of a gear, every group of a dash-dot circle) still share one run. A
// change of colour, width or kind starts a new run; the end of the frame sends the
// runs in the order drawn (which decides what covers what), the vertex array handed
// over once. Until the next frame begins the runs stay readable, for whatever
// wants to know what the frame drew.
#pragma once

#include "draw/kit.h"

// Vertices and runs the batch holds; a fuller batch is sent and started again.
constexpr int BATCH_VERTICES = 1 << 18;
constexpr int BATCH_RUNS = 512;

// The kit's modelview: x' = a x + b y + tx, y' = c x + d y + ty, in window units.
struct KitMatrix {
    double a, b, c, d, tx, ty;
};

// How the kit draws for the screen; the window sets the pixels, a test the plain
// drawing to compare with.
struct KitScreen {
    double pixelsPerUnit;  // pixels per window unit along the window's longer side
    bool plain;            // every outline point sent, nothing culled, the legend text as written
};
extern KitScreen kitScreen;

enum class RunKind { LINES, TRIANGLES, TEXT };

// One run of the batch: `count` vertices from `first` on (x, y pairs of
// batchVertices()), drawn as GL_LINES or GL_TRIANGLES in one colour and, for
// lines, one width in pixels (where lines are sent as triangles, a web page, a
// run of lines holds the six corners of each segment's two triangles). A TEXT run holds no vertices: it stands for the
// frame's lines of text `first` to `first + count - 1` (as the window's text code
// numbers them from 0 in each frame), drawn at that point of the frame.
struct BatchRun {
    RunKind kind;
    Rgba colour;
    double width;
    int first;
    int count;
};

// A new frame: the modelview back to the identity, the batch emptied, and GL
// told every state afresh, whatever happened to it between frames.
void startBatchFrame();
void kitPushMatrix();
void kitPopMatrix();
// Post-multiplies a shift by (x, y), as glTranslated.
void kitTranslate(double x, double y);
// Post-multiplies a turn by `degrees` about the z axis, as glRotated.
void kitRotate(double degrees);
const KitMatrix& kitMatrix();
// (x, y) through the kit's modelview: where it lands in the window.
Vec2 kitApply(double x, double y);

// Colour and width (pixels) of what is given next.
void batchColour(const Rgba& colour);
void batchLineWidth(double pixels);
// A segment, or a triangle, in the current modelview's frame.
void batchSegment(double x1, double y1, double x2, double y2);
void batchTriangle(double x1, double y1, double x2, double y2, double x3, double y3);
// The same already in window coordinates.
void batchWindowSegment(double x1, double y1, double x2, double y2);
void batchWindowTriangle(const Vec2& p, const Vec2& q, const Vec2& r);
// Marks the place of the frame's text line `line` in the order of drawing.
void batchText(int line);
// Sends the runs not sent yet.
void flushBatch();

// Who draws the text at its run: its lines, and whether nothing of the frame has
// been drawn before them (the buffer is as the clear left it). Set by the window code.
extern void (*batchTextSender)(int first, int count, bool bufferClear);

// The runs held, and their vertices: the frame so far, unless the batch filled up.
int batchRunCount();
const BatchRun* batchRuns();
const float* batchVertices();
// The segments of a run of lines: how many, and the ends of segment k in window units.
int runSegmentCount(const BatchRun& run);
void runSegment(const BatchRun& run, int k, Vec2& from, Vec2& to);

// What the frames since the last reset cost GL.
struct BatchStats {
    long long draws;     // draw calls
    long long switches;  // colour, width and lighting changes
    long long vertices;  // vertices sent
};
extern BatchStats batchStats;
