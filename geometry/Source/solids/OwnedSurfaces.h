#pragma once

#include "ISurface.h"

#include <memory>
#include <utility>
#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// Solids own their surfaces through unique_ptr, so that a constructor that
// throws half-way leaks nothing, and hand out the raw-pointer view that
// GetSurfaces returns by reference; both lists grow together.
inline void AppendOwnedSurface(std::vector<std::unique_ptr<const ISurface>>& ownedSurfaces,
                               std::vector<const ISurface*>& surfaces,
                               std::unique_ptr<const ISurface> surface)
{
    ownedSurfaces.push_back(std::move(surface));
    surfaces.push_back(ownedSurfaces.back().get());
}

// Clones of the given surfaces, in order: what a solid's copy constructor
// and CustomSolid's constructor own.
template <typename Surfaces>
void AppendClones(std::vector<std::unique_ptr<const ISurface>>& ownedSurfaces,
                  std::vector<const ISurface*>& surfaces, const Surfaces& originals)
{
    for (const ISurface* original : originals)
    {
        AppendOwnedSurface(ownedSurfaces, surfaces, std::unique_ptr<const ISurface>(original->Clone()));
    }
}

// A solid's surfaces of one class as a list of one of its base classes.
template <typename Base, typename Kind>
std::vector<const Base*> AsBaseKind(const std::vector<const Kind*>& ofKind)
{
    return std::vector<const Base*>(ofKind.begin(), ofKind.end());
}

} // namespace Geometry3D
} // namespace Tessam
