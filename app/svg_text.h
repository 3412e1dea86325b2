// svg_text.h -- the text of an SVG file as it is written: a buffer allocated once
// for the whole file, and printf-style pieces appended to it. The outlines of
// --outline and the pictures of 'p' are written through it.
#pragma once

#include <cstddef>

// The file's text as it grows; size is what was allocated.
struct SvgText {
    char* bytes;
    std::size_t used;
    std::size_t size;
    int decimals;  // of every coordinate and radius
};

// Appends the formatted piece; what does not fit is cut, the text NUL-terminated.
__attribute__((format(printf, 2, 3))) void put(SvgText& svg, const char* format, ...);
// Appends "x,y" after `before`, with svg.decimals decimals.
void putPoint(SvgText& svg, const char* before, double x, double y);
