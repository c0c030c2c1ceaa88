#pragma once

#include "Material.h"
#include "TraceScene.h"
#include "TraceWalker.h"

#include <vector>

namespace Quoria
{

// Begins the messages of a refused or failed trace of sound, whether the
// beam was traced alone or in a batch.
inline constexpr const char* AcousticTraceMethod = "AcousticTracer::Trace";

// What an AcousticTracer holds: its copies of the solids with their faces,
// one material per solid, and the working state of its one trace at a time.
class AcousticTracerState
{
public:
    AcousticTracerState(const std::vector<const Tessam::Geometry3D::Solid*>& solids,
                        const std::vector<Material>& materials);

    TraceScene scene;
    const std::vector<Material> materials;
    TraceWalker walker;
};

} // namespace Quoria
