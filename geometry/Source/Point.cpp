#include "Point.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

Point::Point() : x(0.0), y(0.0), z(0.0) {}

Point::Point(double x, double y, double z) : x(x), y(y), z(z) {}

bool Point::IsAlmostEqual(const Point& other, double tolerance) const
{
    return tolerance > std::fabs(x - other.x) && tolerance > std::fabs(y - other.y) &&
           tolerance > std::fabs(z - other.z);
}

double Point::DistanceTo(const Point& other) const { return (*this - other).Length(); }

Vector Point::operator-(const Point& other) const { return Vector(x - other.x, y - other.y, z - other.z); }

Point Point::operator+(const Vector& v) const { return Point(x + v.X(), y + v.Y(), z + v.Z()); }

Point& Point::operator+=(const Vector& v)
{
    x += v.X();
    y += v.Y();
    z += v.Z();
    return *this;
}

bool Point::operator==(const Point& other) const { return x == other.x && y == other.y && z == other.z; }

bool Point::operator!=(const Point& other) const { return !(*this == other); }

} // namespace Geometry3D
} // namespace Tessam
