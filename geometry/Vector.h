#pragma once

#include "Angle.h"
#include "QuoriaExport.h"
#include "RelativeCheckEqual.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

// A direction or displacement. A vector of length 0 is legal (a null vector).
// There is no unary minus: a vector is reversed by multiplying it by -1.0.
// The small operations are defined here so that callers inline them; every
// result is the same as it would be through a call.
class QUORIA_API Vector
{
public:
    Vector() : x(0.0), y(0.0), z(0.0) {}
    Vector(double x, double y, double z) : x(x), y(y), z(z) {}

    double X() const { return x; }
    double Y() const { return y; }
    double Z() const { return z; }

    double Length() const { return std::sqrt(x * x + y * y + z * z); }
    bool IsNull() const { return x == 0.0 && y == 0.0 && z == 0.0; }
    double Dot(const Vector& other) const { return x * other.x + y * other.y + z * other.z; }
    Vector Cross(const Vector& other) const
    {
        return Vector(y * other.z - other.y * z, -(x * other.z - other.x * z), x * other.y - other.x * y);
    }
    void Normalize()
    {
        const double length = Length();
        if (length > 0.0)
        {
            x /= length;
            y /= length;
            z /= length;
        }
    }
    Vector Normalized() const
    {
        Vector copy(*this);
        copy.Normalize();
        return copy;
    }
    bool IsOrthogonal(const Vector& other) const { return RelativeCheckEqual(Dot(other), 0.0); }
    bool IsCollinear(const Vector& other) const { return RelativeCheckEqual(Cross(other).Length(), 0.0); }
    bool IsAlmostEqual(const Vector& other) const
    {
        return RelativeCheckEqual(x, other.x) && RelativeCheckEqual(y, other.y) &&
               RelativeCheckEqual(z, other.z);
    }
    Angle AngleTo(const Vector& other) const;

    // Right-hand rotation by `angle` radians about `axis`, which need not be
    // a unit vector (a null axis gives cos(angle) times this vector).
    Vector Rotate(double angle, const Vector& axis) const;
    Vector RotateAroundX(double angle) const;
    Vector RotateAroundY(double angle) const;
    Vector RotateAroundZ(double angle) const;

    Vector operator+(const Vector& other) const { return Vector(x + other.x, y + other.y, z + other.z); }
    Vector operator-(const Vector& other) const { return Vector(x - other.x, y - other.y, z - other.z); }
    Vector& operator+=(const Vector& other)
    {
        x += other.x;
        y += other.y;
        z += other.z;
        return *this;
    }
    Vector& operator-=(const Vector& other)
    {
        x -= other.x;
        y -= other.y;
        z -= other.z;
        return *this;
    }
    Vector& operator*=(double factor)
    {
        x *= factor;
        y *= factor;
        z *= factor;
        return *this;
    }

    bool operator==(const Vector& other) const { return x == other.x && y == other.y && z == other.z; }
    bool operator!=(const Vector& other) const { return !(*this == other); }

private:
    double x;
    double y;
    double z;
};

QUORIA_API inline Vector operator*(const Vector& vector, double factor)
{
    return Vector(vector.X() * factor, vector.Y() * factor, vector.Z() * factor);
}
QUORIA_API inline Vector operator*(double factor, const Vector& vector)
{
    return vector * factor;
}

} // namespace Geometry3D
} // namespace Tessam
