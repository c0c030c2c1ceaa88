#pragma once

#include <cstdint>

namespace Tessam
{
namespace Geometry3D
{

// How a closed contour turns seen from the tip of its plane normal.
enum WindingDirection : std::int32_t
{
    CounterClockwise = 0,
    Clockwise = 1
};

} // namespace Geometry3D
} // namespace Tessam
