// display_check.h -- can the program reach the window system at all?
#pragma once

// Connects to the window system that GLUT will use (on X11 the display named by
// "-display NAME" on the command line, else by DISPLAY). Returns true when it
// could (the connection may stay open until the process ends); otherwise writes a
// one-line reason (UTF-8, NUL-terminated, at most size bytes) and returns false.
// Asks nothing of GLUT.
bool windowSystemReachable(int argc, char** argv, char* reason, int size);
// What the user can do when it is not (UTF-8, one line).
extern const char* const NO_WINDOW_ADVICE;
