#include "CylindricalSurface.h"
#include "Quoria.h"
#include "SameBits.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace Tessam::Geometry3D;
using QuoriaTesting::SameBits;
using Quoria::BatchBeam;
using Quoria::BatchOptions;
using Quoria::BatchResult;
using Quoria::Reflect;
using Quoria::TraceEnding;
using Quoria::TraceStop;
using Quoria::Transmit;

namespace
{
using SolidPointer = std::unique_ptr<const Solid>;
using TracerPointer = std::unique_ptr<Quoria::IRayTracer>;

const char* const RefractionMessage =
    "RayTracer::CalculateLegsFromEntryPoint : Beam refraction angle must be "
    "contained within ]-90\xB0"
    ", 90\xB0"
    "[.";
const char* const EntryMessage =
    "RayTracer::CalculateLegsFromEntryPoint : Entry point is not on the configuration or is on a corner.";
const char* const ForeignMessage =
    "TraceBatch : A behaviour function or a law threw an exception that is not a std::exception.";

// The single-beam calls the batch must reproduce.
template <typename Behaviours>
void ExpectSameAsSingleCalls(Quoria::IRayTracer& tracer, const std::vector<BatchBeam>& beams,
                             const TraceStop& stop, const Behaviours& behaviors, const Laws& laws,
                             const BatchResult& batch)
{
    const std::size_t legCount = batch.LegCount();
    ASSERT_TRUE(batch.legOffsets.size() == beams.size() + 1 && batch.BeamCount() == beams.size() &&
                batch.messages.size() == beams.size() &&
                static_cast<std::size_t>(batch.legOffsets.back()) == legCount &&
                batch.starts.size() == 3 * legCount && batch.ends.size() == 3 * legCount &&
                batch.solids.size() == legCount && batch.faces.size() == legCount &&
                batch.behaviors.size() == legCount);
    const bool byLegs = stop.GetKind() == TraceStop::Kind::Legs;
    for (std::size_t b = 0; b < beams.size(); ++b)
    {
        SCOPED_TRACE("beam " + std::to_string(b));
        const BatchBeam& beam = beams[b];
        Legs legs;
        Quoria::TraceReport report;
        std::string message;
        try
        {
            legs = byLegs
                       ? TraceLegs(tracer, beam.entryPoint, beam.angles, stop.GetLegCount(), behaviors, laws)
                       : TraceLegs(tracer, beam.entryPoint, beam.angles, stop.GetAmount(), behaviors, laws);
            report = byLegs ? Quoria::CalculateTrace(&tracer, beam.entryPoint, beam.angles,
                                                     stop.GetLegCount(), behaviors, laws)
                            : Quoria::CalculateTrace(&tracer, beam.entryPoint, beam.angles, stop.GetAmount(),
                                                     behaviors, laws);
        }
        catch (const std::exception& error)
        {
            message = error.what();
            report.ending = TraceEnding::Error;
        }
        EXPECT_EQ(Quoria::TraceEndingName(batch.endings[b]), Quoria::TraceEndingName(report.ending));
        EXPECT_EQ(batch.messages[b], message);
        const auto first = static_cast<std::size_t>(batch.legOffsets[b]);
        ASSERT_EQ(static_cast<std::size_t>(batch.legOffsets[b + 1]) - first, legs.size());
        for (std::size_t i = 0; i < legs.size(); ++i)
        {
            const std::size_t leg = first + i;
            ASSERT_TRUE(SameBits(&batch.starts[3 * leg], legs[i].GetFirstPoint())) << "leg " << i;
            ASSERT_TRUE(SameBits(&batch.ends[3 * leg], legs[i].GetSecondPoint())) << "leg " << i;
            ASSERT_TRUE(SameBits(batch.lengths[leg], legs[i].Length())) << "leg " << i;
            ASSERT_EQ(static_cast<std::size_t>(batch.solids[leg]), report.legs[i].solid) << "leg " << i;
            ASSERT_EQ(static_cast<std::size_t>(batch.faces[leg]), report.legs[i].face) << "leg " << i;
            ASSERT_EQ(batch.behaviors[leg], report.legs[i].behavior) << "leg " << i;
        }
    }
}

struct Specimen
{
    std::string name;
    std::vector<SolidPointer> solids;
    // Entry points are drawn on lines through this box.
    Point low, high;

    std::vector<const Solid*> Configuration() const
    {
        std::vector<const Solid*> configuration;
        for (const SolidPointer& solid : solids)
            configuration.push_back(solid.get());
        return configuration;
    }
};

template <typename... Solids>
Specimen Make(std::string name, const Point& low, const Point& high, Solids... solids)
{
    Specimen specimen{std::move(name), {}, low, high};
    for (const Solid* solid : {solids...})
        specimen.solids.emplace_back(solid);
    return specimen;
}

std::vector<Specimen> EveryKindOfSpecimen()
{
    using S = Quoria::SlopeConfiguration;
    const std::array<const S, 4> plateSlopes{S(5, 10, 3), S(4, 8, 2), S(6, 5, 4), S(3, 12, 1)};
    const std::array<const S, 4> xPipeSlopes{S(2, 6, 3), S(2, 5, 2), S(2, 7, 1), S(2, 4, 2)};
    const std::array<const S, 4> yPipeSlopes{S(3, 10, 5), S(4, 8, 6), S(2, 6, 4), S(3, 0, 7)};
    std::vector<Specimen> specimens;
    specimens.push_back(Make("plate", Point(-100, -60, -13), Point(100, 60, 13),
                             Quoria::CreateAxisAlignedPlate(Point(0, 0, 0), 200, 120, 25)));
    specimens.push_back(Make("x bar", Point(-150, -15, -15), Point(150, 15, 15),
                             Quoria::CreateXOrientedBar(Point(0, 0, 0), 15, 300)));
    specimens.push_back(Make("y bar", Point(-12, -125, -12), Point(12, 125, 12),
                             Quoria::CreateYOrientedBar(Point(0, 0, 0), 12, 250)));
    specimens.push_back(Make("x pipe", Point(-150, -25, -25), Point(150, 25, 25),
                             Quoria::CreateXOrientedPipe(Point(0, 0, 0), 20, 25, 300)));
    specimens.push_back(Make("y pipe", Point(-25, -150, -25), Point(25, 150, 25),
                             Quoria::CreateYOrientedPipe(Point(0, 0, 0), 20, 25, 300)));
    specimens.push_back(
        Make("counterbored plate", Point(-100, -100, -10), Point(100, 100, 10),
             Quoria::CreateAxisAlignedCounterboredPlate(Point(0, 0, 0), 200, 200, 20, plateSlopes)));
    specimens.push_back(
        Make("x counterbored pipe", Point(-100, -25, -25), Point(100, 25, 25),
             Quoria::CreateXOrientedCounterboredPipe(Point(0, 0, 0), 20, 25, 200, xPipeSlopes)));
    specimens.push_back(
        Make("y counterbored pipe", Point(-25, -100, -25), Point(25, 100, 25),
             Quoria::CreateYOrientedCounterboredPipe(Point(0, 0, 0), 20, 25, 200, yPipeSlopes)));
    specimens.push_back(Make("wedge on plate", Point(-100, -50, -25), Point(100, 50, 25),
                             Quoria::CreateWedgeOnAxisAlignedPlate(Point(0, 0, 0), 40, 30, 10, 0.3, 0, 0),
                             Quoria::CreateAxisAlignedPlate(Point(0, 0, 12.5), 200, 100, 25)));
    specimens.push_back(
        Make("wedge on x cylinder", Point(-100, -30, -25), Point(100, 30, 60),
             Quoria::CreateWedgeOnXOrientedCylinder(Point(10, 0, 0), 30, 16, 8, 0.35, 0, Point(0, 0, 30)),
             Quoria::CreateXOrientedPipe(Point(0, 0, 30), 20, 30, 200)));
    specimens.push_back(
        Make("wedge on y cylinder", Point(-30, -100, -25), Point(30, 100, 60),
             Quoria::CreateYOrientedPipe(Point(0, 0, 30), 20, 30, 200),
             Quoria::CreateWedgeOnYOrientedCylinder(Point(0, 0, 0), 16, 30, 8, 0.35, 0, Point(0, 0, 30))));
    return specimens;
}

// Mostly points where a random line meets a random face; now and then a
// point off every face or an angle out of range, which fail.
std::vector<BatchBeam> RandomBeams(const Specimen& specimen, int count, std::mt19937_64& engine)
{
    const auto draw = [&engine](double low, double high)
    { return std::uniform_real_distribution<double>(low, high)(engine); };
    const auto inBox = [&]
    {
        return Point(draw(specimen.low.X(), specimen.high.X()), draw(specimen.low.Y(), specimen.high.Y()),
                     draw(specimen.low.Z(), specimen.high.Z()));
    };
    std::vector<BatchBeam> beams;
    for (int b = 0; b < count; ++b)
    {
        Point entry = inBox();
        for (int attempt = 0; attempt < 20; ++attempt)
        {
            const Solid& solid = *specimen.solids[engine() % specimen.solids.size()];
            const ISurface& face = *solid.GetSurfaces()[engine() % solid.GetSurfaces().size()];
            const Vector direction(draw(-1, 1), draw(-1, 1), draw(-1, 1));
            if (direction.Length() < 0.1)
                continue;
            const Intersection intersection = face.GetIntersection(Line(inBox(), direction));
            if (!intersection.GetPoints().empty())
            {
                entry = intersection.GetPoints().front();
                break;
            }
        }
        const double refraction = engine() % 10 == 0 ? HalfPi : draw(-1.45, 1.45);
        beams.push_back({entry, Angles(refraction, draw(-Pi, Pi))});
    }
    return beams;
}
} // namespace

TEST(BatchTrace, EveryBeamGetsTheLegsOfTheSingleCallWhateverTheThreads)
{
    std::mt19937_64 engine(14);
    const Laws bend = {
        [](double angle) { return angle * 0.999; }, {}, [](double angle) { return angle + 0.01; }};
    // Stops at the first cone or cylinder met after the first leg, whichever copy of the solids it belongs
    // to.
    const BehaviorFunctions byFace(
        4, [](const ISurface* surface)
        { return dynamic_cast<const CylindricalSurface*>(surface) ? Quoria::Stop : Reflect; });
    std::size_t traced = 0, legs = 0;
    int overload = 0;
    for (const Specimen& specimen : EveryKindOfSpecimen())
    {
        SCOPED_TRACE(specimen.name);
        const std::vector<BatchBeam> beams = RandomBeams(specimen, 30, engine);
        const TracerPointer tracer(Quoria::CreateRayTracer(specimen.Configuration()));
        // Into the second solid and back, or round a single one until it exits.
        Behaviors behaviors = {Transmit, Reflect, Transmit};
        if (specimen.solids.size() == 1)
        {
            behaviors.assign(20, Reflect);
            if (overload % 3 != 0)
                behaviors.push_back(Transmit);
        }
        const TraceStop stop = overload % 2 == 0 ? TraceStop::Legs(1000) : TraceStop::Length(900.0);
        // Each overload in turn.
        const auto expect = [&](const auto& behaviorsOfBatch, const Laws& laws)
        {
            for (const unsigned int threads : {1u, 2u, 7u})
            {
                SCOPED_TRACE(std::to_string(threads) + " threads");
                BatchOptions options;
                options.threadCount = threads;
                ExpectSameAsSingleCalls(
                    *tracer, beams, stop, behaviorsOfBatch, laws,
                    overload % 4 < 2
                        ? Quoria::TraceBatch(tracer.get(), beams, stop, behaviorsOfBatch, laws, options)
                        : Quoria::TraceBatch(specimen.Configuration(), beams, stop, behaviorsOfBatch, laws,
                                             options));
            }
        };
        if (overload % 2 == 0)
            expect(behaviors, overload % 4 == 0 ? bend : Laws());
        else
            expect(byFace, overload % 4 == 3 ? bend : Laws());
        const BatchResult once = Quoria::TraceBatch(tracer.get(), beams, stop, behaviors, bend);
        for (const TraceEnding ending : once.endings)
            traced += ending != TraceEnding::Error ? 1 : 0;
        legs += once.LegCount();
        ++overload;
    }
    // Most beams enter, and they travel.
    EXPECT_GT(traced, 200u);
    EXPECT_GT(legs, 5000u);
}

TEST(BatchTrace, FailingBeamsFailAloneWithTheirMessages)
{
    // A cube 10 on a side from the origin; its top face is z = 0.
    const SolidPointer cube(Quoria::CreateAxisAlignedPlate(Point(5, 0, 5), 10, 10, 10));
    const TracerPointer tracer(Quoria::CreateRayTracer(cube.get()));
    // Vertical beams meet every face at normal incidence, where no law is called.
    const std::vector<BatchBeam> beams = {
        {Point(5, 0, 0), Angles(0.0)},    {Point(5, 0, -1), Angles(0.0)}, // above the cube
        {Point(5, 0, 0), Angles(HalfPi)}, {Point(10, 0, 0), Angles(0.0)}, // on an edge
        {Point(5, 0, -1), Angles(2.0)},                                   // both: the angle is checked first
        {Point(2, 1, 0), Angles(0.0)},    {Point(5, 0, 0), Angles(0.3)},  // the law throws a std::exception
        {Point(5, 0, 0), Angles(0.6)},                                    // the law throws something else
    };
    // Reflected at the bottom, the beam leaves at pi - refraction from the outward normal.
    const Laws laws = {[](double angle) -> double
                       {
                           if (angle > Pi - 0.45)
                               throw std::runtime_error("no law that steep");
                           throw 42;
                       }};
    for (const unsigned int threads : {1u, 3u})
    {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        BatchOptions options;
        options.threadCount = threads;
        const BatchResult batch =
            Quoria::TraceBatch(tracer.get(), beams, TraceStop::Legs(2), Behaviors(), laws, options);

        const TraceEnding E = TraceEnding::Error, L = TraceEnding::Legs;
        EXPECT_EQ(batch.endings, (std::vector<TraceEnding>{L, E, E, E, E, L, E, E}));
        EXPECT_EQ(batch.messages,
                  (std::vector<std::string>{"", EntryMessage, RefractionMessage, EntryMessage,
                                            RefractionMessage, "", "no law that steep", ForeignMessage}));
        EXPECT_EQ(batch.legOffsets, (std::vector<std::int64_t>{0, 2, 2, 2, 2, 2, 4, 4, 4}));
        // Down to the bottom and back up, twice.
        const double expectedEnds[] = {5, 0, 10, 5, 0, 0, 2, 1, 10, 2, 1, 0};
        const double expectedStarts[] = {5, 0, 0, 5, 0, 10, 2, 1, 0, 2, 1, 10};
        ASSERT_EQ(batch.ends.size(), 12u);
        for (std::size_t i = 0; i < 12; ++i)
        {
            EXPECT_NEAR(batch.ends[i], expectedEnds[i], 1e-12) << i;
            EXPECT_NEAR(batch.starts[i], expectedStarts[i], 1e-12) << i;
        }
        EXPECT_EQ(batch.lengths, (std::vector<double>{10, 10, 10, 10}));
        EXPECT_EQ(batch.solids, (std::vector<std::int32_t>{0, 0, 0, 0}));
        // The trace ended on the leg count before the second behaviour was asked.
        EXPECT_EQ(batch.behaviors, (std::vector<std::int32_t>{Reflect, Quoria::Stop, Reflect, Quoria::Stop}));
        const std::vector<const ISurface*>& faces = tracer->GetConfiguration()[0]->GetSurfaces();
        for (std::size_t leg = 0; leg < 4; ++leg)
        {
            const Point end(batch.ends[3 * leg], batch.ends[3 * leg + 1], batch.ends[3 * leg + 2]);
            const Vector normal = faces.at(static_cast<std::size_t>(batch.faces[leg]))->GetNormal(end);
            EXPECT_EQ(normal, Vector(0, 0, leg % 2 == 0 ? 1 : -1)) << "leg " << leg;
        }
    }
}

TEST(BatchTrace, ZeroStopsAndRefusedArguments)
{
    const SolidPointer cube(Quoria::CreateAxisAlignedPlate(Point(5, 0, 5), 10, 10, 10));
    const TracerPointer tracer(Quoria::CreateRayTracer(cube.get()));
    const std::vector<BatchBeam> beams = {{Point(5, 0, 0), Angles(0.3)}, {Point(50, 0, 0), Angles(2.0)}};

    // Nothing is traced and no beam is checked.
    const BatchResult noLegs = Quoria::TraceBatch(tracer.get(), beams, TraceStop::Legs(0), Behaviors());
    EXPECT_EQ(noLegs.endings, (std::vector<TraceEnding>{TraceEnding::Legs, TraceEnding::Legs}));
    EXPECT_EQ(noLegs.legOffsets, (std::vector<std::int64_t>{0, 0, 0}));
    EXPECT_EQ(noLegs.messages, (std::vector<std::string>{"", ""}));
    const BatchResult noLength = Quoria::TraceBatch(tracer.get(), beams, TraceStop::Length(0.0), Behaviors());
    EXPECT_EQ(noLength.endings, (std::vector<TraceEnding>{TraceEnding::Length, TraceEnding::Length}));
    EXPECT_EQ(noLength.LegCount(), 0u);

    const std::string tracerMessage = "TraceBatch : The tracer must be one made by CreateRayTracer.";
    const std::string timeMessage = "TraceBatch : The stop condition must be a leg count or a length.";
    const std::string lengthMessage = "TraceBatch : Requested total ray length must be larger than 0.";
    EXPECT_EQ(MessageOf([&] { Quoria::TraceBatch(tracer.get(), beams, TraceStop::Time(5.0), Behaviors()); }),
              timeMessage);
    EXPECT_EQ(
        MessageOf([&] { Quoria::TraceBatch(tracer.get(), beams, TraceStop::Length(-1e-300), Behaviors()); }),
        lengthMessage);
    EXPECT_EQ(MessageOf([&] { Quoria::TraceBatch(nullptr, beams, TraceStop::Time(5.0), Behaviors()); }),
              tracerMessage);
    EXPECT_EQ(MessageOf([&] { Quoria::TraceBatch(nullptr, beams, TraceStop::Legs(3), BehaviorFunctions()); }),
              tracerMessage);
    EXPECT_EQ(
        MessageOf(
            [&]
            { Quoria::TraceBatch(std::vector<const Solid*>(), beams, TraceStop::Time(5.0), Behaviors()); }),
        "TraceBatch : The configuration must contain at least one solid.");
    EXPECT_EQ(MessageOf(
                  [&] {
                      Quoria::TraceBatch({cube.get(), nullptr}, beams, TraceStop::Legs(3), Behaviors());
                  }),
              "TraceBatch : The configuration must not contain a null solid.");
    EXPECT_EQ(
        MessageOf([&]
                  { Quoria::TraceBatch({cube.get()}, beams, TraceStop::Length(-1.0), BehaviorFunctions()); }),
        lengthMessage);
    // A NaN length is never reached: the beam runs to the tracer's limit.
    const BatchResult endless =
        Quoria::TraceBatch(tracer.get(), {beams[0]}, TraceStop::Length(std::nan("")), Behaviors());
    EXPECT_EQ(endless.endings, std::vector<TraceEnding>{TraceEnding::Limit});
    EXPECT_EQ(endless.LegCount(), Quoria::MaximumLegCount);
}

TEST(BatchTrace, ProgressComesOnTheCallersThreadAndEndsWithTheTotal)
{
    const SolidPointer cube(Quoria::CreateAxisAlignedPlate(Point(5, 0, 5), 10, 10, 10));
    const std::vector<BatchBeam> beams(50, BatchBeam{Point(5, 0, 0), Angles(0.3)});
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    bool elsewhere = false;
    const std::thread::id caller = std::this_thread::get_id();
    BatchOptions options;
    options.threadCount = 3;
    options.progress = [&](std::size_t done, std::size_t total)
    {
        elsewhere = elsewhere || std::this_thread::get_id() != caller;
        calls.emplace_back(done, total);
        return true;
    };
    const BatchResult batch =
        Quoria::TraceBatch({cube.get()}, beams, TraceStop::Legs(20), Behaviors(), {}, options);
    EXPECT_EQ(batch.LegCount(), 50u * 20u);
    EXPECT_FALSE(elsewhere);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), std::make_pair(std::size_t{50}, std::size_t{50}));
    for (std::size_t i = 1; i < calls.size(); ++i)
        EXPECT_LE(calls[i - 1].first, calls[i].first);

    // An empty batch still ends with its total.
    calls.clear();
    EXPECT_EQ(Quoria::TraceBatch({cube.get()}, {}, TraceStop::Legs(20), Behaviors(), {}, options).legOffsets,
              std::vector<std::int64_t>{0});
    EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 0}}));

    // What the callback throws reaches the caller, once the threads have stopped.
    options.progress = [](std::size_t, std::size_t) -> bool { throw std::runtime_error("display closed"); };
    try
    {
        Quoria::TraceBatch({cube.get()}, beams, TraceStop::Legs(20), Behaviors(), {}, options);
        ADD_FAILURE() << "no exception";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_STREQ(error.what(), "display closed");
    }
}
