#pragma once

#include "Angle.h"
#include "Line.h"
#include "Plane.h"
#include "Point.h"
#include "RelativeCheckEqual.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

// Where a line meets the unbounded plane, cylinder or cone that carries a
// face, before the face's own containment test: a face's GetIntersection
// keeps exactly those of these points that it Contains. Kept apart so that
// the ray tracer can test containment for the nearest points only, and
// without allocating.
struct LineCandidates
{
    Point points[2];
    // Of each point, t in line point + t * line direction.
    double parameters[2] = {0.0, 0.0};
    int count = 0;
    bool isInfinite = false;
};

// Inline: the tracer asks it of every flat face for every leg.
inline LineCandidates PlaneLineCandidates(const Plane& plane, const Line& line)
{
    const Vector& normal = plane.GetNormal();
    const double offset = plane.GetOffset();
    const Vector& u = line.GetDirection();
    const Point& p = line.GetPoint();
    const Vector origin(p.X(), p.Y(), p.Z());
    LineCandidates candidates;
    if (u.IsOrthogonal(normal))
    {
        // Parallel: either the whole line lies in the plane or none of it.
        candidates.isInfinite = RelativeCheckEqual(normal.Dot(origin) + offset, 0.0, 1e-11);
        return candidates;
    }
    const double t = -(origin.Dot(normal) + offset) / u.Dot(normal);
    candidates.points[0] = Point(p.X() + t * u.X(), p.Y() + t * u.Y(), p.Z() + t * u.Z());
    candidates.parameters[0] = t;
    candidates.count = 1;
    return candidates;
}

LineCandidates CylinderLineCandidates(const Point& centroid, const Vector& orientation, double radius,
                                      const Line& line);
// The double cone: the caller's Contains drops the far nappe.
LineCandidates ConeLineCandidates(const Point& apex, const Vector& orientation, const Angle& halfAngle,
                                  const Line& line);

} // namespace Geometry3D
} // namespace Tessam
