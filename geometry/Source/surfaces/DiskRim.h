#pragma once

#include "ArcSegment.h"
#include "Point.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

// The full-circle arc that bounds the disk of that center, radius and
// normal, exactly as the disk's own contour starts it: the end circles of
// the curved surfaces must match the disks and rings that cap them.
ArcSegment DiskRim(const Point& center, double radius, const Vector& normal);

} // namespace Geometry3D
} // namespace Tessam
