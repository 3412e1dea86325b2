// interference.h -- how deep a tooth tip of one gear of the shifted pair enters the
// other gear's tooth while the pair meshes.
#pragma once

// Deepest entry (module) of gear tipGear's tip (the corner where its tip arc meets
// the involute, which goes deepest) into the mate's tooth, over the mesh: the
// largest distance from a point of the tip inside the mate to the mate's flank
// (fillet trochoid and involute) or tip circle. 0 when the tip stays out.
// Measured on the exact curves of the shifted pair in gearPair; a tip that passes
// under the mate's root circle is not measured here (the clearance says so).
double tipEntryDepth(int tipGear);
