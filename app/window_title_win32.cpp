// window_title_win32.cpp -- the window title on Windows.
//
// freeglut creates its window through the ANSI API, which reads the UTF-8 title
// in the system's code page: mojibake on every PC. We hand the window its text as
// UTF-16 through DefWindowProcW, which stores it as Unicode; SetWindowTextW would
// go through freeglut's ANSI window procedure and lose every character outside
// the code page. The window is the one whose GL context GLUT has just made current.
#include "app/window.h"

#include <windows.h>

void setWindowTitleProperties(const char* utf8Title)
{
    const HWND window = WindowFromDC(wglGetCurrentDC());
    if (window == nullptr) {
        return;
    }
    wchar_t title[256];
    if (MultiByteToWideChar(CP_UTF8, 0, utf8Title, -1, title, 256) == 0) {
        return;
    }
    DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
}
