// console_text_win32.cpp -- console text on Windows.
//
// A Windows console shows bytes in its code page (932 on a Japanese PC, 1252 on
// a Western one), so UTF-8 bytes there are mojibake; WriteConsoleW takes UTF-16
// and is right under every code page. A pipe or a file gets the UTF-8 bytes, as
// on every other system, so that scripts and tests read the same text.
#include "console/console_text.h"

#include <io.h>
#include <windows.h>

#include <cassert>

void writeConsoleText(FILE* stream, const char* text, std::size_t length)
{
    // NOTE: _isatty answers from the C runtime's own record of the descriptor;
    // only a character device (a console, or NUL) costs the system call.
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (!_isatty(_fileno(stream)) || handle == INVALID_HANDLE_VALUE ||
        !GetConsoleMode(handle, &mode)) {
        std::fwrite(text, 1, length, stream);
        return;
    }
    // NOTE: text already buffered in the stream must come out first.
    std::fflush(stream);
    // UTF-8 never needs more UTF-16 units than it has bytes.
    wchar_t wide[CONSOLE_TEXT_MAX];
    const int count = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), wide,
                                          CONSOLE_TEXT_MAX);
    assert((length == 0 || count > 0) && "console text too long or not UTF-8");
    DWORD written = 0;
    WriteConsoleW(handle, wide, static_cast<DWORD>(count), &written, nullptr);
}
