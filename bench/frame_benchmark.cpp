// frame_benchmark.cpp -- time per frame of the real drawing code in a real GL
// context (run it under an X server, e.g. Xvfb with Mesa's software renderer).
//
// Each frame case computes a gear pair as the dialogue would, zooms in by the
// given number of 'W' presses (or 'w' presses, for negative counts), and draws
// whole frames of one view; glFinish makes the time include the rasterisation, not
// just the queuing of calls. Beside the time it gives the GL draws and state
// changes (colour, width, lighting) that one frame sends, the vertices it sends,
// the vertices its picture needs (a check of its own: the frame's lines cut to the
// window and thinned to a quarter pixel), and the time of a frame that only
// clears and swaps, measured in the same case right after.
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "app/keyboard.h"
#include "app/views.h"
#include "app/window.h"
#include "draw/batch.h"
#include "gear/gear_pair.h"
#include "gear/pair_stages.h"

namespace {

using Clock = std::chrono::steady_clock;

// A quarter pixel and a pixel of the 800-pixel window, window units.
constexpr double QUARTER_PIXEL = 0.25 / 400.0;
constexpr double PIXEL = 1.0 / 400.0;

struct Point {
    double x, y;
};

// Distance from p to the segment a-b.
double offSegment(const Point& p, const Point& a, const Point& b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0.0
                         ? std::fmax(0.0, std::fmin(1.0, ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2))
                         : 0.0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// Segments of the chain that Douglas-Peucker keeps at a quarter pixel.
int thinned(const std::vector<Point>& chain, std::size_t lo, std::size_t hi)
{
    double far = 0.0;
    std::size_t at = lo;
    for (std::size_t i = lo + 1; i < hi; ++i) {
        const double d = offSegment(chain[i], chain[lo], chain[hi]);
        if (d > far) {
            far = d;
            at = i;
        }
    }
    return far > QUARTER_PIXEL ? thinned(chain, lo, at) + thinned(chain, at, hi) : 1;
}

// Whether the segment a-b (or the triangle's box) touches the window widened by `margin`.
bool touchesWindow(const Point& a, const Point& b, double margin)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double edge = 1.0 + margin;
    const double p[4] = {a.x - b.x, b.x - a.x, a.y - b.y, b.y - a.y};
    const double q[4] = {a.x + edge, edge - a.x, a.y + edge, edge - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) {
                return false;
            }
        } else if (p[k] < 0.0) {
            t0 = std::fmax(t0, q[k] / p[k]);
        } else {
            t1 = std::fmin(t1, q[k] / p[k]);
        }
    }
    return t0 <= t1;
}

// The vertices the frame just drawn needs: its lines chained where one segment
// starts where the last ended, the segments that miss the window (widened by half
// the line's width) dropped, each chain thinned to a quarter pixel; its triangles
// that touch the window.
double neededVertices()
{
    double needed = 0.0;
    const float* v = batchVertices();
    for (int r = 0; r < batchRunCount(); ++r) {
        const BatchRun& run = batchRuns()[r];
        if (run.kind == RunKind::TEXT) {
            continue;
        }
        std::vector<Point> chain;
        const auto close = [&] {
            needed += chain.size() > 1 ? 2.0 * thinned(chain, 0, chain.size() - 1) : 0.0;
            chain.clear();
        };
        for (int i = run.first; i + 1 < run.first + run.count; i += run.kind == RunKind::LINES ? 2 : 3) {
            const Point a = {v[2 * i], v[2 * i + 1]};
            const Point b = {v[2 * i + 2], v[2 * i + 3]};
            if (run.kind == RunKind::TRIANGLES) {
                const Point c = {v[2 * i + 4], v[2 * i + 5]};
                const Point low = {std::fmin(a.x, std::fmin(b.x, c.x)), std::fmin(a.y, std::fmin(b.y, c.y))};
                const Point high = {std::fmax(a.x, std::fmax(b.x, c.x)), std::fmax(a.y, std::fmax(b.y, c.y))};
                needed += touchesWindow(low, high, 0.0) ? 3.0 : 0.0;
                continue;
            }
            if (!touchesWindow(a, b, run.width / 2.0 * PIXEL)) {
                close();
                continue;
            }
            if (chain.empty() || chain.back().x != a.x || chain.back().y != a.y) {
                close();
                chain.push_back(a);
            }
            chain.push_back(b);
        }
        close();
    }
    return needed;
}

// An unshifted pair of z1 and z2 teeth, computed as the dialogue computes it.
void computePair(int z1, int z2)
{
    int gear = 0;
    computeGearPair(z1, z2, 0.0, 0.0, gear);
    resetView();
}

void frame(benchmark::State& state)
{
    const int z = static_cast<int>(state.range(0));
    const char view = static_cast<char>('0' + state.range(1));
    const int presses = static_cast<int>(state.range(2));
    computePair(z, z);
    keyboardCommand(static_cast<unsigned char>(view), 0, 0);
    // Positive counts press 'W' (zoom in), negative ones 'w' (zoom out).
    for (int i = 0; i < presses; ++i) {
        keyboardCommand('W', 0, 0);
    }
    for (int i = 0; i < -presses; ++i) {
        keyboardCommand('w', 0, 0);
    }
    glFinish();
    batchStats = BatchStats{};
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        displayViews();
        glFinish();
    }
    const double frames = static_cast<double>(state.iterations());
    const double frameMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / frames;
    state.counters["scale"] = viewState.scale;
    state.counters["draws"] = static_cast<double>(batchStats.draws) / frames;
    state.counters["switches"] = static_cast<double>(batchStats.switches) / frames;
    state.counters["vertices"] = static_cast<double>(batchStats.vertices) / frames;
    state.counters["needed"] = neededVertices();
    // As many frames again that only clear and swap.
    const Clock::time_point blankStart = Clock::now();
    for (double i = 0; i < frames; i += 1.0) {
        beginFrame();
        endFrame();
        glFinish();
    }
    const double blankMs = std::chrono::duration<double, std::milli>(Clock::now() - blankStart).count() / frames;
    state.counters["blank_ms"] = blankMs;
    state.counters["x_blank"] = frameMs / blankMs;
}

// The interference verdict that the dialogue gives every accepted pair before its
// report, for both tips: no drawing, but measured here beside the frames it must not
// delay. Shifts in tenths.
void interferenceVerdict(benchmark::State& state)
{
    int gear = 0;
    computeGearPair(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                    state.range(2) / 10.0, state.range(3) / 10.0, gear);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tipInterference(1) + tipInterference(2));
    }
}

}  // namespace

BENCHMARK(interferenceVerdict)
    ->ArgNames({"z1", "z2", "x1", "x2"})
    ->Args({200, 200, 0, 0})
    ->Args({200, 200, -5, -5})
    ->Args({200, 200, 12, 12})
    ->Args({200, 200, 20, 3})
    ->Args({200, 5, 0, 0})
    ->Args({45, 17, -5, -5})
    ->Unit(benchmark::kMillisecond);

BENCHMARK(frame)
    ->ArgNames({"z", "view", "W"})
    ->ArgsProduct({{20, 40, 100, 200}, {1, 3, 4}, {-30, 0, 30, 60}})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    int glutArgc = 1;
    char name[] = "frame_benchmark";
    char* glutArgv[] = {name, nullptr};
    glutInitWindowSize(800, 800);
    glutInit(&glutArgc, glutArgv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("frame benchmark");
    glutDisplayFunc(displayViews);
    glClearColor(1, 1, 1, 1);
    glEnable(GL_LIGHTING);
    reshapeWindow(800, 800);
    glutMainLoopEvent();
    viewState.lastKey = 'z';
    viewState.viewMode = '1';
    // NOTE: Mesa's software renderer runs slow for its first few hundred frames
    // (seconds) while it settles its shader variants; without this warm-up the
    // first cases measure that instead of the drawing.
    computePair(20, 20);
    for (int i = 0; i < 400; ++i) {
        keyboardCommand(static_cast<unsigned char>('1' + i % 4), 0, 0);
        displayViews();
        glFinish();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
