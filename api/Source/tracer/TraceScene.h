#pragma once

#include "ISolid.h"
#include "Solid.h"
#include "SurfaceShape.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace Quoria
{

// The configuration a tracer works on: deep copies of the caller's solids,
// in the caller's order, and the shape of every face. It never changes once
// built, so any number of walkers may trace through one scene at once.
class TraceScene
{
public:
    // `owner` ("RayTracer::RayTracer") begins the messages: an empty list
    // or a null solid is refused; nothing leaks when a Clone throws half-way.
    TraceScene(const std::vector<const Tessam::Geometry3D::Solid*>& solids, const char* owner);
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

private:
    std::vector<std::unique_ptr<const Tessam::Geometry3D::ISolid>> ownedSolids;
    // A view of ownedSolids.
    std::vector<const Tessam::Geometry3D::ISolid*> configuration;
    std::vector<std::vector<Tessam::Geometry3D::SurfaceShape>> faces;
    std::size_t largestFaceCount = 0;
};

} // namespace Quoria
