#pragma once

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
// without allocating. Inline: the tracer asks them of every face for every
// leg. The plane's are the kernel's own (Plane::Intersect answers with
// them); the curved surfaces' are in LineCandidates.h.
struct LineCandidates
{
    Point points[2];
    // Of each point, t in line point + t * line direction.
    double parameters[2] = {0.0, 0.0};
    int count = 0;
    bool isInfinite = false;
};

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
        candidates.isInfinite = RelativeCheckEqual(normal.Dot(origin) + offset, 0.0);
        return candidates;
    }
    const double t = -(origin.Dot(normal) + offset) / u.Dot(normal);
    candidates.points[0] = Point(p.X() + t * u.X(), p.Y() + t * u.Y(), p.Z() + t * u.Z());
    candidates.parameters[0] = t;
    candidates.count = 1;
    return candidates;
}

} // namespace Geometry3D
} // namespace Tessam
