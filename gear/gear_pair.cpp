// gear_pair.cpp -- storage of the two process-wide records.
//
// The view record lives here beside the geometry, not with the window code,
// because the dialogue resets it: the geometry library must link without a
// window for its tests.
#include "gear/gear_pair.h"

#include <cmath>

GearPairState gearPair = {};
ViewState viewState = {};

double distanceFromOrigin(const Vec2& p)
{
    return std::sqrt(p.x * p.x + p.y * p.y);
}

void resetView()
{
    ViewState& v = viewState;
    v.baseStep = PI / static_cast<double>(gearPair.z1 * STEPS_PER_HALF_PITCH);
    v.scale = START_SCALE;
    v.step = v.baseStep;
    v.theta2 = 0.0;
    v.theta1 = 0.0;
    // Angle 0 folded into one pitch, as every step leaves the folded angle.
    v.theta1w = gearPair.pitchAngle1;
    v.theta2w = gearPair.ratio * v.theta1w;
}
