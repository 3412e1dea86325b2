// batch.h -- how the drawing kit reaches GL: a modelview of the kit's own, applied
// to every vertex as it is given, and one batch of lines or triangles that grows
// while colour, line width and kind stay the same.
//
// GL's own modelview stays the identity. The kit's modelview copies GL's arithmetic
// (single-precision matrices built as glTranslated and glRotated build them), so a
// vertex lands where GL would have put it, and segments drawn under different turns
// (every tooth of a gear, every group of a dash-dot circle) still share one batch.
// A change of colour, width or kind, text written over the picture, or the end of
// the frame sends what the batch holds: a frame is a few draws, whatever its size,
// and keeps the order in which things cover each other.
#pragma once

#include "draw/kit.h"

// Vertices one batch holds; a fuller one is sent and started again.
constexpr int BATCH_VERTICES = 1 << 16;

// The kit's modelview: x' = a x + b y + tx, y' = c x + d y + ty, in window units.
struct KitMatrix {
    float a, b, c, d, tx, ty;
};

// A new frame: the modelview back to the identity, and GL told every state
// afresh, whatever happened to it between frames.
void startBatchFrame();
void kitPushMatrix();
void kitPopMatrix();
// Post-multiplies a shift by (x, y), as glTranslated.
void kitTranslate(double x, double y);
// Post-multiplies a turn by `degrees` about the z axis, as glRotated.
void kitRotate(double degrees);
const KitMatrix& kitMatrix();

// Colour and width (pixels) of what is given next.
void batchColour(const Rgba& colour);
void batchLineWidth(double pixels);
// A segment, or a triangle, in the current modelview's frame.
void batchSegment(double x1, double y1, double x2, double y2);
void batchTriangle(double x1, double y1, double x2, double y2, double x3, double y3);
// A segment already in window coordinates.
void batchWindowSegment(double x1, double y1, double x2, double y2);
// Sends what the batch holds.
void flushBatch();
// Sends the batch and turns lighting on, which bitmap text takes its colour from.
void prepareForText();

// What the frames since the last reset cost GL.
struct BatchStats {
    long long draws;     // draw calls
    long long switches;  // colour, width and lighting changes
};
extern BatchStats batchStats;
