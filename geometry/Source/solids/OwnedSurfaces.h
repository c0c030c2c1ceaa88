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

} // namespace Geometry3D
} // namespace Tessam
