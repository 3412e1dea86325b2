// window_title_x11.cpp -- the window title on X11.
//
// freeglut hands the title to X as a Latin-1 STRING, so UTF-8 bytes would show as
// mojibake. We set WM_NAME and WM_ICON_NAME as compound text (or UTF8_STRING
// where the locale cannot convert) and the EWMH _NET_WM_NAME as UTF8_STRING, on
// the window whose GL context GLUT has just made current.
#include "app/window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <GL/glx.h>
#include <clocale>
#include <cstring>

static void setTextProperty(Display* display, Window window, const char* utf8, Atom property)
{
    char* list[1] = {const_cast<char*>(utf8)};
    XTextProperty text;
    // Compound text is what every window manager reads; it needs a locale that
    // Xlib can convert UTF-8 from.
    int status = Xutf8TextListToTextProperty(display, list, 1, XCompoundTextStyle, &text);
    if (status != Success) {
        status = Xutf8TextListToTextProperty(display, list, 1, XUTF8StringStyle, &text);
    }
    if (status == Success) {
        XSetTextProperty(display, window, &text, property);
        XFree(text.value);
    }
}

void setWindowTitleProperties(const char* utf8Title)
{
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) {
        return;
    }
    const Window window = static_cast<Window>(drawable);

    char saved[128] = "C";
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    if (current != nullptr && std::strlen(current) < sizeof saved) {
        std::strcpy(saved, current);
    }
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) {
        std::setlocale(LC_CTYPE, "");
    }
    setTextProperty(display, window, utf8Title, XA_WM_NAME);
    setTextProperty(display, window, utf8Title, XA_WM_ICON_NAME);
    std::setlocale(LC_CTYPE, saved);

    const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
    const int length = static_cast<int>(std::strlen(utf8Title));
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(utf8Title);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8String, 8,
                    PropModeReplace, bytes, length);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON_NAME", False), utf8String,
                    8, PropModeReplace, bytes, length);
    XFlush(display);
}
