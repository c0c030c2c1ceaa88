#pragma once

#include "QuoriaExport.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

// A position. Point minus point is a vector and point plus vector is a point;
// there is no point-minus-vector operator (add the vector times -1.0).
class QUORIA_API Point
{
public:
    Point();
    Point(double x, double y, double z);

    double X() const { return x; }
    double Y() const { return y; }
    double Z() const { return z; }

    // Absolute, per-axis and strict: |dx|, |dy| and |dz| all below tolerance.
    bool IsAlmostEqual(const Point& other, double tolerance) const;
    double DistanceTo(const Point& other) const;

    Vector operator-(const Point& other) const;
    Point operator+(const Vector& v) const;
    Point& operator+=(const Vector& v);

    bool operator==(const Point& other) const;
    bool operator!=(const Point& other) const;

private:
    double x;
    double y;
    double z;
};

} // namespace Geometry3D
} // namespace Tessam
