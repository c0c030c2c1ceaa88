#include "CylindricalArcSurface.h"

#include "AngularBand.h"
#include "CylindricalSurface.h"
#include "LineCandidates.h"
#include "Rejection.h"

namespace Tessam
{
namespace Geometry3D
{

CylindricalArcSurface::CylindricalArcSurface(const Point& centroid, double radius, double height,
                                             const Vector& orientation, const Vector& radialOrientation,
                                             const Angle& firstAngle, const Angle& lastAngle,
                                             bool outwardNormal)
    : cylinder(
          std::make_unique<const CylindricalSurface>(centroid, radius, height, orientation, outwardNormal)),
      radialOrientation(radialOrientation), firstAngle(firstAngle), lastAngle(lastAngle)
{
    PrepareAngularBand(
        cylinder->GetOrientation(), this->radialOrientation, this->firstAngle, this->lastAngle,
        "CylindricalArcSurface::CylindricalArcSurface : Radial orientation is a null vector.",
        "CylindricalArcSurface::CylindricalArcSurface : Orientation and radial orientation are not "
        "orthogonal.");
}

CylindricalArcSurface::~CylindricalArcSurface() = default;

const Point& CylindricalArcSurface::GetCentroid() const
{
    return cylinder->GetCentroid();
}

double CylindricalArcSurface::GetRadius() const
{
    return cylinder->GetRadius();
}

double CylindricalArcSurface::GetHeight() const
{
    return cylinder->GetHeight();
}

const Vector& CylindricalArcSurface::GetOrientation() const
{
    return cylinder->GetOrientation();
}

bool CylindricalArcSurface::IsNormalOutward() const
{
    return cylinder->IsNormalOutward();
}

const Vector& CylindricalArcSurface::GetRadialOrientation() const
{
    return radialOrientation;
}

Angle CylindricalArcSurface::GetFirstAngle() const
{
    return firstAngle;
}

Angle CylindricalArcSurface::GetLastAngle() const
{
    return lastAngle;
}

Vector CylindricalArcSurface::GetNormal(const Point& point) const
{
    RejectIf(!Contains(point),
             "CylindricalArcSurface::GetNormal : Point is not contained in CylindricalArcSurface.");
    return cylinder->GetNormal(point);
}

bool CylindricalArcSurface::Contains(const Point& point) const
{
    if (!cylinder->Contains(point))
    {
        return false;
    }
    return IsInAngularBand(point, cylinder->GetCentroid(), cylinder->GetOrientation(), radialOrientation,
                           firstAngle, lastAngle);
}

Intersection CylindricalArcSurface::GetIntersection(const Line& line) const
{
    // The band's Contains includes the mantle's, which is what keeps a
    // point of the full mantle's intersection.
    const LineCandidates candidates = CylinderLineCandidates(
        cylinder->GetCentroid(), cylinder->GetOrientation(), cylinder->GetRadius(), line);
    return ContainedCandidates(candidates, *this);
}

IContour* CylindricalArcSurface::GetContour() const
{
    const Vector& orientation = cylinder->GetOrientation();
    const Vector halfAxis = (cylinder->GetHeight() / 2.0) * orientation;
    const double radius = cylinder->GetRadius();
    return AngularBandContour(cylinder->GetCentroid() + halfAxis, radius,
                              cylinder->GetCentroid() + -1.0 * halfAxis, radius, orientation,
                              radialOrientation, firstAngle, lastAngle);
}

ISurface* CylindricalArcSurface::Clone() const
{
    return new CylindricalArcSurface(cylinder->GetCentroid(), cylinder->GetRadius(), cylinder->GetHeight(),
                                     cylinder->GetOrientation(), radialOrientation, firstAngle, lastAngle,
                                     cylinder->IsNormalOutward());
}

bool CylindricalArcSurface::operator==(const ISurface& other) const
{
    const CylindricalArcSurface* band = dynamic_cast<const CylindricalArcSurface*>(&other);
    return band != nullptr && firstAngle == band->firstAngle && lastAngle == band->lastAngle &&
           radialOrientation == band->radialOrientation && *cylinder == *band->cylinder;
}

} // namespace Geometry3D
} // namespace Tessam
