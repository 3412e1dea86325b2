#pragma once
// What the stand-in of the title hand-over was given.
extern const char* lastNativeTitle;
extern int nativeTitleCalls;
