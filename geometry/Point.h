#pragma once

#include "QuoriaExport.h"
#include "Vector.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

// A position. Point minus point is a vector and point plus vector is a point;
// there is no point-minus-vector operator (add the vector times -1.0).
// The arithmetic is defined here so that callers inline it.
class QUORIA_API Point
{
public:
    Point() : x(0.0), y(0.0), z(0.0) {}
    Point(double x, double y, double z) : x(x), y(y), z(z) {}

    double X() const { return x; }
    double Y() const { return y; }
    double Z() const { return z; }

    // Absolute, per-axis and strict: |dx|, |dy| and |dz| all below tolerance.
    bool IsAlmostEqual(const Point& other, double tolerance) const
    {
        return tolerance > std::fabs(x - other.x) && tolerance > std::fabs(y - other.y) &&
               tolerance > std::fabs(z - other.z);
    }
    double DistanceTo(const Point& other) const { return (*this - other).Length(); }

    Vector operator-(const Point& other) const { return Vector(x - other.x, y - other.y, z - other.z); }
    Point operator+(const Vector& v) const { return Point(x + v.X(), y + v.Y(), z + v.Z()); }
    Point& operator+=(const Vector& v)
    {
        x += v.X();
        y += v.Y();
        z += v.Z();
        return *this;
    }

    bool operator==(const Point& other) const;
    bool operator!=(const Point& other) const;

private:
    double x;
    double y;
    double z;
};

} // namespace Geometry3D
} // namespace Tessam
