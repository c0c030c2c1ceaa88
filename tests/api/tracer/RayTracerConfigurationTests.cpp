#include "Factories.h"
#include "IRayTracer.h"
#include "Quoria.h"
#include "RectangularPrism.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

using namespace Tessam::Geometry3D;
using Quoria::BehaviorAtInterface;
using Quoria::CreateRayTracer;
using Quoria::IRayTracer;

namespace
{
using Tracer = std::unique_ptr<IRayTracer>;

const Solid* NewBox(const Point& centre, double sizeX, double sizeY, double sizeZ)
{
    return new RectangularPrism(centre, Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, 1), sizeX, sizeY,
                                sizeZ);
}

// A solid that cannot be copied, to break a configuration half-way.
class UncopyableSolid : public Solid
{
public:
    const std::vector<const ISurface*>& GetSurfaces() const override { return surfaces; }
    ISolid* Clone() const override { throw std::runtime_error("cannot copy"); }

private:
    std::vector<const ISurface*> surfaces;
};

// A wedge-like block standing on a plate: the block spans z in [0, 10], the
// plate z in [-20, 0], and they share the plane z = 0.
struct BlockOnPlate
{
    std::unique_ptr<const Solid> block;
    std::unique_ptr<const Solid> plate;
    explicit BlockOnPlate(double blockSizeX)
        : block(NewBox(Point(0, 0, 5), blockSizeX, 20, 10)), plate(NewBox(Point(0, 0, -10), 200, 40, 20))
    {
    }
    Tracer BlockFirst() const { return Tracer(CreateRayTracer({block.get(), plate.get()})); }
    Tracer PlateFirst() const { return Tracer(CreateRayTracer({plate.get(), block.get()})); }
};
} // namespace

TEST(RayTracerConfiguration, TransmitsBetweenStackedSolidsInEitherOrder)
{
    // At 30 degrees a leg advances its height times tan 30 towards +X:
    // 10 in the block, 20 down and 20 back up in the plate.
    const BlockOnPlate specimen(80);
    const double t = std::tan(30 * Degree);
    const Point expected[4] = {Point(10 * t, 0, 0), Point(30 * t, 0, -20), Point(50 * t, 0, 0),
                               Point(60 * t, 0, 10)};
    const Point entry(0, 0, 10);
    const Tracer blockFirst = specimen.BlockFirst();
    const Behaviors behaviors{Quoria::Transmit, Quoria::Reflect, Quoria::Transmit};
    const auto asFunction = [](BehaviorAtInterface behavior)
    { return [behavior](const ISurface*) { return behavior; }; };
    const BehaviorFunctions functions{asFunction(Quoria::Transmit), asFunction(Quoria::Reflect),
                                      asFunction(Quoria::Transmit)};
    for (const Legs& legs : {TraceLegs(*blockFirst, entry, Angles(30 * Degree), 4u, behaviors),
                             TraceLegs(*specimen.PlateFirst(), entry, Angles(30 * Degree), 4u, functions)})
    {
        ASSERT_EQ(legs.size(), 4u);
        ExpectNear(legs[0].GetFirstPoint(), entry);
        for (int i = 0; i < 4; ++i)
            ExpectNear(legs[i].GetSecondPoint(), expected[i]);
    }

    // A block only 50 wide: the third leg comes up beside it, where nothing
    // lies beyond the plate, and the transmission ends the trace.
    const Legs ended = TraceLegs(*BlockOnPlate(50).PlateFirst(), entry, Angles(30 * Degree), 4u, behaviors);
    ASSERT_EQ(ended.size(), 3u);
    ExpectNear(ended[2].GetSecondPoint(), expected[2]);

    // A leg that ends on the block's bottom edge is not continued, though the
    // plate lies beyond.
    const Legs onEdge = TraceLegs(*blockFirst, Point(40 - 10 * t, 0, 10), Angles(30 * Degree), 4u, behaviors);
    ASSERT_EQ(onEdge.size(), 1u);
    ExpectNear(onEdge[0].GetSecondPoint(), Point(40, 0, 0));
}

TEST(RayTracerConfiguration, AnEntryPointOnASharedFaceEntersTheFirstSolidListed)
{
    // Into the block the beam goes up, into the plate down.
    const BlockOnPlate specimen(80);
    const Legs up = TraceLegs(*specimen.BlockFirst(), Point(0, 0, 0), Angles(0), 1u);
    const Legs down = TraceLegs(*specimen.PlateFirst(), Point(0, 0, 0), Angles(0), 1u);
    ASSERT_EQ(up.size(), 1u);
    ASSERT_EQ(down.size(), 1u);
    ExpectNear(up[0].GetSecondPoint(), Point(0, 0, 10));
    ExpectNear(down[0].GetSecondPoint(), Point(0, 0, -20));
}

TEST(RayTracerConfiguration, ALawOnATransmittedBeamSeesAnAcuteAngleFromTheNormalOfTheSolidLeft)
{
    // Leaving the block through its face z = 0 (outward -Z) along
    // (1/2, 0, -sqrt 3 / 2): 30 degrees. Refracted to 60 degrees, the leg in
    // the plate advances 20 tan 60.
    std::vector<double> received;
    const Laws laws{[&received](double angle)
                    {
                        received.push_back(angle);
                        return 60 * Degree;
                    }};
    const Legs legs = TraceLegs(*BlockOnPlate(80).BlockFirst(), Point(0, 0, 10), Angles(30 * Degree), 2u,
                                Behaviors{Quoria::Transmit}, laws);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_NEAR(received[0], 30 * Degree, 1e-12);
    ASSERT_EQ(legs.size(), 2u);
    ExpectNear(legs[1].GetSecondPoint(),
               Point(10 * std::tan(30 * Degree) + 20 * std::tan(60 * Degree), 0, -20));
}

TEST(RayTracerConfiguration, ATransmissionOntoTwoSolidsEntersTheLastListed)
{
    // Two plates side by side under the block, meeting in the plane x = 0
    // right where the first leg ends.
    const std::unique_ptr<const Solid> block(NewBox(Point(0, 0, 5), 80, 20, 10));
    const std::unique_ptr<const Solid> minusX(NewBox(Point(-50, 0, -10), 100, 40, 20));
    const std::unique_ptr<const Solid> plusX(NewBox(Point(50, 0, -10), 100, 40, 20));
    const Point entry(-10 * std::tan(30 * Degree), 0, 10);
    const Behaviors transmit{Quoria::Transmit, Quoria::Stop};

    // In the plate on the +X side the beam goes on down to its bottom face.
    const Tracer plusLast(CreateRayTracer({block.get(), minusX.get(), plusX.get()}));
    const Legs throughPlus = TraceLegs(*plusLast, entry, Angles(30 * Degree), 5u, transmit);
    ASSERT_EQ(throughPlus.size(), 2u);
    ExpectNear(throughPlus[1].GetSecondPoint(), Point(20 * std::tan(30 * Degree), 0, -20));

    // The plate on the -X side has nothing ahead of the beam: the trace ends.
    const Tracer minusLast(CreateRayTracer({block.get(), plusX.get(), minusX.get()}));
    EXPECT_EQ(TraceLegs(*minusLast, entry, Angles(30 * Degree), 5u, transmit).size(), 1u);
}

TEST(RayTracerConfiguration, ReflectsOffTheSlopeOfACounterboredPlate)
{
    // Middle zone z in [-5, 5] for |y| <= 10; every slope rises 5 over 5 from
    // there, so the outer zone spans z in [-10, 10].
    const Quoria::SlopeConfiguration slope(5, 5, 10);
    const std::unique_ptr<const Solid> plate(Quoria::CreateAxisAlignedCounterboredPlate(
        Point(0, 0, 0), 100, 200, 10, {slope, slope, slope, slope}));
    const Tracer tracer(CreateRayTracer(plate.get()));

    // A skew of -90 degrees turns the beam towards +Y, 30 degrees off -Z.
    const Legs legs = TraceLegs(*tracer, Point(0, 0, 5), Angles(30 * Degree, -90 * Degree), 4u);
    ASSERT_EQ(legs.size(), 4u);
    const double root3 = std::sqrt(3.0);
    // Down to the top middle face, then up (0, 1/2, sqrt 3 / 2) onto the
    // slope z = y - 5, whose outward normal (0, -1, 1) / sqrt 2 mirrors the
    // beam to (0, sqrt 3 / 2, 1/2), up to the outer face z = 10 and down to
    // the outer face z = -10.
    const double onSlope = 10 / root3 + 10 / (3 - root3);
    const double onOuterBottom = onSlope + root3 * (15 - onSlope);
    ExpectNear(legs[0].GetSecondPoint(), Point(0, 10 / root3, -5));
    ExpectNear(legs[1].GetSecondPoint(), Point(0, onSlope, onSlope - 5));
    ExpectNear(legs[2].GetSecondPoint(), Point(0, onOuterBottom, 10));
    ExpectNear(legs[3].GetSecondPoint(), Point(0, onOuterBottom + 20 * root3, -10));
}

TEST(RayTracerConfiguration, OwnsDeepCopiesOfTheSolids)
{
    const Solid* block = NewBox(Point(0, 0, 5), 80, 20, 10);
    const Solid* plate = NewBox(Point(0, 0, -10), 200, 40, 20);
    const Tracer tracer(CreateRayTracer({block, plate}));
    const std::vector<const ISolid*> configuration = tracer->GetConfiguration();
    ASSERT_EQ(configuration.size(), 2u);
    EXPECT_NE(configuration[0], block);
    EXPECT_TRUE(*configuration[0] == *block);
    EXPECT_TRUE(*configuration[1] == *plate);
    delete block;
    delete plate;
    // The tracer works on its own copies once the caller's are gone.
    EXPECT_EQ(TraceLegs(*tracer, Point(0, 0, 10), Angles(0), 2u, Behaviors{Quoria::Transmit}).size(), 2u);
    EXPECT_EQ(tracer->GetConfiguration(), configuration);

    const std::unique_ptr<const Solid> single(NewBox(Point(0, 0, 0), 1, 1, 1));
    const Tracer singleTracer(CreateRayTracer(single.get()));
    ASSERT_EQ(singleTracer->GetConfiguration().size(), 1u);
    EXPECT_TRUE(*singleTracer->GetConfiguration()[0] == *single);
}

TEST(RayTracerConfiguration, RejectsEmptyAndNullConfigurationsAndLeaksNothingWhenACopyFails)
{
    EXPECT_EQ(MessageOf([] { CreateRayTracer(std::vector<const Solid*>()); }),
              "RayTracer::RayTracer : The configuration must contain at least one solid.");
    const std::unique_ptr<const Solid> box(NewBox(Point(0, 0, 0), 1, 1, 1));
    const char* const nullMessage = "RayTracer::RayTracer : The configuration must not contain a null solid.";
    EXPECT_EQ(MessageOf([] { CreateRayTracer(static_cast<const Solid*>(nullptr)); }), nullMessage);
    EXPECT_EQ(MessageOf([&] { CreateRayTracer({box.get(), nullptr}); }), nullMessage);
    // The copy of the box made before the failure is released (checked by
    // the leak sanitizer).
    const UncopyableSolid uncopyable;
    EXPECT_THROW(CreateRayTracer({box.get(), &uncopyable}), std::runtime_error);
}
