#include "Contour.h"
#include "LineSegment.h"
#include "Polygon.h"
#include "Quoria.h"
#include "Rectangle.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{
const std::vector<Point> unitSquare{Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0)};
} // namespace

TEST(Polygon, NormalFollowsVertexOrderAndCentroidIsVertexMean)
{
    EXPECT_EQ(Polygon(unitSquare).GetNormal(Point()), Vector(0, 0, -1));
    EXPECT_EQ(Polygon({Point(0, 1, 0), Point(1, 1, 0), Point(1, 0, 0), Point(0, 0, 0)}).GetNormal(Point()),
              Vector(0, 0, 1));
    // Not the area centroid: an extra vertex on one side pulls it over.
    const Polygon pentagon({Point(0, 0, 2), Point(4, 0, 2), Point(4, 1, 2), Point(4, 2, 2), Point(0, 2, 2)});
    EXPECT_EQ(pentagon.GetCentroid(), Point(2.4, 1, 2));
}

TEST(Polygon, ConstructionChecksPlaneFirstThenDuplicates)
{
    ExpectRejections({
        {"Plane::Plane : Invalid point",
         [] {
             Polygon({Point(0, 0, 0), Point(1, 0, 0)});
         }},
        {"Plane::InitializeNormal : Normal is",
         [] {
             Polygon({Point(0, 0, 0), Point(1, 0, 0), Point(2, 0, 0), Point(0, 1, 0)});
         }},
        // A repeated first vertex gives a null normal, which is reported first.
        {"Plane::InitializeNormal : Normal is",
         [] {
             Polygon({Point(0, 0, 0), Point(0, 0, 0), Point(1, 0, 0)});
         }},
        {"Polygon::Polygon : Invalid point",
         [] {
             Polygon({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(5e-7, 5e-7, 5e-7)});
         }},
    });
    EXPECT_NO_THROW(Polygon({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(2e-6, 0, 0)}));
}

TEST(Polygon, ContainsEdgesVerticesAndInteriorButNotPointsOffThePlane)
{
    const Polygon square(unitSquare);
    EXPECT_TRUE(square.Contains(Point(0.3, 0.6, 0)));
    EXPECT_TRUE(square.Contains(Point(1, 1, 0)));
    EXPECT_TRUE(square.Contains(Point(0, 0.25, 0)));
    // On the extension of an edge: not on the edge, and the angle sum is short.
    EXPECT_FALSE(square.Contains(Point(2, 0, 0)));
    // The plane test is absolute at 1e-11.
    EXPECT_TRUE(square.Contains(Point(0.5, 0.5, 5e-12)));
    EXPECT_FALSE(square.Contains(Point(0.5, 0.5, 2e-11)));
    // The angle sum is compared at 1e-6: just beyond an edge it falls short of
    // a full turn by about eight times the distance.
    EXPECT_TRUE(square.Contains(Point(1 + 1e-8, 0.5, 0)));
    EXPECT_FALSE(square.Contains(Point(1 + 1e-5, 0.5, 0)));
}

TEST(Polygon, ContourClosesOnTheFirstVertex)
{
    const std::unique_ptr<IContour> contour(
        Polygon({Point(0, 0, 1), Point(0, 3, 1), Point(2, 0, 1)}).GetContour());
    const std::vector<const LineSegment*> edges = contour->GetLineSegments();
    ASSERT_EQ(edges.size(), 3u);
    EXPECT_EQ(*edges[1], LineSegment(Point(0, 3, 1), Point(2, 0, 1)));
    EXPECT_EQ(*edges[2], LineSegment(Point(2, 0, 1), Point(0, 0, 1)));
    EXPECT_EQ(contour->GetPlaneNormal(), Vector(0, 0, 1));
    // Seen from the tip of its own normal a face runs clockwise.
    EXPECT_EQ(contour->GetWindingDirection(), Clockwise);
}

TEST(Polygon, CloneAndEqualityAreExactAndOrderSensitive)
{
    const Polygon square(unitSquare);
    const std::unique_ptr<ISurface> clone(square.Clone());
    EXPECT_EQ(dynamic_cast<const Rectangle*>(clone.get()), nullptr);
    EXPECT_TRUE(*clone == square);
    EXPECT_FALSE(square == Polygon({Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0)}));
    EXPECT_FALSE(square == Polygon({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1 + 1e-15, 0)}));

    // Only the other side's being a polygon is asked for.
    const Rectangle rectangle(unitSquare);
    EXPECT_TRUE(square == rectangle);
    EXPECT_TRUE(rectangle == square);
    const std::unique_ptr<ISurface> rectangleClone(rectangle.Clone());
    EXPECT_NE(dynamic_cast<const Rectangle*>(rectangleClone.get()), nullptr);
}

TEST(Rectangle, ChecksPolygonThenCountThenCornersInOrder)
{
    ExpectRejections({
        // A duplicate is a polygon error, reported before the vertex count.
        {"Polygon::Polygon : Invalid point",
         [] {
             Rectangle({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0)});
         }},
        {"Rectangle::Rectangle : Invalid point",
         [] {
             Rectangle({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0)});
         }},
        {"Rectangle::Rectangle : One of the",
         [] {
             Rectangle({Point(0, 0, 0), Point(2, 1, 0), Point(4, 0, 0), Point(2, -1, 0)});
         }},
        // Right at the first corner, 135 degrees at the second.
        {"Rectangle::Rectangle : One of the",
         [] {
             Rectangle({Point(0, 0, 0), Point(2, 0, 0), Point(1, 1, 0), Point(0, 1, 0)});
         }},
    });
    EXPECT_NO_THROW(Rectangle({Point(0, 0, 0), Point(1, 1, 1), Point(2, -1, 2), Point(1, -2, 1)}));
}
