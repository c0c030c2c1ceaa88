#include "Disk.h"

#include "AngularPosition.h"
#include "ArcSegment.h"
#include "Contour.h"
#include "DiskContainment.h"
#include "Rejection.h"
#include "RelativeCheckEqual.h"

namespace Tessam
{
namespace Geometry3D
{

Disk::Disk(const Point& center, double radius, const Vector& normal)
    : PrimitiveFlatSurface(center, Plane(normal, center)), radius(radius)
{
    RejectIf(0.0 >= radius, "Disk::Disk : Radius must be a positive value.");
}

double Disk::GetRadius() const
{
    return radius;
}

bool Disk::Contains(const Point& point) const
{
    return IsOnDisk(GetPlane(), GetCentroid(), radius, point);
}

IContour* Disk::GetContour() const
{
    const Vector& normal = GetPlane().GetNormal();
    // Any direction orthogonal to the normal does; this choice fixes where
    // the rim starts so that equal disks give equal contours.
    Vector radialOrientation;
    if (!RelativeCheckEqual(normal.X(), 0.0))
    {
        radialOrientation = Vector(-normal.Y(), normal.X(), 0.0);
    }
    else if (RelativeCheckEqual(normal.Y(), 0.0))
    {
        radialOrientation = Vector(normal.Z(), 0.0, -normal.X());
    }
    else
    {
        radialOrientation = Vector(0.0, -normal.Z(), normal.Y());
    }
    const ArcSegment rim(GetCentroid(), radius, normal, radialOrientation, Angle::FromRadians(0.0),
                         Angle::FromRadians(TwoPi));
    return new Contour({&rim}, normal);
}

ISurface* Disk::Clone() const
{
    return new Disk(GetCentroid(), radius, GetPlane().GetNormal());
}

bool Disk::operator==(const ISurface& other) const
{
    const auto* disk = dynamic_cast<const Disk*>(&other);
    return disk != nullptr && GetCentroid() == disk->GetCentroid() && radius == disk->radius &&
           GetPlane().GetNormal() == disk->GetPlane().GetNormal();
}

} // namespace Geometry3D
} // namespace Tessam
