// picture.h -- key 'p': the picture in the window saved as a PNG file.
//
// The key only asks; the next frame, drawn from the state as it stands (a
// redisplay turns nothing), is read from the back buffer between drawing and
// swapping, so the file holds exactly the window's pixels.
#pragma once

#include <cstddef>

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
// Writes the bytes to a new file in the current folder named base + extension,
// or when that is taken base-2 + extension, base-3 ...; never over a file. name
// receives the last name tried and where its full path (pathOf), written or not;
// when not, cause the system's errno value for why.
bool writeUnderFreeName(const char* base, const char* extension, const unsigned char* bytes,
                        std::size_t size, char* name, std::size_t nameSize, char* where,
                        std::size_t whereSize, int& cause);
// name in the current folder, as the console shows a file: the folder's full path
// (picture_file.h) and the name, NUL-terminated, at most whereSize bytes.
void pathOf(const char* name, char* where, std::size_t whereSize);
// Why a file could not be saved (an errno value), in the text language for the
// causes a classroom meets, as the system words it otherwise.
const char* saveCauseText(int error);
