#pragma once

#include "Line.h"
#include "LineCandidates.h"
#include "Point.h"
#include "SurfaceShape.h"

#include <vector>

namespace Quoria
{

// Calls visit(t) for each point line point + t * direction, with t strictly
// between `low` and `high`, where the line meets the face (its Contains
// passes). A line lying in a flat face meets nothing there, as for the
// tracer.
template <typename Visit>
void ForEachFaceCrossing(const Tessam::Geometry3D::SurfaceShape& face, const Tessam::Geometry3D::Line& line,
                         double low, double high, Visit visit)
{
    if (face.kind == Tessam::Geometry3D::ShapeKind::Other)
    {
        const Tessam::Geometry3D::Intersection intersection = face.surface->GetIntersection(line);
        for (const Tessam::Geometry3D::Point& point : intersection.GetPoints())
        {
            const double t = (point - line.GetPoint()).Dot(line.GetDirection());
            if (t > low && t < high)
            {
                visit(t);
            }
        }
        return;
    }
    // Containment only for the points in the window: the cheap test first.
    const Tessam::Geometry3D::LineCandidates candidates = Tessam::Geometry3D::ShapeLineCandidates(face, line);
    for (int i = 0; i < candidates.count; ++i)
    {
        const double t = candidates.parameters[i];
        if (t > low && t < high && face.surface->Contains(candidates.points[i]))
        {
            visit(t);
        }
    }
}

enum class Membership
{
    Outside,
    Boundary,
    Inside
};

// Where a point lies with respect to the closed solid bounded by `faces`:
// on a face, or inside by the parity of the faces crossed along a ray.
Membership LocatePoint(const std::vector<Tessam::Geometry3D::SurfaceShape>& faces,
                       const Tessam::Geometry3D::Point& point);

// True where the straight path from `from` to `to`, both in the solid, meets
// none of its faces between its ends: it stays inside.
bool StaysInside(const std::vector<Tessam::Geometry3D::SurfaceShape>& faces,
                 const Tessam::Geometry3D::Point& from, const Tessam::Geometry3D::Point& to);

} // namespace Quoria
