// Reading a recorded trace as a person reads the picture: the texts written, the
// dots drawn, the colours in order.
#pragma once

#include <string>
#include <vector>

#include "draw/kit.h"
#include "recorder/gl_recorder.h"

struct TextLine {
    float x;
    float y;
    std::string text;
    bool lit;  // GL_LIGHTING enabled when it was written
};

// Every drawText in the trace: raster position and the characters that follow it.
inline std::vector<TextLine> textLines()
{
    std::vector<TextLine> lines;
    bool lit = false;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        if (c.fn == glrec::Fn::Enable && c.a[0] == GL_LIGHTING) lit = true;
        if (c.fn == glrec::Fn::Disable && c.a[0] == GL_LIGHTING) lit = false;
        if (c.fn == glrec::Fn::RasterPos2f) {
            lines.push_back({static_cast<float>(c.a[0]), static_cast<float>(c.a[1]), "", lit});
        }
        if (c.fn == glrec::Fn::BitmapCharacter && !lines.empty()) {
            lines.back().text += static_cast<char>(c.a[0]);
        }
    }
    return lines;
}

struct Disc {
    std::size_t at;    // index of its glBegin
    double x, y;       // centre in window units
    double r;          // radius in window units
    Rgba colour;
};

// Every filled 120-gon: the translation before it gives the centre, its first
// vertex the radius.
inline std::vector<Disc> discs()
{
    std::vector<Disc> found;
    double tx = 0, ty = 0;
    Rgba colour = {-1, -1, -1, -1};
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        if (c.fn == glrec::Fn::Translated) { tx = c.a[0]; ty = c.a[1]; }
        if (c.fn == glrec::Fn::Color4f) {
            colour = {static_cast<float>(c.a[0]), static_cast<float>(c.a[1]),
                      static_cast<float>(c.a[2]), static_cast<float>(c.a[3])};
        }
        if (c.fn == glrec::Fn::Begin && c.a[0] == GL_POLYGON && i + 1 < glrec::size()) {
            const glrec::Call& v = glrec::at(i + 1);
            found.push_back({i, tx, ty, v.a[0], colour});
        }
    }
    return found;
}

inline bool same(const Rgba& a, const Rgba& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// Index of the first glBegin drawn in `colour` at or after `from`, or -1.
inline long long firstDrawnIn(const Rgba& colour, std::size_t from = 0)
{
    Rgba current = {-1, -1, -1, -1};
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        if (c.fn == glrec::Fn::Color4f) {
            current = {static_cast<float>(c.a[0]), static_cast<float>(c.a[1]),
                       static_cast<float>(c.a[2]), static_cast<float>(c.a[3])};
        }
        if (i >= from && c.fn == glrec::Fn::Begin && same(current, colour)) {
            return static_cast<long long>(i);
        }
    }
    return -1;
}

// Index of the last glBegin drawn in `colour`, or -1.
inline long long lastDrawnIn(const Rgba& colour)
{
    Rgba current = {-1, -1, -1, -1};
    long long last = -1;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        if (c.fn == glrec::Fn::Color4f) {
            current = {static_cast<float>(c.a[0]), static_cast<float>(c.a[1]),
                       static_cast<float>(c.a[2]), static_cast<float>(c.a[3])};
        }
        if (c.fn == glrec::Fn::Begin && same(current, colour)) {
            last = static_cast<long long>(i);
        }
    }
    return last;
}
