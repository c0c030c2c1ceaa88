#include "Disk.h"
#include "Line.h"
#include "LineSegment.h"
#include "Polygon.h"
#include "Quoria.h"
#include "Rectangle.h"

#include <gtest/gtest.h>

using namespace Tessam::Geometry3D;

namespace
{
// The square [0, 2] x [0, 2] in the plane z = 1, normal +z.
const Polygon square({Point(0, 2, 1), Point(2, 2, 1), Point(2, 0, 1), Point(0, 0, 1)});

void ExpectPoints(const Intersection& intersection, const std::vector<Point>& points, bool isInfinite)
{
    EXPECT_EQ(intersection.GetPoints(), points);
    EXPECT_EQ(intersection.IsInfinite(), isInfinite);
}
} // namespace

TEST(FlatSurface, IntersectionIsThePlanePointWhenTheSurfaceContainsIt)
{
    // The line is unbounded: a crossing behind its point counts.
    ExpectPoints(square.GetIntersection(Line(Point(0.5, 1.5, 6), Vector(0, 0, 3))), {Point(0.5, 1.5, 1)},
                 false);
    ExpectPoints(square.GetIntersection(Line(Point(3, 1, 0), Vector(0, 0, 1))), {}, false);
    ExpectPoints(square.GetIntersection(Line(Point(1, 1, 1.5), Vector(1, 1, 0))), {}, false);
    // In the plane: infinite whether or not the line crosses the face.
    ExpectPoints(square.GetIntersection(Line(Point(1, 1, 1), Vector(1, 0, 0))), {}, true);
    ExpectPoints(square.GetIntersection(Line(Point(50, 50, 1), Vector(0, 1, 0))), {}, true);

    // Segment ends are included; a segment stopping short loses the point but
    // one lying in the plane keeps the flag, however far from the face.
    ExpectPoints(square.GetIntersection(LineSegment(Point(1, 1, 3), Point(1, 1, 1))), {Point(1, 1, 1)},
                 false);
    ExpectPoints(square.GetIntersection(LineSegment(Point(1, 1, 2), Point(1, 1, 3))), {}, false);
    ExpectPoints(square.GetIntersection(LineSegment(Point(10, 10, 1), Point(11, 10, 1))), {}, true);

    // The normal does not depend on the point.
    EXPECT_EQ(square.GetNormal(Point(100, -40, 7)), Vector(0, 0, 1));
}

TEST(FlatSurface, InequalityNegatesEqualityAcrossClasses)
{
    const Rectangle sameRectangle({Point(0, 2, 1), Point(2, 2, 1), Point(2, 0, 1), Point(0, 0, 1)});
    const Disk disk(Point(1, 1, 1), 1.0, Vector(0, 0, 1));
    const Polygon triangle({Point(0, 0, 1), Point(2, 0, 1), Point(2, 2, 1)});
    const ISurface* surfaces[] = {&square, &sameRectangle, &disk, &triangle};
    // The square and the rectangle through its vertices are equal; nothing else.
    const int shape[] = {0, 0, 1, 2};
    for (int i = 0; i < 4; ++i)
    {
        for (int j = 0; j < 4; ++j)
        {
            EXPECT_EQ(*surfaces[i] == *surfaces[j], shape[i] == shape[j]);
            EXPECT_NE(*surfaces[i] == *surfaces[j], *surfaces[i] != *surfaces[j]);
        }
    }
}
