// picture_file_posix.cpp -- a new picture file on POSIX systems: created with
// O_EXCL, so an existing file is never replaced.
#include "app/picture_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

NewFile writeNewFile(const char* name, const unsigned char* bytes, std::size_t size, int& cause)
{
    const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        cause = errno;
        return errno == EEXIST ? NewFile::TAKEN : NewFile::FAILED;
    }
    std::size_t done = 0;
    cause = 0;
    while (done < size) {
        const ssize_t got = write(fd, bytes + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            cause = got < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    if (close(fd) != 0 && cause == 0) {
        cause = errno;
    }
    if (cause != 0) {
        unlink(name);
        return NewFile::FAILED;
    }
    return NewFile::WRITTEN;
}

void removeNewFile(const char* name)
{
    unlink(name);
}

void currentFolder(char* folder, std::size_t size)
{
    if (getcwd(folder, size) == nullptr) {
        folder[0] = '\0';
        return;
    }
    const std::size_t length = std::strlen(folder);
    if (length > 0 && folder[length - 1] != '/' && length + 1 < size) {
        folder[length] = '/';
        folder[length + 1] = '\0';
    }
}
