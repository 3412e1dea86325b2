// pressure_angle.h -- the working pressure angle of a shifted pair.
#pragma once

constexpr double SOLVER_STEP = 0.01;
constexpr double SOLVER_TOLERANCE = 1e-6;
// Bounds that keep the solver finite for every input: a refinement that cannot
// meet the tolerance in double arithmetic stops and keeps its last estimate, and
// the upward scan gives up at a right angle, where no working angle can lie.
constexpr int SOLVER_MAX_REFINEMENTS = 200;
constexpr double SOLVER_MAX_ANGLE = 1.5707963267948966;

// Working pressure angle (rad) of gears z1, z2 with shifts x1, x2 about alpha0,
// or exactly 0.0 when no angle in (0, pi/2) solves the involute equation.
double solveWorkingPressureAngle(double alpha0, double x1, double x2, int z1, int z2);
