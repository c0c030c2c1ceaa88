#include "SnapToFace.h"

#include "ISurface.h"
#include "Line.h"
#include "ShapeFootDirection.h"
#include "SurfaceShape.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

using namespace Tessam::Geometry3D;

namespace Quoria
{

namespace
{

bool IsFinite(const Point& point)
{
    return std::isfinite(point.X()) && std::isfinite(point.Y()) && std::isfinite(point.Z());
}

} // namespace

SnappedPoint SnapToFace(const ISolid& solid, const Point& point)
{
    const std::vector<const ISurface*>& surfaces = solid.GetSurfaces();
    SnappedPoint nearest{point, surfaces.size(), std::numeric_limits<double>::infinity()};
    for (std::size_t i = 0; IsFinite(point) && i < surfaces.size(); ++i)
    {
        // A point already on the face stays put, so that snapping twice
        // moves nothing.
        if (surfaces[i]->Contains(point))
        {
            if (0.0 < nearest.distance)
            {
                nearest = SnappedPoint{point, i, 0.0};
            }
            continue;
        }
        const SurfaceShape shape = DescribeSurface(surfaces[i]);
        Vector direction;
        if (!ShapeFootDirection(shape, point, direction))
        {
            continue;
        }
        // The feet are among the points where the perpendicular meets the
        // carrying surface; a cylinder's far side is met too, and is farther.
        const LineCandidates candidates = ShapeLineCandidates(shape, Line(point, direction));
        for (int c = 0; c < candidates.count; ++c)
        {
            const double distance = point.DistanceTo(candidates.points[c]);
            if (distance < nearest.distance && surfaces[i]->Contains(candidates.points[c]))
            {
                nearest = SnappedPoint{candidates.points[c], i, distance};
            }
        }
    }
    if (nearest.face == surfaces.size())
    {
        throw std::invalid_argument("SnapToFace : The point projects onto no face of the solid.");
    }
    for (std::size_t i = 0; i < surfaces.size(); ++i)
    {
        if (i != nearest.face && surfaces[i]->Contains(nearest.point))
        {
            throw std::invalid_argument("SnapToFace : The point projects onto an edge of the solid.");
        }
    }
    return nearest;
}

} // namespace Quoria
