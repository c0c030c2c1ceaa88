#include "TraceScene.h"

#include <algorithm>
#include <stdexcept>
#include <string>

using Tessam::Geometry3D::ISolid;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Solid;

namespace Quoria
{

TraceScene::TraceScene(const std::vector<const Solid*>& solids, const char* owner)
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
        std::vector<Tessam::Geometry3D::SurfaceShape> shapes;
        for (const ISurface* surface : solid->GetSurfaces())
        {
            shapes.push_back(Tessam::Geometry3D::DescribeSurface(surface));
        }
        largestFaceCount = std::max(largestFaceCount, shapes.size());
        faces.push_back(std::move(shapes));
    }
}

} // namespace Quoria
