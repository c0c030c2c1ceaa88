#include "CreationUtilitiesWedge.h"
#include "Factories.h"
#include "FactorySurfaces.h"

namespace Quoria
{

using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Solid;

const Solid* CreateWedgeOnAxisAlignedPlate(const Point& probeSetOrigin, double length, double width,
                                           double height, double wedgeAngle, double roofAngle,
                                           double rotationAngle)
{
    CreationUtilitiesWedge::CheckSizes(length, width, height);
    CreationUtilitiesWedge::CheckAngles(wedgeAngle, roofAngle);
    return CreateCustomSolid(CreationUtilitiesWedge::CreateSurfacesOnPlate(
        probeSetOrigin, length, width, height, wedgeAngle, roofAngle, rotationAngle));
}

const Solid* CreateWedgeOnXOrientedCylinder(const Point& probeSetOrigin, double length, double width,
                                            double height, double wedgeAngle, double roofAngle,
                                            const Point& cylinderCentroid)
{
    CreationUtilitiesWedge::CheckSizes(length, width, height);
    CreationUtilitiesWedge::CheckAngles(wedgeAngle, roofAngle);
    return CreateCustomSolid(CreationUtilitiesWedge::CreateSurfacesOnXOrientedCylinder(
        probeSetOrigin, length, width, height, wedgeAngle, roofAngle, cylinderCentroid));
}

const Solid* CreateWedgeOnYOrientedCylinder(const Point& probeSetOrigin, double length, double width,
                                            double height, double wedgeAngle, double roofAngle,
                                            const Point& cylinderCentroid)
{
    CreationUtilitiesWedge::CheckSizes(length, width, height);
    CreationUtilitiesWedge::CheckAngles(wedgeAngle, roofAngle);
    return CreateCustomSolid(CreationUtilitiesWedge::CreateSurfacesOnYOrientedCylinder(
        probeSetOrigin, length, width, height, wedgeAngle, roofAngle, cylinderCentroid));
}

} // namespace Quoria
