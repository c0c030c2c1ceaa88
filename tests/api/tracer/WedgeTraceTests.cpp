#include "Quoria.h"
#include "SolidChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Tessam::Geometry3D;
using namespace SolidChecks;
using Quoria::Reflect;
using Quoria::Transmit;

using SolidPtr = std::unique_ptr<const Solid>;

TEST(WedgeTrace, OnPlateTransmitsBothWaysInEitherOrder)
{
    // A 10 degree wedge on a plate 10 thick; 20 degrees of refraction give a
    // beam 30 degrees off the vertical, which comes back up under the wedge.
    const SolidPtr wedge(Quoria::CreateWedgeOnAxisAlignedPlate(Point(), 40, 20, 10, 10 * Degree, 0, 0));
    const SolidPtr plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 5), 200, 100, 10));
    const double slope = std::tan(10 * Degree);
    const double drift = std::tan(30 * Degree);
    const Point entry(-38, 0, -10 - 2 * slope);
    const double x1 = entry.X() - entry.Z() * drift;
    const double x3 = x1 + 20 * drift;
    // Back up to the inclined top: z = -10 - (x + 40) tan(10 degrees).
    const double rise = (10 + (x3 + 40) * slope) / (std::cos(30 * Degree) - std::sin(30 * Degree) * slope);
    const std::vector<Point> ends = {
        Point(x1, 0, 0), Point(x1 + 10 * drift, 0, 10), Point(x3, 0, 0),
        Point(x3 + rise * std::sin(30 * Degree), 0, -rise * std::cos(30 * Degree))};
    for (const auto& solids : {std::vector<const Solid*>{wedge.get(), plate.get()},
                               std::vector<const Solid*>{plate.get(), wedge.get()}})
    {
        ExpectLegs(Trace(solids, entry, 20 * Degree, 0, 4, {Transmit, Reflect, Transmit}), entry, ends);
    }
}

TEST(WedgeTrace, OnXOrientedPipeIntoTheWall)
{
    // The wedge stands 30 degrees round the pipe; the beam runs in the plane
    // through the axis and the wedge's middle, 20 degrees off the radius.
    const Point axis(0, 0, 50);
    const double turn = 30 * Degree;
    const SolidPtr pipe(Quoria::CreateXOrientedPipe(axis, 40, 50, 200));
    const SolidPtr wedge(Quoria::CreateWedgeOnXOrientedCylinder(
        axis + Vector(0, 50 * std::sin(turn), -50 * std::cos(turn)), 40, 20, 10, 0, 0, axis));
    const auto at = [&](double radius, double x)
    { return Point(x, radius * std::sin(turn), 50 - radius * std::cos(turn)); };
    const double drift = 10 * std::tan(20 * Degree);
    ExpectLegs(
        Trace({wedge.get(), pipe.get()}, at(60, -30), 20 * Degree, 0, 4, {Transmit, Reflect, Transmit}),
        at(60, -30),
        {at(50, -30 + drift), at(40, -30 + 2 * drift), at(50, -30 + 3 * drift), at(60, -30 + 4 * drift)});
}

TEST(WedgeTrace, OnYOrientedPipeIntoTheWall)
{
    // The wedge's tall end stands on the top generatrix; the beam runs down
    // the radius through the middle of its bottom, skewed 20 degrees along y.
    const Point axis(0, 0, 50);
    const SolidPtr pipe(Quoria::CreateYOrientedPipe(axis, 40, 50, 200));
    const SolidPtr wedge(Quoria::CreateWedgeOnYOrientedCylinder(Point(), 40, 20, 10, 0, 0, axis));
    const double middle = std::asin(0.4);
    const double sagitta = 50 - std::sqrt(2500 - 400);
    const auto at = [&](double radius, double y)
    { return Point(-radius * std::sin(middle), y, 50 - radius * std::cos(middle)); };
    const double drift = std::tan(20 * Degree);
    const double inWedge = 10 - sagitta;
    ExpectLegs(Trace({pipe.get(), wedge.get()}, at(60 - sagitta, -8), 20 * Degree, 90 * Degree, 4,
                     {Transmit, Reflect, Transmit}),
               at(60 - sagitta, -8),
               {at(50, -8 + inWedge * drift), at(40, -8 + (inWedge + 10) * drift),
                at(50, -8 + (inWedge + 20) * drift), at(60 - sagitta, -8 + (2 * inWedge + 20) * drift)});
}
