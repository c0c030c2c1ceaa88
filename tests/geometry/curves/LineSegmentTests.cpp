#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Tessam::Geometry3D;

TEST(LineSegment, MeasuresAndContainsItsEnds)
{
    const LineSegment segment(Point(0, 0, 0), Point(2, 0, 0));
    EXPECT_EQ(segment.GetMiddlePoint(), Point(1, 0, 0));
    EXPECT_EQ(segment.Length(), 2.0);
    EXPECT_EQ(segment.GetTangent(Point(0.5, 0, 0)), Vector(1, 0, 0));
    EXPECT_TRUE(segment.Contains(Point(0, 0, 0)));
    EXPECT_TRUE(segment.Contains(Point(2, 0, 0)));
    EXPECT_FALSE(segment.Contains(Point(2.0000001, 0, 0)));
    EXPECT_FALSE(segment.Contains(Point(-1e-300, 0, 0)));
    EXPECT_TRUE(LineSegment(Point(0, 0, 0), Point(1, 1, 0)).Contains(Point(0.5, 0.5, 0)));
    ExpectRejections({
        {"LineSegment::LineSegment : Point is not", [&] { segment.GetTangent(Point(3, 0, 0)); }},
    });
    EXPECT_THROW(LineSegment(Point(1, 2, 3), Point(1, 2, 3)), std::invalid_argument);
}

TEST(LineSegment, InverseRunsBackwardsAndIsADifferentSegment)
{
    const LineSegment segment(Point(0, 0, 0), Point(2, 0, 0));
    const std::unique_ptr<ISegment> inverse(segment.Inverse());
    EXPECT_EQ(inverse->GetFirstPoint(), Point(2, 0, 0));
    EXPECT_EQ(inverse->GetSecondPoint(), Point(0, 0, 0));
    EXPECT_FALSE(segment == *inverse);
    EXPECT_TRUE(segment == LineSegment(Point(0, 0, 0), Point(2, 0, 0)));
}

TEST(LineSegment, IntersectionOfCrossingSegments)
{
    const Intersection crossing =
        LineSegment(Point(0, 0, 0), Point(2, 0, 0)).Intersect(LineSegment(Point(1, -1, 0), Point(1, 1, 0)));
    ASSERT_EQ(crossing.GetPoints().size(), 1u);
    EXPECT_EQ(crossing.GetPoints()[0], Point(1, 0, 0));
    EXPECT_FALSE(crossing.IsInfinite());

    // The crossing lies behind the first point of A.
    const Intersection behind =
        LineSegment(Point(1, 0, 0), Point(3, 0, 0)).Intersect(LineSegment(Point(0, -1, 0), Point(0, 1, 0)));
    EXPECT_TRUE(behind.GetPoints().empty());

    const Intersection outside =
        LineSegment(Point(0, 0, 0), Point(1, 0, 0)).Intersect(LineSegment(Point(3, -1, 0), Point(3, 1, 0)));
    EXPECT_TRUE(outside.GetPoints().empty());
    EXPECT_FALSE(outside.IsInfinite());

    const Intersection skew =
        LineSegment(Point(0, 0, 0), Point(2, 0, 0)).Intersect(LineSegment(Point(1, -1, 1), Point(1, 1, 1)));
    EXPECT_TRUE(skew.GetPoints().empty());
}

TEST(LineSegment, IntersectionSpecialCasesFollowTheirOrder)
{
    // Collinear and touching at one end: infinite, not a point.
    const Intersection touching =
        LineSegment(Point(0, 0, 0), Point(1, 0, 0)).Intersect(LineSegment(Point(1, 0, 0), Point(2, 0, 0)));
    EXPECT_TRUE(touching.IsInfinite());
    EXPECT_TRUE(touching.GetPoints().empty());

    const Intersection parallel =
        LineSegment(Point(0, 0, 0), Point(1, 0, 0)).Intersect(LineSegment(Point(0, 1, 0), Point(1, 1, 0)));
    EXPECT_FALSE(parallel.IsInfinite());
    EXPECT_TRUE(parallel.GetPoints().empty());

    const Intersection sameStart =
        LineSegment(Point(0, 0, 0), Point(1, 0, 0)).Intersect(LineSegment(Point(0, 0, 0), Point(0, 1, 0)));
    ASSERT_EQ(sameStart.GetPoints().size(), 1u);
    EXPECT_EQ(sameStart.GetPoints()[0], Point(0, 0, 0));

    // Our first point lies on B's line without being B's first point.
    const Intersection onOtherLine =
        LineSegment(Point(0, 0, 0), Point(1, 0, 0)).Intersect(LineSegment(Point(0, -1, 0), Point(0, 1, 0)));
    EXPECT_TRUE(onOtherLine.GetPoints().empty());
}
