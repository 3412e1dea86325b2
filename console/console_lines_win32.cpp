// console_lines_win32.cpp -- console lines on Windows: a thread reads standard
// input in blocks and hands one line at a time to whoever takes it.
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

HANDLE input;
LineBlocks blocks;  // standard input read ahead of the lines taken, as UTF-8

// Ctrl+Z at the start of a console line is how Windows users end their input.
constexpr char CONSOLE_END = 0x1A;

// What the console has typed, read as UTF-16 and handed on as UTF-8 (at most 3
// bytes for each unit). A high surrogate that ends a read waits for its pair.
std::size_t readConsoleBlock(char* into, std::size_t room)
{
    static wchar_t wide[LINE_BLOCK_BYTES / 3];
    static DWORD kept = 0;  // 1 when wide[0] holds such a surrogate
    const std::size_t fit = room / 3 < LINE_BLOCK_BYTES / 3 ? room / 3 : LINE_BLOCK_BYTES / 3;
    for (;;) {
        DWORD got = 0;
        if (!ReadConsoleW(input, wide + kept, static_cast<DWORD>(fit) - kept, &got, nullptr)) {
            return 0;
        }
        // NOTE: Ctrl+C ends a console read with nothing read; it is not the end of
        // the input: the console's handler ends the program, or the input goes on.
        if (got == 0 && GetLastError() == ERROR_OPERATION_ABORTED) {
            continue;
        }
        if (got == 0) {
            return 0;
        }
        DWORD count = kept + got;
        kept = IS_HIGH_SURROGATE(wide[count - 1]) ? 1 : 0;
        count -= kept;
        const int bytes = count > 0 ? WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(count),
                                                          into, static_cast<int>(room), nullptr,
                                                          nullptr)
                                    : 0;
        if (kept == 1) {
            wide[0] = wide[count];
        }
        if (bytes > 0) {
            return static_cast<std::size_t>(bytes);
        }
    }
}

// UTF-8 bytes from a pipe or a file.
std::size_t readFileBlock(char* into, std::size_t room)
{
    DWORD got = 0;
    if (!ReadFile(input, into, static_cast<DWORD>(room), &got, nullptr)) {
        return 0;
    }
    return got;
}

DWORD WINAPI readLines(LPVOID)
{
    input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    const bool console = GetConsoleMode(input, &mode) != 0;
    for (;;) {
        ConsoleLine line;
        const bool got = takeBlockLine(blocks, console ? readConsoleBlock : readFileBlock, line) &&
                         !(console && line.length > 0 && line.text[0] == CONSOLE_END);
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
