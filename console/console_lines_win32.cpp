// console_lines_win32.cpp -- console lines on Windows: a thread reads standard
// input and hands one line at a time to whoever takes it.
//
// From a console the line is read as UTF-16 (ReadConsoleW), whatever the console's
// code page, so that full-width digits typed by a Japanese input method arrive as
// characters and not as code-page bytes; it is handed on as UTF-8. From a pipe or
// a file the bytes are UTF-8 already, as on every other system.
#include "console/console_lines.h"

#include <windows.h>

namespace {

CRITICAL_SECTION guard;
CONDITION_VARIABLE changed;
ConsoleLine ready;       // the line read and not yet taken
bool lineReady = false;  // whether ready holds one
bool ended = false;      // the input has ended; every line before has been taken

// Ctrl+Z at the start of a console line is how Windows users end their input.
constexpr wchar_t CONSOLE_END = 0x1A;

// One line typed into the console; false when the input ends.
bool readConsoleLine(HANDLE input, ConsoleLine& line)
{
    wchar_t wide[CONSOLE_LINE_MAX];
    int length = 0;
    line.whole = true;
    for (;;) {
        wchar_t c = 0;
        DWORD got = 0;
        if (!ReadConsoleW(input, &c, 1, &got, nullptr)) {
            return false;
        }
        // NOTE: Ctrl+C ends a console read with nothing read; it is not the end of
        // the input: the console's handler ends the program, or the input goes on.
        if (got == 0 && GetLastError() == ERROR_OPERATION_ABORTED) {
            continue;
        }
        if (got == 0) {
            return false;
        }
        if (c == L'\n') {
            break;
        }
        if (c == CONSOLE_END && length == 0) {
            return false;
        }
        if (c == L'\r') {
            continue;
        }
        if (length + 1 < static_cast<int>(CONSOLE_LINE_MAX)) {
            wide[length++] = c;
        } else {
            line.whole = false;
        }
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, length, line.text,
                                          static_cast<int>(CONSOLE_LINE_MAX) - 1, nullptr, nullptr);
    if (bytes == 0 && length > 0) {
        line.whole = false;
    }
    line.text[bytes] = '\0';
    return true;
}

// One line of UTF-8 bytes from a pipe or a file; false when the input ends
// before any byte of it.
bool readByteLine(HANDLE input, ConsoleLine& line)
{
    std::size_t length = 0;
    bool any = false;
    line.whole = true;
    for (;;) {
        char c = 0;
        DWORD got = 0;
        if (!ReadFile(input, &c, 1, &got, nullptr) || got == 0) {
            break;
        }
        any = true;
        if (c == '\n') {
            break;
        }
        if (length + 1 < sizeof line.text) {
            line.text[length++] = c;
        } else {
            line.whole = false;
        }
    }
    line.text[length] = '\0';
    return any;
}

DWORD WINAPI readLines(LPVOID)
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    const bool console = GetConsoleMode(input, &mode) != 0;
    for (;;) {
        ConsoleLine line;
        const bool got = console ? readConsoleLine(input, line) : readByteLine(input, line);
        EnterCriticalSection(&guard);
        if (!got) {
            ended = true;
            WakeAllConditionVariable(&changed);
            LeaveCriticalSection(&guard);
            return 0;
        }
        ready = line;
        lineReady = true;
        WakeAllConditionVariable(&changed);
        while (lineReady) {
            SleepConditionVariableCS(&changed, &guard, INFINITE);
        }
        LeaveCriticalSection(&guard);
    }
}

}  // namespace

void startConsoleLines()
{
    InitializeCriticalSection(&guard);
    InitializeConditionVariable(&changed);
    const HANDLE thread = CreateThread(nullptr, 0, readLines, nullptr, 0, nullptr);
    if (thread != nullptr) {
        CloseHandle(thread);
    }
}

bool consoleLinesMayWait()
{
    return true;
}

LineStatus takeConsoleLine(ConsoleLine& line, bool wait)
{
    EnterCriticalSection(&guard);
    while (wait && !lineReady && !ended) {
        SleepConditionVariableCS(&changed, &guard, INFINITE);
    }
    LineStatus status = ended ? LineStatus::END : LineStatus::NONE;
    if (lineReady) {
        line = ready;
        lineReady = false;
        WakeAllConditionVariable(&changed);
        status = LineStatus::LINE;
    }
    LeaveCriticalSection(&guard);
    return status;
}

void offerInputLine(bool questionWaits)
{
    // NOTE: a Windows console takes lines whether a question waits or not.
    (void)questionWaits;
}
