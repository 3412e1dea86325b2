// views.h -- the four pictures: each gear alone, the shifted pair and the standard
// pair in mesh.
#pragma once

#include "draw/kit.h"

// Colour of the contact-point dots of the mesh views.
extern const Rgba CONTACT_COLOUR;

// GLUT display callback, also called by the keys that redraw: one whole frame of
// the view in viewState.viewMode, buffers swapped. Views 3 and 4 advance the
// animation by one step first.
void displayViews();

// Adds viewState.step to the gear-1 angles, folds theta1w into
// [pitchAngle1, 2 pitchAngle1), and sets gear 2's angles by the speed ratio.
void advanceMesh();
