#include "IRayTracer.h"
#include "Quoria.h"
#include "RectangularPrism.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

using namespace Tessam::Geometry3D;
using Quoria::BehaviorAtInterface;
using Quoria::IRayTracer;

namespace
{
const char* const RefractionMessage =
    "RayTracer::CalculateLegsFromEntryPoint : Beam refraction angle must be "
    "contained within ]-90\xB0"
    ", 90\xB0"
    "[.";
const char* const EntryMessage =
    "RayTracer::CalculateLegsFromEntryPoint : Entry point is not on the configuration or is on a corner.";

std::unique_ptr<const Solid> MakeBox(double sizeX, double sizeY, double sizeZ)
{
    return std::make_unique<RectangularPrism>(Point(0, 0, 0), Vector(1, 0, 0), Vector(0, 1, 0),
                                              Vector(0, 0, 1), sizeX, sizeY, sizeZ);
}

// Consecutive legs share their end and start points exactly.
void ExpectChained(const Legs& legs)
{
    for (std::size_t i = 1; i < legs.size(); ++i)
        EXPECT_EQ(legs[i - 1].GetSecondPoint(), legs[i].GetFirstPoint()) << "leg " << i;
}

// Mirror unfolding: inside a box that reflects at every face the beam is the
// straight line of the unfolded box, folded back coordinate by coordinate;
// it meets a face wherever the straight line crosses a plane lo + k * size.
std::vector<Point> UnfoldedInterfacePoints(const Point& entry, const Vector& direction, const double lo[3],
                                           const double size[3], std::size_t count)
{
    const double start[3] = {entry.X(), entry.Y(), entry.Z()};
    const double u[3] = {direction.X(), direction.Y(), direction.Z()};
    std::vector<double> crossings;
    for (int axis = 0; axis < 3; ++axis)
    {
        if (std::fabs(u[axis]) < 1e-12)
            continue;
        const double step = size[axis] / std::fabs(u[axis]);
        // Distance along the beam to the first plane strictly ahead.
        const double offset = (start[axis] - lo[axis]) / size[axis];
        const double planesAhead =
            u[axis] > 0 ? std::floor(offset + 1e-9) + 1.0 : std::ceil(offset - 1e-9) - 1.0;
        const double first = (lo[axis] + planesAhead * size[axis] - start[axis]) / u[axis];
        for (std::size_t k = 0; k < count; ++k)
            crossings.push_back(first + static_cast<double>(k) * step);
    }
    std::sort(crossings.begin(), crossings.end());
    std::vector<Point> points;
    for (std::size_t i = 0; i < count; ++i)
    {
        double folded[3];
        for (int axis = 0; axis < 3; ++axis)
        {
            const double straight = start[axis] + crossings[i] * u[axis] - lo[axis];
            double s = std::fmod(straight, 2.0 * size[axis]);
            if (s < 0)
                s += 2.0 * size[axis];
            folded[axis] = lo[axis] + (s > size[axis] ? 2.0 * size[axis] - s : s);
        }
        points.emplace_back(folded[0], folded[1], folded[2]);
    }
    return points;
}

// Hand-derived direction for an entry face with outward normal +Z.
Vector DownFromTop(double refraction, double skew)
{
    return Vector(std::sin(refraction) * std::cos(skew), -std::sin(refraction) * std::sin(skew),
                  -std::cos(refraction));
}
} // namespace

// x in [-50, 50], y in [-10, 10], z in [-5, 5]; the top face z = 5 has the
// outward normal +Z.
class RayTracer : public testing::Test
{
protected:
    const std::unique_ptr<const Solid> box = MakeBox(100, 20, 10);
    const std::unique_ptr<IRayTracer> tracer{Quoria::CreateRayTracer(box.get())};
    const Point top{0, 0, 5};
};

TEST_F(RayTracer, ReflectsInsideABoxAlongTheUnfoldedStraightLine)
{
    // 30 degrees, no skew: legs in the plane y = 0, each 10 / cos 30 long,
    // advancing 10 tan 30 towards +X.
    const Legs legs = TraceLegs(*tracer, top, Angles(30 * Degree), 3u);
    ASSERT_EQ(legs.size(), 3u);
    const double advance = 10 * std::tan(30 * Degree);
    ExpectNear(legs[0].GetFirstPoint(), top);
    ExpectNear(legs[0].GetSecondPoint(), Point(advance, 0, -5));
    ExpectNear(legs[1].GetSecondPoint(), Point(2 * advance, 0, 5));
    ExpectNear(legs[2].GetSecondPoint(), Point(3 * advance, 0, -5));
    ExpectChained(legs);

    // A positive skew turns the beam from +X towards -Y.
    const Legs skewed = TraceLegs(*tracer, top, Angles(30 * Degree, 90 * Degree), 1u);
    ASSERT_EQ(skewed.size(), 1u);
    ExpectNear(skewed[0].GetSecondPoint(), Point(0, -advance, -5));

    // Entering through the face y = 10 (outward +Y), a positive refraction
    // angle still tilts the beam towards +X.
    const Legs fromFront = TraceLegs(*tracer, Point(0, 10, 0), Angles(30 * Degree), 1u);
    ASSERT_EQ(fromFront.size(), 1u);
    ExpectNear(fromFront[0].GetSecondPoint(), Point(20 * std::tan(30 * Degree), -10, 0));
}

TEST_F(RayTracer, RandomBeamsInABoxFollowTheUnfoldedLine)
{
    const double lo[3] = {-5, -4, -3};
    const double size[3] = {10, 8, 6};
    const auto small = MakeBox(size[0], size[1], size[2]);
    const std::unique_ptr<IRayTracer> smallTracer(Quoria::CreateRayTracer(small.get()));
    const std::size_t legCount = 30;

    std::mt19937 generator(20240611);
    std::uniform_real_distribution<double> refraction(-80 * Degree, 80 * Degree);
    std::uniform_real_distribution<double> skew(0, 2 * Pi);
    std::uniform_real_distribution<double> along(-0.9, 0.9);
    int traced = 0;
    while (traced < 20)
    {
        const double r = refraction(generator);
        const double s = skew(generator);
        const Point entry(along(generator) * 5, along(generator) * 4, 3);
        const std::vector<Point> expected =
            UnfoldedInterfacePoints(entry, DownFromTop(r, s), lo, size, legCount + 1);

        // Skip beams that pass close to an edge (near two faces at once): the trace rightly ends there.
        const auto nearEdge = [&](const Point& p)
        {
            const double at[3] = {p.X() - lo[0], p.Y() - lo[1], p.Z() - lo[2]};
            int near = 0;
            for (int axis = 0; axis < 3; ++axis)
                near += std::fmin(at[axis], size[axis] - at[axis]) < 1e-4 ? 1 : 0;
            return near > 1;
        };
        if (std::any_of(expected.begin(), expected.end(), nearEdge))
            continue;
        ++traced;

        const Legs legs = TraceLegs(*smallTracer, entry, Angles(r, s), static_cast<unsigned>(legCount));
        ASSERT_EQ(legs.size(), legCount);
        EXPECT_EQ(legs[0].GetFirstPoint(), entry);
        ExpectChained(legs);
        const auto& faces = small->GetSurfaces();
        for (std::size_t i = 0; i < legCount; ++i)
        {
            ExpectNear(legs[i].GetSecondPoint(), expected[i], 1e-8);
            // Every leg ends on a face of the box.
            EXPECT_TRUE(std::any_of(faces.begin(), faces.end(),
                                    [&](const ISurface* face)
                                    { return face->Contains(legs[i].GetSecondPoint()); }));
        }
    }
}

TEST_F(RayTracer, StopConditionsEndOnAFullLegAndReturnEarlyBeforeValidation)
{
    const double legLength = 10 / std::cos(30 * Degree);

    // The last leg is never shortened; a remainder of exactly 0 stops.
    const Legs slightlyShort = TraceLegs(*tracer, top, Angles(30 * Degree), legLength - 0.01);
    ASSERT_EQ(slightlyShort.size(), 1u);
    EXPECT_NEAR(slightlyShort[0].Length(), legLength, 1e-9);
    EXPECT_EQ(TraceLegs(*tracer, top, Angles(30 * Degree), slightlyShort[0].Length()).size(), 1u);
    EXPECT_EQ(TraceLegs(*tracer, top, Angles(30 * Degree), legLength + 0.01).size(), 2u);

    // Nothing is checked when nothing is asked for.
    const Point offConfiguration(1000, 1000, 1000);
    EXPECT_TRUE(TraceLegs(*tracer, offConfiguration, Angles(2.0), 0.0).empty());
    EXPECT_TRUE(TraceLegs(*tracer, offConfiguration, Angles(2.0), 0u).empty());

    // The length is checked before the angle.
    EXPECT_EQ(MessageOf([&] { TraceLegs(*tracer, offConfiguration, Angles(2.0), -1e-300); }),
              "RayTracer::CalculateLegsFromEntryPoint : Requested total ray length must be larger than 0.");
    // A NaN length is not below zero and never exhausts: the limit ends the trace.
    EXPECT_EQ(TraceLegs(*tracer, top, Angles(0), std::nan(""), BehaviorFunctions()).size(), 250u);

    // Without behaviours the beam reflects until the 250-leg limit.
    EXPECT_EQ(TraceLegs(*tracer, top, Angles(0), 1000u).size(), 250u);
    EXPECT_EQ(TraceLegs(*tracer, top, Angles(0), 1e9).size(), 250u);
}

TEST_F(RayTracer, RejectsRefractionAnglesOutsideTheOpenRangeBeforeTheEntryPoint)
{
    for (const double refraction : {HalfPi, -HalfPi, 2.0})
        EXPECT_EQ(MessageOf([&] { TraceLegs(*tracer, top, Angles(refraction), 1u); }), RefractionMessage);
    EXPECT_EQ(MessageOf([&] { TraceLegs(*tracer, Point(1000, 0, 0), Angles(HalfPi), 1u); }),
              RefractionMessage);
    // Just inside the bound the beam grazes the entry face and meets a side.
    const Legs grazing = TraceLegs(*tracer, top, Angles(1.5707963267948), 1u);
    ASSERT_EQ(grazing.size(), 1u);
    EXPECT_NEAR(grazing[0].GetSecondPoint().X(), 50, 1e-9);
}

TEST_F(RayTracer, RejectsEntryPointsOffTheConfigurationOrOnSeveralFaces)
{
    for (const Point& entry : {Point(0, 0, 5 + 1e-9), Point(50, 0, 5), Point(50, 10, 5), Point(0, 0, 0)})
        EXPECT_EQ(MessageOf([&] { TraceLegs(*tracer, entry, Angles(0), 1u); }), EntryMessage);
    // Within the face's tolerance the point is still on it.
    EXPECT_EQ(TraceLegs(*tracer, Point(0, 0, 5 + 1e-12), Angles(0), 1u).size(), 1u);
}

TEST_F(RayTracer, EntersAlongTheNormalWhenTheNormalIsParallelToX)
{
    // Face x = -50: the tilt axis normal x X is null, so both angles are lost.
    const Legs legs = TraceLegs(*tracer, Point(-50, 1, 2), Angles(40 * Degree, 70 * Degree), 2u);
    ASSERT_EQ(legs.size(), 2u);
    ExpectNear(legs[0].GetSecondPoint(), Point(50, 1, 2));
    ExpectNear(legs[1].GetSecondPoint(), Point(-50, 1, 2));
}

TEST_F(RayTracer, EndsOnAnEdgeOnStopAndOnATransmissionWithNothingBeyond)
{
    // From x = 40 at 45 degrees the first leg ends on the edge x = 50, z = -5.
    const Legs onEdge = TraceLegs(*tracer, Point(40, 0, 5), Angles(Pi / 4), 5u);
    ASSERT_EQ(onEdge.size(), 1u);
    ExpectNear(onEdge[0].GetSecondPoint(), Point(50, 0, -5));

    EXPECT_EQ(TraceLegs(*tracer, top, Angles(30 * Degree), 5u, Behaviors{Quoria::Transmit}).size(), 1u);
    EXPECT_EQ(
        TraceLegs(*tracer, top, Angles(30 * Degree), 5u, Behaviors{Quoria::Reflect, Quoria::Stop}).size(),
        2u);
    EXPECT_EQ(TraceLegs(*tracer, top, Angles(30 * Degree), 5u, Behaviors{static_cast<BehaviorAtInterface>(7)})
                  .size(),
              1u);
}

TEST_F(RayTracer, BehaviourFunctionsReceiveTheSurfaceHitOnlyWhereAnInterfaceContinues)
{
    const auto& faces = tracer->GetConfiguration().front()->GetSurfaces();
    std::vector<const ISurface*> received;
    const auto record = [&received](const ISurface* surface)
    {
        received.push_back(surface);
        return Quoria::Reflect;
    };
    // The third interface is the last one: the count stops there first.
    const Legs legs =
        TraceLegs(*tracer, top, Angles(30 * Degree), 3u, BehaviorFunctions{record, record, record});
    ASSERT_EQ(legs.size(), 3u);
    // Face 4 lies in z = -5, face 5 in z = 5.
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], faces[4]);
    EXPECT_EQ(received[1], faces[5]);

    // An empty behaviour function is called like any other.
    EXPECT_THROW(TraceLegs(*tracer, top, Angles(30 * Degree), 3u, BehaviorFunctions{nullptr, record}),
                 std::bad_function_call);
    // A NaN refraction angle passes the range test; its beam meets nothing.
    EXPECT_TRUE(TraceLegs(*tracer, top, Angles(std::nan("")), 3u).empty());
}

TEST_F(RayTracer, LawsReceiveTheAngleFromTheOutwardNormalToTheOutgoingDirection)
{
    // Reflected at z = -5 (outward normal -Z) towards (1/2, 0, sqrt 3 / 2):
    // 150 degrees. The law turns it to 135 degrees, 45 degrees off the normal
    // inwards, so the second leg rises 10 while it advances 10.
    std::vector<double> received;
    const auto record = [&received](double angle)
    {
        received.push_back(angle);
        return angle;
    };
    const auto turnTo135 = [&record](double angle)
    {
        record(angle);
        return 135 * Degree;
    };
    const Legs turned = TraceLegs(*tracer, top, Angles(30 * Degree), 2u, Behaviors(), Laws{turnTo135});
    ASSERT_EQ(turned.size(), 2u);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_NEAR(received[0], 150 * Degree, 1e-12);
    ExpectNear(turned[1].GetSecondPoint(), Point(10 * std::tan(30 * Degree) + 10, 0, 5));

    // Going towards -X the angle is still measured positively.
    received.clear();
    const Legs identity = TraceLegs(*tracer, top, Angles(-30 * Degree, 20 * Degree), 4u, Behaviors(),
                                    Laws{record, nullptr, record});
    ASSERT_EQ(identity.size(), 4u);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_NEAR(received[0], 150 * Degree, 1e-12);
    EXPECT_NEAR(received[1], 150 * Degree, 1e-12);
    // The identity law leaves the unfolded straight line intact.
    const double lo[3] = {-50, -10, -5};
    const double size[3] = {100, 20, 10};
    const std::vector<Point> expected =
        UnfoldedInterfacePoints(top, DownFromTop(-30 * Degree, 20 * Degree), lo, size, 4);
    for (std::size_t i = 0; i < 4; ++i)
        ExpectNear(identity[i].GetSecondPoint(), expected[i]);

    // At normal incidence there is nothing to turn: the law is not called.
    received.clear();
    const auto shifting = [&record](double angle) { return record(angle) + 0.1; };
    const Legs normal = TraceLegs(*tracer, top, Angles(0), 3u, Behaviors(), Laws{shifting, shifting});
    EXPECT_TRUE(received.empty());
    ASSERT_EQ(normal.size(), 3u);
    ExpectNear(normal[2].GetSecondPoint(), Point(0, 0, -5));
}

TEST_F(RayTracer, ExceptionsFromCallerFunctionsPropagateAndTheTracerStaysUsable)
{
    const auto throwingLaw = [](double) -> double { throw std::runtime_error("law"); };
    const auto throwingBehavior = [](const ISurface*) -> BehaviorAtInterface
    { throw std::runtime_error("behaviour"); };
    EXPECT_THROW(TraceLegs(*tracer, top, Angles(30 * Degree), 3u, Behaviors(), Laws{throwingLaw}),
                 std::runtime_error);
    EXPECT_THROW(TraceLegs(*tracer, top, Angles(30 * Degree), 30.0, BehaviorFunctions{throwingBehavior}),
                 std::runtime_error);
    EXPECT_EQ(TraceLegs(*tracer, top, Angles(30 * Degree), 3u).size(), 3u);
}
