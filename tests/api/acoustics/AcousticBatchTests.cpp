#include "CylindricalSurface.h"
#include "Quoria.h"
#include "SameBits.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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
using Quoria::AcousticBatchResult;
using Quoria::AcousticReport;
using Quoria::AcousticTracer;
using Quoria::BatchBeam;
using Quoria::BatchOptions;
using Quoria::Material;
using Quoria::Reflect;
using Quoria::TraceEnding;
using Quoria::TraceStop;
using Quoria::Transmit;
using Quoria::WaveMode;

namespace
{
using SolidPointer = std::unique_ptr<const Solid>;
using Modes = std::vector<WaveMode>;

const Material Steel("steel", 5900.0, 3230.0);
const Material WedgeMaterial("wedge", 2330.0, 1160.0);
const Material Water("Water", 1480.0, 0.0);

// What the single call says of each beam, compared bit for bit; a beam it
// refuses is an Error without legs and with its message.
template <typename Behaviours>
void ExpectSameAsSingleCalls(AcousticTracer& tracer, const std::vector<BatchBeam>& beams,
                             const TraceStop& stop, const Behaviours& behaviors, const Modes& modes,
                             const AcousticBatchResult& batch)
{
    const std::size_t legCount = batch.LegCount();
    ASSERT_TRUE(batch.legOffsets.size() == beams.size() + 1 && batch.BeamCount() == beams.size() &&
                batch.messages.size() == beams.size() && batch.beamTimes.size() == beams.size() &&
                static_cast<std::size_t>(batch.legOffsets.back()) == legCount &&
                batch.starts.size() == 3 * legCount && batch.ends.size() == 3 * legCount &&
                batch.solids.size() == legCount && batch.faces.size() == legCount &&
                batch.behaviors.size() == legCount && batch.modes.size() == legCount &&
                batch.speeds.size() == legCount && batch.times.size() == legCount);
    for (std::size_t b = 0; b < beams.size(); ++b)
    {
        SCOPED_TRACE("beam " + std::to_string(b));
        AcousticReport report;
        try
        {
            report = tracer.Trace(beams[b].entryPoint, beams[b].angles, stop, behaviors, modes);
        }
        catch (const std::invalid_argument& error)
        {
            report.ending = TraceEnding::Error;
            report.message = error.what();
        }
        ASSERT_EQ(Quoria::TraceEndingName(batch.endings[b]), Quoria::TraceEndingName(report.ending));
        ASSERT_EQ(batch.messages[b], report.message);
        ASSERT_TRUE(SameBits(batch.beamTimes[b], report.time));
        const auto first = static_cast<std::size_t>(batch.legOffsets[b]);
        ASSERT_EQ(static_cast<std::size_t>(batch.legOffsets[b + 1]) - first, report.legs.size());
        for (std::size_t i = 0; i < report.legs.size(); ++i)
        {
            SCOPED_TRACE("leg " + std::to_string(i));
            const std::size_t leg = first + i;
            const Quoria::AcousticLeg& expected = report.legs[i];
            ASSERT_TRUE(SameBits(&batch.starts[3 * leg], expected.segment.GetFirstPoint()));
            ASSERT_TRUE(SameBits(&batch.ends[3 * leg], expected.segment.GetSecondPoint()));
            ASSERT_TRUE(SameBits(batch.lengths[leg], expected.segment.Length()));
            ASSERT_EQ(static_cast<std::size_t>(batch.solids[leg]), expected.solid);
            ASSERT_EQ(static_cast<std::size_t>(batch.faces[leg]), expected.face);
            ASSERT_EQ(batch.behaviors[leg], expected.behavior);
            ASSERT_EQ(batch.modes[leg], static_cast<std::int32_t>(expected.mode));
            ASSERT_TRUE(SameBits(batch.speeds[leg], expected.speed));
            ASSERT_TRUE(SameBits(batch.times[leg], expected.time));
        }
    }
}

// Mostly where a random line meets a random face of the probe or the
// specimen; now and then an angle out of range.
std::vector<BatchBeam> RandomBeams(const std::vector<const Solid*>& solids, const Point& low,
                                   const Point& high, int count, std::mt19937_64& engine)
{
    const auto draw = [&engine](double from, double to)
    { return std::uniform_real_distribution<double>(from, to)(engine); };
    const auto inBox = [&]
    { return Point(draw(low.X(), high.X()), draw(low.Y(), high.Y()), draw(low.Z(), high.Z())); };
    std::vector<BatchBeam> beams;
    while (static_cast<int>(beams.size()) < count)
    {
        const Solid& solid = *solids[engine() % solids.size()];
        const ISurface& face = *solid.GetSurfaces()[engine() % solid.GetSurfaces().size()];
        const Intersection intersection =
            face.GetIntersection(Line(inBox(), Vector(draw(-1, 1), draw(-1, 1), draw(-1, 1))));
        if (intersection.GetPoints().empty())
            continue;
        const double refraction = engine() % 15 == 0 ? HalfPi : draw(-1.2, 1.2);
        beams.push_back({intersection.GetPoints().front(), Angles(refraction, draw(-0.5, 0.5))});
    }
    return beams;
}

// A polystyrene wedge on steel, standing on a plate and on a pipe.
struct Probe
{
    std::string name;
    SolidPointer wedge, specimen;
    Point low, high;
};

std::vector<Probe> Probes()
{
    std::vector<Probe> probes;
    probes.push_back(
        {"wedge on plate",
         SolidPointer(Quoria::CreateWedgeOnAxisAlignedPlate(Point(), 40, 20, 8, 30 * Degree, 0, 0)),
         SolidPointer(Quoria::CreateAxisAlignedPlate(Point(20, 0, 12.5), 200, 60, 25)), Point(-60, -30, -40),
         Point(60, 30, 25)});
    probes.push_back({"wedge on pipe",
                      SolidPointer(Quoria::CreateWedgeOnXOrientedCylinder(Point(10, 0, 0), 30, 16, 8, 0.35, 0,
                                                                          Point(0, 0, 30))),
                      SolidPointer(Quoria::CreateXOrientedPipe(Point(0, 0, 30), 20, 30, 200)),
                      Point(-40, -30, -20), Point(40, 30, 60)});
    return probes;
}
} // namespace

TEST(AcousticBatch, EveryBeamIsTheSingleCallsBitForBitWhateverTheThreads)
{
    std::mt19937_64 engine(23);
    // Through the wedge into the specimen, then bouncing with a conversion.
    const std::vector<Modes> modeLists = {
        {WaveMode::L, WaveMode::T}, {WaveMode::L, WaveMode::L, WaveMode::T}, {}};
    const std::vector<TraceStop> stops = {TraceStop::Legs(12), TraceStop::Length(150.0),
                                          TraceStop::Time(40.0)};
    std::vector<std::size_t> endingCounts(16, 0);
    std::size_t legs = 0;
    int round = 0;
    for (const Probe& probe : Probes())
    {
        SCOPED_TRACE(probe.name);
        const std::vector<const Solid*> solids = {probe.wedge.get(), probe.specimen.get()};
        AcousticTracer tracer(solids, {WedgeMaterial, Steel});
        const std::vector<BatchBeam> beams = RandomBeams(solids, probe.low, probe.high, 150, engine);
        // Out of the wedge, into the specimen, and round it until the stop.
        const std::vector<const ISurface*>& wedgeFaces = tracer.GetConfiguration()[0]->GetSurfaces();
        const BehaviorFunctions byFace(
            3, [&wedgeFaces](const ISurface* surface)
            { return std::count(wedgeFaces.begin(), wedgeFaces.end(), surface) != 0 ? Transmit : Reflect; });
        const Behaviors behaviors = {Transmit};
        for (std::size_t s = 0; s < stops.size(); ++s, ++round)
        {
            SCOPED_TRACE("stop " + std::to_string(s));
            const Modes& modes = modeLists[static_cast<std::size_t>(round) % modeLists.size()];
            for (const unsigned int threads : {1u, 2u, 7u})
            {
                SCOPED_TRACE(std::to_string(threads) + " threads");
                BatchOptions options;
                options.threadCount = threads;
                AcousticBatchResult batch;
                if (round % 2 == 0)
                {
                    batch = Quoria::TraceBatch(tracer, beams, stops[s], behaviors, modes, options);
                    ExpectSameAsSingleCalls(tracer, beams, stops[s], behaviors, modes, batch);
                }
                else
                {
                    batch = Quoria::TraceBatch(tracer, beams, stops[s], byFace, modes, options);
                    ExpectSameAsSingleCalls(tracer, beams, stops[s], byFace, modes, batch);
                }
                for (const TraceEnding ending : batch.endings)
                    ++endingCounts[static_cast<std::size_t>(ending)];
                legs += batch.LegCount();
            }
        }
    }
    // The beams went through every ending this test means to compare.
    for (const TraceEnding ending : {TraceEnding::Legs, TraceEnding::Length, TraceEnding::Time,
                                     TraceEnding::CriticalAngle, TraceEnding::Error, TraceEnding::Exit})
        EXPECT_GT(endingCounts[static_cast<std::size_t>(ending)], 0u) << Quoria::TraceEndingName(ending);
    EXPECT_GT(legs, 3000u);
}

namespace
{
// A block of water 40 x 20 x 10 (x in [-40, 0], z in [-10, 0]) on a steel
// plate 25 thick (z in [0, 25]).
struct Immersion
{
    Immersion()
    {
        const SolidPointer water(Quoria::CreateWedgeOnAxisAlignedPlate(Point(), 40, 20, 10, 0, 0, 0));
        const SolidPointer plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 12.5), 200, 60, 25));
        tracer = std::make_unique<AcousticTracer>(std::vector<const Solid*>{water.get(), plate.get()},
                                                  std::vector<Material>{Water, Steel});
    }
    std::unique_ptr<AcousticTracer> tracer;
};
} // namespace

TEST(AcousticBatch, FailingBeamsFailAloneWithTheirMessages)
{
    Immersion immersion;
    AcousticTracer& tracer = *immersion.tracer;
    const BatchBeam good{Point(-30, 0, -10), Angles(10 * Degree)};
    const std::vector<BatchBeam> beams = {
        good,
        // Past asin(1480 / 3230) = 27.27 degrees: no shear wave in the steel.
        {Point(-30, 0, -10), Angles(30 * Degree)},
        good,
        // Up through the steel into the water, where the second leg would be T.
        {Point(-20, 0, 25), Angles(0)},
        // Off every face; a refraction angle out of range.
        {Point(-30, 0, -11), Angles(0)},
        {Point(-30, 0, -10), Angles(HalfPi)},
        good,
    };
    const Modes modes = {WaveMode::L, WaveMode::T};
    BatchOptions options;
    options.threadCount = 3;
    const AcousticBatchResult batch =
        Quoria::TraceBatch(tracer, beams, TraceStop::Legs(3), Behaviors{Transmit, Reflect}, modes, options);

    const TraceEnding L = TraceEnding::Legs, E = TraceEnding::Error, C = TraceEnding::CriticalAngle;
    EXPECT_EQ(batch.endings, (std::vector<TraceEnding>{L, C, L, E, E, E, L}));
    EXPECT_EQ(
        batch.messages,
        (std::vector<std::string>{
            "", "", "", "AcousticTracer::Trace : Leg 2 cannot be a T wave: \"Water\" carries no shear wave.",
            "AcousticTracer::Trace : Entry point is not on the configuration or is on a corner.",
            "AcousticTracer::Trace : Beam refraction angle must be contained within ]-90\xB0"
            ", 90\xB0"
            "[.",
            ""}));
    // The critical angle and the T in water keep the leg that reached the interface.
    EXPECT_EQ(batch.legOffsets, (std::vector<std::int64_t>{0, 3, 4, 7, 8, 8, 8, 11}));

    // The good beam by hand: 10 mm of water at 10 degrees, then T in the steel
    // at asin(3230 / 1480 sin 10) = 22.27 degrees, down and back up.
    const double inWater = 10 / std::cos(10 * Degree);
    const double shear = std::asin(3230.0 / 1480.0 * std::sin(10 * Degree));
    const double inSteel = 25 / std::cos(shear);
    const double goodTime = 1000 * inWater / 1480 + 2 * 1000 * inSteel / 3230;
    for (const std::size_t b : {0u, 2u, 6u})
    {
        SCOPED_TRACE("beam " + std::to_string(b));
        const auto first = static_cast<std::size_t>(batch.legOffsets[b]);
        const double ends[3][3] = {{-30 + 10 * std::tan(10 * Degree), 0, 0},
                                   {-30 + 10 * std::tan(10 * Degree) + 25 * std::tan(shear), 0, 25},
                                   {-30 + 10 * std::tan(10 * Degree) + 50 * std::tan(shear), 0, 0}};
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t k = 0; k < 3; ++k)
                EXPECT_NEAR(batch.ends[3 * (first + i) + k], ends[i][k], 1e-9) << i;
        EXPECT_EQ(std::vector<std::int32_t>(batch.modes.begin() + first, batch.modes.begin() + first + 3),
                  (std::vector<std::int32_t>{0, 1, 1}));
        EXPECT_EQ(std::vector<double>(batch.speeds.begin() + first, batch.speeds.begin() + first + 3),
                  (std::vector<double>{1480, 3230, 3230}));
        EXPECT_EQ(std::vector<std::int32_t>(batch.solids.begin() + first, batch.solids.begin() + first + 3),
                  (std::vector<std::int32_t>{0, 1, 1}));
        EXPECT_NEAR(batch.times[first + 1], 1000 * inSteel / 3230, 1e-12);
        EXPECT_NEAR(batch.beamTimes[b], goodTime, 1e-12);
    }
    // The failures: one leg each, L, ending at the interface with the behaviour not carried out.
    for (const std::size_t leg : {3u, 7u})
    {
        EXPECT_EQ(batch.modes[leg], 0);
        EXPECT_EQ(batch.behaviors[leg], Transmit);
    }
    EXPECT_EQ(batch.speeds[3], 1480.0);
    EXPECT_EQ(batch.speeds[7], 5900.0);
    EXPECT_NEAR(batch.ends[3 * 7], -20, 1e-12);
    EXPECT_NEAR(batch.beamTimes[3], 1000 * 25 / 5900.0, 1e-12);
    EXPECT_EQ(batch.beamTimes[4], 0.0);
    EXPECT_EQ(batch.beamTimes[5], 0.0);

    // Behaviour functions that throw, a std::exception and something else.
    const std::vector<const ISurface*>& plateFaces = tracer.GetConfiguration()[1]->GetSurfaces();
    const BehaviorFunctions throwing = {[](const ISurface*) { return Transmit; },
                                        [&plateFaces](const ISurface* surface) -> Quoria::BehaviorAtInterface
                                        {
                                            if (std::count(plateFaces.begin(), plateFaces.end(), surface) !=
                                                0)
                                                throw std::runtime_error("no floor");
                                            throw 7;
                                        }};
    const AcousticBatchResult thrown = Quoria::TraceBatch(
        tracer, {good, {Point(-20, 0, 25), Angles(0)}, {Point(-30, 0, -10), Angles(5 * Degree)}},
        TraceStop::Legs(3), throwing, {WaveMode::L, WaveMode::L, WaveMode::T}, options);
    EXPECT_EQ(thrown.endings, (std::vector<TraceEnding>{E, E, E}));
    EXPECT_EQ(thrown.messages,
              (std::vector<std::string>{"no floor",
                                        "TraceBatch : A behaviour function threw an exception that is not a "
                                        "std::exception.",
                                        "no floor"}));
    EXPECT_EQ(thrown.legOffsets, (std::vector<std::int64_t>{0, 0, 0, 0}));
    EXPECT_EQ(thrown.beamTimes, (std::vector<double>{0, 0, 0}));
}

TEST(AcousticBatch, CancelledBatchKeepsTheFirstBeamsWhole)
{
    Immersion immersion;
    const std::vector<BatchBeam> beams(40, BatchBeam{Point(-30, 0, -10), Angles(10 * Degree)});
    // Slow beams, so that the first progress report comes long before the end.
    const BehaviorFunctions slow(3,
                                 [](const ISurface*)
                                 {
                                     std::this_thread::sleep_for(std::chrono::milliseconds(5));
                                     return Transmit;
                                 });
    BatchOptions options;
    options.threadCount = 3;
    int calls = 0;
    std::size_t reported = 0;
    options.progress = [&](std::size_t done, std::size_t)
    {
        ++calls;
        reported = done;
        return false;
    };
    const Modes modes = {WaveMode::L, WaveMode::T};
    const AcousticBatchResult batch =
        Quoria::TraceBatch(*immersion.tracer, beams, TraceStop::Legs(3), slow, modes, options);
    const AcousticReport one =
        immersion.tracer->Trace(beams[0].entryPoint, beams[0].angles, TraceStop::Legs(3),
                                Behaviors{Transmit, Transmit, Transmit}, modes);
    // Into the steel and out of its bottom face.
    ASSERT_EQ(one.legs.size(), 2u);
    ASSERT_EQ(one.ending, TraceEnding::Exit);

    const std::size_t traced = static_cast<std::size_t>(
        std::find(batch.endings.begin(), batch.endings.end(), TraceEnding::Cancelled) -
        batch.endings.begin());
    EXPECT_EQ(calls, 1);
    EXPECT_GE(traced, reported);
    EXPECT_LT(traced, beams.size());
    EXPECT_EQ(std::count(batch.endings.begin(), batch.endings.end(), TraceEnding::Cancelled),
              static_cast<long>(beams.size() - traced));
    EXPECT_EQ(batch.messages, std::vector<std::string>(beams.size()));
    ASSERT_EQ(batch.LegCount(), 2 * traced);
    ASSERT_EQ(batch.times.size(), 2 * traced);
    for (std::size_t b = 0; b < beams.size(); ++b)
    {
        SCOPED_TRACE("beam " + std::to_string(b));
        EXPECT_EQ(batch.legOffsets[b + 1], static_cast<std::int64_t>(2 * std::min(b + 1, traced)));
        EXPECT_EQ(batch.beamTimes[b], b < traced ? one.time : 0.0);
        if (b < traced)
        {
            EXPECT_EQ(batch.endings[b], TraceEnding::Exit);
            EXPECT_EQ(batch.times[2 * b + 1], one.legs[1].time);
        }
    }
}

TEST(AcousticBatch, ZeroStopsAndRefusedArguments)
{
    Immersion immersion;
    AcousticTracer& tracer = *immersion.tracer;
    // The second beam would be refused, were it looked at.
    const std::vector<BatchBeam> beams = {{Point(-30, 0, -10), Angles(0.1)}, {Point(50, 0, -5), Angles(2.0)}};
    for (const TraceStop& stop : {TraceStop::Legs(0), TraceStop::Length(0.0), TraceStop::Time(0.0)})
    {
        const AcousticBatchResult none = Quoria::TraceBatch(tracer, beams, stop, Behaviors());
        const TraceEnding ending = stop.GetKind() == TraceStop::Kind::Legs     ? TraceEnding::Legs
                                   : stop.GetKind() == TraceStop::Kind::Length ? TraceEnding::Length
                                                                               : TraceEnding::Time;
        EXPECT_EQ(none.endings, (std::vector<TraceEnding>{ending, ending}));
        EXPECT_EQ(none.legOffsets, (std::vector<std::int64_t>{0, 0, 0}));
        EXPECT_EQ(none.messages, (std::vector<std::string>{"", ""}));
        EXPECT_EQ(none.beamTimes, (std::vector<double>{0, 0}));
        EXPECT_TRUE(none.modes.empty() && none.times.empty());
    }

    const std::string lengthMessage = "TraceBatch : The total length must be positive or zero, and finite.";
    const std::string timeMessage = "TraceBatch : The total time must be positive or zero, and finite.";
    const std::string modeMessage = "TraceBatch : Every wave mode must be L or T.";
    const double nan = std::nan(""), infinity = HUGE_VAL;
    const Modes badModes = {WaveMode::L, static_cast<WaveMode>(2)};
    struct Refusal
    {
        TraceStop stop;
        Modes modes;
        std::string message;
    };
    // The stop is checked before the modes, and both before a stop of 0 answers.
    const std::vector<Refusal> refusals = {
        {TraceStop::Length(-1e-300), {}, lengthMessage},
        {TraceStop::Length(nan), {}, lengthMessage},
        {TraceStop::Length(infinity), {}, lengthMessage},
        {TraceStop::Time(-1.0), badModes, timeMessage},
        {TraceStop::Time(nan), {}, timeMessage},
        {TraceStop::Time(infinity), {}, timeMessage},
        {TraceStop::Legs(3), badModes, modeMessage},
        {TraceStop::Legs(0), badModes, modeMessage},
        {TraceStop::Time(0.0), {static_cast<WaveMode>(-1)}, modeMessage},
    };
    for (const Refusal& refusal : refusals)
    {
        SCOPED_TRACE(refusal.message);
        EXPECT_EQ(
            MessageOf([&] { Quoria::TraceBatch(tracer, beams, refusal.stop, Behaviors(), refusal.modes); }),
            refusal.message);
        EXPECT_EQ(
            MessageOf(
                [&] { Quoria::TraceBatch(tracer, beams, refusal.stop, BehaviorFunctions(), refusal.modes); }),
            refusal.message);
    }
}
