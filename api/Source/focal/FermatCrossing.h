#pragma once

#include "FocalLaws.h"
#include "Point.h"
#include "SharedFaces.h"
#include "SurfaceShape.h"
#include "Vector.h"

#include <vector>

namespace Quoria
{

// The least time, over the crossing x in [0, |span|] (with the sign of
// span), of sqrt(h1^2 + x^2) / v1 + sqrt(h2^2 + (span - x)^2) / v2: the two
// legs of a path between points at heights h1 and h2 on either side of a
// plane, `span` apart along it, or along a cylinder's generatrix. Snell's
// law holds there. Both heights must be positive.
double RefractionOffset(double firstHeight, double secondHeight, double span, double firstSpeed,
                        double secondSpeed);

// One path of stationary time across a shared face.
struct FermatPath
{
    // NoStationaryPath where none was found; then nothing else is set.
    FocalPathStatus status = FocalPathStatus::NoStationaryPath;
    Tessam::Geometry3D::Point crossing;
    // Microseconds.
    double time = 0.0;
    // From the face's normal, in the second solid.
    double refractionAngle = 0.0;
};

// Paths from points of one solid across one of its shared faces to points of
// the other solid, each found by a bracketed root-finder on the face's own
// coordinates: the distance along the plane of incidence on a plane; the
// angle about the axis on a cylinder, the axial position for each angle
// being the plane's problem along the generatrix. On a plane the time has one
// minimum. On a cylinder the search follows the time downhill from its start,
// within the arc the outside point sees, to the nearest minimum: the only
// one for a wedge on a pipe or bar. Read-only once built.
class FermatCrossing
{
public:
    // Keeps references: the faces must outlive it. Speeds in m/s.
    FermatCrossing(const SharedFace& face, const std::vector<Tessam::Geometry3D::SurfaceShape>& firstFaces,
                   const std::vector<Tessam::Geometry3D::SurfaceShape>& secondFaces, double firstSpeed,
                   double secondSpeed);

    // On a cylinder, `angleGuess` is the angle about the axis of a nearby
    // path's crossing (NaN for none, to start from the straight line); it
    // receives this path's.
    FermatPath Solve(const Tessam::Geometry3D::Point& from, const Tessam::Geometry3D::Point& to,
                     double& angleGuess) const;

private:
    // What a point looks like in the cylinder's frame.
    struct AxialPoint
    {
        double axial;
        double u;
        double w;
        double radius;
    };
    AxialPoint ToAxial(const Tessam::Geometry3D::Point& point) const;

    bool SolvePlane(const Tessam::Geometry3D::Point& from, const Tessam::Geometry3D::Point& to,
                    Tessam::Geometry3D::Point& crossing) const;
    bool SolveCylinder(const Tessam::Geometry3D::Point& from, const Tessam::Geometry3D::Point& to,
                       double& angleGuess, Tessam::Geometry3D::Point& crossing) const;
    // Checks where the path crosses and whether its legs stay in their
    // solids; times it.
    FermatPath Complete(const Tessam::Geometry3D::Point& from, const Tessam::Geometry3D::Point& to,
                        const Tessam::Geometry3D::Point& crossing) const;

    const SharedFace& face;
    const std::vector<Tessam::Geometry3D::SurfaceShape>& firstFaces;
    const std::vector<Tessam::Geometry3D::SurfaceShape>& secondFaces;
    double firstSpeed;
    double secondSpeed;
    // The cylinder's frame: an axis point, the unit axis, two unit vectors
    // across it (w = axis x u), and the radius.
    Tessam::Geometry3D::Point origin;
    Tessam::Geometry3D::Vector axis;
    Tessam::Geometry3D::Vector u;
    Tessam::Geometry3D::Vector w;
    double radius = 0.0;
    // The first solid lies inside the cylinder (the face's normal points
    // away from the axis), the second outside; or the reverse.
    bool firstInside = false;
};

} // namespace Quoria
