// contact_view.h -- view 5: how each pair shares its contact and how its flanks
// slide, on its line of action straightened.
#pragma once

// Draws view 5 for the gear angles of viewState: the shifted pair in the upper
// half, the standard pair in the lower, both lines at the same scale.
void drawContactView();

// The legend line that counts the pairs of teeth in contact now, in the text
// language, at (x, y) window units; views 3, 4 and 5 write it.
void drawContactCount(float x, float y, int count);
