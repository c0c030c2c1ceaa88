#include "Vector.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

Angle Vector::AngleTo(const Vector& other) const
{
    // atan2 of sine and cosine stays accurate near 0 and pi, where acos does not.
    const Vector a = Normalized();
    const Vector b = other.Normalized();
    const double cosine = a.Dot(b);
    const double sine = a.Cross(b).Length();
    return Angle::FromRadians(std::atan2(sine, cosine));
}

Vector Vector::Rotate(double angle, const Vector& axis) const
{
    // Rodrigues' rotation formula written out as a rotation matrix.
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1.0 - c;
    const Vector k = axis.Normalized();
    const double kx = k.x;
    const double ky = k.y;
    const double kz = k.z;
    return Vector((kx * kx * t + c) * x + (kx * ky * t - kz * s) * y + (kx * kz * t + ky * s) * z,
                  (kx * ky * t + kz * s) * x + (ky * ky * t + c) * y + (ky * kz * t - kx * s) * z,
                  (kx * kz * t - ky * s) * x + (ky * kz * t + kx * s) * y + (kz * kz * t + c) * z);
}

Vector Vector::RotateAroundX(double angle) const
{
    return Rotate(angle, Vector(1.0, 0.0, 0.0));
}

Vector Vector::RotateAroundY(double angle) const
{
    return Rotate(angle, Vector(0.0, 1.0, 0.0));
}

Vector Vector::RotateAroundZ(double angle) const
{
    return Rotate(angle, Vector(0.0, 0.0, 1.0));
}

} // namespace Geometry3D
} // namespace Tessam
