#pragma once

#include "CustomSolid.h"
#include "ISurface.h"
#include "Solid.h"

#include <memory>
#include <utility>
#include <vector>

namespace Quoria
{

// The factory builders keep their new surfaces owned until they hand them
// over, so that a constructor throwing half-way through leaks nothing.
using OwnedSurfaces = std::vector<std::unique_ptr<Tessam::Geometry3D::ISurface>>;

// Takes ownership of a surface that was just allocated.
inline void Append(OwnedSurfaces& surfaces, Tessam::Geometry3D::ISurface* surface)
{
    std::unique_ptr<Tessam::Geometry3D::ISurface> owned(surface);
    surfaces.push_back(std::move(owned));
}

inline void Append(OwnedSurfaces& surfaces, std::unique_ptr<Tessam::Geometry3D::ISurface> surface)
{
    surfaces.push_back(std::move(surface));
}

// Hands the surfaces over as raw pointers; the caller then owns them.
inline std::vector<Tessam::Geometry3D::ISurface*> ReleaseSurfaces(OwnedSurfaces& surfaces)
{
    std::vector<Tessam::Geometry3D::ISurface*> released;
    released.reserve(surfaces.size());
    for (std::unique_ptr<Tessam::Geometry3D::ISurface>& surface : surfaces)
    {
        released.push_back(surface.release());
    }
    surfaces.clear();
    return released;
}

// A solid over copies of new surfaces, which are deleted whatever happens.
inline const Tessam::Geometry3D::Solid*
CreateCustomSolid(const std::vector<Tessam::Geometry3D::ISurface*>& surfaces)
{
    OwnedSurfaces owned;
    try
    {
        owned.reserve(surfaces.size());
    }
    catch (...)
    {
        // Out of memory before anyone owns the surfaces.
        for (Tessam::Geometry3D::ISurface* surface : surfaces)
        {
            delete surface;
        }
        throw;
    }
    for (Tessam::Geometry3D::ISurface* surface : surfaces)
    {
        owned.emplace_back(surface);
    }
    return new Tessam::Geometry3D::CustomSolid(surfaces);
}

} // namespace Quoria
