// picture_file_posix.cpp -- a new picture file on POSIX systems: created with
// O_EXCL, so an existing file is never replaced.
#include "app/picture_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

NewFile writeNewFile(const char* name, const unsigned char* bytes, std::size_t size, char* where,
                     std::size_t whereSize)
{
    const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        return errno == EEXIST ? NewFile::TAKEN : NewFile::FAILED;
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = write(fd, bytes + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    if (close(fd) != 0 || done < size) {
        unlink(name);
        return NewFile::FAILED;
    }
    char folder[4096];
    if (getcwd(folder, sizeof folder) != nullptr) {
        const std::size_t length = std::strlen(folder);
        const bool root = length > 0 && folder[length - 1] == '/';
        std::snprintf(where, whereSize, "%s%s%s", folder, root ? "" : "/", name);
    } else {
        std::snprintf(where, whereSize, "%s", name);
    }
    return NewFile::WRITTEN;
}
