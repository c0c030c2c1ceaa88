#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace Tessam::Geometry3D;
using Quoria::Reflect;
using Quoria::Stop;
using Quoria::TraceEnding;
using Quoria::Transmit;

using SolidPtr = std::unique_ptr<const Solid>;
using TracerPtr = std::unique_ptr<Quoria::IRayTracer>;

namespace
{

// A cube 10 on a side from the origin; its top face, z = 0, faces -z.
SolidPtr Cube()
{
    return SolidPtr(Quoria::CreateAxisAlignedPlate(Point(5, 0, 5), 10, 10, 10));
}

struct EndingCase
{
    std::string name;
    double refraction;
    unsigned int legCount;
    double length;
    Behaviors behaviors;
    TraceEnding ending;
    std::size_t legs;
};

} // namespace

TEST(TraceReport, EachEndingOnAHandBuiltScenario)
{
    const SolidPtr cube = Cube();
    const TracerPtr tracer(Quoria::CreateRayTracer(cube.get()));
    const Point top(5, 0, 0);
    // At atan(1/2) the first leg from the middle of the top runs into the
    // far bottom edge, (10, 0, 10).
    const double toTheEdge = std::atan(0.5);
    const EndingCase cases[] = {
        {"legs", 0.3, 3, 0, {}, TraceEnding::Legs, 3},
        // The vertical first leg is 10 long; the second reaches 20.
        {"length", 0.0, 0, 15, {}, TraceEnding::Length, 2},
        {"length exactly reached", 0.0, 0, 10, {}, TraceEnding::Length, 1},
        {"edge", toTheEdge, 5, 0, {}, TraceEnding::Edge, 1},
        {"stop", 0.3, 5, 0, {Reflect, Stop}, TraceEnding::Stop, 2},
        {"any other value stops",
         0.3,
         5,
         0,
         {static_cast<Quoria::BehaviorAtInterface>(7)},
         TraceEnding::Stop,
         1},
        {"exit", 0.3, 5, 0, {Reflect, Transmit}, TraceEnding::Exit, 2},
        {"limit", 0.0, 1000, 0, {}, TraceEnding::Limit, 250},
    };
    for (const EndingCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const Quoria::TraceReport report =
            c.legCount > 0
                ? Quoria::CalculateTrace(tracer.get(), top, Angles(c.refraction), c.legCount, c.behaviors)
                : Quoria::CalculateTrace(tracer.get(), top, Angles(c.refraction), c.length, c.behaviors);
        EXPECT_EQ(Quoria::TraceEndingName(report.ending), Quoria::TraceEndingName(c.ending));
        ASSERT_EQ(report.legs.size(), c.legs);
        // The segments are those of the plain call.
        const Legs legs = c.legCount > 0
                              ? TraceLegs(*tracer, top, Angles(c.refraction), c.legCount, c.behaviors)
                              : TraceLegs(*tracer, top, Angles(c.refraction), c.length, c.behaviors);
        ASSERT_EQ(legs.size(), c.legs);
        for (std::size_t i = 0; i < legs.size(); ++i)
        {
            EXPECT_EQ(report.legs[i].segment.GetFirstPoint(), legs[i].GetFirstPoint());
            EXPECT_EQ(report.legs[i].segment.GetSecondPoint(), legs[i].GetSecondPoint());
        }
    }

    // No face ahead: a lone face opens onto nothing.
    const Rectangle face({Point(0, 2, 1), Point(2, 2, 1), Point(2, 0, 1), Point(0, 0, 1)});
    const CustomSolid open(std::vector<ISurface*>{const_cast<Rectangle*>(&face)});
    const TracerPtr openTracer(Quoria::CreateRayTracer(&open));
    const Quoria::TraceReport nothing =
        Quoria::CalculateTrace(openTracer.get(), Point(1, 1, 1), Angles(0.2), 3u, Behaviors{});
    EXPECT_EQ(nothing.ending, TraceEnding::Open);
    EXPECT_TRUE(nothing.legs.empty());

    // A zero count or length asks for nothing, whatever the beam.
    EXPECT_EQ(Quoria::CalculateTrace(tracer.get(), Point(99, 99, 99), Angles(2.0), 0u, Behaviors{}).ending,
              TraceEnding::Legs);
    EXPECT_EQ(Quoria::CalculateTrace(tracer.get(), Point(99, 99, 99), Angles(2.0), 0.0, Behaviors{}).ending,
              TraceEnding::Length);
}

TEST(TraceReport, BehaviourRecordedAtEachLegEnd)
{
    const SolidPtr cube = Cube();
    const TracerPtr tracer(Quoria::CreateRayTracer(cube.get()));
    // Reflect, then Stop (a value other than 0 and 1 counts as Stop and is
    // kept as given).
    const auto report =
        Quoria::CalculateTrace(tracer.get(), Point(5, 0, 0), Angles(0.3), 9u,
                               Behaviors{Reflect, Reflect, static_cast<Quoria::BehaviorAtInterface>(5)});
    ASSERT_EQ(report.legs.size(), 3u);
    EXPECT_EQ(report.legs[0].behavior, Reflect);
    EXPECT_EQ(report.legs[1].behavior, Reflect);
    EXPECT_EQ(static_cast<int>(report.legs[2].behavior), 5);
    // Ended by the count before any behaviour was asked: Stop.
    const auto counted = Quoria::CalculateTrace(tracer.get(), Point(5, 0, 0), Angles(0.3), 2u, Behaviors{});
    EXPECT_EQ(counted.legs.back().behavior, Stop);
    // Transmit that finds no solid beyond is kept as asked.
    const auto exited =
        Quoria::CalculateTrace(tracer.get(), Point(5, 0, 0), Angles(0.3), 2u, Behaviors{Transmit});
    EXPECT_EQ(exited.ending, TraceEnding::Exit);
    EXPECT_EQ(exited.legs.back().behavior, Transmit);
}

TEST(TraceReport, WedgeOnPlateSolidsAndFacesMatchTheFacesHit)
{
    // The scenario of the wedge-on-plate trace: leg 1 in the wedge, 2 and 3
    // in the plate, 4 back in the wedge.
    const double degree = Pi / 180;
    const SolidPtr wedge(Quoria::CreateWedgeOnAxisAlignedPlate(Point(), 40, 20, 10, 10 * degree, 0, 0));
    const SolidPtr plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 5), 200, 100, 10));
    const Point entry(-38, 0, -10 - 2 * std::tan(10 * degree));
    for (const bool wedgeFirst : {true, false})
    {
        SCOPED_TRACE(wedgeFirst ? "wedge first" : "plate first");
        const TracerPtr tracer(
            Quoria::CreateRayTracer(wedgeFirst ? std::vector<const Solid*>{wedge.get(), plate.get()}
                                               : std::vector<const Solid*>{plate.get(), wedge.get()}));
        const std::size_t wedgeIndex = wedgeFirst ? 0 : 1;
        const std::size_t plateIndex = 1 - wedgeIndex;
        const auto report = Quoria::CalculateTrace(tracer.get(), entry, Angles(20 * degree), 4u,
                                                   Behaviors{Transmit, Reflect, Transmit});
        EXPECT_EQ(report.ending, TraceEnding::Legs);
        ASSERT_EQ(report.legs.size(), 4u);
        // Outward normals of the faces hit: the wedge's bottom (+z), the
        // plate's bottom (+z), the plate's top (-z), and the wedge's inclined
        // top, tilted 10 degrees towards -x.
        const Vector down(0, 0, 1);
        const Vector up(0, 0, -1);
        const Vector inclined(-std::sin(10 * degree), 0, -std::cos(10 * degree));
        const struct
        {
            std::size_t solid;
            Vector normal;
            Quoria::BehaviorAtInterface behavior;
        } expected[] = {{wedgeIndex, down, Transmit},
                        {plateIndex, down, Reflect},
                        {plateIndex, up, Transmit},
                        {wedgeIndex, inclined, Quoria::Stop}};
        const auto configuration = tracer->GetConfiguration();
        for (std::size_t i = 0; i < 4; ++i)
        {
            SCOPED_TRACE("leg " + std::to_string(i + 1));
            const Quoria::TraceLeg& leg = report.legs[i];
            EXPECT_EQ(leg.solid, expected[i].solid);
            EXPECT_EQ(leg.behavior, expected[i].behavior);
            const auto& faces = configuration[leg.solid]->GetSurfaces();
            ASSERT_LT(leg.face, faces.size());
            EXPECT_TRUE(faces[leg.face]->Contains(leg.segment.GetSecondPoint()));
            const Vector normal = faces[leg.face]->GetNormal(leg.segment.GetSecondPoint());
            EXPECT_NEAR(normal.X(), expected[i].normal.X(), 1e-12);
            EXPECT_NEAR(normal.Y(), expected[i].normal.Y(), 1e-12);
            EXPECT_NEAR(normal.Z(), expected[i].normal.Z(), 1e-12);
        }
    }
}

TEST(TraceReport, RefusedBeamsAndForeignTracers)
{
    const SolidPtr cube = Cube();
    const TracerPtr tracer(Quoria::CreateRayTracer(cube.get()));
    EXPECT_EQ(
        MessageOf([&]
                  { Quoria::CalculateTrace(tracer.get(), Point(5, 0, 0), Angles(HalfPi), 3u, Behaviors{}); }),
        "RayTracer::CalculateLegsFromEntryPoint : Beam refraction angle must be contained within ]-90\xB0"
        ", 90\xB0"
        "[.");
    EXPECT_EQ(
        MessageOf([&] { Quoria::CalculateTrace(tracer.get(), Point(0, 0, 0), Angles(0), 3u, Behaviors{}); }),
        "RayTracer::CalculateLegsFromEntryPoint : Entry point is not on the configuration or is on a "
        "corner.");
    EXPECT_EQ(
        MessageOf([&]
                  { Quoria::CalculateTrace(tracer.get(), Point(5, 0, 0), Angles(0), -1.0, Behaviors{}); }),
        "RayTracer::CalculateLegsFromEntryPoint : Requested total ray length must be larger than 0.");
    EXPECT_EQ(MessageOf([] { Quoria::CalculateTrace(nullptr, Point(5, 0, 0), Angles(0), 3u, Behaviors{}); }),
              "CalculateTrace : The tracer must be one made by CreateRayTracer.");
}
