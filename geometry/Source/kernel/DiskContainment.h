#pragma once

#include "Plane.h"
#include "Point.h"

namespace Tessam
{
namespace Geometry3D
{

// Whether the point lies on the disk of that plane, centre and radius: the
// disk face's containment, and what an arc asks of the point where a line
// crosses its plane.
inline bool IsOnDisk(const Plane& plane, const Point& centre, double radius, const Point& point)
{
    // No tolerance on the radius: the rim is in, anything beyond it is out.
    return plane.Contains(point) && radius >= centre.DistanceTo(point);
}

} // namespace Geometry3D
} // namespace Tessam
