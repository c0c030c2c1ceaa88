#pragma once

#include "Point.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

// The unit normals of the cylinder and cone mantles at a point already
// known to lie on them. Kept apart from GetNormal, which first checks
// containment, so that the ray tracer, which has checked it, need not again.
Vector CylinderNormal(const Point& centroid, const Vector& orientation, bool outwardNormal,
                      const Point& point);
Vector ConeNormal(const Point& apex, const Vector& orientation, bool outwardNormal, const Point& point);

} // namespace Geometry3D
} // namespace Tessam
