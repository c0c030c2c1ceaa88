#include "Vector.h"

#include "RelativeCheckEqual.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

Vector::Vector() : x(0.0), y(0.0), z(0.0) {}

Vector::Vector(double x, double y, double z) : x(x), y(y), z(z) {}

double Vector::Length() const { return std::sqrt(x * x + y * y + z * z); }

bool Vector::IsNull() const { return x == 0.0 && y == 0.0 && z == 0.0; }

double Vector::Dot(const Vector& other) const { return x * other.x + y * other.y + z * other.z; }

Vector Vector::Cross(const Vector& other) const
{
    return Vector(y * other.z - other.y * z, -(x * other.z - other.x * z), x * other.y - other.x * y);
}

void Vector::Normalize()
{
    const double length = Length();
    if (length > 0.0)
    {
        x /= length;
        y /= length;
        z /= length;
    }
}

Vector Vector::Normalized() const
{
    Vector copy(*this);
    copy.Normalize();
    return copy;
}

bool Vector::IsOrthogonal(const Vector& other) const { return RelativeCheckEqual(Dot(other), 0.0, 1e-11); }

bool Vector::IsCollinear(const Vector& other) const
{
    return RelativeCheckEqual(Cross(other).Length(), 0.0, 1e-11);
}

bool Vector::IsAlmostEqual(const Vector& other) const
{
    return RelativeCheckEqual(x, other.x, 1e-11) && RelativeCheckEqual(y, other.y, 1e-11) &&
           RelativeCheckEqual(z, other.z, 1e-11);
}

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

Vector Vector::RotateAroundX(double angle) const { return Rotate(angle, Vector(1.0, 0.0, 0.0)); }

Vector Vector::RotateAroundY(double angle) const { return Rotate(angle, Vector(0.0, 1.0, 0.0)); }

Vector Vector::RotateAroundZ(double angle) const { return Rotate(angle, Vector(0.0, 0.0, 1.0)); }

Vector Vector::operator+(const Vector& other) const { return Vector(x + other.x, y + other.y, z + other.z); }

Vector Vector::operator-(const Vector& other) const { return Vector(x - other.x, y - other.y, z - other.z); }

Vector& Vector::operator+=(const Vector& other)
{
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
}

Vector& Vector::operator-=(const Vector& other)
{
    x -= other.x;
    y -= other.y;
    z -= other.z;
    return *this;
}

Vector& Vector::operator*=(double factor)
{
    x *= factor;
    y *= factor;
    z *= factor;
    return *this;
}

bool Vector::operator==(const Vector& other) const { return x == other.x && y == other.y && z == other.z; }

bool Vector::operator!=(const Vector& other) const { return !(*this == other); }

Vector operator*(const Vector& vector, double factor)
{
    return Vector(vector.X() * factor, vector.Y() * factor, vector.Z() * factor);
}

Vector operator*(double factor, const Vector& vector) { return vector * factor; }

} // namespace Geometry3D
} // namespace Tessam
