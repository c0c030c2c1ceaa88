// Every exported factory fed arbitrary parameters: each call returns a solid
// or throws std::invalid_argument with a documented message. A solid that is
// returned must also survive being copied, compared and asked for its edges.

#include "FactoryCalls.h"
#include "FuzzInput.h"
#include "IContour.h"
#include "ISolid.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QuoriaFuzz::FuzzInput input(data, size);
    const int which = input.Choose(QuoriaFuzz::FactoryCount);
    const double scale = input.Flag() ? 8.0 : 1000.0;
    try
    {
        const std::unique_ptr<const Tessam::Geometry3D::Solid> solid(
            QuoriaFuzz::CallFactory(input, which, scale));
        if (!solid || solid->GetSurfaces().empty())
        {
            std::fprintf(stderr, "factory %d returned no solid or a solid without faces\n", which);
            std::abort();
        }
        const std::unique_ptr<const Tessam::Geometry3D::ISolid> copy(solid->Clone());
        (void)(*copy == *solid);
        if (input.Flag())
        {
            const std::unique_ptr<const Tessam::Geometry3D::IContour> edges(solid->GetContour());
        }
    }
    catch (const std::invalid_argument& error)
    {
        QuoriaFuzz::RequireDocumented(error);
    }
    return 0;
}
