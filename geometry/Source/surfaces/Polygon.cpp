#include "Polygon.h"

#include "AngularPosition.h"
#include "Contour.h"
#include "LineSegment.h"
#include "Rejection.h"
#include "RelativeCheckEqual.h"
#include "Tolerances.h"

#include <algorithm>
#include <cmath>

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
    : PrimitiveFlatSurface(MeanOf(points), Plane(points)), points(points), largestVertexDistance(0.0),
      insideMargin(0.0)
{
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
    {
        for (std::size_t j = i + 1; j < points.size(); ++j)
        {
            RejectIf(points[i].IsAlmostEqual(points[j], VertexTolerance),
                     "Polygon::Polygon : Invalid point collection.");
        }
    }
    PrepareSideTests();
}

void Polygon::PrepareSideTests()
{
    const Vector& normal = GetPlane().GetNormal();
    const std::size_t count = points.size();
    for (const Point& vertex : points)
    {
        largestVertexDistance = std::max(largestVertexDistance, vertex.DistanceTo(GetCentroid()));
    }
    const double scale = std::max(1.0, largestVertexDistance);
    double turn = 0.0;
    std::vector<Vector> edgeNormals;
    for (std::size_t i = 0; i < count; ++i)
    {
        const Point& vertex = points[i];
        // Off the plane by more than rounding: leave it to the angle sum.
        if (std::fabs(normal.Dot(vertex - Point()) + GetPlane().GetOffset()) > 1e-12 * scale)
        {
            return;
        }
        const Vector edge = points[(i + 1) % count] - vertex;
        const Vector nextEdge = points[(i + 2) % count] - points[(i + 1) % count];
        const double bend = normal.Dot(edge.Cross(nextEdge));
        // Every corner must turn the same way, clearly.
        if (std::fabs(bend) <= 1e-9 * edge.Length() * nextEdge.Length() ||
            (turn != 0.0 && (bend > 0.0) != (turn > 0.0)))
        {
            return;
        }
        turn = bend;
        edgeNormals.push_back(normal.Cross(edge).Normalized());
    }
    if (turn < 0.0)
    {
        for (Vector& edgeNormal : edgeNormals)
        {
            edgeNormal *= -1.0;
        }
    }
    inwardEdgeNormals = std::move(edgeNormals);
    insideMargin = 1e-7 * scale;
}

int Polygon::ClassifyClearly(const Point& point) const
{
    // Inside, at least insideMargin from every edge, the angle sum is 2 pi up
    // to rounding far below its tolerance, even for a point as far off the
    // plane as the plane test lets through. Outside by more than 1e-5 of the
    // farthest vertex's distance, the polygon is seen under an angle short
    // of pi by at least 2e-5, and the sum falls short of 2 pi by at least
    // four times that: well beyond the tolerance.
    // The margin is never positive, so it is worked out only for a
    // negative distance.
    bool clearlyInside = true;
    for (std::size_t i = 0; i < inwardEdgeNormals.size(); ++i)
    {
        const double distance = inwardEdgeNormals[i].Dot(point - points[i]);
        if (distance < 0.0 && distance < -1e-5 * (point.DistanceTo(GetCentroid()) + largestVertexDistance))
        {
            return -1;
        }
        clearlyInside = clearlyInside && distance > insideMargin;
    }
    return clearlyInside ? 1 : 0;
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
    if (!inwardEdgeNormals.empty())
    {
        const int side = ClassifyClearly(point);
        if (side != 0)
        {
            return side > 0;
        }
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
    return RelativeCheckEqual(sum, TwoPi, AngleTolerance);
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
