#pragma once

#include "ISurface.h"
#include "Point.h"
#include "SlopeConfiguration.h"

#include <array>
#include <vector>

namespace Quoria
{

// The faces of the counterbored pipes, in the order the solids store them.
// The arguments must have passed the factory functions' validation; the
// caller owns the new surfaces.
std::vector<Tessam::Geometry3D::ISurface*>
CreateXOrientedCounterboredPipeSurfaces(const Tessam::Geometry3D::Point& centre, double innerRadius,
                                        double outerRadius, double length,
                                        const std::array<const SlopeConfiguration, 4>& slopes);
std::vector<Tessam::Geometry3D::ISurface*>
CreateYOrientedCounterboredPipeSurfaces(const Tessam::Geometry3D::Point& centre, double innerRadius,
                                        double outerRadius, double length,
                                        const std::array<const SlopeConfiguration, 4>& slopes);

} // namespace Quoria
