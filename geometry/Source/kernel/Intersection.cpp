#include "Intersection.h"

namespace Tessam
{
namespace Geometry3D
{

Intersection::Intersection(const std::vector<Point>& points, bool isInfinite)
    : points(points), isInfinite(isInfinite)
{
}

const std::vector<Point>& Intersection::GetPoints() const
{
    return points;
}

bool Intersection::IsInfinite() const
{
    return isInfinite;
}

} // namespace Geometry3D
} // namespace Tessam
