// pair_stages.h -- the two stages that compute a gear pair, the rules that refuse
// an unsound one, and the verdicts a sound pair may still earn.
#pragma once

#include "gear/gear_pair.h"

// Numbers of teeth accepted. Below the minimum the cutter undercuts a standard gear
// above its pitch circle (and below 3 its root circle is not even positive), so
// the path of contact has no end on that side; above the maximum one frame takes
// too long to draw for the window to stay usable.
constexpr int TEETH_MIN = 5;
constexpr int TEETH_MAX = 200;

// Why a pair of inputs cannot be drawn, in the order in which one fault causes the
// next; the dialogue turns each into its message.
enum class PairFault {
    NONE,
    TEETH_OUT_OF_RANGE,     // a number of teeth outside TEETH_MIN..TEETH_MAX
    SHIFT_NOT_FINITE,       // a shift coefficient that is not a finite number
    NO_MESH,                // the solver finds no working pressure angle
    TIP_INSIDE_BASE,        // tip circle on or inside the base circle: no involute
    NO_THICKNESS,           // tooth thickness on the standard pitch circle not positive
    NO_FLANK,               // fillet and involute do not meet below the tip circle
    NO_PHASE,               // the working pitch circle misses the flank: outside the
                            // tip circle or inside the root circle
    UNDERCUT_BEYOND_PITCH,  // undercut up to or above the working pitch circle
    PITCH_IN_FILLET,        // no undercut, but the involute begins at or above the
                            // working pitch circle: the circle lies in the fillet
    NOT_FINITE_RESULT,      // some derived quantity is not a finite number
};

// Where the tip circle ru of a gear with pitch radius R crosses the line of action
// of a pair with pressure angle a: gear 2's on the N1 side, gear 1's on the N2 side.
Vec2 tipPoint(int gearIndex, double a, double R, double ru);

// The standard pair from gearPair.z1, z2, with its outlines; kept while only the
// shifts change.
void teethStage();
// The shifted pair from gearPair.x1, x2 and alphab, with its outlines and phases.
void shiftStage();

// Whether both numbers of teeth lie in TEETH_MIN..TEETH_MAX.
bool teethInRange(long long z1, long long z2);

// The first fault of the shifted pair in gearPair, or NONE; gear receives the
// number of the gear at fault (0 when the fault is the pair's).
PairFault shiftedPairFault(int& gear);

// Solves and computes the shifted pair for x1, x2 on the current standard pair.
// A refused pair leaves gearPair exactly as it was and says why.
PairFault shiftPair(double x1, double x2, int& gear);

// The whole pair from its four inputs, as the dialogue computes it: numbers of teeth,
// standard pair, shifted pair. Returns the fault that refuses it, or NONE.
PairFault computeGearPair(int z1, int z2, double x1, double x2, int& gear);

// Contact ratio of the shifted pair: the path of contact in base pitches. Below 1
// the next pair of teeth does not touch before the last lets go.
double contactRatio();

// Tip clearance of gear 1's tip (gear 1) or gear 2's tip (gear 2) against the mating
// gear's root circle: a - ru - rf of the mate. Not positive, the tip strikes it.
double tipClearance(int gear);

// Entries of a tip into the mate's tooth deeper than this (module) are told.
constexpr double INTERFERENCE_LIMIT = 0.005;

// How deep the tip of gear tipGear enters the mate's tooth while the pair meshes
// (tipEntryDepth): interference. 0 for a pointed tip, and for a pair whose tip
// clearance is not positive: those tips overlap the mate already, and are warned
// of as such.
double tipInterference(int tipGear);
