// outline_stage.h -- the last step of each stage of the dialogue: the pair's tooth
// outlines, pitch phases, undercut points and contact limits.
#pragma once

#include "gear/gear_pair.h"

// Standard pair: stdProfile1/2, stdCount1/2, rcut01/02, stdU1/2, stdLimit1/2.
void standardOutlineStage();
// Shifted pair: profile1/2, count1/2, rcut1/2, phase1/2, U1/2, limit1/2.
void shiftedOutlineStage();

// Where the undercut circle rcut of a gear with pitch radius R (in a pair of
// pressure angle a) crosses the line of action; gearIndex 1 or 2 picks the side.
// A gear whose undercut circle is not outside its base circle rg gets its N point.
Vec2 undercutPoint(int gearIndex, double a, double R, double rcut, double rg, const Vec2& n);

// Smallest of the distances of N, the mating gear's tip point and the own gear's
// undercut point, taken in that order.
double contactLimit(double distN, double distT, double distU);
