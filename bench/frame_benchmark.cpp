// frame_benchmark.cpp -- time per frame of the real drawing code in a real GL
// context (run it under an X server, e.g. Xvfb with Mesa's software renderer).
//
// Each frame case computes a gear pair as the dialogue would, zooms in by the
// given number of 'W' presses (or 'w' presses, for negative counts), and draws
// whole frames of one view; glFinish makes the time include the rasterisation, not
// just the queuing of calls. Beside the time it gives the GL draws and state
// changes (colour, width, lighting) that one frame sends.
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include "app/keyboard.h"
#include "app/views.h"
#include "app/window.h"
#include "draw/batch.h"
#include "gear/gear_pair.h"
#include "gear/pair_stages.h"

namespace {

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
    for (auto _ : state) {
        displayViews();
        glFinish();
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["scale"] = viewState.scale;
    state.counters["draws"] = static_cast<double>(batchStats.draws) / frames;
    state.counters["switches"] = static_cast<double>(batchStats.switches) / frames;
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
