// Stands in for the GL calls that read a frame back, which the recording stand-in
// lacks: an 800 x 800 viewport of black pixels; glrec::total() at each read.
#include <GL/gl.h>

#include <cstring>

#include "recorder/gl_recorder.h"

long long readBackAt = -1;  // also read by test_picture.cpp

void glGetIntegerv(GLenum, GLint* params)
{
    const GLint viewport[4] = {0, 0, 800, 800};
    std::memcpy(params, viewport, sizeof viewport);
}
void glReadBuffer(GLenum) {}
void glPixelStorei(GLenum, GLint) {}
void glReadPixels(GLint, GLint, GLsizei width, GLsizei height, GLenum, GLenum, GLvoid* pixels)
{
    std::memset(pixels, 0, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    readBackAt = glrec::total();
}
