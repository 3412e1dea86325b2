// keyboard.h -- the window's single-key commands.
#pragma once

constexpr unsigned char KEY_ESCAPE = 27;

// Zoom range of 'w' and 'W'. Below the minimum the largest gear is a speck; above
// the maximum the window would show less than a hundredth of a module, and the
// coordinates of the largest gears would outgrow the precision of GL's floats.
// A press that would leave the range keeps the zoom (it still redraws).
constexpr double SCALE_MIN = 1e-3;
constexpr double SCALE_MAX = 200.0;
// 'w' multiplies the zoom by it (the picture shrinks), 'W' divides by it.
constexpr double ZOOM_STEP = 0.9;

// Steps a second of the mesh views' play ('a'): 25.
constexpr unsigned int PLAY_STEP_MS = 40;

// Whether 'a' has set the mesh views stepping by themselves: until 'a' again, a
// change to view 1 or 2, or 'z' and 'x'.
bool meshPlaying();

// GLUT keyboard callback: ESC ends the program; while the dialogue waits every
// other key is dropped. Otherwise records the key in viewState.lastKey and applies
// its command; keys that redraw turn a mesh view one step and post a redisplay.
// The mouse position is unused.
void keyboardCommand(unsigned char key, int x, int y);
