#pragma once

#include "Intersection.h"
#include "Line.h"
#include "Point.h"
#include "QuoriaExport.h"
#include "RelativeCheckEqual.h"
#include "Vector.h"

#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// The points p with normal . p + offset = 0, the normal being a unit vector.
class QUORIA_API Plane
{
public:
    // Through the first three points; the normal is (p2 - p0) x (p1 - p0).
    explicit Plane(const std::vector<Point>& points);
    Plane(const Vector& normal, const Point& point);
    // The offset is stored as given, so the caller passes a unit normal.
    Plane(const Vector& normal, double offset);
    Plane(const Plane& other) = default;
    Plane& operator=(const Plane& other) = default;

    const Vector& GetNormal() const { return normal; }
    double GetOffset() const { return offset; }

    bool Contains(const Point& p) const
    {
        return RelativeCheckEqual(normal.Dot(Vector(p.X(), p.Y(), p.Z())) + offset, 0.0);
    }
    Intersection Intersect(const Line& line) const;

private:
    void InitializeNormal();

    Vector normal;
    double offset;
};

} // namespace Geometry3D
} // namespace Tessam
