#pragma once

#include "RelativeCheckEqual.h"
#include "SurfaceShape.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

// The direction of the perpendicular dropped from a point onto the surface
// that carries a face: the plane's normal, the cylinder's radial direction,
// or, on the cone, the normal of the generatrix on the point's side, leaning
// towards the apex. False where there is none to choose: for a point on a
// cylinder's or cone's axis, where every direction across is as near, and
// for the faces of unknown class.
inline bool ShapeFootDirection(const SurfaceShape& shape, const Point& point, Vector& direction)
{
    if (shape.kind == ShapeKind::Plane)
    {
        direction = shape.plane->GetNormal();
        return true;
    }
    if (shape.kind == ShapeKind::Other)
    {
        return false;
    }
    const Vector fromOrigin = point - shape.origin;
    Vector radial = fromOrigin - fromOrigin.Dot(shape.axis) * shape.axis;
    const double across = radial.Length();
    if (RelativeCheckEqual(across, 0.0, 1e-11))
    {
        return false;
    }
    radial *= 1.0 / across;
    if (shape.kind == ShapeKind::Cylinder)
    {
        direction = radial;
        return true;
    }
    // Only a direction to search along: the sine's loss of precision for
    // thin cones moves the foot by far less than the faces' tolerance.
    const double cosine = shape.halfAngleCosine;
    const double sine = std::sqrt(std::fmax(0.0, 1.0 - cosine * cosine));
    direction = cosine * radial - sine * shape.axis;
    return true;
}

} // namespace Geometry3D
} // namespace Tessam
