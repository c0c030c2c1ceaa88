#pragma once

#include <cstdint>

namespace Quoria
{

// The two bulk waves of an isotropic solid: longitudinal (compression) and
// transverse (shear). Liquids carry only L.
enum class WaveMode : std::int32_t
{
    L = 0,
    T = 1
};

} // namespace Quoria
