// svg_text.cpp -- appending to the text of an SVG file (svg_text.h).
#include "app/svg_text.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

void put(SvgText& svg, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(svg.bytes + svg.used, svg.size - svg.used, format, args);
    va_end(args);
    // NOTE: the allocation bounds every part; a cut text stays NUL-terminated.
    if (length > 0) {
        svg.used = std::min(svg.used + static_cast<std::size_t>(length), svg.size - 1);
    }
}

void putPoint(SvgText& svg, const char* before, double x, double y)
{
    put(svg, "%s%.*f,%.*f", before, svg.decimals, x, svg.decimals, y);
}
