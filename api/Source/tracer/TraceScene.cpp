#include "TraceScene.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

using Tessam::Geometry3D::ISolid;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::ShapeKind;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::SurfaceShape;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

namespace
{
// Faces whose normals are equal or opposite, component by component, share
// a direction. Components that differ only in the sign of a zero change a
// product with a ray only where it is zero: the ray then runs along the
// plane, or starts on it, and the plane offers no point either way.
void AddPlaneDirection(const Vector& normal, std::vector<Vector>& directions, FaceRoute& plane)
{
    for (std::size_t i = 0; i < directions.size(); ++i)
    {
        if (normal == directions[i] || normal == directions[i] * -1.0)
        {
            plane.direction = i;
            plane.sign = normal == directions[i] ? 1.0 : -1.0;
            return;
        }
    }
    plane.direction = directions.size();
    plane.sign = 1.0;
    directions.push_back(normal);
}

// Deferring a face costs about as much as working it out at once when
// most faces are met anyway; among many curved faces, most lie beyond the
// face hit.
void DeferCurvedFaces(const std::vector<SurfaceShape>& shapes, std::vector<FaceRoute>& routes)
{
    std::size_t boundedCurvedFaces = 0;
    for (const SurfaceShape& shape : shapes)
    {
        if (shape.bounded && (shape.kind == ShapeKind::Cylinder || shape.kind == ShapeKind::Cone))
        {
            ++boundedCurvedFaces;
        }
    }
    if (boundedCurvedFaces < 4)
    {
        return;
    }
    for (std::size_t face = 0; face < shapes.size(); ++face)
    {
        const SurfaceShape& shape = shapes[face];
        routes[face].deferred =
            shape.bounded && (shape.kind == ShapeKind::Cylinder || shape.kind == ShapeKind::Cone);
    }
}

// Boxes that touch meet; a face without a box meets every other.
bool BoxesMeet(const SurfaceShape& first, const SurfaceShape& second)
{
    if (!first.bounded || !second.bounded)
    {
        return true;
    }
    for (int k = 0; k < 3; ++k)
    {
        if (first.high[k] < second.low[k] || second.high[k] < first.low[k])
        {
            return false;
        }
    }
    return true;
}
} // namespace

TraceScene::TraceScene(const std::vector<const Solid*>& solids, const char* owner, FaceCulling culling)
    : culling(culling)
{
    if (solids.empty())
    {
        throw std::invalid_argument(std::string(owner) +
                                    " : The configuration must contain at least one solid.");
    }
    for (const Solid* solid : solids)
    {
        if (solid == nullptr)
        {
            throw std::invalid_argument(std::string(owner) +
                                        " : The configuration must not contain a null solid.");
        }
    }
    ownedSolids.reserve(solids.size());
    configuration.reserve(solids.size());
    for (const Solid* solid : solids)
    {
        // Owned before anything else can throw, so a failing Clone further on
        // releases the copies already made.
        ownedSolids.emplace_back(std::unique_ptr<const ISolid>(solid->Clone()));
        configuration.push_back(ownedSolids.back().get());
    }
    faces.reserve(configuration.size());
    solidFaces.reserve(configuration.size());
    for (const ISolid* solid : configuration)
    {
        std::vector<SurfaceShape> shapes;
        SolidFaces described;
        for (const ISurface* surface : solid->GetSurfaces())
        {
            shapes.push_back(Tessam::Geometry3D::DescribeSurface(surface));
            SurfaceShape& shape = shapes.back();
            if (culling == FaceCulling::Off)
            {
                shape.bounded = false;
            }
            FaceRoute plane;
            if (shape.kind == ShapeKind::Plane)
            {
                plane.offset = shape.plane->GetOffset();
                if (culling == FaceCulling::On)
                {
                    AddPlaneDirection(shape.plane->GetNormal(), described.planeDirections, plane);
                }
                else
                {
                    plane.direction = described.planeDirections.size();
                    described.planeDirections.push_back(shape.plane->GetNormal());
                }
            }
            described.routes.push_back(plane);
        }
        DeferCurvedFaces(shapes, described.routes);
        for (std::size_t face = 0; face < shapes.size(); ++face)
        {
            std::vector<std::size_t> neighbours;
            for (std::size_t other = 0; other < shapes.size(); ++other)
            {
                if (other != face && BoxesMeet(shapes[face], shapes[other]))
                {
                    neighbours.push_back(other);
                }
            }
            described.neighbours.push_back(std::move(neighbours));
            if (shapes[face].bounded)
            {
                for (int k = 0; k < 3; ++k)
                {
                    described.boundMagnitude =
                        std::max(described.boundMagnitude,
                                 std::max(std::fabs(shapes[face].low[k]), std::fabs(shapes[face].high[k])));
                }
            }
        }
        const double widening = 1e-12 * (1.0 + 2.0 * described.boundMagnitude);
        for (std::size_t face = 0; face < shapes.size(); ++face)
        {
            if (described.routes[face].deferred)
            {
                DeferredBox box{};
                for (int k = 0; k < 3; ++k)
                {
                    box.low[k] = shapes[face].low[k] - widening;
                    box.high[k] = shapes[face].high[k] + widening;
                }
                box.face = face;
                described.deferredBoxes.push_back(box);
            }
        }
        largestFaceCount = std::max(largestFaceCount, shapes.size());
        largestPlaneDirectionCount = std::max(largestPlaneDirectionCount, described.planeDirections.size());
        faces.push_back(std::move(shapes));
        solidFaces.push_back(std::move(described));
    }
}

} // namespace Quoria
