#include "AcousticTracer.h"

#include "AcousticTracerState.h"

#include <stdexcept>

using Tessam::Geometry3D::ISolid;
using Tessam::Geometry3D::Solid;

namespace Quoria
{

AcousticTracerState::AcousticTracerState(const std::vector<const Solid*>& solids,
                                         const std::vector<Material>& materials)
    : scene(solids, "AcousticTracer::AcousticTracer"), materials(materials),
      walker(scene, "AcousticTracer::Trace")
{
    if (materials.size() != solids.size())
    {
        throw std::invalid_argument(
            "AcousticTracer::AcousticTracer : There must be one material per solid, in the same order.");
    }
}

AcousticTracer::AcousticTracer(const std::vector<const Solid*>& solids,
                               const std::vector<Material>& materials)
    : state(std::make_unique<AcousticTracerState>(solids, materials))
{
}

AcousticTracer::~AcousticTracer() = default;

std::vector<const ISolid*> AcousticTracer::GetConfiguration() const
{
    return state->scene.Configuration();
}

const std::vector<Material>& AcousticTracer::GetMaterials() const
{
    return state->materials;
}

} // namespace Quoria
