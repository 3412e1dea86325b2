// window_title_web.cpp -- the window title on a web page is the page's title.
#include <emscripten.h>

#include "app/window.h"

EM_JS(void, setDocumentTitle, (const char* utf8Title),
      { document.title = UTF8ToString(utf8Title); });

void setWindowTitleProperties(const char* utf8Title)
{
    setDocumentTitle(utf8Title);
}
