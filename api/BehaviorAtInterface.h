#pragma once

#include <cstdint>

namespace Quoria
{

// What a beam does at the interface where a leg ends. Any value other than
// Reflect and Transmit stops the trace.
enum BehaviorAtInterface : std::int32_t
{
    Reflect = 0,
    Transmit = 1,
    Stop = 2
};

} // namespace Quoria
