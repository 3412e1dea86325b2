// picture_file.h -- the platform's part of saving a picture: a new file in the
// current folder (picture_file_posix.cpp, picture_file_win32.cpp; a web page
// would offer a download instead).
#pragma once

#include <cstddef>

enum class NewFile {
    WRITTEN,  // the file is there, with all the bytes
    TAKEN,    // a file of that name exists and is left as it is
    FAILED,   // the file could not be made or written; nothing is left behind
};

// Writes `size` bytes to a file `name` (ASCII) that does not exist yet in the
// current folder, never over an existing one, not even one made a moment before.
// When FAILED, `cause` receives the system's errno value for why.
NewFile writeNewFile(const char* name, const unsigned char* bytes, std::size_t size, int& cause);
// Removes the file `name` that writeNewFile has just written, when it must not
// stay after all; a web page's downloads are never taken back.
void removeNewFile(const char* name);

// The current folder as the console shows it, in UTF-8 and ending in its separator
// ("/home/teacher/", "C:\gearmesh\"), NUL-terminated, at most `size` bytes; empty
// where it cannot be told, and on a web page, whose pictures go to the browser.
void currentFolder(char* folder, std::size_t size);
