#include "Surface.h"

#include "LineSegment.h"

namespace Tessam
{
namespace Geometry3D
{

Intersection Surface::GetIntersection(const LineSegment& segment) const
{
    // Intersect the supporting line, then keep the points on the segment.
    const Intersection lineIntersection = GetIntersection(segment.GetLine());
    std::vector<Point> kept;
    for (const Point& point : lineIntersection.GetPoints())
    {
        if (segment.Contains(point))
        {
            kept.push_back(point);
        }
    }
    return Intersection(kept, lineIntersection.IsInfinite());
}

bool Surface::operator!=(const ISurface& other) const
{
    return !(*this == other);
}

} // namespace Geometry3D
} // namespace Tessam
