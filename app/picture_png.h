// picture_png.h -- a frame as the bytes of a PNG file (stb_image_write).
#pragma once

#include <vector>

// Encodes width x height RGB pixels, 3 bytes each, rows packed bottom row first
// (as glReadPixels gives them), into png: a PNG file with the top row first.
// False, and png empty, when the encoder fails.
bool encodePng(const unsigned char* rgb, int width, int height, std::vector<unsigned char>& png);
