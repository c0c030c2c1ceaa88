#include "TraceScene.h"

#include "TraceRules.h"

#include <algorithm>
#include <cmath>
#include <limits>
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
void AddPlaneDirection(const Vector& normal, double offset, std::vector<Vector>& directions, FlatFace& flat)
{
    for (std::size_t i = 0; i < directions.size(); ++i)
    {
        if (normal == directions[i] || normal == directions[i] * -1.0)
        {
            flat.direction = i;
            flat.directedOffset = normal == directions[i] ? offset : -offset;
            return;
        }
    }
    flat.direction = directions.size();
    flat.directedOffset = offset;
    directions.push_back(normal);
}

bool IsCurved(const SurfaceShape& shape)
{
    return shape.kind == ShapeKind::Cylinder || shape.kind == ShapeKind::Cone;
}

// Deferring a face costs about as much as working it out at once when
// most faces are met anyway; among many curved faces, most lie beyond the
// face hit.
bool DefersCurvedFaces(const std::vector<SurfaceShape>& shapes)
{
    std::size_t boundedCurvedFaces = 0;
    for (const SurfaceShape& shape : shapes)
    {
        if (shape.bounded && IsCurved(shape))
        {
            ++boundedCurvedFaces;
        }
    }
    return boundedCurvedFaces >= 4;
}

} // namespace

TraceScene::TraceScene(const std::vector<const Solid*>& solids, const char* owner, FaceCulling culling)
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
        for (const ISurface* surface : solid->GetSurfaces())
        {
            shapes.push_back(Tessam::Geometry3D::DescribeSurface(surface));
            if (culling == FaceCulling::Off)
            {
                shapes.back().bounded = false;
            }
        }
        SolidFaces described;
        for (std::size_t face = 0; face < shapes.size(); ++face)
        {
            std::vector<std::size_t> neighbours;
            for (std::size_t other = 0; other < shapes.size(); ++other)
            {
                if (other != face && Tessam::Geometry3D::MayShareAPoint(shapes[face], shapes[other]))
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
        const bool defers = culling == FaceCulling::On && DefersCurvedFaces(shapes);
        const double widening = DeferralWideningFor(described.boundMagnitude);
        for (std::size_t face = 0; face < shapes.size(); ++face)
        {
            const SurfaceShape& shape = shapes[face];
            described.unitPlanes.push_back(shape.kind == ShapeKind::Plane &&
                                           IsUnitVector(shape.plane->GetNormal()));
            if (shape.kind == ShapeKind::Plane)
            {
                FlatFace flat{};
                flat.face = face;
                if (culling == FaceCulling::On)
                {
                    AddPlaneDirection(shape.plane->GetNormal(), shape.plane->GetOffset(),
                                      described.planeDirections, flat);
                }
                else
                {
                    flat.direction = described.planeDirections.size();
                    flat.directedOffset = shape.plane->GetOffset();
                    described.planeDirections.push_back(shape.plane->GetNormal());
                }
                const double infinity = std::numeric_limits<double>::infinity();
                for (int k = 0; k < 3; ++k)
                {
                    flat.low[k] = shape.bounded ? shape.low[k] : -infinity;
                    flat.high[k] = shape.bounded ? shape.high[k] : infinity;
                }
                described.flatFaces.push_back(flat);
            }
            else if (IsCurved(shape) && defers && shape.bounded)
            {
                DeferredBox box{};
                for (int k = 0; k < 3; ++k)
                {
                    box.bounds[0][k] = shape.low[k] - widening;
                    box.bounds[1][k] = shape.high[k] + widening;
                }
                box.face = face;
                described.deferredBoxes.push_back(box);
            }
            else if (IsCurved(shape))
            {
                described.curvedFaces.push_back(face);
            }
            else
            {
                described.otherFaces.push_back(face);
            }
        }
        largestFaceCount = std::max(largestFaceCount, shapes.size());
        largestPlaneDirectionCount = std::max(largestPlaneDirectionCount, described.planeDirections.size());
        faces.push_back(std::move(shapes));
        solidFaces.push_back(std::move(described));
    }
}

} // namespace Quoria
