#include "Plane.h"

#include "PlaneLineCandidates.h"
#include "Rejection.h"
#include "RelativeCheckEqual.h"

namespace Tessam
{
namespace Geometry3D
{

namespace
{
Vector AsVector(const Point& p)
{
    return Vector(p.X(), p.Y(), p.Z());
}

// (p2 - p0) x (p1 - p0), once the three points are known to exist.
Vector NormalOfFirstThreePoints(const std::vector<Point>& points)
{
    RejectIf(points.size() < 3, "Plane::Plane : Invalid point collection.");
    return (points[2] - points[0]).Cross(points[1] - points[0]);
}
} // namespace

Plane::Plane(const std::vector<Point>& points) : normal(NormalOfFirstThreePoints(points)), offset(0.0)
{
    InitializeNormal();
    const Point& p0 = points[0];
    offset = -(normal.X() * p0.X()) - normal.Y() * p0.Y() - normal.Z() * p0.Z();
}

Plane::Plane(const Vector& normal, const Point& point) : normal(normal), offset(0.0)
{
    InitializeNormal();
    offset = -this->normal.Dot(AsVector(point));
}

Plane::Plane(const Vector& normal, double offset) : normal(normal), offset(offset)
{
    InitializeNormal();
}

void Plane::InitializeNormal()
{
    RejectIf(normal.Length() == 0.0, "Plane::InitializeNormal : Normal is a null vector.");
    normal.Normalize();
}

Intersection Plane::Intersect(const Line& line) const
{
    const LineCandidates candidates = PlaneLineCandidates(*this, line);
    return Intersection(std::vector<Point>(candidates.points, candidates.points + candidates.count),
                        candidates.isInfinite);
}

} // namespace Geometry3D
} // namespace Tessam
