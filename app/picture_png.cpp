// picture_png.cpp -- PNG encoding by stb_image_write (Debian's libstb-dev), a
// header-only library compiled into this one file: its functions stay static here,
// and it writes to memory only, so the file's place (a folder, a download) is the
// platform's part (picture_file.h).
#include "app/picture_png.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

static void appendBytes(void* context, void* data, int size)
{
    auto* png = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    png->insert(png->end(), bytes, bytes + size);
}

bool encodePng(const unsigned char* rgb, int width, int height, std::vector<unsigned char>& png)
{
    constexpr int CHANNELS = 3;
    png.clear();
    // NOTE: GL's rows start at the bottom, a PNG's at the top.
    stbi_flip_vertically_on_write(1);
    if (stbi_write_png_to_func(appendBytes, &png, width, height, CHANNELS, rgb,
                               width * CHANNELS) == 0) {
        png.clear();
    }
    return !png.empty();
}
