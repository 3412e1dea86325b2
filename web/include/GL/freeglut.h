// freeglut.h -- for the web build, whose GLUT (emscripten's) has only the standard
// header; the program uses nothing that freeglut alone offers.
#pragma once

#include <GL/glut.h>
