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
// When WRITTEN, `where` receives the file's full path in UTF-8 (or its name when
// the folder cannot be told), NUL-terminated, at most whereSize bytes.
NewFile writeNewFile(const char* name, const unsigned char* bytes, std::size_t size, char* where,
                     std::size_t whereSize);
