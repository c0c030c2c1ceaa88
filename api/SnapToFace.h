#pragma once

#include "ISolid.h"
#include "Point.h"
#include "QuoriaExport.h"

#include <cstddef>

namespace Quoria
{

// A point moved onto a face of a solid.
struct SnappedPoint
{
    Tessam::Geometry3D::Point point;
    // The face's index in the solid's GetSurfaces().
    std::size_t face;
    // How far the point moved.
    double distance;
};

// Where a point given roughly meets the solid's faces, for an entry point:
// for each flat, cylindrical or conical face, the foot of the perpendicular
// from the point to the face's plane, cylinder or cone, kept if the face
// contains it (a point the face already contains stays as it is); then the
// nearest of those, and on equal distances the face that comes first in
// GetSurfaces(). Faces of other classes are passed over. The result lies on
// exactly one face, as the tracer requires of an entry point. Throws
// std::invalid_argument when no face has such a foot (a point beyond a
// corner, on the axis of a bar, not finite) and when the nearest foot lies
// on an edge, where the tracer would refuse it.
QUORIA_API SnappedPoint SnapToFace(const Tessam::Geometry3D::ISolid& solid,
                                   const Tessam::Geometry3D::Point& point);

} // namespace Quoria
