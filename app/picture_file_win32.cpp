// picture_file_win32.cpp -- a new picture file on Windows, in the folder the
// program was started in (for a double-clicked gearmesh.exe, its own folder):
// created with _O_EXCL, so an existing file is never replaced; binary, so no byte
// is turned into a line end. The folder is told in UTF-8 whatever the code page.
#include "app/picture_file.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

NewFile writeNewFile(const char* name, const unsigned char* bytes, std::size_t size, char* where,
                     std::size_t whereSize)
{
    const int fd = _open(name, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        return errno == EEXIST ? NewFile::TAKEN : NewFile::FAILED;
    }
    std::size_t done = 0;
    while (done < size) {
        // NOTE: _write takes an unsigned int count; a picture is far smaller.
        const int got = _write(fd, bytes + done, static_cast<unsigned int>(size - done));
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    if (_close(fd) != 0 || done < size) {
        _unlink(name);
        return NewFile::FAILED;
    }
    wchar_t wideFolder[MAX_PATH];
    char folder[4 * MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, wideFolder);
    if (length > 0 && length < MAX_PATH &&
        WideCharToMultiByte(CP_UTF8, 0, wideFolder, -1, folder, sizeof folder, nullptr, nullptr) > 0) {
        // NOTE: a drive's root, C:\ for one, ends in its separator already.
        const bool root = folder[std::strlen(folder) - 1] == '\\';
        std::snprintf(where, whereSize, "%s%s%s", folder, root ? "" : "\\", name);
    } else {
        std::snprintf(where, whereSize, "%s", name);
    }
    return NewFile::WRITTEN;
}
