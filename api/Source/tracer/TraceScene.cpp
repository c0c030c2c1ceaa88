#include "TraceScene.h"

#include <algorithm>
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
void AddPlaneDirection(const Vector& normal, std::vector<Vector>& directions, FacePlane& plane)
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
    for (const ISolid* solid : configuration)
    {
        std::vector<SurfaceShape> shapes;
        std::vector<Vector> directions;
        std::vector<FacePlane> planes;
        for (const ISurface* surface : solid->GetSurfaces())
        {
            shapes.push_back(Tessam::Geometry3D::DescribeSurface(surface));
            SurfaceShape& shape = shapes.back();
            FacePlane plane;
            if (shape.kind == ShapeKind::Plane)
            {
                plane.offset = shape.plane->GetOffset();
                if (culling == FaceCulling::On)
                {
                    AddPlaneDirection(shape.plane->GetNormal(), directions, plane);
                }
                else
                {
                    plane.direction = directions.size();
                    directions.push_back(shape.plane->GetNormal());
                }
            }
            if (culling == FaceCulling::Off)
            {
                shape.bounded = false;
            }
            planes.push_back(plane);
        }
        largestFaceCount = std::max(largestFaceCount, shapes.size());
        largestPlaneDirectionCount = std::max(largestPlaneDirectionCount, directions.size());
        faces.push_back(std::move(shapes));
        planeDirections.push_back(std::move(directions));
        facePlanes.push_back(std::move(planes));
    }
}

} // namespace Quoria
