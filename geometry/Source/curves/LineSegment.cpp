#include "LineSegment.h"

#include "AngularPosition.h"
#include "Rejection.h"
#include "RelativeCheckEqual.h"

namespace Tessam
{
namespace Geometry3D
{

LineSegment::LineSegment(const Point& first, const Point& second)
    : firstPoint(first), secondPoint(second), line(first, second)
{
}

const Point& LineSegment::GetFirstPoint() const
{
    return firstPoint;
}

const Point& LineSegment::GetSecondPoint() const
{
    return secondPoint;
}

Point LineSegment::GetMiddlePoint() const
{
    return firstPoint + 0.5 * (secondPoint - firstPoint);
}

double LineSegment::Length() const
{
    return firstPoint.DistanceTo(secondPoint);
}

bool LineSegment::Contains(const Point& point) const
{
    if (!line.Contains(point))
    {
        return false;
    }
    // Signed distance along the segment; both ends are included and NaN fails.
    const double along = (point - firstPoint).Dot(line.GetDirection());
    return along >= 0.0 && Length() >= along;
}

Intersection LineSegment::Intersect(const ISegment& other) const
{
    if (const auto* otherLine = dynamic_cast<const LineSegment*>(&other))
    {
        return IntersectLineSegment(*otherLine);
    }
    // A line meeting an arc is always computed by the arc.
    return other.Intersect(*this);
}

Intersection LineSegment::IntersectLineSegment(const LineSegment& other) const
{
    const Vector& directionA = line.GetDirection();
    const Vector& directionB = other.line.GetDirection();

    // Parallel segments share either a stretch or nothing.
    if (directionB.IsCollinear(directionA))
    {
        const bool overlap = other.Contains(firstPoint) || other.Contains(secondPoint) ||
                             Contains(other.firstPoint) || Contains(other.secondPoint);
        return Intersection(std::vector<Point>(), overlap);
    }

    const Vector vectorBetweenLines = other.firstPoint - firstPoint;
    if (vectorBetweenLines.IsNull())
    {
        return Intersection({firstPoint}, false);
    }

    // Distance from our first point to the crossing: |dB x w| / |dB x dA|.
    const Vector c1 = directionB.Cross(vectorBetweenLines);
    const Vector c2 = directionB.Cross(directionA);
    const double c1Length = c1.Length();
    const double c2Length = c2.Length();
    if (RelativeCheckEqual(c1Length, 0.0) || RelativeCheckEqual(c2Length, 0.0))
    {
        return Intersection();
    }
    Vector toCrossing = (c1Length / c2Length) * directionA;
    // Opposite cross products put the crossing behind our first point.
    if (RelativeCheckEqual(c1.AngleTo(c2).Radians(), Pi))
    {
        toCrossing *= -1.0;
    }
    const Point candidate = firstPoint + toCrossing;
    if (Contains(candidate) && other.Contains(candidate))
    {
        return Intersection({candidate}, false);
    }
    return Intersection();
}

Vector LineSegment::GetTangent(const Point& point) const
{
    RejectIf(!Contains(point), "LineSegment::LineSegment : Point is not contained in the segment.");
    return line.GetDirection();
}

bool LineSegment::operator==(const ISegment& other) const
{
    const auto* otherLine = dynamic_cast<const LineSegment*>(&other);
    return otherLine != nullptr && firstPoint == otherLine->firstPoint &&
           secondPoint == otherLine->secondPoint;
}

ISegment* LineSegment::Inverse() const
{
    return new LineSegment(secondPoint, firstPoint);
}

const Line& LineSegment::GetLine() const
{
    return line;
}

const Vector& LineSegment::GetDirection() const
{
    return line.GetDirection();
}

} // namespace Geometry3D
} // namespace Tessam
