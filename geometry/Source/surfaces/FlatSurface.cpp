#include "FlatSurface.h"

#include <cassert>

namespace Tessam
{
namespace Geometry3D
{

FlatSurface::FlatSurface(const Plane& plane) : plane(plane) {}

Vector FlatSurface::GetNormal(const Point&) const
{
    return plane.GetNormal();
}

Intersection FlatSurface::GetIntersection(const Line& line) const
{
    const Intersection planeIntersection = plane.Intersect(line);
    const std::vector<Point>& planeIntersectionPoints = planeIntersection.GetPoints();
    if (planeIntersectionPoints.empty())
    {
        return Intersection(std::vector<Point>(), planeIntersection.IsInfinite());
    }
    assert(planeIntersectionPoints.size() == 1);
    if (Contains(planeIntersectionPoints.front()))
    {
        return Intersection(planeIntersectionPoints, planeIntersection.IsInfinite());
    }
    return Intersection(std::vector<Point>(), planeIntersection.IsInfinite());
}

const Plane& FlatSurface::GetPlane() const
{
    return plane;
}

} // namespace Geometry3D
} // namespace Tessam
