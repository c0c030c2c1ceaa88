#pragma once

#include "ISurface.h"
#include "Point.h"
#include "Polygon.h"
#include "SlopeConfiguration.h"

#include <array>
#include <vector>

namespace Quoria
{

// The faces of an axis-aligned counterbored plate, in storage order: the
// middle faces, the slopes and outer faces of each quadrant, the two sides,
// then front and back. Arguments are expected to be valid already; the
// caller owns the new polygons.
std::vector<Tessam::Geometry3D::ISurface*>
CreateCounterboredPlateSurfaces(const Tessam::Geometry3D::Point& centre, double sizeX, double sizeY,
                                double sizeZ, const std::array<const SlopeConfiguration, 4>& slopes);

// A new polygon through the candidates that are exactly vertices of other
// faces, each kept once, in candidate order.
Tessam::Geometry3D::Polygon*
CreatePolygonFromValidAndUniquePoints(const std::vector<Tessam::Geometry3D::Point>& candidates,
                                      const std::vector<Tessam::Geometry3D::Point>& allVertices);

} // namespace Quoria
