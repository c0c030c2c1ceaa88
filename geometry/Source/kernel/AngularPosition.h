#pragma once

#include "Point.h"
#include "Vector.h"

// Internal helpers shared by every class that measures angles about an axis.
namespace Tessam
{
namespace Geometry3D
{

constexpr double Pi = 3.141592653589793;
constexpr double TwoPi = 6.283185307179586;
constexpr double HalfPi = 1.5707963267948966;

// Brings an angle into [0, 2*pi). C fmod keeps the sign of its first
// argument, hence the two steps.
double ReduceAngle(double radians);

// The angle, in [0, 2*pi), turned counter-clockwise about `axis` (right-hand
// rule) from the unit `reference` to the unit `direction`, both orthogonal
// to the axis. The unsigned angle is taken as it is when rotating the
// reference by it lands on the direction, and as 2*pi minus it otherwise.
double AngleAboutAxis(const Vector& direction, const Vector& reference, const Vector& axis);

// Whether a reduced angle lies in the band from `first` to `last`; both
// bounds are included. A surface's band has both bounds reduced and wraps
// through 0 when its last angle is not above its first. An arc keeps its
// last angle in (first, first + 2*pi], at 2*pi or beyond when it runs
// through 0.
bool IsAngleInBand(double angle, double first, double last);

// The angle about the unit `axis`, counted from the unit `reference`
// (orthogonal to the axis), of the direction from the axis to `point`;
// `origin` is any point of the axis. The direction is taken from the
// normalised `point - origin` with its axial part removed.
double AngleOfPointAboutAxis(const Point& point, const Point& origin, const Vector& axis,
                             const Vector& reference);

} // namespace Geometry3D
} // namespace Tessam
