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

    // Inline: the disks read it in every Contains.
    const Point& GetCentroid() const { return centroid; }

private:
    Point centroid;
};

} // namespace Geometry3D
} // namespace Tessam
