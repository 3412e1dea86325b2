// window_answers.cpp -- asks gearmesh's window, from another process, to answer a
// message within a second, as Windows does before it greys a window out as not
// responding. Exit status 0 answered, 1 not answered in time, 2 no window.
#include <windows.h>

#include <cstdio>

int main()
{
    // freeglut's window class; nothing else runs in the test's Wine prefix.
    const HWND window = FindWindowW(L"FREEGLUT", nullptr);
    if (window == nullptr) {
        std::puts("no gearmesh window");
        return 2;
    }
    DWORD_PTR result = 0;
    const ULONGLONG start = GetTickCount64();
    const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
    std::printf("%s after %llu ms\n", answered ? "answered" : "no answer", GetTickCount64() - start);
    return answered ? 0 : 1;
}
