#include "Disk.h"
#include "Line.h"
#include "LineSegment.h"
#include "Polygon.h"
#include "Quoria.h"
#include "Rectangle.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Tessam::Geometry3D;

namespace
{
// The square [0, 2] x [0, 2] in the plane z = 1, normal +z.
Polygon Square()
{
    return Polygon({Point(0, 2, 1), Point(2, 2, 1), Point(2, 0, 1), Point(0, 0, 1)});
}
} // namespace

TEST(FlatSurface, LineIntersectionIsThePlanePointWhenTheSurfaceContainsIt)
{
    const Polygon square = Square();
    ASSERT_EQ(square.GetNormal(Point()), Vector(0, 0, 1));

    const Intersection through = square.GetIntersection(Line(Point(0.5, 1.5, -4), Vector(0, 0, 3)));
    ASSERT_EQ(through.GetPoints().size(), 1u);
    EXPECT_EQ(through.GetPoints()[0], Point(0.5, 1.5, 1));
    EXPECT_FALSE(through.IsInfinite());

    // The line is unbounded: a point behind the line's origin counts too.
    const Intersection behind = square.GetIntersection(Line(Point(1, 1, 6), Vector(0, 0, 1)));
    ASSERT_EQ(behind.GetPoints().size(), 1u);
    EXPECT_EQ(behind.GetPoints()[0], Point(1, 1, 1));

    const Intersection besides = square.GetIntersection(Line(Point(3, 1, 0), Vector(0, 0, 1)));
    EXPECT_TRUE(besides.GetPoints().empty());
    EXPECT_FALSE(besides.IsInfinite());

    const Intersection parallel = square.GetIntersection(Line(Point(1, 1, 1.5), Vector(1, 1, 0)));
    EXPECT_TRUE(parallel.GetPoints().empty());
    EXPECT_FALSE(parallel.IsInfinite());

    // Lying in the plane is infinite whether or not the line crosses the face.
    const Intersection across = square.GetIntersection(Line(Point(1, 1, 1), Vector(1, 0, 0)));
    EXPECT_TRUE(across.GetPoints().empty());
    EXPECT_TRUE(across.IsInfinite());
    const Intersection farAway = square.GetIntersection(Line(Point(50, 50, 1), Vector(0, 1, 0)));
    EXPECT_TRUE(farAway.GetPoints().empty());
    EXPECT_TRUE(farAway.IsInfinite());
}

TEST(FlatSurface, SegmentIntersectionKeepsOnlyPointsOnTheSegment)
{
    const Polygon square = Square();
    const Intersection crossing = square.GetIntersection(LineSegment(Point(1, 1, 0), Point(1, 1, 2)));
    ASSERT_EQ(crossing.GetPoints().size(), 1u);
    EXPECT_EQ(crossing.GetPoints()[0], Point(1, 1, 1));

    // Ends are included.
    const Intersection touching = square.GetIntersection(LineSegment(Point(1, 1, 3), Point(1, 1, 1)));
    ASSERT_EQ(touching.GetPoints().size(), 1u);
    EXPECT_EQ(touching.GetPoints()[0], Point(1, 1, 1));

    const Intersection stopsShort = square.GetIntersection(LineSegment(Point(1, 1, 2), Point(1, 1, 3)));
    EXPECT_TRUE(stopsShort.GetPoints().empty());
    EXPECT_FALSE(stopsShort.IsInfinite());

    // A segment in the plane keeps the flag even far from the face.
    const Intersection inPlane = square.GetIntersection(LineSegment(Point(10, 10, 1), Point(11, 10, 1)));
    EXPECT_TRUE(inPlane.GetPoints().empty());
    EXPECT_TRUE(inPlane.IsInfinite());
}

TEST(FlatSurface, NormalIgnoresThePoint)
{
    const Polygon tilted({Point(0, 0, 0), Point(0, 1, 1), Point(1, 0, 0)});
    const Vector normal = tilted.GetNormal(Point(100, -40, 7));
    EXPECT_TRUE(normal.IsAlmostEqual(Vector(0, -1 / std::sqrt(2.0), 1 / std::sqrt(2.0))));
    EXPECT_EQ(normal, tilted.GetNormal(Point()));
}

TEST(FlatSurface, InequalityNegatesEqualityAcrossClasses)
{
    const Polygon square = Square();
    const Rectangle sameRectangle({Point(0, 2, 1), Point(2, 2, 1), Point(2, 0, 1), Point(0, 0, 1)});
    const Disk disk(Point(1, 1, 1), 1.0, Vector(0, 0, 1));
    const Polygon other({Point(0, 0, 1), Point(2, 0, 1), Point(2, 2, 1)});

    const ISurface* surfaces[] = {&square, &sameRectangle, &disk, &other};
    for (const ISurface* left : surfaces)
    {
        for (const ISurface* right : surfaces)
        {
            EXPECT_NE(*left == *right, *left != *right);
        }
    }
    EXPECT_FALSE(square == disk);
    EXPECT_FALSE(disk == square);
    EXPECT_TRUE(square == sameRectangle);
    EXPECT_TRUE(square != other);
}
