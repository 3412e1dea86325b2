// picture.h -- key 'p': the picture in the window saved as a PNG file and an SVG
// file of the same name, with the pair's numbers in a caption below.
//
// The key only asks; the next frame, drawn from the state as it stands (a
// redisplay turns nothing), is read from the back buffer between drawing and
// swapping, so the PNG holds exactly the window's pixels above its caption, and
// the SVG is written from what the kit's batch holds of that frame.
#pragma once

#include <cstddef>

#include "app/window.h"

struct SvgText;

// The next frame is to be saved.
void askForPicture();

// Called by endFrame before the swap: when a picture was asked for, reads the
// frame, saves it in the current folder under a new name and says where on the
// console (or says that it could not).
void savePictureIfAsked();

// The file name without ".png" for the pair in gearPair and viewState.viewMode:
// gearmesh_Z1-Z2_X1-X2_viewV, each shift to the report's 4 decimals without
// trailing zeros, a minus written as "m": gearmesh_20-20_m0.25-0.5_view3.
void pictureBaseName(char* name, std::size_t size);

// [SECTION] Names shared with the outlines (app/outline_svg.cpp)
// The pair's part of every file name: gearmesh_Z1-Z2_X1-X2.
void pairBaseName(char* name, std::size_t size);
// A number as a file name writes it: 4 decimals without trailing zeros, "m" for a
// minus, a number that rounds to zero as "0".
void numberForName(double v, char* text, std::size_t size);
// One of the files written under one name.
struct NewFileBytes {
    const char* extension;  // ".png"
    const unsigned char* bytes;
    std::size_t size;
};
// Writes the files as new files in the current folder, each named stem + its
// extension, the stem base, or when one of those names is taken base-2, base-3 ...;
// never over a file (one just written whose fellow's name turns out taken is
// removed again, and the next stem tried). Returns how many were written, in
// order; stem receives the stem used (the last tried); when not all, cause the
// system's errno value for why the next one could not be.
int writeUnderFreeName(const char* base, const NewFileBytes* files, int count, char* stem,
                       std::size_t stemSize, int& cause);
// name in the current folder, as the console shows a file: the folder's full path
// (picture_file.h) and the name, NUL-terminated, at most whereSize bytes.
void pathOf(const char* name, char* where, std::size_t whereSize);
// Why a file could not be saved (an errno value), in the text language for the
// causes a classroom meets, as the system words it otherwise.
const char* saveCauseText(int error);

// [SECTION] What a saved picture holds besides the window's pixels
constexpr int CAPTION_LINES = 3;
// The caption: the pair's numbers as the report gives them, in the text language.
struct Caption {
    char text[CAPTION_LINES][FRAME_TEXT_BYTES];
    const char* lines[CAPTION_LINES];
    int baselines[CAPTION_LINES];
    TextStrip strip;  // over the lines above, as wide as the window
};
// The caption of the pair in gearPair for a window `width` pixels wide, in the
// font of the display (the larger one of the high-contrast display).
void composeCaption(int width, Caption& caption);
// The SVG file of the frame drawn last (its batch and its lines of text) in a
// window of width x height pixels, the caption in a strip below it; svg receives
// the text, allocated with std::malloc (false when that fails).
bool composePictureSvg(int width, int height, const TextStrip& caption, SvgText& svg);
