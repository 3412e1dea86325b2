// views.h -- the four pictures: each gear alone, the shifted pair and the standard
// pair in mesh.
#pragma once

#include "draw/kit.h"

// Colour of the contact-point dots of the mesh views.
extern const Rgba CONTACT_COLOUR;

// GLUT display callback: one whole frame of the view in viewState.viewMode,
// buffers swapped. It draws the state as it is and turns nothing, so a redisplay
// that the window system asks for repaints the same picture.
void displayViews();

// Adds viewState.step to the gear-1 angles, folds theta1w into
// [pitchAngle1, 2 pitchAngle1) from wherever it was, and sets gear 2's angles by
// the speed ratio: one step of the mesh views' animation.
void advanceMesh();
