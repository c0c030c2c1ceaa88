#include "AngularPosition.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

double ReduceAngle(double radians)
{
    return std::fmod(TwoPi + std::fmod(radians, TwoPi), TwoPi);
}

double AngleAboutAxis(const Vector& direction, const Vector& reference, const Vector& axis)
{
    const double unsignedAngle = direction.AngleTo(reference).Radians();
    const Vector rotatedReference = reference.Rotate(unsignedAngle, axis);
    return rotatedReference.IsAlmostEqual(direction) ? unsignedAngle : TwoPi - unsignedAngle;
}

bool IsAngleInBand(double angle, double first, double last)
{
    // Reduced bounds never reach 2*pi: this is an arc through 0, whose
    // angles past 2*pi are compared unreduced.
    if (last >= TwoPi)
    {
        return angle >= first || angle + TwoPi <= last;
    }
    if (last > first)
    {
        return first <= angle && angle <= last;
    }
    return angle >= first || angle <= last;
}

double AngleOfPointAboutAxis(const Point& point, const Point& origin, const Vector& axis,
                             const Vector& reference)
{
    const Vector fromOrigin = (point - origin).Normalized();
    Vector fromAxis = fromOrigin - axis * fromOrigin.Dot(axis);
    fromAxis.Normalize();
    return AngleAboutAxis(fromAxis, reference, axis);
}

} // namespace Geometry3D
} // namespace Tessam
