// batch.cpp -- the kit's modelview and its one batch of vertices.
//
// NOTE: the matrices are single precision and built in the order in which GL
// builds its own (a turn from the float angle's sine and cosine, a shift as
// m12 = m0 x + m4 y + m12), so that moving the transform out of GL moves no
// vertex by more than GL's own rounding.
#include "draw/batch.h"

#include <GL/gl.h>

#include <cassert>
#include <cmath>

namespace {

constexpr int MATRIX_DEPTH = 8;
// glRotated converts degrees with the true pi, not the kit's.
constexpr double TRUE_PI = 3.14159265358979323846;

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
void holdMapped(double x, double y)
{
    const KitMatrix& m = stack[top];
    const GLfloat fx = static_cast<GLfloat>(x);
    const GLfloat fy = static_cast<GLfloat>(y);
    hold(m.a * fx + m.b * fy + m.tx, m.c * fx + m.d * fy + m.ty);
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
    makeRoom(Kind::LINES, 2);
    holdMapped(x1, y1);
    holdMapped(x2, y2);
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
    makeRoom(Kind::LINES, 2);
    hold(static_cast<GLfloat>(x1), static_cast<GLfloat>(y1));
    hold(static_cast<GLfloat>(x2), static_cast<GLfloat>(y2));
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
    batchStats.vertices += held;
    held = 0;
}

void prepareForText()
{
    flushBatch();
    setLighting(true);
}
