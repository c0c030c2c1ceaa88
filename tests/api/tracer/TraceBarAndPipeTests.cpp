#include "Factories.h"
#include "Quoria.h"
#include "SolidChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Tessam::Geometry3D;
using namespace SolidChecks;

// Every beam enters at the top of the outer mantle, (x, z) = (0, 2), tilted
// towards +x by the refraction angle r: along (sin r, -cos r) in the
// cross-section of a y-oriented pipe (bore radius 1, outer radius 2).

TEST(TraceBarAndPipe, ABeamMissingTheBoreReflectsAroundTheWall)
{
    // At 45 degrees the beam passes sqrt(2) from the axis, clear of the bore:
    // each chord of the outer circle spans a quarter turn.
    const std::unique_ptr<const Solid> pipe(Quoria::CreateYOrientedPipe(Point(0, 0, 0), 1, 2, 10));
    ExpectLegs(Trace({pipe.get()}, Point(0, 0, 2), Pi / 4, 0, 4), Point(0, 0, 2),
               {Point(2, 0, 0), Point(0, 0, -2), Point(-2, 0, 0), Point(0, 0, 2)});
}

TEST(TraceBarAndPipe, ABeamMeetingTheBoreReflectsOffItAndBackOffTheMantle)
{
    // With tan r = 1/2 the beam (1, -2)/sqrt(5) meets the unit circle first
    // at t = 3/sqrt(5), at (0.6, 0.8). Mirrored about the bore's normal it
    // runs along (2.2, -0.4)/sqrt(5) to the outer circle at (1.92, 0.56);
    // mirrored about (0.96, 0.28) along (-1.64, -1.52)/sqrt(5) back to the
    // bore at (0.936, -0.352).
    const std::unique_ptr<const Solid> pipe(Quoria::CreateYOrientedPipe(Point(0, 0, 0), 1, 2, 10));
    ExpectLegs(Trace({pipe.get()}, Point(0, 0, 2), std::atan(0.5), 0, 3), Point(0, 0, 2),
               {Point(0.6, 0, 0.8), Point(1.92, 0, 0.56), Point(0.936, 0, -0.352)});
}

TEST(TraceBarAndPipe, TransmitsThroughABarFillingTheBoreInEitherOrder)
{
    // Straight on through the bar the beam leaves the unit circle at
    // t = sqrt(5), at (1, 0), and meets the outer circle at t = 8/sqrt(5),
    // at (1.6, -1.2).
    const std::unique_ptr<const Solid> pipe(Quoria::CreateYOrientedPipe(Point(0, 0, 0), 1, 2, 10));
    const std::unique_ptr<const Solid> bar(Quoria::CreateYOrientedBar(Point(0, 0, 0), 1, 10));
    const Behaviors transmitTwice = {Quoria::Transmit, Quoria::Transmit};
    const std::vector<Point> expected = {Point(0.6, 0, 0.8), Point(1, 0, 0), Point(1.6, 0, -1.2)};
    for (const auto& solids :
         {std::vector<const Solid*>{pipe.get(), bar.get()}, std::vector<const Solid*>{bar.get(), pipe.get()}})
    {
        ExpectLegs(Trace(solids, Point(0, 0, 2), std::atan(0.5), 0, 3, transmitTwice), Point(0, 0, 2),
                   expected);
    }
}

TEST(TraceBarAndPipe, ABeamAlongABarsAxisZigZagsToItsEndDiskAndBack)
{
    // An x-oriented bar of radius 2 from x = -10 to 10: at 45 degrees the
    // beam crosses a diameter every 4 along the axis, meets the end disk at
    // its centre and comes back mirrored.
    const std::unique_ptr<const Solid> bar(Quoria::CreateXOrientedBar(Point(0, 0, 0), 2, 20));
    ExpectLegs(Trace({bar.get()}, Point(0, 0, 2), Pi / 4, 0, 4), Point(0, 0, 2),
               {Point(4, 0, -2), Point(8, 0, 2), Point(10, 0, 0), Point(8, 0, -2)});
}
