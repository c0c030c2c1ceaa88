#pragma once

#include "FlatSurface.h"
#include "Point.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// A flat surface that also carries a centroid: polygons, rectangles, disks
// and disk sectors.
class QUORIA_API PrimitiveFlatSurface : public FlatSurface
{
public:
    PrimitiveFlatSurface(const Point& centroid, const Plane& plane);
    ~PrimitiveFlatSurface() override = default;

    const Point& GetCentroid() const;

private:
    Point centroid;
};

} // namespace Geometry3D
} // namespace Tessam
