#pragma once

// Probes and checks shared by the focal-law tests.

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace FocalTests
{

using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::Vector;
using SolidPtr = std::unique_ptr<const Solid>;

// A wedge of cross-linked polystyrene and steel: shear in steel from a
// longitudinal wave in the wedge.
const Quoria::Material WedgeMaterial("wedge", 2330.0, 1160.0);
const Quoria::Material Steel("steel", 5900.0, 3230.0);
const Quoria::Material Water("water", 1480.0, 0.0);

// Microseconds along a length in mm at a speed in m/s.
inline double Microseconds(double length, double speed)
{
    return length / speed * 1000.0;
}

// Time along a path from an element through `crossing` to a focal point:
// longitudinal in the wedge, shear in steel.
inline double PathTime(const Point& element, const Point& crossing, const Point& focal)
{
    return Microseconds(crossing.DistanceTo(element), 2330.0) +
           Microseconds(crossing.DistanceTo(focal), 3230.0);
}

// A 40 long, 20 wide wedge turned about the vertical through its tall end,
// on a steel plate whose top face is z = 0.
struct PlateProbe
{
    explicit PlateProbe(double wedgeAngle, double rotation = 0.0, double height = 8.0)
        : wedgeAngle(wedgeAngle), rotation(rotation), height(height),
          wedge(Quoria::CreateWedgeOnAxisAlignedPlate(Point(), 40, 20, height, wedgeAngle, 0, rotation)),
          plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 25), 300, 300, 50)),
          tracer({wedge.get(), plate.get()}, {WedgeMaterial, Steel})
    {
    }
    // From the wedge's own frame to the configuration's.
    Vector Turned(const Vector& local) const { return local.RotateAroundZ(rotation); }
    // A point of the probe face, `along` up the slope from its low end's
    // middle and `across` it towards the wedge's +y.
    Point OnProbeFace(double along, double across = 0.0) const
    {
        return Point() + Turned(Vector(-40 + along * std::cos(wedgeAngle), across,
                                       -height - along * std::sin(wedgeAngle)));
    }
    // Where the beam along the probe face's inward normal (sin, 0, cos) from
    // that point meets the plate.
    Point ExitBelow(double along) const
    {
        const double drop = height + along * std::sin(wedgeAngle);
        return Point() +
               Turned(Vector(-40 + along * std::cos(wedgeAngle) + drop * std::tan(wedgeAngle), 0, 0));
    }
    const Tessam::Geometry3D::ISurface& ProbeFace() const
    {
        return *tracer.GetConfiguration()[0]->GetSurfaces()[0];
    }

    double wedgeAngle;
    double rotation;
    double height;
    SolidPtr wedge;
    SolidPtr plate;
    Quoria::AcousticTracer tracer;
};

// The angles at which the tracer sends a beam from a point of a face along
// `direction`: it tilts the face's inward normal n towards u, the part of x
// across n, by the refraction angle, then turns it about n by the skew.
inline Quoria::BeamAngles AimAlong(const Vector& inwardNormal, const Vector& direction)
{
    const Vector x(1, 0, 0);
    const Vector u = (x - x.Dot(inwardNormal) * inwardNormal).Normalized();
    const Vector v = inwardNormal.Cross(u);
    const double du = direction.Dot(u);
    const double dv = direction.Dot(v);
    return Quoria::BeamAngles{std::atan2(dv, du),
                              std::atan2(std::hypot(du, dv), direction.Dot(inwardNormal))};
}

inline Point CrossingOf(const Quoria::FocalLaws& laws, std::size_t pair)
{
    return Point(laws.crossings[3 * pair], laws.crossings[3 * pair + 1], laws.crossings[3 * pair + 2]);
}

// Distance from a point to a segment.
inline double DistanceToSegment(const Point& point, const Tessam::Geometry3D::LineSegment& segment)
{
    const Point& a = segment.GetFirstPoint();
    const Vector along = segment.GetSecondPoint() - a;
    double t = (point - a).Dot(along) / along.Dot(along);
    t = std::max(0.0, std::min(1.0, t));
    return point.DistanceTo(a + t * along);
}

// Every valid pair, traced by the acoustic tracer from its element (on the
// elements' entry face) towards its crossing, transmits there and passes
// within 1e-6 mm of the focal point, on the time computed. Returns how many
// pairs were traced.
inline std::size_t ExpectTracedThroughFocalPoints(
    Quoria::AcousticTracer& tracer, const Tessam::Geometry3D::ISurface& entryFace,
    const std::vector<Point>& elements, const std::vector<Point>& focalPoints, const Quoria::FocalLaws& laws,
    Quoria::WaveMode elementMode = Quoria::WaveMode::L, Quoria::WaveMode focalMode = Quoria::WaveMode::T)
{
    std::size_t traced = 0;
    for (std::size_t k = 0; k < focalPoints.size(); ++k)
    {
        for (std::size_t n = 0; n < elements.size(); ++n)
        {
            const std::size_t pair = laws.PairIndex(k, n);
            if (laws.statuses[pair] != Quoria::FocalPathStatus::Valid)
            {
                continue;
            }
            const Point crossing = CrossingOf(laws, pair);
            const Vector inward = entryFace.GetNormal(elements[n]) * -1.0;
            const Quoria::AcousticReport report = tracer.Trace(
                elements[n], AimAlong(inward, (crossing - elements[n]).Normalized()),
                Quoria::TraceStop::Legs(2), Behaviors{Quoria::Transmit}, {elementMode, focalMode});
            if (report.legs.size() != 2)
            {
                ADD_FAILURE() << "pair " << k << ", " << n << " traced " << report.legs.size() << " legs";
                continue;
            }
            ExpectNear(report.legs[0].segment.GetSecondPoint(), crossing, 1e-9);
            const double miss = DistanceToSegment(focalPoints[k], report.legs[1].segment);
            EXPECT_LT(miss, 1e-6) << "pair " << k << ", " << n;
            const double time =
                report.legs[0].time + Microseconds(crossing.DistanceTo(focalPoints[k]), report.legs[1].speed);
            EXPECT_NEAR(laws.times[pair], time, 1e-9) << "pair " << k << ", " << n;
            ++traced;
        }
    }
    return traced;
}

} // namespace FocalTests
