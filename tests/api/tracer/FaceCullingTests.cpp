// A scene built with face culling skips faces by their boxes and works out
// the products of a ray with parallel planes once; one built without asks
// every face as the plain tracer does. Both must trace every beam alike, bit
// for bit, above all the beams that graze the boxes, edges and corners where
// a skipped face could have mattered.

#include "Factories.h"
#include "Polygon.h"
#include "Quoria.h"
#include "SurfaceShape.h"
#include "TestSupport.h"
#include "TraceRules.h"
#include "TraceScene.h"
#include "TraceWalker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Tessam::Geometry3D;
using Quoria::BeamAngles;
using Quoria::BehaviorAtInterface;
using Quoria::FaceCulling;
using Quoria::InterfaceCrossing;
using Quoria::SlopeConfiguration;
using Quoria::TraceEnding;
using Quoria::TraceLeg;
using Quoria::TraceScene;
using Quoria::TraceWalker;

namespace
{
using SolidPointer = std::unique_ptr<const Solid>;

// Mirrors at every interface, or transmits at the first; a set number of legs.
class MirrorRules : public Quoria::TraceRules
{
public:
    MirrorRules(std::size_t legCount, bool transmitFirst) : legCount(legCount), transmitFirst(transmitFirst)
    {
    }

    bool StopsAfter(const TraceLeg&) override { return ++legs >= legCount; }
    TraceEnding StopEnding() const override { return TraceEnding::Legs; }
    BehaviorAtInterface BehaviorAt(std::size_t leg, const ISurface*) override
    {
        return transmitFirst && leg == 1 ? BehaviorAtInterface::Transmit : BehaviorAtInterface::Reflect;
    }
    bool Steer(const InterfaceCrossing& crossing, Vector& outgoing, TraceEnding&) override
    {
        outgoing = crossing.incident;
        if (crossing.behavior == BehaviorAtInterface::Reflect)
        {
            outgoing = crossing.incident - crossing.normal * (2.0 * crossing.incident.Dot(crossing.normal));
            outgoing.Normalize();
        }
        return true;
    }

private:
    std::size_t legCount;
    bool transmitFirst;
    std::size_t legs = 0;
};

std::string Hex(const Point& p)
{
    char text[160];
    std::snprintf(text, sizeof text, "(%a, %a, %a)", p.X(), p.Y(), p.Z());
    return text;
}

// Everything a trace shows: how it ended (or what it threw) and its legs.
std::string Outcome(TraceWalker& walker, const Point& entry, const BeamAngles& angles, std::size_t legCount,
                    bool transmitFirst)
{
    MirrorRules rules(legCount, transmitFirst);
    std::string outcome;
    try
    {
        outcome = Quoria::TraceEndingName(walker.Trace(entry, angles, rules));
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    for (const TraceLeg& leg : walker.Legs())
    {
        outcome += " | " + Hex(leg.segment.GetSecondPoint()) + " solid " + std::to_string(leg.solid) +
                   " face " + std::to_string(leg.face) + " behaviour " +
                   std::to_string(static_cast<int>(leg.behavior));
    }
    return outcome + " in solid " + std::to_string(walker.CurrentSolid());
}

double Draw(std::mt19937_64& engine, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(engine);
}

// Down to a hair's breadth: 10^-13 to 10^-1 of `scale`, either way.
double Nudge(std::mt19937_64& engine, double scale)
{
    return (Draw(engine, 0, 1) < 0.5 ? -1.0 : 1.0) * scale * std::pow(10.0, Draw(engine, -13, -1));
}

Point Perturbed(const Point& point, std::mt19937_64& engine, double scale)
{
    return Point(point.X() + Nudge(engine, scale), point.Y() + Nudge(engine, scale),
                 point.Z() + Nudge(engine, scale));
}

// The angles that send a beam from a face with the given inward normal
// along `direction`: the tracer tilts the normal about normal x X, then
// turns it about the normal.
BeamAngles AnglesTowards(const Vector& inward, const Vector& direction)
{
    BeamAngles angles;
    const Vector tiltAxis = inward.Cross(Vector(1, 0, 0)).Normalized();
    const Vector tilt = tiltAxis.Cross(inward);
    const Vector across = direction - inward * direction.Dot(inward);
    angles.refractionAngle = std::atan2(across.Length(), direction.Dot(inward));
    angles.skewAngle = std::atan2(across.Dot(inward.Cross(tilt)), across.Dot(tilt));
    return angles;
}

struct Box
{
    double low[3];
    double high[3];
};

// The box of the faces that have one.
Box BoxOf(const std::vector<SurfaceShape>& faces)
{
    Box box{{1e300, 1e300, 1e300}, {-1e300, -1e300, -1e300}};
    for (const SurfaceShape& face : faces)
    {
        for (int k = 0; face.bounded && k < 3; ++k)
        {
            box.low[k] = std::min(box.low[k], face.low[k]);
            box.high[k] = std::max(box.high[k], face.high[k]);
        }
    }
    return box;
}

// Points where random lines through a face's box (or the solid's) meet the
// face: on it as the face itself computes them, many near its edges.
std::vector<Point> PointsOnFace(const SurfaceShape& face, const Box& solidBox, std::mt19937_64& engine)
{
    const Box box = face.bounded ? Box{{face.low[0], face.low[1], face.low[2]},
                                       {face.high[0], face.high[1], face.high[2]}}
                                 : solidBox;
    std::vector<Point> points;
    for (int attempt = 0; attempt < 8 && points.empty(); ++attempt)
    {
        const Point through(Draw(engine, box.low[0], box.high[0]), Draw(engine, box.low[1], box.high[1]),
                            Draw(engine, box.low[2], box.high[2]));
        const Vector direction(Draw(engine, -1, 1), Draw(engine, -1, 1), Draw(engine, -1, 1));
        if (direction.Length() < 0.1)
            continue;
        points = face.surface->GetIntersection(Line(through, direction)).GetPoints();
    }
    return points;
}

// Where beams are aimed: the vertices of straight-edged faces and the
// corners of every face's box, each nudged.
std::vector<Point> Landmarks(const TraceScene& scene)
{
    std::vector<Point> landmarks;
    for (std::size_t solid = 0; solid < scene.SolidCount(); ++solid)
        for (const SurfaceShape& face : scene.Faces(solid))
        {
            if (!face.bounded)
                continue;
            if (const auto* polygon = dynamic_cast<const Polygon*>(face.surface))
                landmarks.insert(landmarks.end(), polygon->GetPoints().begin(), polygon->GetPoints().end());
            for (int corner = 0; corner < 8; ++corner)
            {
                landmarks.emplace_back(corner & 1 ? face.high[0] : face.low[0],
                                       corner & 2 ? face.high[1] : face.low[1],
                                       corner & 4 ? face.high[2] : face.low[2]);
            }
        }
    return landmarks;
}

// Traces `beamCount` beams from points on the first solid's faces towards
// nudged landmarks, with and without culling, and compares everything.
void CompareCulledAndPlain(const std::string& name, const std::vector<const Solid*>& solids, unsigned seed,
                           int beamCount, std::size_t legCount)
{
    const TraceScene culled(solids, "Test", FaceCulling::On);
    const TraceScene plain(solids, "Test", FaceCulling::Off);
    TraceWalker culledWalker(culled, "Test");
    TraceWalker plainWalker(plain, "Test");
    const bool transmitFirst = solids.size() > 1;
    const std::vector<SurfaceShape>& faces = culled.Faces(0);
    const std::vector<Point> landmarks = Landmarks(culled);
    const Box solidBox = BoxOf(faces);
    const double scale = solidBox.high[0] - solidBox.low[0];

    std::mt19937_64 engine(seed);
    int traced = 0;
    int longTraces = 0;
    for (int beam = 0; beam < beamCount; ++beam)
    {
        const SurfaceShape& face =
            faces[std::uniform_int_distribution<std::size_t>(0, faces.size() - 1)(engine)];
        const std::vector<Point> onFace = PointsOnFace(face, solidBox, engine);
        if (onFace.empty())
            continue;
        const Point entry = onFace.front();
        const Point target =
            Perturbed(landmarks[std::uniform_int_distribution<std::size_t>(0, landmarks.size() - 1)(engine)],
                      engine, scale);
        // Every other beam at a landmark, the others anywhere.
        BeamAngles angles;
        angles.refractionAngle = Draw(engine, -1.5, 1.5);
        angles.skewAngle = Draw(engine, -Pi, Pi);
        if (beam % 2 == 0 && face.surface->Contains(entry) &&
            Quoria::IsUnitVector(face.surface->GetNormal(entry)))
            angles = AnglesTowards(face.surface->GetNormal(entry) * -1.0, target - entry);
        angles.refractionAngle = std::max(-1.5, std::min(1.5, angles.refractionAngle));

        const std::string expected = Outcome(plainWalker, entry, angles, legCount, transmitFirst);
        const std::string actual = Outcome(culledWalker, entry, angles, legCount, transmitFirst);
        ASSERT_EQ(actual, expected) << name << " beam " << beam << " from " << Hex(entry);
        ++traced;
        longTraces += plainWalker.Legs().size() >= 3 ? 1 : 0;
    }
    // Many beams enter and go some way, or the comparison says little;
    // those aimed at landmarks mostly end on an edge.
    EXPECT_GT(longTraces, traced / 8) << name;
}
} // namespace

TEST(FaceCulling, CounterboredPlateWithEverySlopeTracesBitForBitAsWithout)
{
    using S = SlopeConfiguration;
    const SolidPointer plate(Quoria::CreateAxisAlignedCounterboredPlate(
        Point(0, 0, 0), 200, 200, 20, {S(5, 10, 3), S(4, 8, 2), S(6, 5, 4), S(3, 12, 1)}));
    CompareCulledAndPlain("counterbored plate", {plate.get()}, 11, 3000, 40);
}

TEST(FaceCulling, CurvedFacesAndTwoSolidsTraceBitForBitAsWithout)
{
    using S = SlopeConfiguration;
    const SolidPointer pipe(Quoria::CreateYOrientedCounterboredPipe(
        Point(0, 0, 0), 20, 25, 200, {S(3, 10, 5), S(4, 8, 6), S(2, 6, 4), S(3, 0, 7)}));
    CompareCulledAndPlain("counterbored pipe", {pipe.get()}, 12, 1500, 40);

    const SolidPointer wedge(
        Quoria::CreateWedgeOnXOrientedCylinder(Point(10, 0, 0), 30, 16, 8, 0.35, 0, Point(0, 0, 30)));
    const SolidPointer underPipe(Quoria::CreateXOrientedPipe(Point(0, 0, 30), 20, 30, 200));
    CompareCulledAndPlain("wedge on pipe", {wedge.get(), underPipe.get()}, 13, 1000, 20);
}
