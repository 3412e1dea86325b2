// picture_file_web.cpp -- a saved picture on a web page: the browser downloads each of
// its files (the PNG, the SVG) under its name and with its type, into the folder the
// person has chosen for downloads (the browser, not the program, keeps an existing file
// there from being replaced).
#include <emscripten.h>

#include <cerrno>

#include "app/picture_file.h"

// The type of each file the program saves, by its name's ending.
EM_JS(int, downloadFile, (const char* name, const unsigned char* bytes, int size), {
    try {
        const data = HEAPU8.slice(bytes, bytes + size);
        const link = document.createElement("a");
        const type = UTF8ToString(name).endsWith(".svg") ? "image/svg+xml" : "image/png";
        link.href = URL.createObjectURL(new Blob([data], { type: type }));
        link.download = UTF8ToString(name);
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 10000);
        return 1;
    } catch (e) {
        return 0;
    }
});

NewFile writeNewFile(const char* name, const unsigned char* bytes, std::size_t size, int& cause)
{
    // NOTE: the browser does not say why; a download that cannot start is an I/O failure.
    cause = EIO;
    return downloadFile(name, bytes, static_cast<int>(size)) != 0 ? NewFile::WRITTEN
                                                                  : NewFile::FAILED;
}

void removeNewFile(const char* name)
{
    // NOTE: a download is never refused for its name, so none is taken back.
    (void)name;
}

void currentFolder(char* folder, std::size_t size)
{
    if (size > 0) {
        folder[0] = '\0';
    }
}
