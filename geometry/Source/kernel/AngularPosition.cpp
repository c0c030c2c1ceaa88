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
