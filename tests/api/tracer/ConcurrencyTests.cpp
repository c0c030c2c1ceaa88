#include "Factories.h"
#include "IContour.h"
#include "IRayTracer.h"
#include "ISurface.h"
#include "Intersection.h"
#include "Line.h"
#include "Quoria.h"
#include "SlopeConfiguration.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using namespace Tessam::Geometry3D;
using Quoria::BeamAngles;
using Quoria::BehaviorAtInterface;

// Geometry objects are immutable once built, so any number of threads may read
// them; a tracer keeps working state, so each thread uses its own. These tests
// show no data race under ThreadSanitizer and every thread getting exactly the
// answers of a serial run.

namespace
{
const double Pi = 3.141592653589793;
const int ThreadCount = 6;

struct Beam
{
    Point entry;
    BeamAngles angles;
    unsigned int legCount;
    std::vector<BehaviorAtInterface> behaviors;
};

using Legs = std::vector<LineSegment>;

std::vector<Legs> TraceAll(const std::vector<const Solid*>& solids, const std::vector<Beam>& beams)
{
    const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(solids));
    std::vector<Legs> traces;
    for (const Beam& beam : beams)
        traces.push_back(
            tracer->CalculateLegsFromEntryPoint(beam.entry, beam.angles, beam.legCount, beam.behaviors, {}));
    return traces;
}

// Everything one thread learns from the shared solid, flattened so that two
// runs compare exactly: for a fan of lines, every surface's intersection
// points, which surfaces contain them, the normals there, then each surface's
// contour size and whether its clone compares equal.
std::vector<double> Survey(const Solid& solid)
{
    std::vector<double> out;
    const std::vector<const ISurface*>& surfaces = solid.GetSurfaces();
    for (int i = 0; i < 12; ++i)
    {
        const double a = 2.0 * Pi * i / 12.0;
        const Line line(Point(0.5 * i - 3.0, 0.25 * i, -1.0), Vector(std::cos(a), 0.3, std::sin(a)));
        for (const ISurface* surface : surfaces)
        {
            const Intersection intersection = surface->GetIntersection(line);
            for (const Point& p : intersection.GetPoints())
            {
                out.insert(out.end(), {p.X(), p.Y(), p.Z()});
                for (const ISurface* other : surfaces)
                {
                    const bool contains = other->Contains(p);
                    const Vector n = contains ? other->GetNormal(p) : Vector();
                    out.insert(out.end(), {contains ? 1.0 : 0.0, n.X(), n.Y(), n.Z()});
                }
            }
        }
    }
    for (const ISurface* surface : surfaces)
    {
        const std::unique_ptr<const IContour> contour(surface->GetContour());
        out.push_back(static_cast<double>(contour->GetSegments().size()));
        const std::unique_ptr<const ISurface> clone(surface->Clone());
        out.push_back(*clone == *surface ? 1.0 : 0.0);
    }
    const std::unique_ptr<const ISolid> clone(solid.Clone());
    out.push_back(*clone == solid ? 1.0 : 0.0);
    return out;
}

template <typename Work> void RunInThreads(Work work)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < ThreadCount; ++t)
        threads.emplace_back(work, t);
    for (std::thread& thread : threads)
        thread.join();
}
} // namespace

TEST(Concurrency, TracersInParallelThreadsOverTheSameCallerSolids)
{
    // Plate z in [0, 20] under a 40 x 20 x 10 wedge standing on it at x in [-40, 0].
    const std::unique_ptr<const Solid> plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 10), 400, 100, 20));
    const std::unique_ptr<const Solid> wedge(
        Quoria::CreateWedgeOnAxisAlignedPlate(Point(0, 0, 0), 40, 20, 10, 0.0, 0.0, 0.0));
    const std::unique_ptr<const Solid> pipe(Quoria::CreateYOrientedPipe(Point(0, 0, 0), 8, 10, 50));
    const std::vector<const Solid*> wedgeOnPlate = {wedge.get(), plate.get()};
    const std::vector<const Solid*> pipeOnly = {pipe.get()};

    const double degree = Pi / 180.0;
    const std::vector<Beam> plateBeams = {
        {Point(60, 0, 0), {0.0, 45 * degree}, 4, {}},
        {Point(-20, 0, -10), {0.0, 30 * degree}, 3, {Quoria::Transmit}},
        {Point(-20, 0, -10), {15 * degree, 60 * degree}, 250, {Quoria::Transmit, Quoria::Reflect}},
        {Point(100, 10, 20), {-30 * degree, -20 * degree}, 40, {}},
    };
    const std::vector<Beam> pipeBeams = {
        {Point(0, 0, -10), {0.0, 20 * degree}, 30, {}},
        {Point(0, 5, 8), {45 * degree, 35 * degree}, 250, {}},
    };

    // Whether the serial answers are right is the other tests' business.
    const std::vector<Legs> plateReference = TraceAll(wedgeOnPlate, plateBeams);
    const std::vector<Legs> pipeReference = TraceAll(pipeOnly, pipeBeams);
    ASSERT_EQ(plateReference[3].size(), 40u);

    std::vector<std::vector<Legs>> plateResults(ThreadCount);
    std::vector<std::vector<Legs>> pipeResults(ThreadCount);
    RunInThreads(
        [&](int t)
        {
            for (int round = 0; round < 3; ++round)
            {
                // Alternate so that the threads clone the same solids while
                // others are tracing.
                if ((t + round) % 2 == 0)
                    plateResults[t] = TraceAll(wedgeOnPlate, plateBeams);
                else
                    pipeResults[t] = TraceAll(pipeOnly, pipeBeams);
            }
            plateResults[t] = TraceAll(wedgeOnPlate, plateBeams);
            pipeResults[t] = TraceAll(pipeOnly, pipeBeams);
        });

    for (int t = 0; t < ThreadCount; ++t)
    {
        EXPECT_EQ(plateResults[t], plateReference) << "thread " << t;
        EXPECT_EQ(pipeResults[t], pipeReference) << "thread " << t;
    }
}

TEST(Concurrency, ManyThreadsQueryOneSharedSolid)
{
    // A pipe has rings, whose contours are worked out on every call; a
    // counterbored pipe adds unions of rings, sectors and triangles.
    const std::unique_ptr<const Solid> pipe(Quoria::CreateXOrientedPipe(Point(0, 0, 0), 4, 6, 12));
    const Quoria::SlopeConfiguration slope(1, 2, 1);
    const std::unique_ptr<const Solid> counterbored(
        Quoria::CreateXOrientedCounterboredPipe(Point(0, 0, 0), 4, 6, 12, {slope, slope, slope, slope}));

    for (const Solid* shared : {pipe.get(), counterbored.get()})
    {
        const std::vector<double> reference = Survey(*shared);
        ASSERT_GT(reference.size(), 100u);

        std::vector<std::vector<double>> results(ThreadCount);
        RunInThreads([&](int t) { results[t] = Survey(*shared); });

        for (int t = 0; t < ThreadCount; ++t)
            EXPECT_EQ(results[t], reference) << "thread " << t;
    }
}
