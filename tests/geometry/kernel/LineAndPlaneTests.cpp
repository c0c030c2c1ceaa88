#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace Tessam::Geometry3D;

TEST(Line, RejectsANullDirectionAndContainmentIsExactAndUnbounded)
{
    ExpectRejections({
        {"Line::ValidateDirection : Direction is a", [] { Line(Point(1, 1, 1), Point(1, 1, 1)); }},
    });
    const Line line(Point(0, 0, 0), Point(2, 0, 0));
    EXPECT_EQ(line.GetDirection(), Vector(1, 0, 0));
    EXPECT_TRUE(line.Contains(Point(-5, 0, 0)));
    EXPECT_FALSE(line.Contains(Point(1, 1e-15, 0)));
    const Line diagonal(Point(0, 0, 0), Point(1, 1, 0));
    EXPECT_TRUE(diagonal.Contains(Point(0.5, 0.5, 0)));
    EXPECT_FALSE(diagonal.Contains(Point(0.5, 0.5, 1e-300)));
    EXPECT_TRUE(Line(Point(0, 0, 0), Vector(0, 0, 3)) == Line(Point(0, 0, 0), Vector(0, 0, 1)));
    EXPECT_FALSE(Line(Point(0, 0, 1), Vector(0, 0, 1)) == Line(Point(0, 0, 0), Vector(0, 0, 1)));
}

TEST(Plane, NormalFollowsTheOrderOfTheThreePoints)
{
    const Plane plane({Point(0, 0, 0), Point(1, 0, 0), Point(0, 1, 0)});
    EXPECT_EQ(plane.GetNormal(), Vector(0, 0, -1));
    EXPECT_EQ(plane.GetOffset(), 0.0);
    const Plane reversed({Point(0, 0, 0), Point(0, 1, 0), Point(1, 0, 0)});
    EXPECT_EQ(reversed.GetNormal(), Vector(0, 0, 1));
    const Plane shifted({Point(0, 0, 2), Point(0, 1, 2), Point(1, 0, 2), Point(5, 5, 9)});
    EXPECT_EQ(shifted.GetOffset(), -2.0);
}

TEST(Plane, ConstructionErrorsComeInOrder)
{
    ExpectRejections({
        {"Plane::Plane : Invalid point",
         [] {
             Plane({Point(0, 0, 0), Point(1, 0, 0)});
         }},
        {"Plane::InitializeNormal : Normal is",
         [] {
             Plane({Point(0, 0, 0), Point(1, 0, 0), Point(2, 0, 0)});
         }},
        {"Plane::InitializeNormal : Normal is a", [] { Plane(Vector(), Point()); }},
    });
}

TEST(Plane, ContainmentWithinTheAbsoluteTolerance)
{
    const Plane plane(Vector(0, 0, 2), Point(0, 0, 3));
    EXPECT_EQ(plane.GetNormal(), Vector(0, 0, 1));
    EXPECT_EQ(plane.GetOffset(), -3.0);
    EXPECT_TRUE(plane.Contains(Point(7, -4, 3)));
    EXPECT_TRUE(plane.Contains(Point(7, -4, 3 + 5e-12)));
    EXPECT_FALSE(plane.Contains(Point(0, 0, 3.00001)));
    EXPECT_FALSE(plane.Contains(Point(0, 0, 3 + 2e-11)));
}

TEST(Plane, LineIntersectionDistinguishesCrossingParallelAndLying)
{
    const Plane plane(Vector(0, 0, 1), Point(0, 0, 3));
    const Intersection crossing = plane.Intersect(Line(Point(0, 0, 0), Vector(0, 0, 1)));
    ASSERT_EQ(crossing.GetPoints().size(), 1u);
    EXPECT_EQ(crossing.GetPoints()[0], Point(0, 0, 3));
    EXPECT_FALSE(crossing.IsInfinite());

    const Intersection behind = plane.Intersect(Line(Point(0, 0, 10), Vector(1, 0, 1)));
    ASSERT_EQ(behind.GetPoints().size(), 1u);
    EXPECT_DOUBLE_EQ(behind.GetPoints()[0].X(), -7.0);

    const Intersection apart = plane.Intersect(Line(Point(0, 0, 5), Vector(1, 0, 0)));
    EXPECT_TRUE(apart.GetPoints().empty());
    EXPECT_FALSE(apart.IsInfinite());

    const Intersection lying = plane.Intersect(Line(Point(0, 0, 3), Vector(1, 1, 0)));
    EXPECT_TRUE(lying.GetPoints().empty());
    EXPECT_TRUE(lying.IsInfinite());

    // A direction 1e-12 rad off the plane counts as parallel.
    const Intersection grazing = plane.Intersect(Line(Point(0, 0, 5), Vector(1, 0, 1e-12)));
    EXPECT_TRUE(grazing.GetPoints().empty());
    EXPECT_FALSE(grazing.IsInfinite());
}
