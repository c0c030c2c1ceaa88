#include "PrimitiveFlatSurface.h"

namespace Tessam
{
namespace Geometry3D
{

PrimitiveFlatSurface::PrimitiveFlatSurface(const Point& centroid, const Plane& plane)
    : FlatSurface(plane), centroid(centroid)
{
}

} // namespace Geometry3D
} // namespace Tessam
