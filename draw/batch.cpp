// batch.cpp -- the kit's modelview and the frame's batch of runs.
//
// The modelview is kept in double precision: zoomed in, a gear's centre lies
// thousands of window units away, and only what reaches GL (within reach of the
// window) is turned to floats.
//
// WebGL draws every line one pixel wide (ALIASED_LINE_WIDTH_RANGE is 1 to 1), and
// every line here is 2 or 4. Built with KIT_LINES_AS_TRIANGLES (the web page), a
// segment is sent as the two triangles that cover what GL's own wide-line rule
// fills: the segment shifted by half the width up and down (x-major) or left and
// right (y-major), not a rectangle about it; its run stays one of lines, so that
// whoever reads the frame back finds the segment. Without it, GL draws the lines.
// Built with KIT_VERTEX_BUFFER (the web page too), the runs go to GL in one
// buffer object filled once per send, instead of a client array that WebGL's
// emulation of GL 1.1 would copy again for every draw; and since the page draws
// every run as triangles, each vertex carries its run's colour and the whole
// send is one draw: WebGL's software renderer spends far more on a draw than on
// the few thousand vertices a frame has.
#include "draw/batch.h"

#ifdef KIT_VERTEX_BUFFER
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#else
#include <GL/gl.h>
#endif

#include <cassert>
#include <cmath>
#include <cstddef>

namespace {

constexpr int MATRIX_DEPTH = 8;
// glRotated converts degrees with the true pi, not the kit's.
constexpr double TRUE_PI = 3.14159265358979323846;
#ifdef KIT_LINES_AS_TRIANGLES
// Half a pixel in window units: the 800-pixel window has 400 pixels per unit.
constexpr float HALF_PIXEL = 0.5F / 400.0F;
// Vertices a segment takes in a run of lines: its two triangles.
constexpr int SEGMENT_VERTICES = 6;
#else
constexpr int SEGMENT_VERTICES = 2;
#endif

KitMatrix stack[MATRIX_DEPTH] = {{1, 0, 0, 1, 0, 0}};
int top = 0;

// What the next vertices are drawn with.
Rgba colour = {0, 0, 0, 0};
double width = STANDING_LINE_WIDTH;

// The batch: its runs, their vertices, and how many of the runs are sent.
BatchRun runs[BATCH_RUNS];
int runCount = 0;
int sentRuns = 0;
GLfloat vertices[2 * BATCH_VERTICES];
int held = 0;
// Whether anything of this frame has been drawn into the buffer.
bool drawnThisFrame = false;

// What GL has been told already; nothing at first.
bool told = false;
#ifndef KIT_VERTEX_BUFFER
Rgba toldColour = {0, 0, 0, 0};
double toldWidth = 0.0;
#endif
int toldLighting = -1;
bool arraysOn = false;
#ifdef KIT_VERTEX_BUFFER
GLuint vertexBuffer = 0;
// A vertex as the buffer object holds it: position and its run's colour.
struct PackedVertex {
    GLfloat x;
    GLfloat y;
    GLubyte colour[4];
};
PackedVertex packed[BATCH_VERTICES];
#endif

bool sameColour(const Rgba& p, const Rgba& q)
{
    return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a;
}

void setLighting(bool on)
{
    if (toldLighting == static_cast<int>(on)) {
        return;
    }
    if (on) {
        glEnable(GL_LIGHTING);
    } else {
        glDisable(GL_LIGHTING);
    }
    toldLighting = static_cast<int>(on);
    ++batchStats.switches;
}

// Room for `count` more vertices of `kind` in the current colour and width, in
// the last run where they can join it, else in a new one; a full batch is sent
// and emptied first.
void makeRoom(RunKind kind, int count)
{
    if (held + count > BATCH_VERTICES || runCount == BATCH_RUNS) {
        flushBatch();
        runCount = 0;
        sentRuns = 0;
        held = 0;
    }
    if (runCount > sentRuns) {
        const BatchRun& last = runs[runCount - 1];
        if (last.kind == kind && sameColour(colour, last.colour) &&
            (kind != RunKind::LINES || width == last.width)) {
            return;
        }
    }
    runs[runCount] = BatchRun{kind, colour, width, held, 0};
    ++runCount;
}

void hold(double x, double y)
{
    assert(std::isfinite(x) && std::isfinite(y) && "GL gets finite coordinates");
    vertices[2 * held] = static_cast<GLfloat>(x);
    vertices[2 * held + 1] = static_cast<GLfloat>(y);
    ++held;
    ++runs[runCount - 1].count;
}

// (x, y) through the kit's modelview.
Vec2 mapped(double x, double y)
{
    const KitMatrix& m = stack[top];
    return Vec2{m.a * x + m.b * y + m.tx, m.c * x + m.d * y + m.ty};
}

// The segment p-q, in window units, as GL would draw it in the current width.
// NOTE: a segment of no length draws nothing in GL; it is not sent.
void holdWindowSegment(const Vec2& p, const Vec2& q)
{
    const GLfloat x1 = static_cast<GLfloat>(p.x);
    const GLfloat y1 = static_cast<GLfloat>(p.y);
    const GLfloat x2 = static_cast<GLfloat>(q.x);
    const GLfloat y2 = static_cast<GLfloat>(q.y);
    if (x1 == x2 && y1 == y2) {
        return;
    }
#ifdef KIT_LINES_AS_TRIANGLES
    const GLfloat half = static_cast<GLfloat>(width) * HALF_PIXEL;
    const bool xMajor = std::fabs(x2 - x1) >= std::fabs(y2 - y1);
    const GLfloat ox = xMajor ? 0.0F : half;
    const GLfloat oy = xMajor ? half : 0.0F;
    makeRoom(RunKind::LINES, SEGMENT_VERTICES);
    hold(x1 - ox, y1 - oy);
    hold(x2 - ox, y2 - oy);
    hold(x2 + ox, y2 + oy);
    hold(x1 - ox, y1 - oy);
    hold(x2 + ox, y2 + oy);
    hold(x1 + ox, y1 + oy);
#else
    makeRoom(RunKind::LINES, 2);
    hold(x1, y1);
    hold(x2, y2);
#endif
}

#ifndef KIT_VERTEX_BUFFER
// Tells GL the colour and width of a run that draws, where they changed.
void tellState(const BatchRun& run)
{
    setLighting(false);
    if (!told || !sameColour(run.colour, toldColour)) {
        glColor4f(run.colour.r, run.colour.g, run.colour.b, run.colour.a);
        toldColour = run.colour;
        ++batchStats.switches;
    }
    if (run.kind == RunKind::LINES && (!told || run.width != toldWidth)) {
        glLineWidth(static_cast<GLfloat>(run.width));
        toldWidth = run.width;
        ++batchStats.switches;
    }
    told = true;
}
#endif

#ifdef KIT_VERTEX_BUFFER
// The runs not sent yet, packed with their colours into the buffer object and
// drawn as one run of triangles.
void sendPacked()
{
    int count = 0;
    for (int i = sentRuns; i < runCount; ++i) {
        const BatchRun& run = runs[i];
        const GLubyte c[4] = {static_cast<GLubyte>(colourByte(run.colour.r)),
                              static_cast<GLubyte>(colourByte(run.colour.g)),
                              static_cast<GLubyte>(colourByte(run.colour.b)),
                              static_cast<GLubyte>(colourByte(run.colour.a))};
        for (int v = run.first; v < run.first + run.count; ++v) {
            packed[count] = PackedVertex{vertices[2 * v], vertices[2 * v + 1], {c[0], c[1], c[2], c[3]}};
            ++count;
        }
    }
    if (count == 0) {
        return;
    }
    setLighting(false);
    if (vertexBuffer == 0) {
        glGenBuffers(1, &vertexBuffer);
    }
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(PackedVertex)), packed,
                 GL_STREAM_DRAW);
    if (!arraysOn) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        arraysOn = true;
    }
    glVertexPointer(2, GL_FLOAT, sizeof(PackedVertex), nullptr);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(PackedVertex),
                   reinterpret_cast<const GLvoid*>(offsetof(PackedVertex, colour)));
    glDrawArrays(GL_TRIANGLES, 0, count);
    ++batchStats.draws;
    batchStats.vertices += count;
    drawnThisFrame = true;
}
#endif

}  // namespace

KitScreen kitScreen = {400.0, false};
BatchStats batchStats = {};
void (*batchTextSender)(int first, int count, bool bufferClear) = nullptr;

void startBatchFrame()
{
    top = 0;
    stack[0] = KitMatrix{1, 0, 0, 1, 0, 0};
    runCount = 0;
    sentRuns = 0;
    held = 0;
    drawnThisFrame = false;
    batchLineWidth(STANDING_LINE_WIDTH);
    told = false;
    toldLighting = -1;
    arraysOn = false;
}

void kitPushMatrix()
{
    assert(top + 1 < MATRIX_DEPTH && "the kit's matrix stack overflows");
    stack[top + 1] = stack[top];
    ++top;
}

void kitPopMatrix()
{
    assert(top > 0 && "the kit's matrix stack underflows");
    --top;
}

void kitTranslate(double x, double y)
{
    KitMatrix& m = stack[top];
    m.tx = m.a * x + m.b * y + m.tx;
    m.ty = m.c * x + m.d * y + m.ty;
}

void kitRotate(double degrees)
{
    const double s = std::sin(degrees * TRUE_PI / 180.0);
    const double c = std::cos(degrees * TRUE_PI / 180.0);
    KitMatrix& m = stack[top];
    const KitMatrix was = m;
    m.a = was.a * c + was.b * s;
    m.b = was.a * -s + was.b * c;
    m.c = was.c * c + was.d * s;
    m.d = was.c * -s + was.d * c;
}

const KitMatrix& kitMatrix()
{
    return stack[top];
}

Vec2 kitApply(double x, double y)
{
    return mapped(x, y);
}

void batchColour(const Rgba& c)
{
    colour = highContrast ? contrastingColour(c) : c;
}

void batchLineWidth(double pixels)
{
    width = highContrast ? std::fmax(pixels, HIGH_CONTRAST_LINE_WIDTH) : pixels;
}

void batchSegment(double x1, double y1, double x2, double y2)
{
    holdWindowSegment(mapped(x1, y1), mapped(x2, y2));
}

void batchTriangle(double x1, double y1, double x2, double y2, double x3, double y3)
{
    batchWindowTriangle(mapped(x1, y1), mapped(x2, y2), mapped(x3, y3));
}

void batchWindowSegment(double x1, double y1, double x2, double y2)
{
    holdWindowSegment(Vec2{x1, y1}, Vec2{x2, y2});
}

void batchWindowTriangle(const Vec2& p, const Vec2& q, const Vec2& r)
{
    makeRoom(RunKind::TRIANGLES, 3);
    hold(p.x, p.y);
    hold(q.x, q.y);
    hold(r.x, r.y);
}

void batchText(int line)
{
    makeRoom(RunKind::TEXT, 0);
    BatchRun& run = runs[runCount - 1];
    run.first = run.count == 0 ? line : run.first;
    ++run.count;
}

void flushBatch()
{
    if (sentRuns == runCount) {
        return;
    }
#ifdef KIT_VERTEX_BUFFER
    sendPacked();
#else
    for (int i = sentRuns; i < runCount; ++i) {
        const BatchRun& run = runs[i];
        if (run.kind == RunKind::TEXT) {
            if (batchTextSender != nullptr) {
                batchTextSender(run.first, run.count, !drawnThisFrame);
                // The text leaves GL's lighting, colour and arrays as it needs them.
                told = false;
                toldLighting = -1;
                arraysOn = false;
                drawnThisFrame = true;
            }
            continue;
        }
        if (run.count == 0) {
            continue;
        }
        tellState(run);
        if (!arraysOn) {
            glEnableClientState(GL_VERTEX_ARRAY);
            glVertexPointer(2, GL_FLOAT, 0, vertices);
            arraysOn = true;
        }
        const bool lines = run.kind == RunKind::LINES && SEGMENT_VERTICES == 2;
        glDrawArrays(lines ? GL_LINES : GL_TRIANGLES, run.first, run.count);
        ++batchStats.draws;
        batchStats.vertices += run.count;
        drawnThisFrame = true;
    }
#endif
    sentRuns = runCount;
}

int batchRunCount()
{
    return runCount;
}

const BatchRun* batchRuns()
{
    return runs;
}

const float* batchVertices()
{
    return vertices;
}

int runSegmentCount(const BatchRun& run)
{
    return run.kind == RunKind::LINES ? run.count / SEGMENT_VERTICES : 0;
}

void runSegment(const BatchRun& run, int k, Vec2& from, Vec2& to)
{
    const float* v = vertices + 2 * (run.first + SEGMENT_VERTICES * k);
    if (SEGMENT_VERTICES == 2) {
        from = Vec2{v[0], v[1]};
        to = Vec2{v[2], v[3]};
        return;
    }
    // The triangles' corners lie half the width to either side of each end:
    // the first and the sixth about the start, the second and third about the end.
    from = Vec2{(v[0] + v[10]) / 2.0, (v[1] + v[11]) / 2.0};
    to = Vec2{(v[2] + v[4]) / 2.0, (v[3] + v[5]) / 2.0};
}
