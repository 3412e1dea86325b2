// gl_recorder.h -- a recording stand-in for the GL and GLUT entry points that
// gearmesh calls, for tests that link it instead of the real libraries.
//
// Each entry point keeps its C name and signature from <GL/gl.h> and
// <GL/freeglut.h> and appends one record of its name and arguments to a
// process-wide trace; it draws nothing, keeps no GL state and opens no window.
// The only answer it gives is canned: glutCreateWindow returns window 1. An array draw (glDrawArrays over the
// glVertexPointer array) is recorded as the glBegin, glVertex2d and glEnd it
// stands for. The trace is a fixed array; calls past its
// capacity are still counted per function, and overflowed() tells a test that the
// held records are incomplete.
#pragma once

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cstddef>
#include <vector>

namespace glrec {

enum class Fn : unsigned char {
    Begin,
    End,
    Vertex2d,
    Color4f,
    LineWidth,
    Enable,
    Disable,
    PushMatrix,
    PopMatrix,
    Translated,
    Rotated,
    MatrixMode,
    LoadIdentity,
    Clear,
    ClearColor,
    Flush,
    Viewport,
    RasterPos2f,
    PushAttrib,
    PopAttrib,
    SwapBuffers,
    BitmapCharacter,
    Init,
    InitWindowSize,
    InitDisplayMode,
    CreateWindow,
    DisplayFunc,
    ReshapeFunc,
    KeyboardFunc,
    MainLoop,
    PostRedisplay,
    IdleFunc,
    TimerFunc,
    MouseFunc,
    EnableClientState,
    Bitmap,
    Count
};

// One call. Numeric arguments go to a[] in declaration order (enums, ints and
// floats widened to double, unused slots 0); a pointer argument (font, title,
// argv, params) to p; a callback to f, cast to one common function type.
struct Call {
    Fn fn;
    double a[4];
    const void* p;
    void (*f)();
};

using Callback = void (*)();

constexpr std::size_t CAPACITY = std::size_t{1} << 22;

// Empties the trace and the counters.
void reset();
// Records held, at most CAPACITY.
std::size_t size();
// Calls made since reset, held or not.
long long total();
// True once a call found the trace full.
bool overflowed();
// Calls of fn since reset, held or not.
long long count(Fn fn);
const Call& at(std::size_t index);
// Index of the first held call of fn at or after from, or -1.
long long find(Fn fn, std::size_t from = 0);
// The function's C name, for messages.
const char* name(Fn fn);
// True when no held record has a NaN or infinite numeric argument.
bool allFinite();

// Conveniences for tests: the held calls of one function, and the sequence of
// held function names.
std::vector<Call> callsOf(Fn fn);
std::vector<Fn> sequence(std::size_t from = 0, std::size_t to = static_cast<std::size_t>(-1));

}  // namespace glrec
