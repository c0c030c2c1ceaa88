#include "CreationUtilitiesWedge.h"

#include "Angle.h"
#include "AngularPosition.h"
#include "ComplexFlatSurface.h"
#include "Disk.h"
#include "FactorySurfaces.h"
#include "Rejection.h"

#include <array>
#include <cmath>
#include <memory>

namespace Quoria
{

using Tessam::Geometry3D::Angle;
using Tessam::Geometry3D::AngleAboutAxis;
using Tessam::Geometry3D::ComplexFlatSurface;
using Tessam::Geometry3D::CylindricalArcSurface;
using Tessam::Geometry3D::Disk;
using Tessam::Geometry3D::HalfPi;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Polygon;
using Tessam::Geometry3D::RejectIf;
using Tessam::Geometry3D::Vector;

namespace
{

// The corners c0 ... c7 in the wedge's own frame: length along x with the
// tall end at `tallX`, width along y, +z pointing into the specimen.
using Corners = std::array<Vector, 8>;
using PlacedCorners = std::array<Point, 8>;

Corners MakeCorners(double tallX, double lowX, double width, double bottom, double tallTop, double lowTop)
{
    const double halfWidth = width / 2.0;
    return {Vector(tallX, -halfWidth, bottom), Vector(tallX, -halfWidth, tallTop),
            Vector(lowX, -halfWidth, lowTop),  Vector(lowX, -halfWidth, bottom),
            Vector(tallX, halfWidth, bottom),  Vector(tallX, halfWidth, tallTop),
            Vector(lowX, halfWidth, lowTop),   Vector(lowX, halfWidth, bottom)};
}

// Turns the wedge, which stands on the top of a cylinder of the given radius,
// about that cylinder's axis, which passes through `onAxis`. Where the axis
// lies at depth `radius` under the coordinate axis line, this chain gives, to
// the bit, the corners of turning about the line at that depth; keep its form.
template <typename Rotation>
PlacedCorners PlaceOnCylinder(const Corners& corners, const Point& onAxis, double radius, Rotation rotate)
{
    PlacedCorners placed;
    for (std::size_t i = 0; i < corners.size(); ++i)
    {
        placed[i] = onAxis + rotate(corners[i] - Vector(0.0, 0.0, radius));
    }
    return placed;
}

// The distance in the cross-section from the cylinder's axis to the probe
// set origin, offset from the axis by `across` and `down`, once the wedge's
// chord is known to fit across the cylinder.
double RadiusUnderChord(double across, double down, double chord, const char* tooLarge)
{
    const double radius = std::sqrt(across * across + down * down);
    RejectIf(chord / (2.0 * radius) > 1.0, tooLarge);
    return radius;
}

// The wedge on a cylinder stands on a chord of `chord` across the cylinder's
// curvature; its ends lie this far below the top of the arc.
double Sagitta(double radius, double chord)
{
    return radius - std::sqrt(radius * radius - chord * chord / 4.0);
}

// A flat face with the cylinder's cross-section cut away, so that it ends on
// the wedge's curved bottom.
std::unique_ptr<ISurface> CutByCylinder(const Point& p0, const Point& p1, const Point& p2, const Point& p3,
                                        const Disk& crossSection)
{
    const std::unique_ptr<Polygon> whole(CreationUtilitiesWedge::CreatePolygon(p0, p1, p2, p3));
    return std::unique_ptr<ISurface>(ComplexFlatSurface::CreateDifference(whole.get(), &crossSection));
}

// The band of the cylinder's mantle under the wedge's chord, centred on the
// angle `theta` about the axis from the top direction (0, 0, -1).
CylindricalArcSurface* CreateBottomArc(const Point& centroid, double radius, double extent,
                                       const Vector& axis, double chord, double theta)
{
    const double centralAngle = 2.0 * std::asin(chord / (2.0 * radius));
    const Angle firstAngle = Angle::FromRadians(theta - centralAngle / 2.0);
    const Angle lastAngle = Angle::FromRadians(theta + centralAngle / 2.0);
    return new CylindricalArcSurface(centroid, radius, extent, axis, Vector(0.0, 0.0, -1.0), firstAngle,
                                     lastAngle, false);
}

} // namespace

void CreationUtilitiesWedge::CheckSizes(double length, double width, double height)
{
    RejectIf(length <= 0.0 || width <= 0.0 || height < 0.0,
             "CreationUtilitiesWedge : Wedge sizes must be larger than 0.");
}

void CreationUtilitiesWedge::CheckAngles(double wedgeAngle, double roofAngle)
{
    RejectIf(wedgeAngle < -HalfPi || wedgeAngle > HalfPi,
             "CreationUtilitiesWedge : Wedge angle must be contained within [-90\xB0"
             ", 90\xB0"
             "].");
    RejectIf(roofAngle != 0.0, "CreationUtilitiesWedge : Roof angle must be equal to 0\xB0"
                               ".");
}

Polygon* CreationUtilitiesWedge::CreatePolygon(const Point& p0, const Point& p1, const Point& p2,
                                               const Point& p3)
{
    return new Polygon({p0, p1, p2, p3});
}

// The roof angle has been checked to be 0 and adds nothing to the corners.
std::vector<ISurface*> CreationUtilitiesWedge::CreateSurfacesOnPlate(const Point& probeSetOrigin,
                                                                     double length, double width,
                                                                     double height, double wedgeAngle,
                                                                     double /*roofAngle*/,
                                                                     double rotationAngle)
{
    const Corners corners =
        MakeCorners(0.0, -length, width, 0.0, -height - length * std::tan(wedgeAngle), -height);
    PlacedCorners c;
    for (std::size_t i = 0; i < corners.size(); ++i)
    {
        c[i] = probeSetOrigin + corners[i].Rotate(rotationAngle, Vector(0.0, 0.0, 1.0));
    }

    OwnedSurfaces surfaces;
    Append(surfaces, CreatePolygon(c[6], c[2], c[1], c[5]));
    Append(surfaces, CreatePolygon(c[7], c[4], c[0], c[3]));
    Append(surfaces, CreatePolygon(c[6], c[7], c[3], c[2]));
    Append(surfaces, CreatePolygon(c[1], c[0], c[4], c[5]));
    Append(surfaces, CreatePolygon(c[2], c[3], c[0], c[1]));
    Append(surfaces, CreatePolygon(c[6], c[5], c[4], c[7]));
    return ReleaseSurfaces(surfaces);
}

// The wedge is turned about the cylinder's own axis, so that its tall end
// stands at the probe set origin wherever that lies on the cylinder, and its
// end faces are cut by the cylinder's cross-section on that axis.
std::vector<ISurface*>
CreationUtilitiesWedge::CreateSurfacesOnXOrientedCylinder(const Point& probeSetOrigin, double length,
                                                          double width, double height, double wedgeAngle,
                                                          double /*roofAngle*/, const Point& cylinderCentroid)
{
    const double dy = probeSetOrigin.Y() - cylinderCentroid.Y();
    const double dz = probeSetOrigin.Z() - cylinderCentroid.Z();
    const double radius = RadiusUnderChord(dy, dz, width,
                                           "CreationUtilitiesWedge : The width of the wedge is too large "
                                           "compared to the cylinder's radius.");
    const double sagitta = Sagitta(radius, width);
    const Corners corners =
        MakeCorners(0.0, -length, width, sagitta, -height - length * std::tan(wedgeAngle), -height);
    const double theta =
        AngleAboutAxis(Vector(0.0, dy, dz).Normalized(), Vector(0.0, 0.0, -1.0), Vector(1.0, 0.0, 0.0));
    const Point tallEndOnAxis(probeSetOrigin.X(), cylinderCentroid.Y(), cylinderCentroid.Z());
    const PlacedCorners c = PlaceOnCylinder(corners, tallEndOnAxis, radius,
                                            [theta](const Vector& v) { return v.RotateAroundX(theta); });
    const Disk lowEndSection(tallEndOnAxis + Vector(-length, 0.0, 0.0), radius, Vector(1.0, 0.0, 0.0));
    const Disk tallEndSection(tallEndOnAxis, radius, Vector(-1.0, 0.0, 0.0));

    OwnedSurfaces surfaces;
    Append(surfaces, CreatePolygon(c[6], c[2], c[1], c[5]));
    Append(surfaces, CreateBottomOnXOrientedCylinder(tallEndOnAxis, length, width, radius, theta));
    Append(surfaces, CutByCylinder(c[6], c[7], c[3], c[2], lowEndSection));
    Append(surfaces, CutByCylinder(c[1], c[0], c[4], c[5], tallEndSection));
    Append(surfaces, CreatePolygon(c[2], c[3], c[0], c[1]));
    Append(surfaces, CreatePolygon(c[6], c[5], c[4], c[7]));
    return ReleaseSurfaces(surfaces);
}

// As on the x-oriented cylinder; the wedge's width runs along the axis and
// is centred on the probe set origin's level in y.
std::vector<ISurface*>
CreationUtilitiesWedge::CreateSurfacesOnYOrientedCylinder(const Point& probeSetOrigin, double length,
                                                          double width, double height, double wedgeAngle,
                                                          double /*roofAngle*/, const Point& cylinderCentroid)
{
    const double dx = probeSetOrigin.X() - cylinderCentroid.X();
    const double dz = probeSetOrigin.Z() - cylinderCentroid.Z();
    const double radius = RadiusUnderChord(dx, dz, length,
                                           "CreationUtilitiesWedge : The length of the wedge is too large "
                                           "compared to the cylinder's radius.");
    const double sagitta = Sagitta(radius, length);
    const double halfLength = length / 2.0;
    const Corners corners = MakeCorners(halfLength, -halfLength, width, sagitta,
                                        -height - length * std::tan(wedgeAngle) + sagitta, -height + sagitta);
    // Turned past the origin's angle by half the chord's angle, so that the
    // tall end, not the middle, comes to lie at the probe set origin.
    const double theta =
        AngleAboutAxis(Vector(dx, 0.0, dz).Normalized(), Vector(0.0, 0.0, -1.0), Vector(0.0, 1.0, 0.0)) +
        std::asin(length / (2.0 * radius));
    const Point middleOnAxis(cylinderCentroid.X(), probeSetOrigin.Y(), cylinderCentroid.Z());
    const PlacedCorners c = PlaceOnCylinder(corners, middleOnAxis, radius,
                                            [theta](const Vector& v) { return v.RotateAroundY(theta); });
    const double halfWidth = width / 2.0;
    const Disk minusYSection(middleOnAxis + Vector(0.0, -halfWidth, 0.0), radius, Vector(0.0, 1.0, 0.0));
    const Disk plusYSection(middleOnAxis + Vector(0.0, halfWidth, 0.0), radius, Vector(0.0, -1.0, 0.0));

    OwnedSurfaces surfaces;
    Append(surfaces, CreatePolygon(c[6], c[2], c[1], c[5]));
    Append(surfaces, CreateBottomOnYOrientedCylinder(middleOnAxis, length, width, radius, theta));
    Append(surfaces, CreatePolygon(c[6], c[7], c[3], c[2]));
    Append(surfaces, CreatePolygon(c[1], c[0], c[4], c[5]));
    Append(surfaces, CutByCylinder(c[2], c[3], c[0], c[1], minusYSection));
    Append(surfaces, CutByCylinder(c[6], c[5], c[4], c[7], plusYSection));
    return ReleaseSurfaces(surfaces);
}

CylindricalArcSurface* CreationUtilitiesWedge::CreateBottomOnXOrientedCylinder(const Point& tallEndOnAxis,
                                                                               double length, double width,
                                                                               double radius, double theta)
{
    return CreateBottomArc(tallEndOnAxis + Vector(-length / 2.0, 0.0, 0.0), radius, length,
                           Vector(1.0, 0.0, 0.0), width, theta);
}

CylindricalArcSurface* CreationUtilitiesWedge::CreateBottomOnYOrientedCylinder(const Point& middleOnAxis,
                                                                               double length, double width,
                                                                               double radius, double theta)
{
    return CreateBottomArc(middleOnAxis, radius, width, Vector(0.0, 1.0, 0.0), length, theta);
}

} // namespace Quoria
