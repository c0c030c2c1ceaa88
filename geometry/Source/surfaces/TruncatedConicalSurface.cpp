#include "TruncatedConicalSurface.h"

#include "AngularBand.h"
#include "AngularPosition.h"
#include "ArcSegment.h"
#include "ConicalSurface.h"
#include "Contour.h"
#include "DiskRim.h"
#include "LineCandidates.h"
#include "Rejection.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

namespace
{
// The apex lies as far beyond the top circle as similar triangles demand.
double ConeHeight(double radiusBase, double radiusTop, double truncatedHeight)
{
    return radiusBase * truncatedHeight / (radiusBase - radiusTop);
}
} // namespace

TruncatedConicalSurface::TruncatedConicalSurface(const Point& apex, double radiusBase, double radiusTop,
                                                 double truncatedHeight, const Vector& orientation,
                                                 bool outwardNormal)
    // The cone validates first, on the derived height: that is where a
    // non-positive truncated height is reported.
    : cone(std::make_unique<const ConicalSurface>(
          apex, radiusBase, ConeHeight(radiusBase, radiusTop, truncatedHeight), orientation, outwardNormal)),
      radiusTop(radiusTop), truncatedHeight(truncatedHeight), radialOrientation(),
      firstAngle(Angle::FromRadians(0.0)), lastAngle(Angle::FromRadians(TwoPi))
{
    RejectIf(radiusTop <= 0.0,
             "TruncatedConicalSurface::TruncatedConicalSurface : Radius top is smaller or equal to 0.");
    RejectIf(radiusTop >= radiusBase, "TruncatedConicalSurface::TruncatedConicalSurface : Radius base is "
                                      "smaller or equal to radius top.");
}

TruncatedConicalSurface::TruncatedConicalSurface(const Point& apex, double radiusBase, double radiusTop,
                                                 double truncatedHeight, const Vector& orientation,
                                                 const Vector& radialOrientation, const Angle& firstAngle,
                                                 const Angle& lastAngle, bool outwardNormal)
    : TruncatedConicalSurface(apex, radiusBase, radiusTop, truncatedHeight, orientation, outwardNormal)
{
    this->radialOrientation = radialOrientation;
    this->firstAngle = firstAngle;
    this->lastAngle = lastAngle;
    PrepareAngularBand(
        cone->GetOrientation(), this->radialOrientation, this->firstAngle, this->lastAngle,
        "TruncatedConicalSurface::TruncatedConicalSurface : Radial orientation is a null vector.",
        "TruncatedConicalSurface::TruncatedConicalSurface : Orientation and radial "
        "orientation are not orthogonal.");
}

TruncatedConicalSurface::~TruncatedConicalSurface() = default;

const Point& TruncatedConicalSurface::GetApex() const
{
    return cone->GetApex();
}

double TruncatedConicalSurface::GetRadius() const
{
    return cone->GetRadius();
}

double TruncatedConicalSurface::GetHeight() const
{
    return cone->GetHeight();
}

const Vector& TruncatedConicalSurface::GetOrientation() const
{
    return cone->GetOrientation();
}

bool TruncatedConicalSurface::IsNormalOutward() const
{
    return cone->IsNormalOutward();
}

Angle TruncatedConicalSurface::GetHalfAngle() const
{
    return cone->GetHalfAngle();
}

double TruncatedConicalSurface::GetRadiusTop() const
{
    return radiusTop;
}

double TruncatedConicalSurface::GetTruncatedHeight() const
{
    return truncatedHeight;
}

const Vector& TruncatedConicalSurface::GetRadialOrientation() const
{
    RejectIf(IsFullRevolution(),
             "TruncatedConicalSurface::TruncatedConicalSurface : Radial orientation was not defined.");
    return radialOrientation;
}

Angle TruncatedConicalSurface::GetFirstAngle() const
{
    RejectIf(IsFullRevolution(),
             "TruncatedConicalSurface::TruncatedConicalSurface : First angle was not defined.");
    return firstAngle;
}

Angle TruncatedConicalSurface::GetLastAngle() const
{
    RejectIf(IsFullRevolution(),
             "TruncatedConicalSurface::TruncatedConicalSurface : Last angle was not defined.");
    return lastAngle;
}

Vector TruncatedConicalSurface::GetNormal(const Point& point) const
{
    RejectIf(!Contains(point),
             "TruncatedConicalSurface::GetNormal : Point is not contained in truncated conical surface.");
    return cone->GetNormal(point);
}

bool TruncatedConicalSurface::Contains(const Point& point) const
{
    // The band along the axis first: it is the cheaper test.
    const double coneHeight = cone->GetHeight();
    const double alongAxis = (point - cone->GetApex()).Dot(cone->GetOrientation());
    if (!(coneHeight - truncatedHeight <= alongAxis && alongAxis <= coneHeight))
    {
        return false;
    }
    if (!cone->Contains(point))
    {
        return false;
    }
    if (IsFullRevolution())
    {
        return true;
    }
    return IsInAngularBand(point, cone->GetApex(), cone->GetOrientation(), radialOrientation, firstAngle,
                           lastAngle);
}

Intersection TruncatedConicalSurface::GetIntersection(const Line& line) const
{
    // Contains begins with the full cone's, which is what keeps a point of
    // the cone's intersection.
    const LineCandidates candidates = ConeLineCandidates(cone->GetApex(), cone->GetOrientation(),
                                                         std::cos(cone->GetHalfAngle().Radians()), line);
    return ContainedCandidates(candidates, *this);
}

IContour* TruncatedConicalSurface::GetContour() const
{
    const Point& apex = cone->GetApex();
    const Vector& orientation = cone->GetOrientation();
    const Point baseCenter = apex + cone->GetHeight() * orientation;
    const Point topCenter = apex + (cone->GetHeight() - truncatedHeight) * orientation;

    if (IsFullRevolution())
    {
        const std::unique_ptr<const IContour> coneContour(cone->GetContour());
        const ArcSegment baseCircle = *dynamic_cast<const ArcSegment*>(coneContour->GetSegments().front());
        const ArcSegment topCircle = DiskRim(topCenter, radiusTop, -1.0 * orientation);
        return new Contour({&baseCircle, &topCircle}, Vector());
    }

    return AngularBandContour(baseCenter, cone->GetRadius(), topCenter, radiusTop, orientation,
                              radialOrientation, firstAngle, lastAngle);
}

ISurface* TruncatedConicalSurface::Clone() const
{
    if (IsFullRevolution())
    {
        return new TruncatedConicalSurface(cone->GetApex(), cone->GetRadius(), radiusTop, truncatedHeight,
                                           cone->GetOrientation(), cone->IsNormalOutward());
    }
    return new TruncatedConicalSurface(cone->GetApex(), cone->GetRadius(), radiusTop, truncatedHeight,
                                       cone->GetOrientation(), radialOrientation, firstAngle, lastAngle,
                                       cone->IsNormalOutward());
}

bool TruncatedConicalSurface::operator==(const ISurface& other) const
{
    const TruncatedConicalSurface* frustum = dynamic_cast<const TruncatedConicalSurface*>(&other);
    return frustum != nullptr && truncatedHeight == frustum->truncatedHeight &&
           radiusTop == frustum->radiusTop && *cone == *frustum->cone &&
           radialOrientation == frustum->radialOrientation && firstAngle == frustum->firstAngle &&
           lastAngle == frustum->lastAngle;
}

bool TruncatedConicalSurface::IsFullRevolution() const
{
    return radialOrientation.IsNull();
}

} // namespace Geometry3D
} // namespace Tessam
