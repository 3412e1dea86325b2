// test_screen_pictures.cpp -- the frames as drawn for the screen against the plain
// drawing (every outline point, nothing culled, the legend as GLUT's bitmaps), in a
// real GL context (run under an X server): views 1 to 5 of the pairs of the
// window tests and the README at three zooms. A pixel is misplaced when the other
// picture has no pixel of its colour within one pixel of it; at most 0.2% of a
// picture's ink may be, and the legend's pixels must be the same.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/keyboard.h"
#include "app/views.h"
#include "app/window.h"
#include "draw/batch.h"
#include "gear_fixture.h"

namespace {

constexpr int SIDE = 800;
// Rows of the window's top where the legends are written, pixels.
constexpr int LEGEND_ROWS = 130;
constexpr double MISPLACED_SHARE = 0.002;

using Picture = std::vector<unsigned int>;  // 0xRRGGBB, row after row from the bottom

Picture drawn(bool plain)
{
    kitScreen.plain = plain;
    displayViews();
    kitScreen.plain = false;
    glFinish();
    std::vector<unsigned char> rgba(SIDE * SIDE * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, SIDE, SIDE, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    Picture p(SIDE * SIDE);
    for (int i = 0; i < SIDE * SIDE; ++i) {
        p[i] = (rgba[4 * i] << 16U) | (rgba[4 * i + 1] << 8U) | rgba[4 * i + 2];
    }
    return p;
}

// The legends' dark grey, which nothing else is drawn in.
bool isText(unsigned int p)
{
    const unsigned int grey = p & 0xFFU;
    return p == grey * 0x010101U && grey > 0 && grey < 0x80U;
}

// Pixels of a with no pixel of their colour within one pixel in b.
long long misplaced(const Picture& a, const Picture& b)
{
    long long count = 0;
    for (int y = 0; y < SIDE; ++y) {
        for (int x = 0; x < SIDE; ++x) {
            const unsigned int c = a[y * SIDE + x];
            bool near = c == 0xFFFFFFU;
            for (int dy = -1; dy <= 1 && !near; ++dy) {
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    const int u = x + dx;
                    const int v = y + dy;
                    near = u >= 0 && v >= 0 && u < SIDE && v < SIDE && b[v * SIDE + u] == c;
                }
            }
            count += near ? 0 : 1;
        }
    }
    return count;
}

struct Case {
    int z1, z2;
    double x1, x2;
    int steps;  // presses of 's' in the mesh views, as the README's pictures
};

TEST(ScreenPictures, MatchThePlainDrawing)
{
    const Case cases[] = {{10, 30, 0.5, 0.0, 24}, {10, 30, 0.0, 0.0, 10}, {20, 20, 0.0, 0.0, 5}};
    // The start zoom, three 'w' and three 'W'.
    const double zooms[] = {1.0, 0.9 * 0.9 * 0.9, 1.0 / (0.9 * 0.9 * 0.9)};
    double worst = 0.0;
    for (const Case& c : cases) {
        for (const char view : {'1', '2', '3', '4', '5'}) {
            for (const double zoom : zooms) {
                ASSERT_TRUE(computePair(c.z1, c.z2, c.x1, c.x2));
                keyboardCommand(static_cast<unsigned char>(view), 0, 0);
                for (int i = 0; view >= '3' && i < c.steps; ++i) {
                    keyboardCommand('s', 0, 0);
                }
                viewState.scale = START_SCALE * zoom;
                const Picture screen = drawn(false);
                const Picture plain = drawn(true);
                const long long ink = std::count_if(screen.begin(), screen.end(),
                                                    [](unsigned int p) { return p != 0xFFFFFFU; });
                const long long wrong = misplaced(screen, plain) + misplaced(plain, screen);
                EXPECT_LE(wrong, MISPLACED_SHARE * ink)
                    << c.z1 << "/" << c.z2 << " x " << c.x1 << " view " << view << " zoom " << zoom;
                // The legend's pixels, where no line covers them in either picture.
                int legendDiffers = 0;
                for (int i = (SIDE - LEGEND_ROWS) * SIDE; i < SIDE * SIDE; ++i) {
                    const bool bare = (isText(screen[i]) || screen[i] == 0xFFFFFFU) &&
                                      (isText(plain[i]) || plain[i] == 0xFFFFFFU);
                    legendDiffers += bare && screen[i] != plain[i] ? 1 : 0;
                }
                EXPECT_EQ(legendDiffers, 0) << "legend of view " << view;
                worst = std::max(worst, static_cast<double>(wrong) / static_cast<double>(ink));
            }
        }
    }
    std::printf("the worst picture misplaces %.4f%% of its ink\n", 100.0 * worst);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    glutInitWindowSize(SIDE, SIDE);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("screen pictures");
    glutDisplayFunc(displayViews);
    glClearColor(1, 1, 1, 1);
    glEnable(GL_LIGHTING);
    reshapeWindow(SIDE, SIDE);
    glutMainLoopEvent();
    return RUN_ALL_TESTS();
}
