// interference.h -- how deep a tooth tip of one gear of the shifted pair enters the
// other gear's tooth while the pair meshes.
#pragma once

// Deepest entry (module) of gear tipGear's tip, its tip arc and the corner where
// the arc meets the involute, into the mate's tooth, over one angular pitch of the
// mesh: the largest distance from a point of the tip inside the mate to the mate's
// flank (fillet trochoid and involute) or tip circle. 0 when the tip stays out.
// Measured on the exact curves of the shifted pair in gearPair; a tip that passes
// under the mate's root circle is not measured here (the clearance says so).
double tipEntryDepth(int tipGear);
