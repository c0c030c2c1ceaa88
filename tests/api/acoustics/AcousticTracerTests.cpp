#include "AcousticTracer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <random>

using namespace Tessam::Geometry3D;
using Quoria::AcousticReport;
using Quoria::AcousticTracer;
using Quoria::Material;
using Quoria::Reflect;
using Quoria::TraceEnding;
using Quoria::TraceStop;
using Quoria::Transmit;
using Quoria::WaveMode;

namespace
{

using SolidPtr = std::unique_ptr<const Solid>;

const Material Steel("steel", 5900.0, 3230.0);
const Material Wedge("wedge", 2330.0, 1160.0);
const Material Water("Water", 1480.0, 0.0);

// Microseconds for a length in mm at a speed in m/s.
double Microseconds(double length, double speed)
{
    return length / speed * 1000.0;
}

void ExpectLeg(const Quoria::AcousticLeg& leg, const Point& end, WaveMode mode, double speed, double length)
{
    ExpectNear(leg.segment.GetSecondPoint(), end);
    EXPECT_EQ(leg.mode, mode);
    EXPECT_EQ(leg.speed, speed);
    EXPECT_NEAR(leg.time, Microseconds(length, speed), 1e-12);
}

// The guide's probe: a 36 degree wedge of cross-linked polystyrene on a steel
// plate 25 thick, the beam entering along the normal of the wedge's inclined
// face, so that it meets the plate at 36 degrees.
struct WedgeOnPlate
{
    WedgeOnPlate()
    {
        const SolidPtr wedge(Quoria::CreateWedgeOnAxisAlignedPlate(Point(), 40, 20, 8, 36 * Degree, 0, 0));
        const SolidPtr plate(Quoria::CreateAxisAlignedPlate(Point(40, 0, 12.5), 200, 60, 25));
        tracer = std::make_unique<AcousticTracer>(std::vector<const Solid*>{wedge.get(), plate.get()},
                                                  std::vector<Material>{Wedge, Steel});
    }
    const Point entry = Point(-20, 0, -8 - 20 * std::tan(36 * Degree));
    // The drop to the plate, the first leg and where it meets the plate.
    const double drop = 8 + 20 * std::tan(36 * Degree);
    const double firstLength = drop / std::cos(36 * Degree);
    const double firstX = -20 + drop * std::tan(36 * Degree);
    std::unique_ptr<AcousticTracer> tracer;
};

} // namespace

TEST(AcousticTracer, WedgeIntoSteelShearRefractsAndTimesEachLeg)
{
    WedgeOnPlate probe;
    // Snell from 2330 to 3230 m/s at 36 degrees: 54.57 degrees in the plate.
    const double sine = 3230.0 / 2330.0 * std::sin(36 * Degree);
    const double cosine = std::sqrt(1 - sine * sine);
    const double inPlate = 25 / cosine;
    const double step = 25 * sine / cosine;
    const AcousticReport report = probe.tracer->Trace(
        probe.entry, Angles(0), TraceStop::Legs(3), Behaviors{Transmit, Reflect}, {WaveMode::L, WaveMode::T});
    ASSERT_EQ(report.legs.size(), 3u);
    EXPECT_EQ(report.ending, TraceEnding::Legs);
    EXPECT_TRUE(report.message.empty());
    ExpectLeg(report.legs[0], Point(probe.firstX, 0, 0), WaveMode::L, 2330.0, probe.firstLength);
    ExpectLeg(report.legs[1], Point(probe.firstX + step, 0, 25), WaveMode::T, 3230.0, inPlate);
    ExpectLeg(report.legs[2], Point(probe.firstX + 2 * step, 0, 0), WaveMode::T, 3230.0, inPlate);
    EXPECT_EQ(report.legs[0].solid, 0u);
    EXPECT_EQ(report.legs[1].solid, 1u);
    EXPECT_EQ(report.legs[0].behavior, Transmit);
    EXPECT_EQ(report.legs[2].behavior, Quoria::Stop);
    // By hand: 27.8497 mm at 2330 m/s and twice 43.1254 mm at 3230 m/s.
    EXPECT_NEAR(report.time, 11.9526 + 2 * 13.3515, 2e-4);
    EXPECT_NEAR(report.time, Microseconds(probe.firstLength, 2330.0) + 2 * Microseconds(inPlate, 3230.0),
                1e-12);

    // A time stop is reached when the legs' times reach it.
    const double firstTime = Microseconds(probe.firstLength, 2330.0);
    const auto legsWithin = [&](double time)
    {
        const AcousticReport timed =
            probe.tracer->Trace(probe.entry, Angles(0), TraceStop::Time(time), Behaviors{Transmit, Reflect},
                                {WaveMode::L, WaveMode::T});
        EXPECT_EQ(timed.ending, TraceEnding::Time);
        return timed.legs.size();
    };
    EXPECT_EQ(legsWithin(firstTime * (1 - 1e-12)), 1u);
    EXPECT_EQ(legsWithin(firstTime * (1 + 1e-12)), 2u);
    EXPECT_EQ(legsWithin(firstTime + Microseconds(inPlate, 3230.0) / 2), 2u);
}

TEST(AcousticTracer, WedgeIntoSteelPastTheFirstCriticalAngleHasNoLongitudinalWave)
{
    // 36 degrees is past 23.26, the first critical angle from 2330 into 5900 m/s:
    // no L leg in the plate, the trace ends where the wedge meets it.
    WedgeOnPlate probe;
    const AcousticReport report =
        probe.tracer->Trace(probe.entry, Angles(0), TraceStop::Length(1000), Behaviors{Transmit});
    ASSERT_EQ(report.legs.size(), 1u);
    EXPECT_EQ(report.ending, TraceEnding::CriticalAngle);
    EXPECT_EQ(report.legs[0].behavior, Transmit);
    EXPECT_EQ(report.legs[0].mode, WaveMode::L);
    EXPECT_TRUE(report.message.empty());
}

TEST(AcousticTracer, ModeConversionOnReflectionInSteel)
{
    const SolidPtr plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 10), 400, 60, 20));
    AcousticTracer tracer({plate.get()}, {Steel});
    const Point entry(0, 0, 0);

    // L at 60 degrees reflects as T at 28.30 degrees, still moving towards +x.
    const AcousticReport converted =
        tracer.Trace(entry, Angles(60 * Degree), TraceStop::Legs(2), Behaviors(), {WaveMode::L, WaveMode::T});
    ASSERT_EQ(converted.legs.size(), 2u);
    EXPECT_EQ(converted.legs[0].behavior, Reflect);
    const Vector up = converted.legs[1].segment.GetSecondPoint() - converted.legs[1].segment.GetFirstPoint();
    EXPECT_GT(up.X(), 0.0);
    EXPECT_NEAR(std::atan2(up.X(), -up.Z()), 28.30 * Degree, 0.005 * Degree);
    EXPECT_EQ(converted.legs[1].speed, 3230.0);

    // T converts to L only below asin(3230 / 5900) = 33.19 degrees.
    const AcousticReport past =
        tracer.Trace(entry, Angles(40 * Degree), TraceStop::Legs(2), Behaviors(), {WaveMode::T, WaveMode::L});
    ASSERT_EQ(past.legs.size(), 1u);
    EXPECT_EQ(past.ending, TraceEnding::CriticalAngle);
    EXPECT_EQ(past.legs[0].behavior, Reflect);
    EXPECT_EQ(past.legs[0].speed, 3230.0);
    const AcousticReport below =
        tracer.Trace(entry, Angles(30 * Degree), TraceStop::Legs(2), Behaviors(), {WaveMode::T, WaveMode::L});
    ASSERT_EQ(below.legs.size(), 2u);
    // sin = 5900 / 3230 * sin 30 degrees.
    const double sine = 5900.0 / 6460.0;
    const double x = 20 * std::tan(30 * Degree) + 20 * sine / std::sqrt(1 - sine * sine);
    ExpectNear(below.legs[1].segment.GetSecondPoint(), Point(x, 0, 0));

    // At normal incidence the converted wave goes straight back.
    const AcousticReport normal =
        tracer.Trace(entry, Angles(0), TraceStop::Legs(2), Behaviors(), {WaveMode::L, WaveMode::T});
    ASSERT_EQ(normal.legs.size(), 2u);
    ExpectNear(normal.legs[1].segment.GetSecondPoint(), entry, 1e-12);
    EXPECT_NEAR(normal.time, Microseconds(20, 5900.0) + Microseconds(20, 3230.0), 1e-12);
}

TEST(AcousticTracer, ShearInWaterEndsWithAnErrorNamingTheMaterial)
{
    // Immersion: 20 of water over a steel plate 25 thick.
    const SolidPtr water(Quoria::CreateAxisAlignedPlate(Point(0, 0, -10), 100, 60, 20));
    const SolidPtr plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 12.5), 200, 60, 25));
    AcousticTracer tracer({water.get(), plate.get()}, {Water, Steel});
    const Point entry(0, 0, -20);

    // Water L at 5 degrees gives steel L at asin(5900 / 1480 sin 5 degrees);
    // back at the water the fourth leg is asked to be T.
    const double sine = 5900.0 / 1480.0 * std::sin(5 * Degree);
    const double step = 25 * sine / std::sqrt(1 - sine * sine);
    const double firstX = 20 * std::tan(5 * Degree);
    const AcousticReport report =
        tracer.Trace(entry, Angles(5 * Degree), TraceStop::Legs(5), Behaviors{Transmit, Reflect, Transmit},
                     {WaveMode::L, WaveMode::L, WaveMode::L, WaveMode::T});
    ASSERT_EQ(report.legs.size(), 3u);
    EXPECT_EQ(report.ending, TraceEnding::Error);
    EXPECT_EQ(report.message,
              "AcousticTracer::Trace : Leg 4 cannot be a T wave: \"Water\" carries no shear wave.");
    ExpectNear(report.legs[2].segment.GetSecondPoint(), Point(firstX + 2 * step, 0, 0));
    EXPECT_EQ(report.legs[2].behavior, Transmit);

    const AcousticReport first =
        tracer.Trace(entry, Angles(5 * Degree), TraceStop::Legs(5), Behaviors(), {WaveMode::T});
    EXPECT_TRUE(first.legs.empty());
    EXPECT_EQ(first.ending, TraceEnding::Error);
    EXPECT_EQ(first.message,
              "AcousticTracer::Trace : Leg 1 cannot be a T wave: \"Water\" carries no shear wave.");
    EXPECT_EQ(first.time, 0.0);

    // Straight down, the water's L turns into the steel's T without bending.
    const AcousticReport normal =
        tracer.Trace(entry, Angles(0), TraceStop::Legs(2), Behaviors{Transmit}, {WaveMode::L, WaveMode::T});
    ASSERT_EQ(normal.legs.size(), 2u);
    ExpectNear(normal.legs[1].segment.GetSecondPoint(), Point(0, 0, 25), 1e-12);
    EXPECT_EQ(normal.legs[1].speed, 3230.0);
}

TEST(AcousticTracer, RefusesBadStopsAndModesBeforeTheBeam)
{
    WedgeOnPlate probe;
    AcousticTracer& tracer = *probe.tracer;
    const std::string length =
        "AcousticTracer::Trace : The total length must be positive or zero, and finite.";
    const std::string time = "AcousticTracer::Trace : The total time must be positive or zero, and finite.";
    const std::string mode = "AcousticTracer::Trace : Every wave mode must be L or T.";
    const Point off(1000, 0, 0);
    const auto trace = [&](const TraceStop& stop, const std::vector<WaveMode>& modes,
                           const Point& entry = Point(-20, 0, -8 - 20 * std::tan(36 * Degree)))
    { return MessageOf([&] { tracer.Trace(entry, Angles(0), stop, Behaviors{Transmit}, modes); }); };
    const std::vector<WaveMode> bad{WaveMode::L, static_cast<WaveMode>(2)};
    for (const double amount : {-1e-300, std::nan(""), HUGE_VAL, -HUGE_VAL})
    {
        EXPECT_EQ(trace(TraceStop::Length(amount), bad), length);
        EXPECT_EQ(trace(TraceStop::Time(amount), bad), time);
    }
    EXPECT_EQ(trace(TraceStop::Legs(0), bad), mode);
    EXPECT_EQ(trace(TraceStop::Time(1), bad, off), mode);

    // A stop of 0 answers no leg before the beam is looked at.
    const std::vector<std::pair<TraceStop, TraceEnding>> zeros = {{TraceStop::Legs(0), TraceEnding::Legs},
                                                                  {TraceStop::Length(0), TraceEnding::Length},
                                                                  {TraceStop::Time(0), TraceEnding::Time}};
    for (const auto& [stop, ending] : zeros)
    {
        const AcousticReport report = tracer.Trace(off, Angles(2.0), stop, Behaviors());
        EXPECT_TRUE(report.legs.empty());
        EXPECT_EQ(report.ending, ending);
    }
    EXPECT_EQ(MessageOf([&] { tracer.Trace(off, Angles(HalfPi), TraceStop::Time(1), Behaviors()); }),
              "AcousticTracer::Trace : Beam refraction angle must be contained within ]-90\xB0, 90\xB0[.");
    EXPECT_EQ(trace(TraceStop::Time(1), {}, off),
              "AcousticTracer::Trace : Entry point is not on the configuration or is on a corner.");
}

TEST(AcousticTracer, ConstructionChecksTheSolidsThenOneMaterialEach)
{
    const SolidPtr plate(Quoria::CreateAxisAlignedPlate(Point(), 10, 10, 10));
    EXPECT_EQ(MessageOf([] { AcousticTracer({}, {Steel}); }),
              "AcousticTracer::AcousticTracer : The configuration must contain at least one solid.");
    EXPECT_EQ(MessageOf(
                  [&] {
                      AcousticTracer({plate.get(), nullptr}, {Steel});
                  }),
              "AcousticTracer::AcousticTracer : The configuration must not contain a null solid.");
    const std::string count =
        "AcousticTracer::AcousticTracer : There must be one material per solid, in the same order.";
    EXPECT_EQ(MessageOf([&] { AcousticTracer({plate.get()}, {}); }), count);
    EXPECT_EQ(MessageOf([&] { AcousticTracer({plate.get()}, {Steel, Water}); }), count);

    // The tracer keeps copies of both.
    std::vector<Material> materials{Water};
    AcousticTracer tracer({plate.get()}, materials);
    materials[0] = Steel;
    EXPECT_EQ(tracer.GetMaterials()[0].GetName(), "Water");
    EXPECT_NE(tracer.GetConfiguration()[0], plate.get());
}

TEST(AcousticTracer, OneMaterialAndModeThroughoutTracesAsTheRayTracer)
{
    // Equal speeds on both sides: straight on and mirrored, bit for bit.
    const SolidPtr wedge(Quoria::CreateWedgeOnAxisAlignedPlate(Point(), 40, 20, 10, 10 * Degree, 0, 0));
    const SolidPtr plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 5), 200, 100, 10));
    const std::vector<const Solid*> solids{wedge.get(), plate.get()};
    const std::unique_ptr<Quoria::IRayTracer> rays(Quoria::CreateRayTracer(solids));
    AcousticTracer sound(solids, {Steel, Steel});
    const Point entry(-38, 0, -10 - 2 * std::tan(10 * Degree));
    // Reflect at the plate's bottom, transmit elsewhere: out through the
    // wedge's top in the end.
    const ISurface* plateBottom = nullptr;
    for (const ISurface* face : sound.GetConfiguration()[1]->GetSurfaces())
    {
        plateBottom = face->Contains(Point(0, 0, 10)) ? face : plateBottom;
    }
    ASSERT_NE(plateBottom, nullptr);
    const BehaviorFunctions reflectAtBottom(6, [&](const ISurface* face)
                                            { return face == plateBottom ? Reflect : Transmit; });
    const Quoria::TraceReport expected = Quoria::CalculateTrace(
        rays.get(), entry, Angles(20 * Degree), 6u, Behaviors{Transmit, Reflect, Transmit, Transmit});
    const AcousticReport actual =
        sound.Trace(entry, Angles(20 * Degree), TraceStop::Legs(6), reflectAtBottom, {WaveMode::T});
    EXPECT_EQ(expected.ending, TraceEnding::Exit);
    ASSERT_EQ(actual.legs.size(), expected.legs.size());
    EXPECT_EQ(actual.ending, expected.ending);
    for (std::size_t i = 0; i < expected.legs.size(); ++i)
    {
        EXPECT_EQ(actual.legs[i].segment.GetFirstPoint(), expected.legs[i].segment.GetFirstPoint()) << i;
        EXPECT_EQ(actual.legs[i].segment.GetSecondPoint(), expected.legs[i].segment.GetSecondPoint()) << i;
        EXPECT_EQ(actual.legs[i].solid, expected.legs[i].solid) << i;
        EXPECT_EQ(actual.legs[i].face, expected.legs[i].face) << i;
        EXPECT_EQ(actual.legs[i].behavior, expected.legs[i].behavior) << i;
        EXPECT_EQ(actual.legs[i].speed, 3230.0);
    }

    // What a behaviour throws reaches the caller; the next trace starts afresh.
    struct Thrown
    {
    };
    const BehaviorFunctions throwing{[](const ISurface*) -> Quoria::BehaviorAtInterface { throw Thrown(); }};
    EXPECT_THROW(sound.Trace(entry, Angles(20 * Degree), TraceStop::Legs(6), throwing), Thrown);
    EXPECT_EQ(sound.Trace(entry, Angles(20 * Degree), TraceStop::Legs(6), reflectAtBottom, {WaveMode::T})
                  .legs.size(),
              expected.legs.size());
}

namespace
{

// Checks every interface of a trace against Snell's law worked out from the
// geometry's own normal, and an ending past a critical angle or in a liquid
// against the wave that was asked for. Returns the ending.
TraceEnding CheckSnellAtEachInterface(const AcousticTracer& tracer, const AcousticReport& report,
                                      const Behaviors& behaviors, const std::vector<WaveMode>& modes)
{
    // Closed solids always have a face ahead of a beam sent the right way.
    EXPECT_NE(report.ending, TraceEnding::Open);
    const std::vector<Material>& materials = tracer.GetMaterials();
    double time = 0.0;
    WaveMode mode = modes.empty() ? WaveMode::L : modes[0];
    for (std::size_t i = 0; i < report.legs.size(); ++i)
    {
        const Quoria::AcousticLeg& leg = report.legs[i];
        EXPECT_EQ(leg.mode, mode);
        EXPECT_EQ(leg.speed, materials[leg.solid].GetSpeed(mode));
        EXPECT_NEAR(leg.time, Microseconds(leg.segment.Length(), leg.speed), 1e-12 * leg.time);
        time += leg.time;
        const bool last = i + 1 == report.legs.size();
        const bool continues =
            !last || report.ending == TraceEnding::CriticalAngle || report.ending == TraceEnding::Error;
        if (!continues)
        {
            continue;
        }
        const Quoria::BehaviorAtInterface behavior = i < behaviors.size() ? behaviors[i] : Reflect;
        EXPECT_EQ(leg.behavior, behavior);
        mode = i + 1 < modes.size() ? modes[i + 1] : mode;
        const Point end = leg.segment.GetSecondPoint();
        const Vector normal = tracer.GetConfiguration()[leg.solid]->GetSurfaces()[leg.face]->GetNormal(end);
        const Vector incident = (end - leg.segment.GetFirstPoint()).Normalized();
        const std::size_t nextSolid = behavior == Reflect ? leg.solid : 1 - leg.solid;
        const double nextSpeed = materials[nextSolid].GetSpeed(mode);
        const double incidentSine = incident.Cross(normal).Length();
        if (last)
        {
            if (report.ending == TraceEnding::Error)
            {
                EXPECT_EQ(nextSpeed, 0.0);
            }
            else
            {
                EXPECT_GE(incidentSine / leg.speed * nextSpeed, 1.0 - 1e-12);
            }
            break;
        }
        const Quoria::AcousticLeg& next = report.legs[i + 1];
        EXPECT_EQ(next.solid, nextSolid);
        const Vector outgoing = (next.segment.GetSecondPoint() - end).Normalized();
        EXPECT_NEAR(outgoing.Cross(normal).Length() / nextSpeed, incidentSine / leg.speed, 1e-12 / 1000);
        // In the plane of incidence, on the far side of the normal.
        EXPECT_NEAR(normal.Dot(incident.Cross(outgoing)), 0.0, 1e-9);
        const Vector acrossBefore = incident - normal * incident.Dot(normal);
        const Vector acrossAfter = outgoing - normal * outgoing.Dot(normal);
        EXPECT_GE(acrossBefore.Dot(acrossAfter), -1e-12);
        EXPECT_GT(incident.Dot(normal), 0.0);
        if (behavior == Transmit)
        {
            EXPECT_GT(outgoing.Dot(normal), 0.0);
        }
        else
        {
            EXPECT_LT(outgoing.Dot(normal), 0.0);
        }
    }
    EXPECT_NEAR(report.time, time, 1e-12 * time);
    return report.ending;
}

} // namespace

TEST(AcousticTracer, EveryInterfaceObeysSnellInThePlaneOfIncidence)
{
    // Immersion over a plate, and a wedge on a pipe, whose faces curve.
    const SolidPtr water(Quoria::CreateAxisAlignedPlate(Point(0, 0, -10), 100, 100, 20));
    const SolidPtr plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 12.5), 200, 200, 25));
    const Point axis(0, 0, 50);
    const double turn = 30 * Degree;
    const SolidPtr pipe(Quoria::CreateXOrientedPipe(axis, 40, 50, 200));
    const SolidPtr wedge(Quoria::CreateWedgeOnXOrientedCylinder(
        axis + Vector(0, 50 * std::sin(turn), -50 * std::cos(turn)), 40, 20, 10, 0, 0, axis));
    AcousticTracer immersion({water.get(), plate.get()}, {Water, Steel});
    AcousticTracer contact({wedge.get(), pipe.get()}, {Wedge, Steel});
    const Point immersionEntry(3, -2, -20);
    const Point contactEntry(-30, 60 * std::sin(turn), 50 - 60 * std::cos(turn));

    std::mt19937 random(15);
    std::uniform_real_distribution<double> refraction(-70 * Degree, 70 * Degree);
    std::uniform_real_distribution<double> skew(0, 2 * Pi);
    std::uniform_int_distribution<int> count(0, 8);
    std::uniform_int_distribution<int> coin(0, 1);
    std::map<TraceEnding, int> endings;
    int transmissions = 0;
    for (int beam = 0; beam < 400; ++beam)
    {
        const bool inWater = beam % 2 == 0;
        AcousticTracer& tracer = inWater ? immersion : contact;
        Behaviors behaviors(count(random));
        for (auto& behavior : behaviors)
        {
            behavior = coin(random) ? Transmit : Reflect;
        }
        std::vector<WaveMode> modes(count(random));
        for (auto& mode : modes)
        {
            mode = coin(random) && !(inWater && &mode == &modes.front()) ? WaveMode::T : WaveMode::L;
        }
        const AcousticReport report =
            tracer.Trace(inWater ? immersionEntry : contactEntry, Angles(refraction(random), skew(random)),
                         TraceStop::Legs(10), behaviors, modes);
        ++endings[CheckSnellAtEachInterface(tracer, report, behaviors, modes)];
        for (const Quoria::AcousticLeg& leg : report.legs)
        {
            transmissions += leg.solid != report.legs.front().solid ? 1 : 0;
        }
    }
    EXPECT_GT(transmissions, 100);
    // The draw meets every ending the physics brings.
    EXPECT_GT(endings[TraceEnding::Legs], 0);
    EXPECT_GT(endings[TraceEnding::CriticalAngle], 0);
    EXPECT_GT(endings[TraceEnding::Error], 0);
    EXPECT_GT(endings[TraceEnding::Exit], 0);
}
