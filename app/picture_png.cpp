// picture_png.cpp -- PNG encoding by stb_image_write (Debian's libstb-dev), a
// header-only library compiled into this one file: its functions stay static here,
// and it writes to memory only, so the file's place (a folder, a download) is the
// platform's part (picture_file.h).
#include "app/picture_png.h"

#include <cstdlib>
#include <cstring>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

// Appends the encoder's bytes, doubling the room as needed; a failed growth
// empties the picture, which then counts as not encoded.
static void appendBytes(void* context, void* data, int size)
{
    PngBytes& png = *static_cast<PngBytes*>(context);
    const std::size_t more = static_cast<std::size_t>(size);
    if (png.failed) {
        return;
    }
    if (png.size + more > png.room) {
        const std::size_t room = 2 * (png.size + more);
        auto* grown = static_cast<unsigned char*>(std::realloc(png.bytes, room));
        if (grown == nullptr) {
            png.failed = true;
            return;
        }
        png.bytes = grown;
        png.room = room;
    }
    std::memcpy(png.bytes + png.size, data, more);
    png.size += more;
}

void freePng(PngBytes& png)
{
    std::free(png.bytes);
    png = PngBytes{nullptr, 0, 0, false};
}

bool encodePng(const unsigned char* rgb, int width, int height, PngBytes& png)
{
    constexpr int CHANNELS = 3;
    png = PngBytes{nullptr, 0, 0, false};
    // NOTE: GL's rows start at the bottom, a PNG's at the top.
    stbi_flip_vertically_on_write(1);
    const int written = stbi_write_png_to_func(appendBytes, &png, width, height, CHANNELS, rgb,
                                               width * CHANNELS);
    if (written == 0 || png.failed || png.bytes == nullptr) {
        freePng(png);
        return false;
    }
    return true;
}
