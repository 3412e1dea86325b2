// gl_recorder.cpp -- the recording GL and GLUT entry points and their trace.
//
// The trace is static storage of CAPACITY records, so recording never allocates;
// its pages are only touched as far as a test fills them.
#include "recorder/gl_recorder.h"

#include <cmath>

namespace glrec {
namespace {

Call trace[CAPACITY];
std::size_t held = 0;
long long made = 0;
bool full = false;
long long perFunction[static_cast<std::size_t>(Fn::Count)] = {};

const GLfloat* vertexArray = nullptr;

const char* const NAMES[] = {
    "glBegin",          "glEnd",
    "glVertex2d",       "glColor4f",
    "glLineWidth",      "glEnable",
    "glDisable",        "glPushMatrix",
    "glPopMatrix",      "glTranslated",
    "glRotated",        "glMatrixMode",
    "glLoadIdentity",   "glClear",
    "glClearColor",     "glFlush",
    "glViewport",       "glRasterPos2f",
    "glPushAttrib",     "glPopAttrib",
    "glutSwapBuffers",
    "glutBitmapCharacter", "glutInit",
    "glutInitWindowSize", "glutInitDisplayMode",
    "glutCreateWindow", "glutDisplayFunc",
    "glutReshapeFunc",  "glutKeyboardFunc",
    "glutMainLoop",     "glutPostRedisplay",
    "glutIdleFunc",     "glutTimerFunc",
    "glutMouseFunc",    "glEnableClientState",
    "glBitmap",
};
static_assert(sizeof(NAMES) / sizeof(NAMES[0]) == static_cast<std::size_t>(Fn::Count),
              "one name per recorded function");

void record(Fn fn, double a0 = 0.0, double a1 = 0.0, double a2 = 0.0, double a3 = 0.0,
            const void* p = nullptr, Callback f = nullptr)
{
    ++made;
    ++perFunction[static_cast<std::size_t>(fn)];
    if (held == CAPACITY) {
        full = true;
        return;
    }
    trace[held] = Call{fn, {a0, a1, a2, a3}, p, f};
    ++held;
}

}  // namespace

void reset()
{
    held = 0;
    made = 0;
    full = false;
    for (long long& c : perFunction) {
        c = 0;
    }
}

std::size_t size()
{
    return held;
}

long long total()
{
    return made;
}

bool overflowed()
{
    return full;
}

long long count(Fn fn)
{
    return perFunction[static_cast<std::size_t>(fn)];
}

const Call& at(std::size_t index)
{
    return trace[index];
}

long long find(Fn fn, std::size_t from)
{
    for (std::size_t i = from; i < held; ++i) {
        if (trace[i].fn == fn) {
            return static_cast<long long>(i);
        }
    }
    return -1;
}

const char* name(Fn fn)
{
    return NAMES[static_cast<std::size_t>(fn)];
}

bool allFinite()
{
    for (std::size_t i = 0; i < held; ++i) {
        for (double v : trace[i].a) {
            if (!std::isfinite(v)) {
                return false;
            }
        }
    }
    return true;
}

std::vector<Call> callsOf(Fn fn)
{
    std::vector<Call> out;
    for (std::size_t i = 0; i < held; ++i) {
        if (trace[i].fn == fn) {
            out.push_back(trace[i]);
        }
    }
    return out;
}

std::vector<Fn> sequence(std::size_t from, std::size_t to)
{
    std::vector<Fn> out;
    for (std::size_t i = from; i < held && i < to; ++i) {
        out.push_back(trace[i].fn);
    }
    return out;
}

}  // namespace glrec

using glrec::Fn;
using glrec::record;

extern "C" {

// Freeglut names its bitmap fonts by the addresses of these objects.
void* glutBitmapHelvetica18 = nullptr;
void* glutBitmapTimesRoman24 = nullptr;

void glBegin(GLenum mode)
{
    record(Fn::Begin, mode);
}

void glEnd(void)
{
    record(Fn::End);
}

void glVertex2d(GLdouble x, GLdouble y)
{
    record(Fn::Vertex2d, x, y);
}

void glEnableClientState(GLenum array)
{
    record(Fn::EnableClientState, array);
}

// NOTE: only the layout the kit uses, two floats a vertex, tightly packed.
void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    (void)size;
    (void)type;
    (void)stride;
    glrec::vertexArray = static_cast<const GLfloat*>(pointer);
}

// An array draw is recorded as the glBegin, glVertex2d and glEnd it stands for.
void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    record(Fn::Begin, mode);
    for (GLint i = first; i < first + count; ++i) {
        record(Fn::Vertex2d, glrec::vertexArray[2 * i], glrec::vertexArray[2 * i + 1]);
    }
    record(Fn::End);
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    record(Fn::Color4f, red, green, blue, alpha);
}

void glLineWidth(GLfloat width)
{
    record(Fn::LineWidth, width);
}

void glEnable(GLenum cap)
{
    record(Fn::Enable, cap);
}

void glDisable(GLenum cap)
{
    record(Fn::Disable, cap);
}

void glPushMatrix(void)
{
    record(Fn::PushMatrix);
}

void glPopMatrix(void)
{
    record(Fn::PopMatrix);
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z)
{
    record(Fn::Translated, x, y, z);
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z)
{
    record(Fn::Rotated, angle, x, y, z);
}

void glMatrixMode(GLenum mode)
{
    record(Fn::MatrixMode, mode);
}

void glLoadIdentity(void)
{
    record(Fn::LoadIdentity);
}

void glClear(GLbitfield mask)
{
    record(Fn::Clear, mask);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    record(Fn::ClearColor, red, green, blue, alpha);
}

void glFlush(void)
{
    record(Fn::Flush);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    record(Fn::Viewport, x, y, width, height);
}

void glRasterPos2f(GLfloat x, GLfloat y)
{
    record(Fn::RasterPos2f, x, y);
}

void glPushAttrib(GLbitfield mask)
{
    record(Fn::PushAttrib, mask);
}

void glPopAttrib(void)
{
    record(Fn::PopAttrib);
}

void glutSwapBuffers(void)
{
    record(Fn::SwapBuffers);
}

// The bitmap itself is not kept: the address shows which glyph was drawn.
void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
              GLfloat ymove, const GLubyte* bitmap)
{
    (void)xmove;
    (void)ymove;
    record(Fn::Bitmap, width, height, xorig, yorig, bitmap);
}

void glutBitmapCharacter(void* font, int character)
{
    record(Fn::BitmapCharacter, character, 0.0, 0.0, 0.0, font);
}

// Not recorded: every character is 10 pixels wide.
int glutBitmapWidth(void* font, int character)
{
    (void)font;
    (void)character;
    return 10;
}

void glutInit(int* pargc, char** argv)
{
    record(Fn::Init, (pargc != nullptr) ? *pargc : -1, 0.0, 0.0, 0.0, argv);
}

void glutInitWindowSize(int width, int height)
{
    record(Fn::InitWindowSize, width, height);
}

void glutInitDisplayMode(unsigned int displayMode)
{
    record(Fn::InitDisplayMode, displayMode);
}

int glutCreateWindow(const char* title)
{
    record(Fn::CreateWindow, 0.0, 0.0, 0.0, 0.0, title);
    return 1;
}

void glutDisplayFunc(void (*callback)(void))
{
    record(Fn::DisplayFunc, 0.0, 0.0, 0.0, 0.0, nullptr, callback);
}

void glutReshapeFunc(void (*callback)(int, int))
{
    record(Fn::ReshapeFunc, 0.0, 0.0, 0.0, 0.0, nullptr,
           reinterpret_cast<glrec::Callback>(callback));
}

void glutKeyboardFunc(void (*callback)(unsigned char, int, int))
{
    record(Fn::KeyboardFunc, 0.0, 0.0, 0.0, 0.0, nullptr,
           reinterpret_cast<glrec::Callback>(callback));
}

// Returns at once, where the real loop never does, so a test can go on past it.
void glutMainLoop(void)
{
    record(Fn::MainLoop);
}

void glutPostRedisplay(void)
{
    record(Fn::PostRedisplay);
}

void glutIdleFunc(void (*callback)(void))
{
    record(Fn::IdleFunc, 0.0, 0.0, 0.0, 0.0, nullptr, callback);
}

void glutTimerFunc(unsigned int time, void (*callback)(int), int value)
{
    record(Fn::TimerFunc, time, value, 0.0, 0.0, nullptr,
           reinterpret_cast<glrec::Callback>(callback));
}

void glutMouseFunc(void (*callback)(int, int, int, int))
{
    record(Fn::MouseFunc, 0.0, 0.0, 0.0, 0.0, nullptr,
           reinterpret_cast<glrec::Callback>(callback));
}

}  // extern "C"
