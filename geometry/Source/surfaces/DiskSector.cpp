#include "DiskSector.h"

#include "AngularPosition.h"
#include "ArcSegment.h"
#include "Contour.h"
#include "LineSegment.h"
#include "Rejection.h"

namespace Tessam
{
namespace Geometry3D
{

DiskSector::DiskSector(const Point& center, double radius, const Vector& normal,
                       const Vector& radialOrientation, const Angle& firstAngle, const Angle& lastAngle)
    : PrimitiveFlatSurface(center, Plane(normal, center)),
      disk(std::make_unique<Disk>(center, radius, normal)), radialOrientation(radialOrientation),
      firstAngle(firstAngle), lastAngle(lastAngle)
{
    RejectIf(radialOrientation.Length() == 0.0,
             "DiskSector::DiskSector : Radial rientation is a null vector.");
    RejectIf(!radialOrientation.IsOrthogonal(GetNormal(center)),
             "DiskSector::DiskSector : Normal and radial orientation are not orthogonal.");
    this->radialOrientation.Normalize();
    this->firstAngle = Angle::FromRadians(ReduceAngle(firstAngle.Radians()));
    this->lastAngle = Angle::FromRadians(ReduceAngle(lastAngle.Radians()));
}

DiskSector::~DiskSector() = default;

double DiskSector::GetRadius() const
{
    return disk->GetRadius();
}

const Vector& DiskSector::GetRadialOrientation() const
{
    return radialOrientation;
}

Angle DiskSector::GetFirstAngle() const
{
    return firstAngle;
}

Angle DiskSector::GetLastAngle() const
{
    return lastAngle;
}

bool DiskSector::Contains(const Point& point) const
{
    if (!GetPlane().Contains(point) || !disk->Contains(point))
    {
        return false;
    }
    const Vector direction = (point - GetCentroid()).Normalized();
    const double angle = AngleAboutAxis(direction, radialOrientation, GetNormal(point));
    return IsAngleInBand(angle, firstAngle.Radians(), lastAngle.Radians());
}

IContour* DiskSector::GetContour() const
{
    const Point& center = GetCentroid();
    const double radius = GetRadius();
    const Vector normal = GetNormal(center);
    const Point firstPointOnCircle = center + radius * radialOrientation.Rotate(firstAngle.Radians(), normal);
    const Point lastPointOnCircle = center + radius * radialOrientation.Rotate(lastAngle.Radians(), normal);

    const LineSegment firstRadius(center, firstPointOnCircle);
    const ArcSegment arc(center, radius, normal, radialOrientation, firstAngle, lastAngle);
    const LineSegment lastRadius(lastPointOnCircle, center);
    return new Contour({&firstRadius, &arc, &lastRadius}, normal);
}

ISurface* DiskSector::Clone() const
{
    return new DiskSector(GetCentroid(), GetRadius(), GetNormal(GetCentroid()), radialOrientation, firstAngle,
                          lastAngle);
}

bool DiskSector::operator==(const ISurface& other) const
{
    const auto* otherSector = dynamic_cast<const DiskSector*>(&other);
    return otherSector != nullptr && firstAngle == otherSector->firstAngle &&
           lastAngle == otherSector->lastAngle && radialOrientation == otherSector->radialOrientation &&
           *disk == *otherSector->disk;
}

} // namespace Geometry3D
} // namespace Tessam
