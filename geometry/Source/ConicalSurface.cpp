#include "ConicalSurface.h"

#include "ArcSegment.h"
#include "Contour.h"
#include "DiskRim.h"
#include "Line.h"
#include "QuadraticRoots.h"
#include "RelativeCheckEqual.h"

#include <cmath>
#include <stdexcept>

namespace Tessam
{
namespace Geometry3D
{

ConicalSurface::ConicalSurface(const Point& apex, double radius, double height, const Vector& orientation,
                               bool outwardNormal)
    : apex(apex), radius(radius), height(height), orientation(orientation), outwardNormal(outwardNormal),
      halfAngle(Angle::FromRadians(std::atan(radius / height)))
{
    if (radius <= 0.0)
    {
        throw std::invalid_argument("ConicalSurface::ConicalSurface : Radius of the base must be positive.");
    }
    if (height <= 0.0)
    {
        throw std::invalid_argument("ConicalSurface::ConicalSurface : Height must be positive.");
    }
    if (orientation.Length() == 0.0)
    {
        throw std::invalid_argument("ConicalSurface::ConicalSurface : Orientation is a null vector.");
    }
    this->orientation.Normalize();
}

const Point& ConicalSurface::GetApex() const
{
    return apex;
}

double ConicalSurface::GetRadius() const
{
    return radius;
}

double ConicalSurface::GetHeight() const
{
    return height;
}

const Vector& ConicalSurface::GetOrientation() const
{
    return orientation;
}

bool ConicalSurface::IsNormalOutward() const
{
    return outwardNormal;
}

Angle ConicalSurface::GetHalfAngle() const
{
    return halfAngle;
}

Vector ConicalSurface::GetNormal(const Point& point) const
{
    if (!Contains(point))
    {
        throw std::invalid_argument("ConicalSurface::GetNormal : Point is not contained in ConicalSurface.");
    }
    // Perpendicular to the generatrix through the point, in the plane of the
    // axis: away from the axis and leaning towards the apex.
    const Vector fromApex = point - apex;
    Vector normal = orientation.Cross(fromApex).Cross(fromApex);
    if (!outwardNormal)
    {
        normal *= -1.0;
    }
    return normal.Normalized();
}

bool ConicalSurface::Contains(const Point& point) const
{
    // Every direction from the apex is degenerate there.
    if (point.IsAlmostEqual(apex, 1e-6))
    {
        return true;
    }
    const Vector fromApex = point - apex;
    const Angle angle = orientation.AngleTo(fromApex);
    // The angle test already rules out the opposite nappe.
    return RelativeCheckEqual(angle.Radians(), halfAngle.Radians(), 1e-11) &&
           fromApex.Dot(orientation) <= height;
}

Intersection ConicalSurface::GetIntersection(const Line& line) const
{
    const Vector& direction = line.GetDirection();
    const Point& linePoint = line.GetPoint();
    const Vector fromApex = linePoint - apex;
    const double cosine = std::cos(halfAngle.Radians());
    const double cosineSquared = cosine * cosine;

    // ((w + t d) . o)^2 = |w + t d|^2 cos^2(half angle): the double cone.
    const double directionAlongAxis = direction.Dot(orientation);
    const double fromApexAlongAxis = fromApex.Dot(orientation);
    const double a = directionAlongAxis * directionAlongAxis - cosineSquared;
    const double b = 2.0 * (directionAlongAxis * fromApexAlongAxis - direction.Dot(fromApex) * cosineSquared);
    const double k = fromApexAlongAxis * fromApexAlongAxis - fromApex.Dot(fromApex) * cosineSquared;

    if (RelativeCheckEqual(a, 0.0, 1e-11) && RelativeCheckEqual(b, 0.0, 1e-11) &&
        RelativeCheckEqual(k, 0.0, 1e-11))
    {
        return Intersection(std::vector<Point>(), true);
    }
    std::vector<Point> points;
    // With a exactly 0 the line runs parallel to a generatrix.
    if (a != 0.0)
    {
        for (const double t : QuadraticRoots(a, b, k))
        {
            const Point candidate = linePoint + t * direction;
            if (Contains(candidate))
            {
                points.push_back(candidate);
            }
        }
    }
    return Intersection(points, false);
}

IContour* ConicalSurface::GetContour() const
{
    const ArcSegment baseCircle = DiskRim(apex + height * orientation, radius, orientation);
    return new Contour({&baseCircle}, Vector());
}

ISurface* ConicalSurface::Clone() const
{
    return new ConicalSurface(apex, radius, height, orientation, outwardNormal);
}

bool ConicalSurface::operator==(const ISurface& other) const
{
    const ConicalSurface* cone = dynamic_cast<const ConicalSurface*>(&other);
    return cone != nullptr && apex == cone->apex && height == cone->height &&
           outwardNormal == cone->outwardNormal && orientation == cone->orientation && radius == cone->radius;
}

} // namespace Geometry3D
} // namespace Tessam
