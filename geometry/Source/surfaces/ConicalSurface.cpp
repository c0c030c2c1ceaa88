#include "ConicalSurface.h"

#include "ArcSegment.h"
#include "Contour.h"
#include "DiskRim.h"
#include "Line.h"
#include "LineCandidates.h"
#include "MantleNormals.h"
#include "Rejection.h"
#include "RelativeCheckEqual.h"
#include "Tolerances.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

ConicalSurface::ConicalSurface(const Point& apex, double radius, double height, const Vector& orientation,
                               bool outwardNormal)
    : apex(apex), radius(radius), height(height), orientation(orientation), outwardNormal(outwardNormal),
      halfAngle(Angle::FromRadians(std::atan(radius / height)))
{
    RejectIf(radius <= 0.0, "ConicalSurface::ConicalSurface : Radius of the base must be positive.");
    RejectIf(height <= 0.0, "ConicalSurface::ConicalSurface : Height must be positive.");
    RejectIf(orientation.Length() == 0.0, "ConicalSurface::ConicalSurface : Orientation is a null vector.");
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
    RejectIf(!Contains(point), "ConicalSurface::GetNormal : Point is not contained in ConicalSurface.");
    return ConeNormal(apex, orientation, outwardNormal, point);
}

bool ConicalSurface::Contains(const Point& point) const
{
    // Every direction from the apex is degenerate there.
    if (point.IsAlmostEqual(apex, VertexTolerance))
    {
        return true;
    }
    const Vector fromApex = point - apex;
    const double alongAxis = fromApex.Dot(orientation);
    if (!(alongAxis <= height))
    {
        return false;
    }
    // On the near nappe, |across * h - along * r| / hypot(r, h) is
    // length * |sin(angle - half angle)| to within a few eps * length, and
    // AngleTo errs by about 10 eps: far from the bounds of the 1e-11 test,
    // the answer is certain without the trigonometry.
    if (alongAxis > 0.0)
    {
        const double length = fromApex.Length();
        const double across = (fromApex - alongAxis * orientation).Length();
        const double offAngle =
            std::fabs(across * height - alongAxis * radius) / std::sqrt(radius * radius + height * height);
        if (1.01 * offAngle + 1e-13 * length < 0.5e-11 * halfAngle.Radians() * length)
        {
            return true;
        }
        if (offAngle > 1e-10 * length)
        {
            return false;
        }
    }
    const Angle angle = orientation.AngleTo(fromApex);
    // The angle test already rules out the opposite nappe.
    return RelativeCheckEqual(angle.Radians(), halfAngle.Radians());
}

Intersection ConicalSurface::GetIntersection(const Line& line) const
{
    const LineCandidates candidates =
        ConeLineCandidates(apex, orientation, std::cos(halfAngle.Radians()), line);
    return ContainedCandidates(candidates, *this);
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
