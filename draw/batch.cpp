// batch.cpp -- the kit's modelview and its one batch of vertices.
//
// NOTE: the matrices are single precision and built in the order in which GL
// builds its own (a turn from the float angle's sine and cosine, a shift as
// m12 = m0 x + m4 y + m12), so that moving the transform out of GL moves no
// vertex by more than GL's own rounding.
//
// WebGL draws every line one pixel wide (ALIASED_LINE_WIDTH_RANGE is 1 to 1), and
// every line here is 2 or 4. Built with KIT_LINES_AS_TRIANGLES (the web page), a
// segment is sent as the two triangles that cover what GL's own wide-line rule
// fills: the segment shifted by half the width up and down (x-major) or left and
// right (y-major), not a rectangle about it. Without it, GL draws the lines.
#include "draw/batch.h"

#include <GL/gl.h>

#include <cassert>
#include <cmath>

namespace {

constexpr int MATRIX_DEPTH = 8;
// glRotated converts degrees with the true pi, not the kit's.
constexpr double TRUE_PI = 3.14159265358979323846;
#ifdef KIT_LINES_AS_TRIANGLES
// Half a pixel in window units: the 800-pixel window has 400 pixels per unit.
constexpr float HALF_PIXEL = 0.5F / 400.0F;
#endif

enum class Kind { LINES, TRIANGLES };

KitMatrix stack[MATRIX_DEPTH] = {{1, 0, 0, 1, 0, 0}};
int top = 0;

// What the next vertices are drawn with.
Rgba colour = {0, 0, 0, 0};
double width = STANDING_LINE_WIDTH;

// The batch: its vertices and the state they share.
GLfloat vertices[2 * BATCH_VERTICES];
int held = 0;
Kind heldKind = Kind::LINES;
Rgba heldColour = {0, 0, 0, 0};
double heldWidth = STANDING_LINE_WIDTH;

// What GL has been told already; nothing at first.
bool told = false;
Rgba toldColour = {0, 0, 0, 0};
double toldWidth = 0.0;
int toldLighting = -1;
bool arraysOn = false;

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

// Room for `count` more vertices of `kind` in the current colour and width,
// sending the batch first where they cannot join it.
void makeRoom(Kind kind, int count)
{
    const bool joins = held > 0 && kind == heldKind && sameColour(colour, heldColour) &&
                       (kind == Kind::TRIANGLES || width == heldWidth) &&
                       held + count <= BATCH_VERTICES;
    if (!joins) {
        flushBatch();
        heldKind = kind;
        heldColour = colour;
        heldWidth = width;
    }
}

void hold(GLfloat x, GLfloat y)
{
    assert(std::isfinite(x) && std::isfinite(y) && "GL gets finite coordinates");
    vertices[2 * held] = x;
    vertices[2 * held + 1] = y;
    ++held;
}

// (x, y) through the kit's modelview, in single precision as GL maps a vertex.
void mapped(double x, double y, GLfloat& mx, GLfloat& my)
{
    const KitMatrix& m = stack[top];
    const GLfloat fx = static_cast<GLfloat>(x);
    const GLfloat fy = static_cast<GLfloat>(y);
    mx = m.a * fx + m.b * fy + m.tx;
    my = m.c * fx + m.d * fy + m.ty;
}

void holdMapped(double x, double y)
{
    GLfloat mx = 0.0F;
    GLfloat my = 0.0F;
    mapped(x, y, mx, my);
    hold(mx, my);
}

// The segment (x1, y1)-(x2, y2), in window units, as GL would draw it in the
// current width.
void holdWindowSegment(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2)
{
#ifdef KIT_LINES_AS_TRIANGLES
    // NOTE: a segment of no length draws nothing in GL, and half of every circle's
    // pieces have none.
    if (x1 == x2 && y1 == y2) {
        return;
    }
    const GLfloat half = static_cast<GLfloat>(width) * HALF_PIXEL;
    const bool xMajor = std::fabs(x2 - x1) >= std::fabs(y2 - y1);
    const GLfloat ox = xMajor ? 0.0F : half;
    const GLfloat oy = xMajor ? half : 0.0F;
    makeRoom(Kind::TRIANGLES, 6);
    hold(x1 - ox, y1 - oy);
    hold(x2 - ox, y2 - oy);
    hold(x2 + ox, y2 + oy);
    hold(x1 - ox, y1 - oy);
    hold(x2 + ox, y2 + oy);
    hold(x1 + ox, y1 + oy);
#else
    makeRoom(Kind::LINES, 2);
    hold(x1, y1);
    hold(x2, y2);
#endif
}

}  // namespace

BatchStats batchStats = {};

void startBatchFrame()
{
    flushBatch();
    top = 0;
    stack[0] = KitMatrix{1, 0, 0, 1, 0, 0};
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
    const GLfloat fx = static_cast<GLfloat>(x);
    const GLfloat fy = static_cast<GLfloat>(y);
    m.tx = m.a * fx + m.b * fy + m.tx;
    m.ty = m.c * fx + m.d * fy + m.ty;
}

void kitRotate(double degrees)
{
    const GLfloat angle = static_cast<GLfloat>(degrees);
    const GLfloat s = std::sin(static_cast<GLfloat>(angle * TRUE_PI / 180.0));
    const GLfloat c = std::cos(static_cast<GLfloat>(angle * TRUE_PI / 180.0));
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

void batchColour(const Rgba& c)
{
    colour = c;
}

void batchLineWidth(double pixels)
{
    width = pixels;
}

void batchSegment(double x1, double y1, double x2, double y2)
{
    GLfloat mx1 = 0.0F;
    GLfloat my1 = 0.0F;
    GLfloat mx2 = 0.0F;
    GLfloat my2 = 0.0F;
    mapped(x1, y1, mx1, my1);
    mapped(x2, y2, mx2, my2);
    holdWindowSegment(mx1, my1, mx2, my2);
}

void batchTriangle(double x1, double y1, double x2, double y2, double x3, double y3)
{
    makeRoom(Kind::TRIANGLES, 3);
    holdMapped(x1, y1);
    holdMapped(x2, y2);
    holdMapped(x3, y3);
}

void batchWindowSegment(double x1, double y1, double x2, double y2)
{
    holdWindowSegment(static_cast<GLfloat>(x1), static_cast<GLfloat>(y1),
                      static_cast<GLfloat>(x2), static_cast<GLfloat>(y2));
}

void flushBatch()
{
    if (held == 0) {
        return;
    }
    setLighting(false);
    if (!told || !sameColour(heldColour, toldColour)) {
        glColor4f(heldColour.r, heldColour.g, heldColour.b, heldColour.a);
        toldColour = heldColour;
        ++batchStats.switches;
    }
    if (heldKind == Kind::LINES && (!told || heldWidth != toldWidth)) {
        glLineWidth(static_cast<GLfloat>(heldWidth));
        toldWidth = heldWidth;
        ++batchStats.switches;
    }
    told = true;
    if (!arraysOn) {
        glEnableClientState(GL_VERTEX_ARRAY);
        arraysOn = true;
    }
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glDrawArrays(heldKind == Kind::LINES ? GL_LINES : GL_TRIANGLES, 0, held);
    ++batchStats.draws;
    held = 0;
}

void prepareForText()
{
    flushBatch();
    setLighting(true);
}
