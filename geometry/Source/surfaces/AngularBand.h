#pragma once

#include "Angle.h"
#include "IContour.h"
#include "Point.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

// What a cylinder band and a truncated cone band share: the band of angles
// about the mantle's axis, counted from the radial orientation, from the
// first angle to the last.

// The band as the constructors keep it: the radial orientation is checked
// against the unit axis, with the class's messages, then normalised, and
// both angles are reduced to [0, 2*pi).
void PrepareAngularBand(const Vector& axis, Vector& radialOrientation, Angle& firstAngle, Angle& lastAngle,
                        const char* nullRadialOrientation, const char* notOrthogonal);

// Whether a point of the mantle lies in the band; `origin` is a point of the
// axis.
bool IsInAngularBand(const Point& point, const Point& origin, const Vector& axis,
                     const Vector& radialOrientation, Angle firstAngle, Angle lastAngle);

// The band's outline, not oriented: the arc of `radius` at `centre` about the
// axis, the generatrix at the last angle, the arc of `backRadius` at
// `backCentre` run back about the reversed axis, the generatrix at the first
// angle. The caller owns the new contour.
IContour* AngularBandContour(const Point& centre, double radius, const Point& backCentre, double backRadius,
                             const Vector& axis, const Vector& radialOrientation, Angle firstAngle,
                             Angle lastAngle);

} // namespace Geometry3D
} // namespace Tessam
