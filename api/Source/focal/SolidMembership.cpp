#include "SolidMembership.h"

#include <algorithm>
#include <cmath>

using Tessam::Geometry3D::Line;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::SurfaceShape;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

namespace
{

// Directions along no axis nor diagonal, so that a ray seldom meets an edge
// or grazes a face of the library's axis-aligned specimens; the next is
// tried when it does.
const Vector ProbeDirections[] = {Vector(0.5377, 0.3147, 0.7823), Vector(-0.2913, 0.8462, 0.4461),
                                  Vector(0.6619, -0.5279, -0.5322), Vector(-0.4153, -0.2687, 0.8691)};

// How close two crossings, or a crossing and the ray's start, may come
// before the ray counts as meeting an edge or grazing a face.
double CrossingSeparation(double parameter)
{
    return 1e-9 * (1.0 + std::fabs(parameter));
}

// The parity of the crossings along the ray, or -1 where two crossings
// coincide (an edge, a tangent) and the count tells nothing.
int CrossingParity(const std::vector<SurfaceShape>& faces, const Line& ray, std::vector<double>& parameters)
{
    parameters.clear();
    for (const SurfaceShape& face : faces)
    {
        ForEachFaceCrossing(face, ray, 0.0, HUGE_VAL, [&parameters](double t) { parameters.push_back(t); });
    }
    std::sort(parameters.begin(), parameters.end());
    for (std::size_t i = 0; i < parameters.size(); ++i)
    {
        const double previous = i == 0 ? 0.0 : parameters[i - 1];
        if (parameters[i] - previous < CrossingSeparation(parameters[i]))
        {
            return -1;
        }
    }
    return static_cast<int>(parameters.size() % 2);
}

} // namespace

Membership LocatePoint(const std::vector<SurfaceShape>& faces, const Point& point)
{
    for (const SurfaceShape& face : faces)
    {
        if (!IsCertainlyOff(face, point) && face.surface->Contains(point))
        {
            return Membership::Boundary;
        }
    }
    std::vector<double> parameters;
    int parity = -1;
    for (const Vector& direction : ProbeDirections)
    {
        parity = CrossingParity(faces, Line(point, direction.Normalized()), parameters);
        if (parity >= 0)
        {
            break;
        }
    }
    // Every ray met an edge: the last count is as good a guess as any.
    return parity == 1 || (parity < 0 && parameters.size() % 2 == 1) ? Membership::Inside
                                                                     : Membership::Outside;
}

bool StaysInside(const std::vector<SurfaceShape>& faces, const Point& from, const Point& to)
{
    const Vector path = to - from;
    const double length = path.Length();
    if (length == 0.0)
    {
        return true;
    }
    // The ends lie on faces (the element on the probe face, the crossing on
    // the interface, a focal point maybe on a back wall): crossings within
    // rounding of them are those ends.
    const double margin = 1e-9 * (1.0 + length);
    const Line line(from, Vector(path.X() / length, path.Y() / length, path.Z() / length));
    bool clear = true;
    for (const SurfaceShape& face : faces)
    {
        ForEachFaceCrossing(face, line, margin, length - margin, [&clear](double) { clear = false; });
        if (!clear)
        {
            return false;
        }
    }
    return true;
}

} // namespace Quoria
