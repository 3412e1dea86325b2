// console_lines_posix.cpp -- console lines on POSIX systems: a thread reads
// standard input in blocks and hands one line at a time to whoever takes it.
//
// NOTE: the thread reads the descriptor, not stdin's FILE: a FILE's lock held by
// a blocked read would be in the way of exit(), which flushes every stream.
#include "console/console_lines.h"

#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// NOTE: made once and never destroyed: at exit() the reader may still wait on the
// condition variable, and destroying it under a waiter hangs the process.
std::mutex& guard = *new std::mutex;
std::condition_variable& changed = *new std::condition_variable;
ConsoleLine ready;       // the line read and not yet taken
bool lineReady = false;  // whether ready holds one
bool ended = false;      // the input has ended; every line before has been taken

LineBlocks blocks;  // standard input read ahead of the lines taken

std::size_t readStandardInput(char* into, std::size_t room)
{
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, into, room);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }
}

void readLines()
{
    for (;;) {
        ConsoleLine line;
        const bool got = takeBlockLine(blocks, readStandardInput, line);
        std::unique_lock<std::mutex> lock(guard);
        if (!got) {
            ended = true;
            changed.notify_all();
            return;
        }
        ready = line;
        lineReady = true;
        changed.notify_all();
        changed.wait(lock, [] { return !lineReady; });
    }
}

}  // namespace

void startConsoleLines()
{
    // NOTE: detached: the process ends with exit() while the thread waits in read().
    std::thread(readLines).detach();
}

bool consoleLinesMayWait()
{
    return true;
}

LineStatus takeConsoleLine(ConsoleLine& line, bool wait)
{
    std::unique_lock<std::mutex> lock(guard);
    if (wait) {
        changed.wait(lock, [] { return lineReady || ended; });
    }
    if (lineReady) {
        line = ready;
        lineReady = false;
        changed.notify_all();
        return LineStatus::LINE;
    }
    return ended ? LineStatus::END : LineStatus::NONE;
}

void offerInputLine(bool questionWaits)
{
    // NOTE: a terminal takes lines whether a question waits or not.
    (void)questionWaits;
}
