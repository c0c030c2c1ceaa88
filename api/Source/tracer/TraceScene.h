#pragma once

#include "ISolid.h"
#include "Solid.h"
#include "SurfaceShape.h"
#include "Vector.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace Quoria
{

// Whether walkers skip the faces that a point or a ray cannot meet, by the
// faces' boxes, and work out the products of a ray with parallel planes once.
// Either way every result is the same; Off serves to show it.
enum class FaceCulling
{
    On,
    Off
};

// A flat face's plane as one of its solid's plane directions: the plane's
// normal is `sign` (+1 or -1) times the direction, its offset its own.
struct FacePlane
{
    std::size_t direction = 0;
    double sign = 1.0;
    double offset = 0.0;
};

// The configuration a tracer works on: deep copies of the caller's solids,
// in the caller's order, and the shape of every face. It never changes once
// built, so any number of walkers may trace through one scene at once.
class TraceScene
{
public:
    // `owner` ("RayTracer::RayTracer") begins the messages: an empty list
    // or a null solid is refused; nothing leaks when a Clone throws half-way.
    TraceScene(const std::vector<const Tessam::Geometry3D::Solid*>& solids, const char* owner,
               FaceCulling culling = FaceCulling::On);
    TraceScene(const TraceScene&) = delete;
    TraceScene& operator=(const TraceScene&) = delete;

    const std::vector<const Tessam::Geometry3D::ISolid*>& Configuration() const { return configuration; }
    std::size_t SolidCount() const { return configuration.size(); }
    // The faces of one solid, in the order of its GetSurfaces().
    const std::vector<Tessam::Geometry3D::SurfaceShape>& Faces(std::size_t solid) const
    {
        return faces[solid];
    }
    std::size_t LargestFaceCount() const { return largestFaceCount; }
    FaceCulling Culling() const { return culling; }
    // The distinct normals, up to sign, of one solid's flat faces, and each
    // face's plane in their terms (meaningful for flat faces only).
    const std::vector<Tessam::Geometry3D::Vector>& PlaneDirections(std::size_t solid) const
    {
        return planeDirections[solid];
    }
    const std::vector<FacePlane>& FacePlanes(std::size_t solid) const { return facePlanes[solid]; }
    std::size_t LargestPlaneDirectionCount() const { return largestPlaneDirectionCount; }

private:
    std::vector<std::unique_ptr<const Tessam::Geometry3D::ISolid>> ownedSolids;
    // A view of ownedSolids.
    std::vector<const Tessam::Geometry3D::ISolid*> configuration;
    std::vector<std::vector<Tessam::Geometry3D::SurfaceShape>> faces;
    std::size_t largestFaceCount = 0;
    FaceCulling culling;
    std::vector<std::vector<Tessam::Geometry3D::Vector>> planeDirections;
    std::vector<std::vector<FacePlane>> facePlanes;
    std::size_t largestPlaneDirectionCount = 0;
};

} // namespace Quoria
