#include "CylindricalSurface.h"

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

CylindricalSurface::CylindricalSurface(const Point& centroid, double radius, double height,
                                       const Vector& orientation, bool outwardNormal)
    : centroid(centroid), radius(radius), height(height), orientation(orientation),
      outwardNormal(outwardNormal)
{
    if (radius <= 0.0)
    {
        throw std::invalid_argument("CylindricalSurface::CylindricalSurface : Radius must be positive.");
    }
    if (height <= 0.0)
    {
        throw std::invalid_argument("CylindricalSurface::CylindricalSurface : Height must be positive.");
    }
    if (orientation.Length() == 0.0)
    {
        throw std::invalid_argument("CylindricalSurface::CylindricalSurface : Orientation is a null vector.");
    }
    this->orientation.Normalize();
}

CylindricalSurface* CylindricalSurface::CreateXOriented(const Point& centroid, double radius, double height)
{
    return new CylindricalSurface(centroid, radius, height, Vector(1.0, 0.0, 0.0), true);
}

CylindricalSurface* CylindricalSurface::CreateYOriented(const Point& centroid, double radius, double height)
{
    return new CylindricalSurface(centroid, radius, height, Vector(0.0, 1.0, 0.0), true);
}

CylindricalSurface* CylindricalSurface::CreateZOriented(const Point& centroid, double radius, double height)
{
    return new CylindricalSurface(centroid, radius, height, Vector(0.0, 0.0, 1.0), true);
}

const Point& CylindricalSurface::GetCentroid() const
{
    return centroid;
}

double CylindricalSurface::GetRadius() const
{
    return radius;
}

double CylindricalSurface::GetHeight() const
{
    return height;
}

const Vector& CylindricalSurface::GetOrientation() const
{
    return orientation;
}

bool CylindricalSurface::IsNormalOutward() const
{
    return outwardNormal;
}

Vector CylindricalSurface::GetNormal(const Point& point) const
{
    if (!Contains(point))
    {
        throw std::invalid_argument(
            "CylindricalSurface::GetNormal : Point is not contained in CylindricalSurface.");
    }
    const Vector fromCentroid = point - centroid;
    Vector normal = fromCentroid - fromCentroid.Dot(orientation) * orientation;
    if (!outwardNormal)
    {
        normal *= -1.0;
    }
    return normal.Normalized();
}

bool CylindricalSurface::Contains(const Point& point) const
{
    const Vector fromCentroid = point - centroid;
    const double length = fromCentroid.Length();
    const double axial = fromCentroid.Dot(orientation);
    // The centroid itself gives 0/0 and is never on the mantle.
    const double distanceToAxis = length * std::sin(std::acos(axial / length));
    return RelativeCheckEqual(distanceToAxis, radius, 1e-11) && -height / 2.0 <= axial &&
           axial <= height / 2.0;
}

Intersection CylindricalSurface::GetIntersection(const Line& line) const
{
    const Vector& direction = line.GetDirection();
    const Point& linePoint = line.GetPoint();

    // Work in the plane across the axis: the line's parts orthogonal to it.
    const Vector directionAcross = direction - direction.Dot(orientation) * orientation;
    const Vector fromCentroid = linePoint - centroid;
    const Vector fromAxis = fromCentroid - fromCentroid.Dot(orientation) * orientation;

    // |fromAxis + t * directionAcross|^2 = radius^2
    const double a = directionAcross.Dot(directionAcross);
    const double b = 2.0 * directionAcross.Dot(fromAxis);
    const double k = fromAxis.Dot(fromAxis) - radius * radius;

    if (a == 0.0 && b == 0.0 && k == 0.0)
    {
        return Intersection(std::vector<Point>(), true);
    }
    std::vector<Point> points;
    // With a == 0 the line runs parallel to the axis, off the mantle.
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

IContour* CylindricalSurface::GetContour() const
{
    const Vector halfAxis = (height / 2.0) * orientation;
    const ArcSegment topCircle = DiskRim(centroid + halfAxis, radius, orientation);
    const ArcSegment bottomCircle = DiskRim(centroid + -1.0 * halfAxis, radius, -1.0 * orientation);
    return new Contour({&topCircle, &bottomCircle}, Vector());
}

ISurface* CylindricalSurface::Clone() const
{
    return new CylindricalSurface(centroid, radius, height, orientation, outwardNormal);
}

bool CylindricalSurface::operator==(const ISurface& other) const
{
    const CylindricalSurface* cylinder = dynamic_cast<const CylindricalSurface*>(&other);
    return cylinder != nullptr && centroid == cylinder->centroid && height == cylinder->height &&
           outwardNormal == cylinder->outwardNormal && orientation == cylinder->orientation &&
           radius == cylinder->radius;
}

} // namespace Geometry3D
} // namespace Tessam
