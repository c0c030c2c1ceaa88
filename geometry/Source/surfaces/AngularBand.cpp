#include "AngularBand.h"

#include "AngularPosition.h"
#include "ArcSegment.h"
#include "Contour.h"
#include "LineSegment.h"
#include "Rejection.h"

namespace Tessam
{
namespace Geometry3D
{

void PrepareAngularBand(const Vector& axis, Vector& radialOrientation, Angle& firstAngle, Angle& lastAngle,
                        const char* nullRadialOrientation, const char* notOrthogonal)
{
    RejectIf(radialOrientation.Length() == 0.0, nullRadialOrientation);
    RejectIf(!radialOrientation.IsOrthogonal(axis), notOrthogonal);
    radialOrientation.Normalize();
    firstAngle = Angle::FromRadians(ReduceAngle(firstAngle.Radians()));
    lastAngle = Angle::FromRadians(ReduceAngle(lastAngle.Radians()));
}

bool IsInAngularBand(const Point& point, const Point& origin, const Vector& axis,
                     const Vector& radialOrientation, Angle firstAngle, Angle lastAngle)
{
    const double angle = AngleOfPointAboutAxis(point, origin, axis, radialOrientation);
    return IsAngleInBand(angle, firstAngle.Radians(), lastAngle.Radians());
}

IContour* AngularBandContour(const Point& centre, double radius, const Point& backCentre, double backRadius,
                             const Vector& axis, const Vector& radialOrientation, Angle firstAngle,
                             Angle lastAngle)
{
    const ArcSegment arc(centre, radius, axis, radialOrientation, firstAngle, lastAngle);
    // Seen from the other side the same band runs back from the last angle
    // to the first.
    const ArcSegment backArc(backCentre, backRadius, -1.0 * axis, radialOrientation,
                             Angle::FromRadians(TwoPi - lastAngle.Radians()),
                             Angle::FromRadians(TwoPi - firstAngle.Radians()));
    const LineSegment lastGeneratrix(arc.GetSecondPoint(), backArc.GetFirstPoint());
    const LineSegment firstGeneratrix(backArc.GetSecondPoint(), arc.GetFirstPoint());
    return new Contour({&arc, &lastGeneratrix, &backArc, &firstGeneratrix}, Vector());
}

} // namespace Geometry3D
} // namespace Tessam
