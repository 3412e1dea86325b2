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

// The caption's rows put back after they are read.
void glDrawPixels(GLsizei, GLsizei, GLenum, GLenum, const GLvoid*) {}

// The legend's image, which the recording stand-in does not draw.
void glScissor(GLint, GLint, GLsizei, GLsizei) {}
void glGenTextures(GLsizei n, GLuint* textures)
{
    for (GLsizei i = 0; i < n; ++i) {
        textures[i] = static_cast<GLuint>(i + 1);
    }
}
void glBindTexture(GLenum, GLuint) {}
void glTexParameteri(GLenum, GLenum, GLint) {}
void glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*) {}
void glTexEnvi(GLenum, GLenum, GLint) {}
void glAlphaFunc(GLenum, GLclampf) {}
void glTexCoord2d(GLdouble, GLdouble) {}
