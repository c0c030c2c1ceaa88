#pragma once

#include "Angle.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// A direction or displacement. A vector of length 0 is legal (a null vector).
// There is no unary minus: a vector is reversed by multiplying it by -1.0.
class QUORIA_API Vector
{
public:
    Vector();
    Vector(double x, double y, double z);

    double X() const { return x; }
    double Y() const { return y; }
    double Z() const { return z; }

    double Length() const;
    bool IsNull() const;
    double Dot(const Vector& other) const;
    Vector Cross(const Vector& other) const;
    void Normalize();
    Vector Normalized() const;
    bool IsOrthogonal(const Vector& other) const;
    bool IsCollinear(const Vector& other) const;
    bool IsAlmostEqual(const Vector& other) const;
    Angle AngleTo(const Vector& other) const;

    // Right-hand rotation by `angle` radians about `axis`, which need not be
    // a unit vector (a null axis gives cos(angle) times this vector).
    Vector Rotate(double angle, const Vector& axis) const;
    Vector RotateAroundX(double angle) const;
    Vector RotateAroundY(double angle) const;
    Vector RotateAroundZ(double angle) const;

    Vector operator+(const Vector& other) const;
    Vector operator-(const Vector& other) const;
    Vector& operator+=(const Vector& other);
    Vector& operator-=(const Vector& other);
    Vector& operator*=(double factor);

    bool operator==(const Vector& other) const;
    bool operator!=(const Vector& other) const;

private:
    double x;
    double y;
    double z;
};

QUORIA_API Vector operator*(const Vector& vector, double factor);
QUORIA_API Vector operator*(double factor, const Vector& vector);

} // namespace Geometry3D
} // namespace Tessam
