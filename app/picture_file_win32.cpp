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
#include <cstring>

NewFile writeNewFile(const char* name, const unsigned char* bytes, std::size_t size, int& cause)
{
    const int fd = _open(name, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        cause = errno;
        return errno == EEXIST ? NewFile::TAKEN : NewFile::FAILED;
    }
    std::size_t done = 0;
    cause = 0;
    while (done < size) {
        // NOTE: _write takes an unsigned int count; a picture is far smaller.
        const int got = _write(fd, bytes + done, static_cast<unsigned int>(size - done));
        if (got <= 0) {
            cause = got < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    if (_close(fd) != 0 && cause == 0) {
        cause = errno;
    }
    if (cause != 0) {
        _unlink(name);
        return NewFile::FAILED;
    }
    return NewFile::WRITTEN;
}

void removeNewFile(const char* name)
{
    _unlink(name);
}

void currentFolder(char* folder, std::size_t size)
{
    wchar_t wide[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, wide);
    folder[0] = '\0';
    if (length == 0 || length >= MAX_PATH ||
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, folder, static_cast<int>(size), nullptr,
                            nullptr) == 0) {
        folder[0] = '\0';
        return;
    }
    // NOTE: a drive's root, C:\ for one, ends in its separator already.
    const std::size_t end = std::strlen(folder);
    if (end > 0 && folder[end - 1] != '\\' && end + 1 < size) {
        folder[end] = '\\';
        folder[end + 1] = '\0';
    }
}
