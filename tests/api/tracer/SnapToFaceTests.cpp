#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

using namespace Tessam::Geometry3D;
using Quoria::SnapToFace;

using SolidPtr = std::unique_ptr<const Solid>;
using TracerPtr = std::unique_ptr<Quoria::IRayTracer>;

namespace
{

const std::string NoFace = "SnapToFace : The point projects onto no face of the solid.";
const std::string OnEdge = "SnapToFace : The point projects onto an edge of the solid.";

// The outward normal of the face the point was snapped onto, there.
Vector NormalAtSnap(const Solid& solid, const Quoria::SnappedPoint& snapped)
{
    return solid.GetSurfaces()[snapped.face]->GetNormal(snapped.point);
}

void ExpectSameVector(const Vector& actual, const Vector& expected)
{
    ExpectNear(Point(actual.X(), actual.Y(), actual.Z()), Point(expected.X(), expected.Y(), expected.Z()));
}

void ExpectSnap(const Solid& solid, const Point& from, const Point& foot, const Vector& normal,
                double distance)
{
    const Quoria::SnappedPoint snapped = SnapToFace(solid, from);
    ExpectNear(snapped.point, foot);
    EXPECT_NEAR(snapped.distance, distance, 1e-9);
    ExpectSameVector(NormalAtSnap(solid, snapped), normal);
}

} // namespace

TEST(SnapToFace, BoxFeetAreFoundByTheirFacesNormalsTiesGoFirstAndCornersAndEdgesAreRefused)
{
    // x in [-10, 10], y in [-5, 5], z in [-2, 2].
    const SolidPtr box(Quoria::CreateAxisAlignedPlate(Point(0, 0, 0), 20, 10, 4));
    ExpectSnap(*box, Point(3, 1, 7), Point(3, 1, 2), Vector(0, 0, 1), 5);
    ExpectSnap(*box, Point(-3, -8, 1), Point(-3, -5, 1), Vector(0, -1, 0), 3);
    // From inside, the nearest wall.
    ExpectSnap(*box, Point(9, 0, 0.5), Point(10, 0, 0.5), Vector(1, 0, 0), 1);

    // A point on a face stays exactly where it is.
    const Point onTop(3.1, 1.7, 2);
    const Quoria::SnappedPoint kept = SnapToFace(*box, onTop);
    EXPECT_EQ(kept.point, onTop);
    EXPECT_EQ(kept.distance, 0.0);

    // The middle of a cube is 5 from all six faces: the first face wins.
    const SolidPtr cube(Quoria::CreateAxisAlignedPlate(Point(0, 0, 0), 10, 10, 10));
    const Quoria::SnappedPoint middle = SnapToFace(*cube, Point(0, 0, 0));
    EXPECT_EQ(middle.face, 0u);
    EXPECT_EQ(middle.distance, 5.0);

    // Beyond the corner x = 10, y = 5 no face lies straight across; above
    // the edge x = 10, z = 2 the nearest foot is on the edge itself, and
    // the foot on the x = 10 face is out of it.
    EXPECT_EQ(MessageOf([&] { SnapToFace(*box, Point(12, 7, 0)); }), NoFace);
    EXPECT_EQ(MessageOf([&] { SnapToFace(*box, Point(10, 0, 5)); }), OnEdge);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(MessageOf([&] { SnapToFace(*box, Point(nan, 0, 0)); }), NoFace);
    EXPECT_EQ(MessageOf([&] { SnapToFace(*box, Point(0, inf, 0)); }), NoFace);
}

TEST(SnapToFace, MantlesSnapRadiallyAndAPointOnTheAxisGoesToTheEnds)
{
    // Along x, from -50 to 50; bore 40, outside 50.
    const SolidPtr pipe(Quoria::CreateXOrientedPipe(Point(0, 0, 0), 40, 50, 100));
    ExpectSnap(*pipe, Point(10, 0, -60), Point(10, 0, -50), Vector(0, 0, -1), 10);
    // The bore's faces point into the bore, out of the wall.
    ExpectSnap(*pipe, Point(10, 18, 24), Point(10, 24, 32), Vector(0, -0.6, -0.8), 10);
    // On the axis every mantle direction is as near, and the ends' feet
    // fall in the hole.
    EXPECT_EQ(MessageOf([&] { SnapToFace(*pipe, Point(20, 0, 0)); }), NoFace);

    const SolidPtr bar(Quoria::CreateXOrientedBar(Point(0, 0, 0), 10, 100));
    ExpectSnap(*bar, Point(20, 0, 0), Point(50, 0, 0), Vector(1, 0, 0), 30);
}

TEST(SnapToFace, ConeFeetLieAlongTheGeneratrixNormal)
{
    using S = Quoria::SlopeConfiguration;
    // Along y; the bore narrows from radius 40 at y = 10 to 35 at y = 20.
    const SolidPtr pipe(Quoria::CreateYOrientedCounterboredPipe(
        Point(0, 0, 0), 40, 50, 200, {S(5, 10, 10), S(5, 90, 10), S(5, 0, 10), S(5, 0, 10)}));
    // In the plane x = 0, below the axis: (y, r) = (15, 30). The generatrix
    // runs from (10, 40) along (2, -1) / sqrt 5; the foot is 20 / sqrt 5
    // along it, at (18, 36), sqrt 45 away.
    const Point from(0, 15, -30);
    const Quoria::SnappedPoint snapped = SnapToFace(*pipe, from);
    EXPECT_TRUE(dynamic_cast<const TruncatedConicalSurface*>(pipe->GetSurfaces()[snapped.face]));
    ExpectNear(snapped.point, Point(0, 18, -36));
    EXPECT_NEAR(snapped.distance, std::sqrt(45.0), 1e-9);
    // From the bore, the move runs against the face's normal, which points
    // out of the wall.
    ExpectSameVector(NormalAtSnap(*pipe, snapped), (from - snapped.point).Normalized());
}

TEST(SnapToFace, PointsMovedOffTheLegEndsComeBackAndTheTracerTakesThem)
{
    using S = Quoria::SlopeConfiguration;
    const SolidPtr cones(Quoria::CreateYOrientedCounterboredPipe(
        Point(0, 0, 0), 40, 50, 200, {S(5, 10, 10), S(5, 90, 10), S(5, 0, 10), S(5, 0, 10)}));
    const SolidPtr wedge(
        Quoria::CreateWedgeOnXOrientedCylinder(Point(0, 0, 0), 40, 20, 8, 0.5, 0.0, Point(0, 0, 100)));
    const SolidPtr bevels(Quoria::CreateAxisAlignedCounterboredPlate(
        Point(0, 0, 12.5), 200, 60, 25, {S(5, 10, 20), S(5, 10, 20), S(5, 10, 20), S(5, 10, 20)}));
    struct Case
    {
        const Solid* solid;
        Point entry;
        double refraction;
    };
    const Case cases[] = {{cones.get(), Point(0, 2.5, -50), 0.6},
                          {wedge.get(), Point(0, 0, 0), 0.3},
                          {bevels.get(), Point(-60, 3, 0), 0.7}};
    int checked = 0;
    for (const Case& c : cases)
    {
        const TracerPtr tracer(Quoria::CreateRayTracer(c.solid));
        const Quoria::TraceReport report =
            Quoria::CalculateTrace(tracer.get(), c.entry, Angles(c.refraction, 0.4), 12u, Behaviors());
        for (const Quoria::TraceLeg& leg : report.legs)
        {
            const Point end = leg.segment.GetSecondPoint();
            const Vector normal = c.solid->GetSurfaces()[leg.face]->GetNormal(end);
            for (double offset : {1e-3, -1e-3})
            {
                SCOPED_TRACE("(" + std::to_string(end.X()) + ", " + std::to_string(end.Y()) + ", " +
                             std::to_string(end.Z()) + ")" + " moved " + std::to_string(offset));
                const Quoria::SnappedPoint snapped = SnapToFace(*c.solid, end + normal * offset);
                EXPECT_EQ(snapped.face, leg.face);
                ExpectNear(snapped.point, end, 1e-9);
                EXPECT_NEAR(snapped.distance, 1e-3, 1e-9);
                // The snapped point is an entry point the tracer accepts.
                EXPECT_NO_THROW(
                    Quoria::CalculateTrace(tracer.get(), snapped.point, Angles(0.1), 1u, Behaviors()));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 30);
}
