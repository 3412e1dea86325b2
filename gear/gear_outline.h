// gear_outline.h -- a whole gear of the pair as one closed outline: every tooth
// as the rack cuts it, for cutting the gear out of a sheet.
#pragma once

#include "gear/gear_pair.h"
#include "gear/pair_stages.h"

// Room for the outline of the largest gear: each tooth gives at most its outline
// less the last point, which is the next tooth's first.
constexpr int GEAR_OUTLINE_POINTS = TEETH_MAX * PROFILE_LAST_INDEX;

// Gear 1 or 2 of the shifted pair in gearPair, whole, in its own frame (module
// units, origin at the centre, polar angle from +y towards +x): the tooth outline
// of the views repeated z times, 2 pi / z apart, turned so that the centre line of
// one tooth lies at polar angle toothCentre (rad). A pointed tooth ends where its
// two flanks meet, on its centre line, instead of on the tip arc that the views
// draw past that point. Writes out[0..n-1], at most GEAR_OUTLINE_POINTS, each
// point once: the outline closes from out[n-1] back to out[0]. Returns n.
int buildGearOutline(int gear, double toothCentre, Vec2* out);
