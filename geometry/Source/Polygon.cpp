#include "Polygon.h"

#include "AngularPosition.h"
#include "Contour.h"
#include "LineSegment.h"
#include "RelativeCheckEqual.h"

#include <stdexcept>

namespace Tessam
{
namespace Geometry3D
{

namespace
{
// Mean of the vertices. Whichever of this and the plane is evaluated first,
// a short list is reported by the plane: an empty one only yields NaN here.
Point MeanOf(const std::vector<Point>& points)
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    for (const Point& point : points)
    {
        x += point.X();
        y += point.Y();
        z += point.Z();
    }
    const double count = static_cast<double>(points.size());
    return Point(x / count, y / count, z / count);
}
} // namespace

Polygon::Polygon(const std::vector<Point>& points)
    : PrimitiveFlatSurface(MeanOf(points), Plane(points)), points(points)
{
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
    {
        for (std::size_t j = i + 1; j < points.size(); ++j)
        {
            if (points[i].IsAlmostEqual(points[j], 1e-6))
            {
                throw std::invalid_argument("Polygon::Polygon : Invalid point collection.");
            }
        }
    }
}

const std::vector<Point>& Polygon::GetPoints() const
{
    return points;
}

bool Polygon::Contains(const Point& point) const
{
    if (!GetPlane().Contains(point))
    {
        return false;
    }
    // Unsigned angles subtended by the edges add up to a full turn exactly
    // for points inside a convex polygon; points on an edge are caught first
    // because the angle there degenerates.
    const std::size_t count = points.size();
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i)
    {
        const Point& current = points[i];
        const Point& next = points[(i + 1) % count];
        const Vector toCurrent = current - point;
        const Vector toNext = next - point;
        if (toCurrent.IsCollinear(toNext) && LineSegment(current, next).Contains(point))
        {
            return true;
        }
        sum += toCurrent.AngleTo(toNext).Radians();
    }
    return RelativeCheckEqual(sum, TwoPi, 1e-6);
}

IContour* Polygon::GetContour() const
{
    const std::size_t count = points.size();
    std::vector<LineSegment> edges;
    edges.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
    {
        edges.emplace_back(points[i], points[(i + 1) % count]);
    }
    std::vector<const ISegment*> segments;
    segments.reserve(count);
    for (const LineSegment& edge : edges)
    {
        segments.push_back(&edge);
    }
    return new Contour(segments, GetNormal(Point()));
}

ISurface* Polygon::Clone() const
{
    return new Polygon(points);
}

bool Polygon::operator==(const ISurface& other) const
{
    // A rectangle and a polygon through the same vertices are equal.
    const auto* polygon = dynamic_cast<const Polygon*>(&other);
    return polygon != nullptr && GetCentroid() == polygon->GetCentroid() && points == polygon->points &&
           GetNormal(Point()) == polygon->GetNormal(Point());
}

} // namespace Geometry3D
} // namespace Tessam
