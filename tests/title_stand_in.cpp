// Stands in for the window system's title hand-over, which needs a real display.
#include "app/window.h"
#include "title_stand_in.h"

const char* lastNativeTitle = nullptr;
int nativeTitleCalls = 0;

void setWindowTitleProperties(const char* utf8Title)
{
    lastNativeTitle = utf8Title;
    ++nativeTitleCalls;
}
