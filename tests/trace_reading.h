// Reading a recorded trace as a person reads the picture: the texts written, the
// dots drawn, the colours in order.
#pragma once

#include <cmath>
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
    std::size_t at;    // index of its first vertex in the trace
    double x, y;       // centre in window units
    double r;          // radius in window units
    Rgba colour;
    Vec2 first;        // the corner its fan turns about
};

inline bool same(const Rgba& a, const Rgba& b);

// Every filled disc, in the order drawn: a fan of triangles about its first
// corner, told from the next by that corner; its centre is the circumcentre of
// its first triangle.
inline std::vector<Disc> discs()
{
    std::vector<Disc> found;
    Rgba colour = {-1, -1, -1, -1};
    bool triangles = false;
    std::vector<Vec2> corner;  // the triangle being read
    std::size_t at = 0;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        if (c.fn == glrec::Fn::Color4f) {
            colour = {static_cast<float>(c.a[0]), static_cast<float>(c.a[1]),
                      static_cast<float>(c.a[2]), static_cast<float>(c.a[3])};
        }
        if (c.fn == glrec::Fn::Begin) {
            triangles = c.a[0] == GL_TRIANGLES;
            corner.clear();
        }
        if (!triangles || c.fn != glrec::Fn::Vertex2d) {
            continue;
        }
        at = corner.empty() ? i : at;
        corner.push_back(Vec2{c.a[0], c.a[1]});
        if (corner.size() < 3) {
            continue;
        }
        const Vec2 a = corner[0];
        const bool sameFan = !found.empty() && found.back().first.x == a.x && found.back().first.y == a.y &&
                             same(found.back().colour, colour);
        if (!sameFan) {
            const Vec2 b = corner[1];
            const Vec2 d = corner[2];
            const double det = 2.0 * ((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
            const double bb = (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y);
            const double dd = (d.x - a.x) * (d.x - a.x) + (d.y - a.y) * (d.y - a.y);
            const Vec2 o = {a.x + ((d.y - a.y) * bb - (b.y - a.y) * dd) / det,
                            a.y + ((b.x - a.x) * dd - (d.x - a.x) * bb) / det};
            found.push_back({at, o.x, o.y, std::hypot(a.x - o.x, a.y - o.y), colour, a});
        }
        corner.clear();
    }
    return found;
}

inline bool same(const Rgba& a, const Rgba& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// Index of the first glBegin drawn in `colour` at or after `from`, or -1. A draw
// holds many figures of its colour: its glBegin stands for the first of them.
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

// One GL draw of the trace, with the state it was drawn in.
struct Drawn {
    double mode;
    Rgba colour;
    double width;  // the line width told last
    std::vector<Vec2> vertices;
};

// Every draw since the trace began.
inline std::vector<Drawn> drawsInTrace()
{
    std::vector<Drawn> out;
    Rgba colour = {-1, -1, -1, -1};
    double width = -1.0;
    for (std::size_t i = 0; i < glrec::size(); ++i) {
        const glrec::Call& c = glrec::at(i);
        if (c.fn == glrec::Fn::Color4f) {
            colour = {static_cast<float>(c.a[0]), static_cast<float>(c.a[1]),
                      static_cast<float>(c.a[2]), static_cast<float>(c.a[3])};
        }
        width = c.fn == glrec::Fn::LineWidth ? c.a[0] : width;
        if (c.fn == glrec::Fn::Begin) {
            out.push_back({c.a[0], colour, width, {}});
        }
        if (c.fn == glrec::Fn::Vertex2d && !out.empty()) {
            out.back().vertices.push_back(Vec2{c.a[0], c.a[1]});
        }
    }
    return out;
}
