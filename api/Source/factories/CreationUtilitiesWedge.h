#pragma once

#include "CylindricalArcSurface.h"
#include "ISurface.h"
#include "Point.h"
#include "Polygon.h"

#include <vector>

namespace Quoria
{

// The checks and face builders shared by the wedge factories. All lengths
// share the caller's unit, all angles are radians; every new object belongs
// to the caller.
class CreationUtilitiesWedge
{
public:
    CreationUtilitiesWedge() = delete;

    // A zero height passes.
    static void CheckSizes(double length, double width, double height);
    // The wedge angle may reach +-pi/2; the roof angle must be exactly 0.
    static void CheckAngles(double wedgeAngle, double roofAngle);

    // Faces in the order: top, bottom, low end, tall end, side at -y, side at +y.
    static std::vector<Tessam::Geometry3D::ISurface*>
    CreateSurfacesOnPlate(const Tessam::Geometry3D::Point& probeSetOrigin, double length, double width,
                          double height, double wedgeAngle, double roofAngle, double rotationAngle);
    static std::vector<Tessam::Geometry3D::ISurface*>
    CreateSurfacesOnXOrientedCylinder(const Tessam::Geometry3D::Point& probeSetOrigin, double length,
                                      double width, double height, double wedgeAngle, double roofAngle,
                                      const Tessam::Geometry3D::Point& cylinderCentroid);
    static std::vector<Tessam::Geometry3D::ISurface*>
    CreateSurfacesOnYOrientedCylinder(const Tessam::Geometry3D::Point& probeSetOrigin, double length,
                                      double width, double height, double wedgeAngle, double roofAngle,
                                      const Tessam::Geometry3D::Point& cylinderCentroid);

    static Tessam::Geometry3D::Polygon* CreatePolygon(const Tessam::Geometry3D::Point& p0,
                                                      const Tessam::Geometry3D::Point& p1,
                                                      const Tessam::Geometry3D::Point& p2,
                                                      const Tessam::Geometry3D::Point& p3);

    // The bottom of a wedge whose tall end stands at `tallEndOnAxis`, the
    // point of the cylinder's axis level with the wedge's tall end; its arc
    // is centred on the angle `theta` about +x.
    static Tessam::Geometry3D::CylindricalArcSurface*
    CreateBottomOnXOrientedCylinder(const Tessam::Geometry3D::Point& tallEndOnAxis, double length,
                                    double width, double radius, double theta);
    // The bottom of a wedge centred on `middleOnAxis`, the point of the
    // cylinder's axis level with the middle of the wedge's width; its arc is
    // centred on the angle `theta` about +y.
    static Tessam::Geometry3D::CylindricalArcSurface*
    CreateBottomOnYOrientedCylinder(const Tessam::Geometry3D::Point& middleOnAxis, double length,
                                    double width, double radius, double theta);
};

} // namespace Quoria
