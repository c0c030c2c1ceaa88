#pragma once

#include "QuoriaExport.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

// The one tolerant comparison of doubles used by the whole geometry: an
// absolute test below the tolerance, otherwise a test relative to the larger
// magnitude. Every comparison is strict, and a NaN argument gives false.
// Defined here so that every caller inlines it.
QUORIA_API inline bool RelativeCheckEqual(double a, double b, double tolerance = 1e-11)
{
    const double difference = std::fabs(a - b);
    if (tolerance > difference)
    {
        return true;
    }
    // Two equal infinities differ by NaN; they are still equal.
    if (a == b)
    {
        return true;
    }
    const double larger = std::fabs(b) > std::fabs(a) ? std::fabs(b) : std::fabs(a);
    return larger * tolerance > difference;
}

} // namespace Geometry3D
} // namespace Tessam
