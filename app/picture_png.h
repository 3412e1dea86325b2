// picture_png.h -- a frame as the bytes of a PNG file (stb_image_write).
#pragma once

#include <cstddef>

// The bytes of a PNG file, in memory from std::malloc; freePng gives them back.
struct PngBytes {
    unsigned char* bytes;
    std::size_t size;
    std::size_t room;
    bool failed;  // the memory ran out on the way
};

// Encodes width x height RGB pixels, 3 bytes each, rows packed bottom row first
// (as glReadPixels gives them), into png: a PNG file with the top row first.
// False, and png empty, when the encoder or the memory fails.
bool encodePng(const unsigned char* rgb, int width, int height, PngBytes& png);
void freePng(PngBytes& png);
