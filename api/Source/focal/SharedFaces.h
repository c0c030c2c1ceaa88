#pragma once

#include "SurfaceShape.h"
#include "TraceScene.h"

#include <cstddef>
#include <vector>

namespace Quoria
{

// A face of one solid that another solid also bounds: faces of both lie on
// one plane or one cylinder, with opposite normals, as a wedge's bottom lies
// on a plate's top. Sound crosses there where a point is on the face and on
// one of its counterparts.
struct SharedFace
{
    // Among the first solid's faces.
    std::size_t index;
    const Tessam::Geometry3D::SurfaceShape* shape;
    // The second solid's faces on the same surface.
    std::vector<const Tessam::Geometry3D::SurfaceShape*> counterparts;
};

struct SharedFaces
{
    // In the order of the first solid's faces.
    std::vector<SharedFace> faces;
    // The two solids also meet on a cone, which no focal law crosses.
    bool conicalFaceShared = false;
};

SharedFaces FindSharedFaces(const TraceScene& scene, std::size_t first, std::size_t second);

} // namespace Quoria
