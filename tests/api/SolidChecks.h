#pragma once

// Checks on the solids built by the factories that rely on geometry alone,
// not on how the faces were built.

#include "ArcSegment.h"
#include "ComplexFlatSurface.h"
#include "CylindricalArcSurface.h"
#include "CylindricalSurface.h"
#include "FlatSurface.h"
#include "IContour.h"
#include "IRayTracer.h"
#include "ISegment.h"
#include "Line.h"
#include "LineSegment.h"
#include "Polygon.h"
#include "Ring.h"
#include "Solid.h"
#include "TruncatedConicalSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace SolidChecks
{

using namespace Tessam::Geometry3D;

inline std::string Describe(const Point& p)
{
    return "(" + std::to_string(p.X()) + ", " + std::to_string(p.Y()) + ", " + std::to_string(p.Z()) + ")";
}

// Whether a point lies on a face. A point within 1e-7 of what the face holds,
// along the face, counts too: a difference leaves out the rim of what it
// removes, and a band of a cylinder takes its edges without tolerance.
inline bool IsOnFace(const ISurface& face, const Point& p)
{
    if (face.Contains(p))
    {
        return true;
    }
    Vector across;
    Vector along;
    if (const auto* flat = dynamic_cast<const FlatSurface*>(&face))
    {
        if (!flat->GetPlane().Contains(p))
        {
            return false;
        }
        const Vector n = flat->GetNormal(p);
        across = (std::fabs(n.X()) < 0.9 ? Vector(1, 0, 0) : Vector(0, 1, 0)).Cross(n).Normalized();
        along = n.Cross(across);
    }
    else if (const auto* band = dynamic_cast<const CylindricalArcSurface*>(&face))
    {
        along = band->GetOrientation();
        const Vector radial = (p - band->GetCentroid()) - along * (p - band->GetCentroid()).Dot(along);
        across = along.Cross(radial).Normalized();
    }
    for (int k = 0; k < 8; ++k)
    {
        if (!across.IsNull() &&
            face.Contains(p + (across * std::cos(k * 0.785) + along * std::sin(k * 0.785)) * 1e-7))
        {
            return true;
        }
    }
    return false;
}

// The ends, quarters and middle of a segment.
inline std::vector<Point> Samples(const ISegment& segment)
{
    std::vector<Point> samples;
    const auto* arc = dynamic_cast<const ArcSegment*>(&segment);
    for (int k = 0; k <= 4; ++k)
    {
        if (arc != nullptr)
        {
            const double first = arc->GetFirstAngle().Radians();
            const double angle = first + (arc->GetSecondAngle().Radians() - first) * k / 4;
            samples.push_back(arc->GetCenter() +
                              arc->GetRadialOrientation().Rotate(angle, arc->GetPlaneNormal()) *
                                  arc->GetRadius());
        }
        else
        {
            samples.push_back(segment.GetFirstPoint() +
                              (segment.GetSecondPoint() - segment.GetFirstPoint()) * (k / 4.0));
        }
    }
    return samples;
}

// The faces close up when the points of every segment of every face's
// contour lie on some other face. Lists the points that do not.
inline std::vector<std::string> OpenEdges(const Solid& solid)
{
    const std::vector<const ISurface*>& faces = solid.GetSurfaces();
    std::vector<std::string> open;
    for (std::size_t i = 0; i < faces.size(); ++i)
    {
        const std::unique_ptr<IContour> contour(faces[i]->GetContour());
        if (contour->GetSegments().empty())
        {
            open.push_back("face " + std::to_string(i) + " has no contour");
        }
        for (const ISegment* segment : contour->GetSegments())
        {
            for (const Point& p : Samples(*segment))
            {
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

// Rays spread over the sphere from a point inside a closed solid leave it
// through the nearest face ahead, whose outward normal must then point along
// the ray.
inline void ExpectRaysLeaveOutwards(const Solid& solid, const Point& inside)
{
    const int rayCount = 60;
    for (int k = 0; k < rayCount; ++k)
    {
        const double z = 1.0 - (2.0 * k + 1.0) / rayCount;
        const double turn = 2.399963229728653 * k;
        const double across = std::sqrt(1.0 - z * z);
        const Vector direction(across * std::cos(turn), across * std::sin(turn), z);
        const Line ray(inside, direction);
        double nearest = std::numeric_limits<double>::max();
        const ISurface* exit = nullptr;
        Point exitPoint;
        for (const ISurface* face : solid.GetSurfaces())
        {
            const Intersection crossings = face->GetIntersection(ray);
            for (const Point& p : crossings.GetPoints())
            {
                const double distance = (p - inside).Dot(direction);
                if (distance > 1e-9 && distance < nearest)
                {
                    nearest = distance;
                    exit = face;
                    exitPoint = p;
                }
            }
        }
        ASSERT_NE(exit, nullptr) << "ray " << k << " from " << Describe(inside) << " escapes";
        EXPECT_GT(exit->GetNormal(exitPoint).Dot(direction), 0.0)
            << "ray " << k << " from " << Describe(inside) << " leaves at " << Describe(exitPoint);
    }
}

inline void ExpectPointNear(const Point& actual, const Point& expected, double tolerance = 1e-9)
{
    EXPECT_NEAR(actual.X(), expected.X(), tolerance);
    EXPECT_NEAR(actual.Y(), expected.Y(), tolerance);
    EXPECT_NEAR(actual.Z(), expected.Z(), tolerance);
}

// The legs run from `start` through each expected interface point in turn.
inline void ExpectLegs(const std::vector<LineSegment>& legs, const Point& start,
                       const std::vector<Point>& ends)
{
    ASSERT_EQ(legs.size(), ends.size());
    Point from = start;
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        SCOPED_TRACE("leg " + std::to_string(i + 1));
        ExpectPointNear(legs[i].GetFirstPoint(), from);
        ExpectPointNear(legs[i].GetSecondPoint(), ends[i]);
        from = ends[i];
    }
}

// One letter per face, in order: C cylinder, A cylindrical arc, T truncated
// cone, R ring, P polygon, F other complex flat surface.
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
                 : dynamic_cast<const ComplexFlatSurface*>(s)      ? 'F'
                                                                   : '?';
    }
    return kinds;
}

inline std::vector<LineSegment> Trace(const std::vector<const Solid*>& solids, const Point& entry,
                                      double refraction, double skew, unsigned int legCount,
                                      const std::vector<Quoria::BehaviorAtInterface>& behaviors = {})
{
    const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(solids));
    return tracer->CalculateLegsFromEntryPoint(entry, Quoria::BeamAngles{skew, refraction}, legCount,
                                               behaviors, {});
}

// d reflected by a mirror of unit normal n.
inline Vector Mirror(const Vector& d, const Vector& n)
{
    return d - n * (2.0 * d.Dot(n));
}

template <typename Action> std::string MessageOf(Action action)
{
    try
    {
        action();
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    return "no exception";
}

} // namespace SolidChecks
