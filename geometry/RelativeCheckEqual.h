#pragma once

#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// The one tolerant comparison of doubles used by the whole geometry: an
// absolute test below the tolerance, otherwise a test relative to the larger
// magnitude. Every comparison is strict, and a NaN argument gives false.
QUORIA_API bool RelativeCheckEqual(double a, double b, double tolerance = 1e-11);

} // namespace Geometry3D
} // namespace Tessam
