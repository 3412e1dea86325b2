// gear_pair.h -- the process-wide records of gearmesh: the gear pair and the view.
//
// GearPairState holds the user's inputs and every derived quantity of two pairs:
// the profile-shifted pair asked for, and the standard pair with the same numbers
// of teeth. ViewState holds what the window shows and how far the gears have
// turned. Both are zero-initialised, written by the dialogue, the keyboard and the
// mesh views, and live for the whole run; nothing in them is allocated.
//
// Units: lengths in modules (module 1), angles in radians. Frame of a pair: pitch
// point at the origin, gear 1 centred below it at (0, -R1), gear 2 above it at
// (0, R2), line of action through the origin along (-cos a, sin a). Frame of one
// gear: origin at its centre, polar angle atan2(x, y) from +y towards +x.
#pragma once

// The geometry's own pi, slightly below the library value; every gear formula
// and the gear renderers use it so that results match to the printed digit.
constexpr double PI = 3.14159265358979;
constexpr double RAD_TO_DEG = 57.2957795;

struct Vec2 {
    double x;
    double y;
};

// One tooth with the space before it: root arc, flank, tip arc, mirrored flank.
constexpr int PROFILE_POINTS = 602;
constexpr int PROFILE_LAST_INDEX = PROFILE_POINTS - 1;
struct ToothProfile {
    Vec2 p[PROFILE_POINTS];
};

// Addendum and dedendum of an unshifted gear (module 1); a shift x adds x to the
// first and takes it from the second.
constexpr double ADDENDUM = 1.0;
constexpr double DEDENDUM = 1.25;

constexpr int CONTACT_CAPACITY = 10;

// [SECTION] Gear pair
// Teeth stage fields depend on z1, z2 alone and are kept when only the shifts are
// re-entered; shift stage fields are recomputed for every accepted pair of shifts.
struct GearPairState {
    // Inputs.
    int z1;                 // teeth of gear 1 (drive)
    int z2;                 // teeth of gear 2 (driven)
    double x1;              // profile-shift coefficient of gear 1
    double x2;              // profile-shift coefficient of gear 2

    // Teeth stage: constants and the standard pair.
    double alpha0;          // standard pressure angle, PI / 9
    double tanAlpha0;       // tan(alpha0)
    double invAlpha0;       // tan(alpha0) - alpha0
    double cosAlpha0;       // cos(alpha0)
    double r01;             // standard pitch radius of gear 1, z1 / 2
    double rg1;             // base radius of gear 1
    double r02;             // standard pitch radius of gear 2
    double rg2;             // base radius of gear 2
    double ratio;           // z1 / z2: gear 2 turns by ratio times gear 1
    double pb;              // base pitch, PI cos(alpha0)
    double pitchAngle1;     // angular pitch of gear 1, pb / rg1
    Vec2 PITCH_POINT;       // (0, 0), the pitch point of both pairs
    Vec2 stdCenter1;        // (0, -r01)
    Vec2 stdCenter2;        // (0, r02)
    Vec2 stdN1;             // interference point of standard gear 1
    double stdDistN1;
    Vec2 stdN2;             // interference point of standard gear 2
    double stdDistN2;
    double ru01;            // tip radius of standard gear 1
    double ru02;            // tip radius of standard gear 2
    Vec2 stdT2;             // tip circle of standard gear 2 on the line of action (N1 side)
    double stdDistT2;
    Vec2 stdT1;             // tip circle of standard gear 1 on the line of action (N2 side)
    double stdDistT1;

    // Teeth stage, outlines of the standard pair.
    ToothProfile stdProfile1;  // outline of standard gear 1
    int stdCount1;             // its last index
    double rcut01;             // its undercut circle radius
    ToothProfile stdProfile2;
    int stdCount2;
    double rcut02;
    Vec2 stdU1;             // undercut circle of standard gear 1 on the line of action, or stdN1
    double stdDistU1;
    Vec2 stdU2;             // the same for standard gear 2, or stdN2
    double stdDistU2;
    double stdLimit1;       // end of the standard path of contact, N1 side
    double stdLimit2;       // end of the standard path of contact, N2 side

    // Shift stage.
    double alphab;          // working pressure angle
    double rb1;             // working pitch radius of gear 1
    double rb2;             // working pitch radius of gear 2
    Vec2 center1;           // (0, -rb1)
    Vec2 center2;           // (0, rb2)
    Vec2 N1;                // interference point of gear 1
    double distN1;
    Vec2 N2;                // interference point of gear 2
    double distN2;
    double ru1;             // tip radius of gear 1, from r01
    double rf1;             // root radius of gear 1, from r01
    double ru2;             // tip radius of gear 2
    double rf2;             // root radius of gear 2
    Vec2 T2;                // tip circle of gear 2 on the line of action (N1 side)
    double distT2;
    Vec2 T1;                // tip circle of gear 1 on the line of action (N2 side)
    double distT1;

    // Shift stage, outlines of the shifted pair.
    ToothProfile profile1;  // outline of gear 1
    int count1;             // its last index
    double rcut1;           // its undercut circle radius
    ToothProfile profile2;
    int count2;
    double rcut2;
    double phase1;          // polar angle where outline 1 crosses rb1
    double phase2;          // polar angle where outline 2 crosses rb2
    Vec2 U1;                // undercut circle of gear 1 on the line of action, or N1
    double distU1;
    Vec2 U2;                // the same for gear 2, or N2
    double distU2;
    double limit1;          // end of the path of contact, N1 side
    double limit2;          // end of the path of contact, N2 side

    // Written anew by every display of view 3 and view 4 respectively.
    Vec2 contacts[CONTACT_CAPACITY];
    int contactCount;
    Vec2 stdContacts[CONTACT_CAPACITY];
    int stdContactCount;
};

extern GearPairState gearPair;

// [SECTION] View
// Set by the entry and the dialogue before the window exists; later changed by the
// keyboard, the dialogue it starts, and the angle advance of the mesh views.
struct ViewState {
    char viewMode;          // '1' to '5': the view shown
    char lastKey;           // the most recent key pressed in the window
    double scale;           // zoom: window units per module
    double baseStep;        // one rotation step of gear 1, PI / (20 z1)
    double step;            // +baseStep or -baseStep, added by each mesh display
    double theta1;          // rotation of gear 1, never folded
    double theta2;          // rotation of gear 2, ratio * theta1
    double theta1w;         // rotation of gear 1 folded into [pitchAngle1, 2 pitchAngle1)
    double theta2w;         // ratio * theta1w
};

extern ViewState viewState;

// Zoom of every new pair: window units per module.
constexpr double START_SCALE = 0.2;
// Steps of the mesh animation in half an angular pitch of gear 1.
constexpr int STEPS_PER_HALF_PITCH = 20;

// Zoom and animation back to the start after a pair is computed: scale START_SCALE,
// step forward by PI / (z1 STEPS_PER_HALF_PITCH), gear 1 at angle 0 (its folded
// angle at pitchAngle1, the fold of 0). viewMode and lastKey stay.
void resetView();

// |P|, the distance of a point from the origin.
double distanceFromOrigin(const Vec2& p);
