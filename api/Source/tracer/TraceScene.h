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

// A flat face as walkers meet it: its plane as one of its solid's plane
// directions, the plane's normal being +1 or -1 times the direction and
// `directedOffset` its offset times the same sign, and its box, infinite
// where it has none. Negation being exact, -(o . d + directedOffset) /
// (u . d) is the plane's own -(o . n + offset) / (u . n), bit for bit.
struct FlatFace
{
    double low[3];
    double high[3];
    double directedOffset;
    std::size_t direction;
    std::size_t face;
};

// A curved face worked out only once a point as near as where the ray
// enters its box could matter: its box widened by
// TraceScene::DeferralWidening on every side.
struct DeferredBox
{
    // Low, then high bounds.
    double bounds[2][3];
    std::size_t face;
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
    // How walkers meet one solid's faces, decided here once: the distinct
    // normals, up to sign, of its flat faces and the flat faces in their
    // terms; the curved faces worked out for every ray, those deferred, and
    // the faces of other classes, which answer for themselves.
    const std::vector<Tessam::Geometry3D::Vector>& PlaneDirections(std::size_t solid) const
    {
        return solidFaces[solid].planeDirections;
    }
    std::size_t LargestPlaneDirectionCount() const { return largestPlaneDirectionCount; }
    const std::vector<FlatFace>& FlatFaces(std::size_t solid) const { return solidFaces[solid].flatFaces; }
    const std::vector<std::size_t>& CurvedFaces(std::size_t solid) const
    {
        return solidFaces[solid].curvedFaces;
    }
    const std::vector<DeferredBox>& DeferredBoxes(std::size_t solid) const
    {
        return solidFaces[solid].deferredBoxes;
    }
    const std::vector<std::size_t>& OtherFaces(std::size_t solid) const
    {
        return solidFaces[solid].otherFaces;
    }
    // The other faces of the solid that may contain a point `face` contains
    // (MayShareAPoint), in face order.
    const std::vector<std::size_t>& Neighbours(std::size_t solid, std::size_t face) const
    {
        return solidFaces[solid].neighbours[face];
    }
    // Whether a flat face's plane normal, its normal everywhere, passes
    // IsUnitVector.
    bool HasUnitPlane(std::size_t solid, std::size_t face) const
    {
        return solidFaces[solid].unitPlanes[face] != 0;
    }
    // The largest magnitude of a bound of the solid's face boxes: the
    // deferred boxes are widened for rays from no farther out.
    double BoundMagnitude(std::size_t solid) const { return solidFaces[solid].boundMagnitude; }
    double DeferralWidening(std::size_t solid) const { return DeferralWideningFor(BoundMagnitude(solid)); }

private:
    // Far above the rounding, a few 1e-16 of the largest coordinate
    // involved, of the points where such a ray meets a face and of the line
    // parameters where it crosses a box's sides.
    static double DeferralWideningFor(double boundMagnitude) { return 1e-12 * (1.0 + 2.0 * boundMagnitude); }

    struct SolidFaces
    {
        std::vector<Tessam::Geometry3D::Vector> planeDirections;
        std::vector<FlatFace> flatFaces;
        std::vector<std::size_t> curvedFaces;
        std::vector<DeferredBox> deferredBoxes;
        std::vector<std::size_t> otherFaces;
        std::vector<std::vector<std::size_t>> neighbours;
        std::vector<char> unitPlanes;
        double boundMagnitude = 0.0;
    };

    std::vector<std::unique_ptr<const Tessam::Geometry3D::ISolid>> ownedSolids;
    // A view of ownedSolids.
    std::vector<const Tessam::Geometry3D::ISolid*> configuration;
    std::vector<std::vector<Tessam::Geometry3D::SurfaceShape>> faces;
    std::vector<SolidFaces> solidFaces;
    std::size_t largestFaceCount = 0;
    std::size_t largestPlaneDirectionCount = 0;
};

} // namespace Quoria
