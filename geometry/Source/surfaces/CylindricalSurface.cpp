#include "CylindricalSurface.h"

#include "ArcSegment.h"
#include "Contour.h"
#include "DiskRim.h"
#include "Line.h"
#include "LineCandidates.h"
#include "MantleNormals.h"
#include "Rejection.h"
#include "RelativeCheckEqual.h"

#include <algorithm>
#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

CylindricalSurface::CylindricalSurface(const Point& centroid, double radius, double height,
                                       const Vector& orientation, bool outwardNormal)
    : centroid(centroid), radius(radius), height(height), orientation(orientation),
      outwardNormal(outwardNormal)
{
    RejectIf(radius <= 0.0, "CylindricalSurface::CylindricalSurface : Radius must be positive.");
    RejectIf(height <= 0.0, "CylindricalSurface::CylindricalSurface : Height must be positive.");
    RejectIf(orientation.Length() == 0.0,
             "CylindricalSurface::CylindricalSurface : Orientation is a null vector.");
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
    RejectIf(!Contains(point),
             "CylindricalSurface::GetNormal : Point is not contained in CylindricalSurface.");
    return CylinderNormal(centroid, orientation, outwardNormal, point);
}

bool CylindricalSurface::Contains(const Point& point) const
{
    const Vector fromCentroid = point - centroid;
    const double length = fromCentroid.Length();
    const double axial = fromCentroid.Dot(orientation);
    if (!(-height / 2.0 <= axial && axial <= height / 2.0))
    {
        return false;
    }
    // The square root below differs from the distance to the axis as
    // computed after it by less than 2e-7 of the length, so a point that
    // it puts farther than 1e-6 of the length or the radius off the mantle
    // fails the 1e-11 test anyway, and the trigonometry can be spared.
    const double roughDistanceToAxis = std::sqrt(std::max(0.0, length * length - axial * axial));
    if (std::fabs(roughDistanceToAxis - radius) > 1e-6 * std::max(length, radius) + 1e-10)
    {
        return false;
    }
    // The distance below is length * sin(acos(axial / length)), within
    // 64 eps (length + length^2 / radius) of the orthogonal part worked out
    // directly (one ulp each for the division, acos, sin and product, plus
    // the cancellation in length^2 - axial^2). Half the tolerance clear of
    // that passes the 1e-11 test for certain.
    const double acrossAxis = (fromCentroid - axial * orientation).Length();
    const double slack = 1.5e-14 * (length + length * (length / radius));
    if (std::fabs(acrossAxis - radius) + slack < 0.5e-11 * radius)
    {
        return true;
    }
    // The centroid itself gives 0/0 and is never on the mantle.
    const double distanceToAxis = length * std::sin(std::acos(axial / length));
    return RelativeCheckEqual(distanceToAxis, radius);
}

Intersection CylindricalSurface::GetIntersection(const Line& line) const
{
    const LineCandidates candidates = CylinderLineCandidates(centroid, orientation, radius, line);
    return ContainedCandidates(candidates, *this);
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
