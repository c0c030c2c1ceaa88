#include "ArcSegment.h"

#include "AngularPosition.h"
#include "DiskContainment.h"
#include "Line.h"
#include "LineSegment.h"
#include "Plane.h"
#include "QuadraticRoots.h"
#include "Rejection.h"
#include "RelativeCheckEqual.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace Tessam
{
namespace Geometry3D
{

namespace
{

void ValidateCircle(double radius, Vector& planeNormal, Vector& radialOrientation)
{
    RejectIf(radius <= 0.0, "ArcSegment::ArcSegment : Radius must be positive.");
    RejectIf(planeNormal.IsNull(), "ArcSegment::ArcSegment : Plane normal is a null vector.");
    planeNormal.Normalize();
    RejectIf(radialOrientation.IsNull(), "ArcSegment::ArcSegment : RadialOrientation is a null vector.");
    radialOrientation.Normalize();
    RejectIf(!planeNormal.IsOrthogonal(radialOrientation),
             "ArcSegment::ArcSegment : Plane normal and radial orientation are not orthogonal.");
}

bool IsOnCircle(const Vector& fromCentre, double radius, const Vector& planeNormal)
{
    return RelativeCheckEqual(fromCentre.Length(), radius) && fromCentre.IsOrthogonal(planeNormal);
}

} // namespace

ArcSegment::ArcSegment(const Point& centre, double radius, const Vector& planeNormal,
                       const Vector& radialOrientation, Angle firstAngle, Angle secondAngle)
    : centre(centre), radius(radius), planeNormal(planeNormal), radialOrientation(radialOrientation),
      firstAngle(firstAngle), secondAngle(secondAngle)
{
    ValidateCircle(radius, this->planeNormal, this->radialOrientation);

    const double first = ReduceAngle(firstAngle.Radians());
    double second = ReduceAngle(secondAngle.Radians());
    // Equal angles make the full circle.
    if (first >= second)
    {
        second += TwoPi;
    }
    this->firstAngle = Angle::FromRadians(first);
    this->secondAngle = Angle::FromRadians(second);
    firstPoint = PointAtAngle(first);
    secondPoint = PointAtAngle(second);
}

ArcSegment::ArcSegment(const Point& centre, double radius, const Vector& planeNormal,
                       const Vector& radialOrientation, const Point& firstPoint, const Point& secondPoint)
    : centre(centre), radius(radius), planeNormal(planeNormal), radialOrientation(radialOrientation),
      firstAngle(Angle::FromRadians(0.0)), secondAngle(Angle::FromRadians(0.0)), firstPoint(firstPoint),
      secondPoint(secondPoint)
{
    ValidateCircle(radius, this->planeNormal, this->radialOrientation);

    const Vector toFirst = firstPoint - centre;
    RejectIf(!IsOnCircle(toFirst, radius, this->planeNormal),
             "ArcSegment::ArcSegment : First point in not on the circle.");
    const Vector toSecond = secondPoint - centre;
    RejectIf(!IsOnCircle(toSecond, radius, this->planeNormal),
             "ArcSegment::ArcSegment : Second point in not on the circle.");

    const double first = AngleAboutAxis(toFirst.Normalized(), this->radialOrientation, this->planeNormal);
    double second = AngleAboutAxis(toSecond.Normalized(), this->radialOrientation, this->planeNormal);
    if (first >= second)
    {
        second += TwoPi;
    }
    firstAngle = Angle::FromRadians(first);
    secondAngle = Angle::FromRadians(second);
}

const Point& ArcSegment::GetFirstPoint() const
{
    return firstPoint;
}

const Point& ArcSegment::GetSecondPoint() const
{
    return secondPoint;
}

Point ArcSegment::GetMiddlePoint() const
{
    return PointAtAngle((firstAngle.Radians() + secondAngle.Radians()) / 2.0);
}

double ArcSegment::Length() const
{
    return (secondAngle.Radians() - firstAngle.Radians()) * radius;
}

bool ArcSegment::Contains(const Point& point) const
{
    const Vector fromCentre = point - centre;
    // Only the distance from the centre and the angle count, not the
    // distance from the plane.
    if (!RelativeCheckEqual(fromCentre.Length(), radius))
    {
        return false;
    }
    const double angle = AngleAboutAxis(fromCentre.Normalized(), radialOrientation, planeNormal);
    return IsAngleInBand(angle, firstAngle.Radians(), secondAngle.Radians());
}

Intersection ArcSegment::Intersect(const ISegment& other) const
{
    if (const auto* segment = dynamic_cast<const LineSegment*>(&other))
    {
        return IntersectLineSegment(*segment);
    }
    if (const auto* arc = dynamic_cast<const ArcSegment*>(&other))
    {
        return IntersectArcSegment(*arc);
    }
    // A kind of segment foreign to the library: nothing is known about it.
    return Intersection();
}

Vector ArcSegment::GetTangent(const Point& point) const
{
    RejectIf(!Contains(point), "ArcSegment::ArcSegment : Point is not contained in the segment.");
    return planeNormal.Cross(point - centre).Normalized();
}

bool ArcSegment::operator==(const ISegment& other) const
{
    const auto* arc = dynamic_cast<const ArcSegment*>(&other);
    // The end points follow from the defining data.
    return arc != nullptr && centre == arc->centre && radius == arc->radius &&
           planeNormal == arc->planeNormal && radialOrientation == arc->radialOrientation &&
           firstAngle == arc->firstAngle && secondAngle == arc->secondAngle;
}

ISegment* ArcSegment::Inverse() const
{
    // Seen from the flipped normal, the angle a becomes 2*pi - a.
    return new ArcSegment(centre, radius, planeNormal * -1.0, radialOrientation,
                          Angle::FromRadians(TwoPi - secondAngle.Radians()),
                          Angle::FromRadians(TwoPi - firstAngle.Radians()));
}

const Point& ArcSegment::GetCenter() const
{
    return centre;
}

double ArcSegment::GetRadius() const
{
    return radius;
}

const Vector& ArcSegment::GetPlaneNormal() const
{
    return planeNormal;
}

const Vector& ArcSegment::GetRadialOrientation() const
{
    return radialOrientation;
}

Angle ArcSegment::GetFirstAngle() const
{
    return firstAngle;
}

Angle ArcSegment::GetSecondAngle() const
{
    return secondAngle;
}

Point ArcSegment::PointAtAngle(double angle) const
{
    return centre + radius * radialOrientation.Rotate(angle, planeNormal);
}

Intersection ArcSegment::IntersectLineSegment(const LineSegment& segment) const
{
    const auto isCommon = [this, &segment](const Point& point)
    { return Contains(point) && segment.Contains(point); };

    // Across the arc's plane the line meets the circle only where it
    // crosses the plane, at a point of the disk the circle bounds.
    const Plane plane(planeNormal, centre);
    const Intersection planeCrossing =
        plane.Intersect(Line(segment.GetFirstPoint(), segment.GetSecondPoint()));
    std::vector<Point> points;
    if (!planeCrossing.IsInfinite())
    {
        for (const Point& point : planeCrossing.GetPoints())
        {
            if (IsOnDisk(plane, centre, radius, point) && isCommon(point))
            {
                points.push_back(point);
            }
        }
        return Intersection(points, false);
    }

    // The line lies in the arc's plane: solve |f + t*u - centre| = radius.
    const Point& first = segment.GetFirstPoint();
    const Vector& direction = segment.GetDirection();
    const Vector vectorFirstPointSegmentToCentroid = first - centre;
    const double directionLength = direction.Length();
    const double toCentreLength = vectorFirstPointSegmentToCentroid.Length();
    const double a = directionLength * directionLength;
    const double b = 2.0 * vectorFirstPointSegmentToCentroid.Dot(direction);
    const double c = toCentreLength * toCentreLength - radius * radius;
    double roots[2];
    const int rootCount = QuadraticRoots(a, b, c, roots, QuadraticConvention::Arc);
    for (int i = 0; i < rootCount; ++i)
    {
        const Point candidate = first + roots[i] * direction;
        if (isCommon(candidate))
        {
            points.push_back(candidate);
        }
    }
    return Intersection(points, false);
}

Intersection ArcSegment::IntersectArcSegment(const ArcSegment& sphere) const
{
    // The other arc is seen as a sphere cut by this arc's plane; its own
    // containment test ignores the distance from its plane.
    const auto keepCommon = [this, &sphere](std::initializer_list<Point> candidates)
    {
        std::vector<Point> points;
        for (const Point& candidate : candidates)
        {
            if (Contains(candidate) && sphere.Contains(candidate))
            {
                points.push_back(candidate);
            }
        }
        return Intersection(points, false);
    };

    const Point& circleCentre = centre;
    const double circleRadius = radius;
    const Point& sphereCentre = sphere.centre;
    const double sphereRadius = sphere.radius;

    const double h = planeNormal.Dot(circleCentre - sphereCentre);
    if (std::fabs(h) > sphereRadius)
    {
        return Intersection();
    }
    const Point centerCircleOnPlane = sphereCentre + h * planeNormal;
    if (RelativeCheckEqual(std::fabs(h), sphereRadius))
    {
        return keepCommon({centerCircleOnPlane});
    }

    const double sectionRadius = std::sqrt(sphereRadius * sphereRadius - h * h);
    const Vector betweenCentres = centerCircleOnPlane - circleCentre;
    const double d = betweenCentres.Length();
    const double sum = circleRadius + sectionRadius;
    if (d > sum)
    {
        return Intersection();
    }
    if (d == sum)
    {
        return keepCommon({circleCentre + betweenCentres * (circleRadius / d)});
    }

    const double smaller = std::min(circleRadius, sectionRadius);
    const double larger = std::max(circleRadius, sectionRadius);
    if (RelativeCheckEqual(d + smaller, larger))
    {
        if (RelativeCheckEqual(d, 0.0))
        {
            // The same circle: any shared end means a shared stretch.
            const bool overlap = Contains(sphere.firstPoint) || Contains(sphere.secondPoint) ||
                                 sphere.Contains(firstPoint) || sphere.Contains(secondPoint);
            return Intersection(std::vector<Point>(), overlap);
        }
        // Internal tangency; on a tie the section circle counts as the larger.
        const bool circleIsLarger = circleRadius > sectionRadius;
        const Point& largerCentre = circleIsLarger ? circleCentre : centerCircleOnPlane;
        const Point& smallerCentre = circleIsLarger ? centerCircleOnPlane : circleCentre;
        return keepCommon({largerCentre + (smallerCentre - largerCentre) * (larger / d)});
    }
    if (larger > d + smaller)
    {
        return Intersection();
    }

    const double k = 0.5 + (circleRadius * circleRadius - sectionRadius * sectionRadius) / (2.0 * d * d);
    const Point middlePointOfTheTwoIntersectionPoints = circleCentre + k * betweenCentres;
    const double q = std::sqrt(circleRadius * circleRadius - (k * k) * (d * d));
    const Vector tangentVectorInThePlane = betweenCentres.Cross(planeNormal).Normalized();
    return keepCommon({middlePointOfTheTwoIntersectionPoints + (-q) * tangentVectorInThePlane,
                       middlePointOfTheTwoIntersectionPoints + q * tangentVectorInThePlane});
}

} // namespace Geometry3D
} // namespace Tessam
