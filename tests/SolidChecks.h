#pragma once

// Checks on the factories' solids that rely on geometry alone, not on how
// the faces were built.

#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace SolidChecks
{

using namespace Tessam::Geometry3D;

inline std::string Describe(const Point& p)
{
    return "(" + std::to_string(p.X()) + ", " + std::to_string(p.Y()) + ", " + std::to_string(p.Z()) + ")";
}

// A point within 1e-7 of the face, along it, counts as on it: a difference
// leaves out the rim of what it removes, and a band of a cylinder takes its
// edges without tolerance.
inline bool IsOnFace(const ISurface& face, const Point& p)
{
    Vector across;
    Vector along;
    if (const auto* flat = dynamic_cast<const FlatSurface*>(&face))
    {
        const Vector n = flat->GetPlane().GetNormal();
        across = (std::fabs(n.X()) < 0.9 ? Vector(1, 0, 0) : Vector(0, 1, 0)).Cross(n).Normalized();
        along = n.Cross(across);
    }
    else if (const auto* band = dynamic_cast<const CylindricalArcSurface*>(&face))
    {
        along = band->GetOrientation();
        across = along.Cross(p - band->GetCentroid()).Normalized();
    }
    bool near = face.Contains(p);
    for (int k = 0; k < 8 && !near && !across.IsNull(); ++k)
    {
        near = face.Contains(p + (across * std::cos(k * 0.785) + along * std::sin(k * 0.785)) * 1e-7);
    }
    return near;
}

// The faces close up when the ends, quarters and middle of every segment of
// every face's contour lie on another face. Lists the points that do not.
inline std::vector<std::string> OpenEdges(const Solid& solid)
{
    const std::vector<const ISurface*>& faces = solid.GetSurfaces();
    std::vector<std::string> open;
    for (std::size_t i = 0; i < faces.size(); ++i)
    {
        const std::unique_ptr<IContour> contour(faces[i]->GetContour());
        for (const ISegment* segment : contour->GetSegments())
        {
            const auto* arc = dynamic_cast<const ArcSegment*>(segment);
            for (int k = 0; k <= 4; ++k)
            {
                Point p = segment->GetFirstPoint() +
                          (segment->GetSecondPoint() - segment->GetFirstPoint()) * (k / 4.0);
                if (arc != nullptr)
                {
                    const double first = arc->GetFirstAngle().Radians();
                    const double angle = first + (arc->GetSecondAngle().Radians() - first) * k / 4;
                    p = arc->GetCenter() +
                        arc->GetRadialOrientation().Rotate(angle, arc->GetPlaneNormal()) * arc->GetRadius();
                }
                bool onNeighbour = false;
                for (std::size_t j = 0; j < faces.size(); ++j)
                {
                    onNeighbour = onNeighbour || (j != i && IsOnFace(*faces[j], p));
                }
                if (!onNeighbour)
                {
                    open.push_back("face " + std::to_string(i) + " at " + Describe(p));
                }
            }
        }
    }
    return open;
}

// From a point inside a closed solid, rays spread over the sphere leave it
// through the nearest face ahead, whose outward normal points along them.
inline void ExpectRaysLeaveOutwards(const Solid& solid, const Point& inside)
{
    for (int k = 0; k < 60; ++k)
    {
        const double z = 1.0 - (2.0 * k + 1.0) / 60;
        const Vector direction(std::sqrt(1 - z * z) * std::cos(2.4 * k),
                               std::sqrt(1 - z * z) * std::sin(2.4 * k), z);
        double nearest = std::numeric_limits<double>::max();
        const ISurface* exit = nullptr;
        Point exitPoint;
        for (const ISurface* face : solid.GetSurfaces())
        {
            const Intersection crossings = face->GetIntersection(Line(inside, direction));
            for (const Point& p : crossings.GetPoints())
            {
                if ((p - inside).Dot(direction) > 1e-9 && (p - inside).Dot(direction) < nearest)
                {
                    nearest = (p - inside).Dot(direction);
                    exit = face;
                    exitPoint = p;
                }
            }
        }
        ASSERT_NE(exit, nullptr) << "ray " << k << " escapes from " << Describe(inside);
        EXPECT_GT(exit->GetNormal(exitPoint).Dot(direction), 0.0) << "leaving at " << Describe(exitPoint);
    }
}

// The legs run from `start` through each expected interface point in turn.
inline void ExpectLegs(const std::vector<LineSegment>& legs, Point start, const std::vector<Point>& ends)
{
    ASSERT_EQ(legs.size(), ends.size());
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        const Point actual[2] = {legs[i].GetFirstPoint(), legs[i].GetSecondPoint()};
        const Point expected[2] = {start, ends[i]};
        for (int end = 0; end < 2; ++end)
        {
            EXPECT_LT((actual[end] - expected[end]).Length(), 1e-9)
                << "leg " << i + 1 << " at " << Describe(actual[end]) << " instead of "
                << Describe(expected[end]);
        }
        start = ends[i];
    }
}

inline Legs Trace(const std::vector<const Solid*>& solids, const Point& entry, double refraction, double skew,
                  unsigned int legCount, const Behaviors& behaviors = {})
{
    const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(solids));
    return TraceLegs(*tracer, entry, Angles(refraction, skew), legCount, behaviors);
}

// One letter per face: C cylinder, A cylindrical band, T truncated cone,
// R ring, P polygon, F other complex flat surface.
inline std::string Kinds(const Solid& solid)
{
    std::string kinds;
    for (const ISurface* s : solid.GetSurfaces())
    {
        kinds += dynamic_cast<const CylindricalSurface*>(s)        ? 'C'
                 : dynamic_cast<const CylindricalArcSurface*>(s)   ? 'A'
                 : dynamic_cast<const TruncatedConicalSurface*>(s) ? 'T'
                 : dynamic_cast<const Ring*>(s)                    ? 'R'
                 : dynamic_cast<const Polygon*>(s)                 ? 'P'
                                                                   : 'F';
    }
    return kinds;
}

} // namespace SolidChecks
