#include "Factories.h"
#include "IContour.h"
#include "IRayTracer.h"
#include "ISurface.h"
#include "Intersection.h"
#include "Line.h"
#include "Pi.h"
#include "Quoria.h"
#include "SlopeConfiguration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
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
using QuoriaTesting::Pi;
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

namespace
{
void ExpectSameResult(const Quoria::BatchResult& actual, const Quoria::BatchResult& expected)
{
    EXPECT_EQ(actual.legOffsets, expected.legOffsets);
    EXPECT_EQ(actual.starts, expected.starts);
    EXPECT_EQ(actual.ends, expected.ends);
    EXPECT_EQ(actual.lengths, expected.lengths);
    EXPECT_EQ(actual.solids, expected.solids);
    EXPECT_EQ(actual.faces, expected.faces);
    EXPECT_EQ(actual.behaviors, expected.behaviors);
    EXPECT_EQ(actual.endings, expected.endings);
    EXPECT_EQ(actual.messages, expected.messages);
}

// Beams fanned over the wedge's top face and the plate beyond it; the one
// at x = 0 starts on the wedge's edge and is refused.
std::vector<Quoria::BatchBeam> WedgeFan(int count)
{
    std::vector<Quoria::BatchBeam> beams;
    for (int i = 0; i < count; ++i)
    {
        const double x = -38.0 + 76.0 * i / count;
        const Point entry = x < 0 ? Point(x, 2.0 * (i % 5) - 4.0, -10.0) : Point(x, 0, 0);
        beams.push_back({entry, BeamAngles{0.1 * (i % 7) - 0.3, (i % 11) * 0.05}});
    }
    return beams;
}
} // namespace

TEST(Concurrency, BatchesAtOnceOverOneTracerGiveTheSerialAnswers)
{
    const std::unique_ptr<const Solid> plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 10), 400, 100, 20));
    const std::unique_ptr<const Solid> wedge(
        Quoria::CreateWedgeOnAxisAlignedPlate(Point(0, 0, 0), 40, 20, 10, 0.0, 0.0, 0.0));
    const std::vector<const Solid*> solids = {wedge.get(), plate.get()};
    const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(solids));
    const std::vector<Quoria::BatchBeam> beams = WedgeFan(120);
    const std::vector<BehaviorAtInterface> behaviors = {Quoria::Transmit, Quoria::Reflect, Quoria::Transmit};
    // Throws for the steeper beams at the third interface.
    const std::vector<std::function<double(double)>> laws = {
        {}, {}, [](double angle) {
            return std::fabs(angle) < 0.2 ? angle : throw std::domain_error("steep");
        }};

    Quoria::BatchOptions serial;
    serial.threadCount = 1;
    const Quoria::BatchResult reference =
        Quoria::TraceBatch(tracer.get(), beams, Quoria::TraceStop::Legs(60), behaviors, laws, serial);
    ASSERT_GT(reference.LegCount(), 1000u);
    ASSERT_NE(std::count(reference.messages.begin(), reference.messages.end(), "steep"), 0);

    std::vector<Quoria::BatchResult> results(ThreadCount);
    RunInThreads(
        [&](int t)
        {
            Quoria::BatchOptions options;
            options.threadCount = static_cast<unsigned int>(1 + t % 4);
            options.progress = [](std::size_t, std::size_t) { return true; };
            results[t] = t % 2 == 0 ? Quoria::TraceBatch(tracer.get(), beams, Quoria::TraceStop::Legs(60),
                                                         behaviors, laws, options)
                                    : Quoria::TraceBatch(solids, beams, Quoria::TraceStop::Legs(60),
                                                         behaviors, laws, options);
        });
    for (int t = 0; t < ThreadCount; ++t)
    {
        SCOPED_TRACE("thread " + std::to_string(t));
        ExpectSameResult(results[t], reference);
    }
}

namespace
{
// Cancels `beams` (all alike, five legs each) at the first progress report
// and checks that the beams traced are the first ones, each whole.
void ExpectCancelledAfterTheFirstBeams(const std::vector<Quoria::BatchBeam>& beams,
                                       const std::function<BehaviorAtInterface(const ISurface*)>& behavior)
{
    const std::unique_ptr<const Solid> pipe(Quoria::CreateYOrientedPipe(Point(0, 0, 0), 8, 10, 50));
    const std::vector<std::function<BehaviorAtInterface(const ISurface*)>> behaviors = {behavior};
    Quoria::BatchOptions options;
    options.threadCount = 3;
    std::size_t reported = 0;
    int calls = 0;
    options.progress = [&reported, &calls](std::size_t done, std::size_t)
    {
        reported = done;
        ++calls;
        return false;
    };
    const Quoria::BatchResult batch =
        Quoria::TraceBatch({pipe.get()}, beams, Quoria::TraceStop::Legs(5), behaviors, {}, options);
    const Quoria::BatchResult one =
        Quoria::TraceBatch({pipe.get()}, {beams[0]}, Quoria::TraceStop::Legs(5), behaviors);
    ASSERT_EQ(one.LegCount(), 5u);

    const auto firstCancelled =
        std::find(batch.endings.begin(), batch.endings.end(), Quoria::TraceEnding::Cancelled);
    const std::size_t traced = static_cast<std::size_t>(firstCancelled - batch.endings.begin());
    // Not called again once it has said no; the beams being traced were finished.
    EXPECT_EQ(calls, 1);
    EXPECT_GE(traced, reported);
    EXPECT_EQ(batch.messages, std::vector<std::string>(beams.size()));
    EXPECT_LT(traced, beams.size());
    EXPECT_EQ(std::count(firstCancelled, batch.endings.end(), Quoria::TraceEnding::Cancelled),
              static_cast<long>(beams.size() - traced));
    ASSERT_EQ(batch.LegCount(), 5 * traced);
    for (std::size_t b = 0; b < beams.size(); ++b)
        ASSERT_EQ(batch.legOffsets[b + 1], static_cast<std::int64_t>(5 * std::min(b + 1, traced))) << b;
    // Every beam traced is the same beam, whole.
    for (std::size_t b = 0; b < traced; ++b)
    {
        ASSERT_EQ(batch.endings[b], one.endings[0]) << b;
        ASSERT_TRUE(std::equal(one.ends.begin(), one.ends.end(), batch.ends.begin() + 15 * b)) << b;
        ASSERT_TRUE(std::equal(one.starts.begin(), one.starts.end(), batch.starts.begin() + 15 * b)) << b;
    }
}
} // namespace

TEST(Concurrency, CancelledBatchKeepsTheFirstBeams)
{
    const Quoria::BatchBeam beam{Point(0, 0, -10), BeamAngles{0.3, 0.4}};
    // Slow beams, so that the first progress report comes long before the
    // end: each thread traces them one at a time.
    ExpectCancelledAfterTheFirstBeams(std::vector<Quoria::BatchBeam>(40, beam),
                                      [](const ISurface*)
                                      {
                                          std::this_thread::sleep_for(std::chrono::milliseconds(10));
                                          return Quoria::Reflect;
                                      });
    // Quick beams, taken in runs of several that a thread finishes whole: at
    // least 2.5 us a beam, so that 100,000 of them on three threads outlast
    // the first report whatever the machine.
    ExpectCancelledAfterTheFirstBeams(std::vector<Quoria::BatchBeam>(100000, beam),
                                      [](const ISurface*)
                                      {
                                          const auto until = std::chrono::steady_clock::now() +
                                                             std::chrono::nanoseconds(500);
                                          while (std::chrono::steady_clock::now() < until)
                                          {
                                          }
                                          return Quoria::Reflect;
                                      });
}

TEST(Concurrency, SoundBatchesAtOnceOverOneTracerThatTracesMeanwhile)
{
    const std::unique_ptr<const Solid> plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 10), 400, 100, 20));
    const std::unique_ptr<const Solid> wedge(
        Quoria::CreateWedgeOnAxisAlignedPlate(Point(0, 0, 0), 40, 20, 10, 0.0, 0.0, 0.0));
    const Quoria::Material steel("steel", 5900.0, 3230.0);
    const Quoria::Material water("water", 1480.0, 0.0);
    Quoria::AcousticTracer tracer({wedge.get(), plate.get()}, {water, steel});
    const std::vector<Quoria::BatchBeam> beams = WedgeFan(120);
    const std::vector<BehaviorAtInterface> behaviors = {Quoria::Transmit, Quoria::Reflect, Quoria::Transmit};
    // T in the steel, then L back into the water: critical angles and all.
    const std::vector<Quoria::WaveMode> modes = {Quoria::WaveMode::L, Quoria::WaveMode::T,
                                                 Quoria::WaveMode::T, Quoria::WaveMode::L};
    const Quoria::TraceStop stop = Quoria::TraceStop::Time(80.0);

    Quoria::BatchOptions serial;
    serial.threadCount = 1;
    const Quoria::AcousticBatchResult reference =
        Quoria::TraceBatch(tracer, beams, stop, behaviors, modes, serial);
    ASSERT_GT(reference.LegCount(), 200u);

    std::vector<Quoria::AcousticBatchResult> results(ThreadCount);
    RunInThreads(
        [&](int t)
        {
            if (t == 0)
            {
                // The tracer's own working state, beside the batches'.
                for (int round = 0; round < 5; ++round)
                    for (std::size_t b = 0; b < beams.size(); b += 7)
                        try
                        {
                            tracer.Trace(beams[b].entryPoint, beams[b].angles, stop, behaviors, modes);
                        }
                        catch (const std::invalid_argument&)
                        {
                        }
                return;
            }
            Quoria::BatchOptions options;
            options.threadCount = static_cast<unsigned int>(1 + t % 3);
            results[t] = Quoria::TraceBatch(tracer, beams, stop, behaviors, modes, options);
        });
    for (int t = 1; t < ThreadCount; ++t)
    {
        SCOPED_TRACE("thread " + std::to_string(t));
        ExpectSameResult(results[t], reference);
        EXPECT_EQ(results[t].modes, reference.modes);
        EXPECT_EQ(results[t].speeds, reference.speeds);
        EXPECT_EQ(results[t].times, reference.times);
        EXPECT_EQ(results[t].beamTimes, reference.beamTimes);
    }
}
