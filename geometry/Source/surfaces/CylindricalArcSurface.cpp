#include "CylindricalArcSurface.h"

#include "AngularPosition.h"
#include "ArcSegment.h"
#include "Contour.h"
#include "CylindricalSurface.h"
#include "LineCandidates.h"
#include "LineSegment.h"

#include <stdexcept>

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
    if (radialOrientation.Length() == 0.0)
    {
        throw std::invalid_argument(
            "CylindricalArcSurface::CylindricalArcSurface : Radial orientation is a null vector.");
    }
    if (!radialOrientation.IsOrthogonal(cylinder->GetOrientation()))
    {
        throw std::invalid_argument("CylindricalArcSurface::CylindricalArcSurface : Orientation and radial "
                                    "orientation are not orthogonal.");
    }
    this->radialOrientation.Normalize();
    this->firstAngle = Angle::FromRadians(ReduceAngle(firstAngle.Radians()));
    this->lastAngle = Angle::FromRadians(ReduceAngle(lastAngle.Radians()));
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
    if (!Contains(point))
    {
        throw std::invalid_argument(
            "CylindricalArcSurface::GetNormal : Point is not contained in CylindricalArcSurface.");
    }
    return cylinder->GetNormal(point);
}

bool CylindricalArcSurface::Contains(const Point& point) const
{
    if (!cylinder->Contains(point))
    {
        return false;
    }
    const double angle =
        AngleOfPointAboutAxis(point, cylinder->GetCentroid(), cylinder->GetOrientation(), radialOrientation);
    return IsAngleInBand(angle, firstAngle.Radians(), lastAngle.Radians());
}

Intersection CylindricalArcSurface::GetIntersection(const Line& line) const
{
    // The band's Contains includes the mantle's, which is what keeps a
    // point of the full mantle's intersection.
    const LineCandidates candidates = CylinderLineCandidates(
        cylinder->GetCentroid(), cylinder->GetOrientation(), cylinder->GetRadius(), line);
    std::vector<Point> points;
    for (int i = 0; i < candidates.count; ++i)
    {
        if (Contains(candidates.points[i]))
        {
            points.push_back(candidates.points[i]);
        }
    }
    return Intersection(points, candidates.isInfinite);
}

IContour* CylindricalArcSurface::GetContour() const
{
    const Vector& orientation = cylinder->GetOrientation();
    const Vector halfAxis = (cylinder->GetHeight() / 2.0) * orientation;
    const double radius = cylinder->GetRadius();

    const ArcSegment topArc(cylinder->GetCentroid() + halfAxis, radius, orientation, radialOrientation,
                            firstAngle, lastAngle);
    // Seen from the other side the same band runs back from the last angle
    // to the first.
    const ArcSegment bottomArc(cylinder->GetCentroid() + -1.0 * halfAxis, radius, -1.0 * orientation,
                               radialOrientation, Angle::FromRadians(TwoPi - lastAngle.Radians()),
                               Angle::FromRadians(TwoPi - firstAngle.Radians()));
    const LineSegment lastGeneratrix(topArc.GetSecondPoint(), bottomArc.GetFirstPoint());
    const LineSegment firstGeneratrix(bottomArc.GetSecondPoint(), topArc.GetFirstPoint());
    return new Contour({&topArc, &lastGeneratrix, &bottomArc, &firstGeneratrix}, Vector());
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
