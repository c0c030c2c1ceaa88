#pragma once

#include "Point.h"
#include "QuoriaExport.h"
#include "SlopeConfiguration.h"
#include "Solid.h"

#include <array>

namespace Quoria
{

// Every factory returns a new solid that the caller owns. All lengths share
// the caller's unit; all angles are radians.

QUORIA_API const Tessam::Geometry3D::Solid* CreateAxisAlignedPlate(const Tessam::Geometry3D::Point& centre,
                                                                   double sizeX, double sizeY, double sizeZ);
QUORIA_API const Tessam::Geometry3D::Solid* CreateXOrientedBar(const Tessam::Geometry3D::Point& centre,
                                                               double radius, double length);
QUORIA_API const Tessam::Geometry3D::Solid* CreateYOrientedBar(const Tessam::Geometry3D::Point& centre,
                                                               double radius, double length);
QUORIA_API const Tessam::Geometry3D::Solid* CreateXOrientedPipe(const Tessam::Geometry3D::Point& centre,
                                                                double innerRadius, double outerRadius,
                                                                double length);
QUORIA_API const Tessam::Geometry3D::Solid* CreateYOrientedPipe(const Tessam::Geometry3D::Point& centre,
                                                                double innerRadius, double outerRadius,
                                                                double length);

QUORIA_API const Tessam::Geometry3D::Solid*
CreateAxisAlignedCounterboredPlate(const Tessam::Geometry3D::Point& centre, double sizeX, double sizeY,
                                   double sizeZ, std::array<const SlopeConfiguration, 4> slopes);
QUORIA_API const Tessam::Geometry3D::Solid*
CreateXOrientedCounterboredPipe(const Tessam::Geometry3D::Point& centre, double innerRadius,
                                double outerRadius, double length,
                                std::array<const SlopeConfiguration, 4> slopes);
QUORIA_API const Tessam::Geometry3D::Solid*
CreateYOrientedCounterboredPipe(const Tessam::Geometry3D::Point& centre, double innerRadius,
                                double outerRadius, double length,
                                std::array<const SlopeConfiguration, 4> slopes);

QUORIA_API const Tessam::Geometry3D::Solid*
CreateWedgeOnAxisAlignedPlate(const Tessam::Geometry3D::Point& probeSetOrigin, double length, double width,
                              double height, double wedgeAngle, double roofAngle, double rotationAngle);
QUORIA_API const Tessam::Geometry3D::Solid*
CreateWedgeOnXOrientedCylinder(const Tessam::Geometry3D::Point& probeSetOrigin, double length, double width,
                               double height, double wedgeAngle, double roofAngle,
                               const Tessam::Geometry3D::Point& cylinderCentroid);
QUORIA_API const Tessam::Geometry3D::Solid*
CreateWedgeOnYOrientedCylinder(const Tessam::Geometry3D::Point& probeSetOrigin, double length, double width,
                               double height, double wedgeAngle, double roofAngle,
                               const Tessam::Geometry3D::Point& cylinderCentroid);

} // namespace Quoria
