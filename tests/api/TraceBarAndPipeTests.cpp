#include "IRayTracer.h"
#include "Quoria.h"
#include "SpecimenFactory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

using namespace Tessam::Geometry3D;
using Quoria::BeamAngles;
using Quoria::BehaviorAtInterface;
using Quoria::IRayTracer;

namespace
{
using Legs = std::vector<LineSegment>;
using Laws = std::vector<std::function<double(double)>>;

const double Pi = 3.141592653589793;

BeamAngles Refraction(double refractionAngle)
{
    BeamAngles angles;
    angles.skewAngle = 0.0;
    angles.refractionAngle = refractionAngle;
    return angles;
}

// The legs run from point to point, each starting where the previous ended.
void ExpectLegs(const Legs& legs, const std::vector<Point>& points)
{
    ASSERT_EQ(legs.size() + 1, points.size());
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        const Point& start = legs[i].GetFirstPoint();
        const Point& end = legs[i].GetSecondPoint();
        EXPECT_NEAR(start.X(), points[i].X(), 1e-9) << "leg " << i;
        EXPECT_NEAR(start.Y(), points[i].Y(), 1e-9) << "leg " << i;
        EXPECT_NEAR(start.Z(), points[i].Z(), 1e-9) << "leg " << i;
        EXPECT_NEAR(end.X(), points[i + 1].X(), 1e-9) << "leg " << i;
        EXPECT_NEAR(end.Y(), points[i + 1].Y(), 1e-9) << "leg " << i;
        EXPECT_NEAR(end.Z(), points[i + 1].Z(), 1e-9) << "leg " << i;
    }
}
} // namespace

// In the cross-section of a y-oriented pipe (inner radius 1, outer 2) the
// beam enters at the top of the outer mantle, (x, z) = (0, 2), tilted
// towards +x by the refraction angle r: along (sin r, -cos r).

TEST(TraceBarAndPipe, ABeamMissingTheBoreReflectsAroundTheWall)
{
    // At 45 degrees the beam passes sqrt(2) from the axis, clear of the bore:
    // each chord of the outer circle spans a quarter turn.
    const std::unique_ptr<const Solid> pipe(Quoria::CreateYOrientedPipe(Point(0, 0, 0), 1, 2, 10));
    const std::unique_ptr<IRayTracer> tracer(Quoria::CreateRayTracer(pipe.get()));
    const Legs legs = tracer->CalculateLegsFromEntryPoint(Point(0, 0, 2), Refraction(Pi / 4), 4u,
                                                          std::vector<BehaviorAtInterface>(), Laws());
    ExpectLegs(legs, {Point(0, 0, 2), Point(2, 0, 0), Point(0, 0, -2), Point(-2, 0, 0), Point(0, 0, 2)});
    for (const LineSegment& leg : legs)
    {
        EXPECT_NEAR(leg.Length(), 2 * std::sqrt(2.0), 1e-9);
    }
}

TEST(TraceBarAndPipe, ABeamMeetingTheBoreReflectsOffItAndBackOffTheMantle)
{
    // With tan r = 1/2 the beam (1, -2)/sqrt(5) from (0, 2) first meets the
    // unit circle at t = 3/sqrt(5), at (0.6, 0.8). Mirrored about the bore's
    // normal there it runs along (2.2, -0.4)/sqrt(5) and meets the outer
    // circle after 3/sqrt(5) again, at (1.92, 0.56); mirrored about (0.96,
    // 0.28) it runs along (-1.64, -1.52)/sqrt(5) back to the bore at
    // (0.936, -0.352).
    const std::unique_ptr<const Solid> pipe(Quoria::CreateYOrientedPipe(Point(0, 0, 0), 1, 2, 10));
    const std::unique_ptr<IRayTracer> tracer(Quoria::CreateRayTracer(pipe.get()));
    const Legs legs = tracer->CalculateLegsFromEntryPoint(Point(0, 0, 2), Refraction(std::atan(0.5)), 3u,
                                                          std::vector<BehaviorAtInterface>(), Laws());
    ExpectLegs(legs, {Point(0, 0, 2), Point(0.6, 0, 0.8), Point(1.92, 0, 0.56), Point(0.936, 0, -0.352)});
    EXPECT_NEAR(legs[0].Length(), 3 / std::sqrt(5.0), 1e-9);
    EXPECT_NEAR(legs[1].Length(), 3 / std::sqrt(5.0), 1e-9);
}

TEST(TraceBarAndPipe, TransmitsThroughABarFillingTheBoreInEitherOrder)
{
    // Straight on through the bar the beam leaves the unit circle at
    // t = sqrt(5), at (1, 0), and reaches the outer circle at t = 8/sqrt(5),
    // at (1.6, -1.2).
    const std::unique_ptr<const Solid> pipe(Quoria::CreateYOrientedPipe(Point(0, 0, 0), 1, 2, 10));
    const std::unique_ptr<const Solid> bar(Quoria::CreateYOrientedBar(Point(0, 0, 0), 1, 10));
    const std::vector<BehaviorAtInterface> transmitTwice = {BehaviorAtInterface::Transmit,
                                                            BehaviorAtInterface::Transmit};
    const std::vector<Point> expected = {Point(0, 0, 2), Point(0.6, 0, 0.8), Point(1, 0, 0),
                                         Point(1.6, 0, -1.2)};
    for (const std::vector<const Solid*>& configuration :
         {std::vector<const Solid*>{pipe.get(), bar.get()}, std::vector<const Solid*>{bar.get(), pipe.get()}})
    {
        const std::unique_ptr<IRayTracer> tracer(Quoria::CreateRayTracer(configuration));
        const Legs legs = tracer->CalculateLegsFromEntryPoint(Point(0, 0, 2), Refraction(std::atan(0.5)), 3u,
                                                              transmitTwice, Laws());
        ExpectLegs(legs, expected);
    }
}

TEST(TraceBarAndPipe, ABeamAlongABarsAxisZigZagsToItsEndDisk)
{
    // An x-oriented bar of radius 2 from x = -10 to 10: at 45 degrees the
    // beam crosses the diameter every 4 along the axis and meets the end
    // disk at its centre.
    const std::unique_ptr<const Solid> bar(Quoria::CreateXOrientedBar(Point(0, 0, 0), 2, 20));
    const std::unique_ptr<IRayTracer> tracer(Quoria::CreateRayTracer(bar.get()));
    const Legs legs = tracer->CalculateLegsFromEntryPoint(Point(0, 0, 2), Refraction(Pi / 4), 10u,
                                                          std::vector<BehaviorAtInterface>(), Laws());
    // The disk sends it back along the mirrored path.
    ASSERT_GE(legs.size(), 4u);
    ExpectLegs(Legs(legs.begin(), legs.begin() + 4),
               {Point(0, 0, 2), Point(4, 0, -2), Point(8, 0, 2), Point(10, 0, 0), Point(8, 0, -2)});
}
