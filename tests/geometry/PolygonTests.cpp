#include "Contour.h"
#include "LineSegment.h"
#include "Polygon.h"
#include "Quoria.h"
#include "Rectangle.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{
template <typename Build> std::string MessageOf(Build build)
{
    try
    {
        build();
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    return "no exception";
}

const std::vector<Point> unitSquare{Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0)};
} // namespace

TEST(Polygon, NormalFollowsVertexOrderAndCentroidIsVertexMean)
{
    const Polygon square(unitSquare);
    EXPECT_EQ(square.GetNormal(Point()), Vector(0, 0, -1));
    EXPECT_EQ(square.GetCentroid(), Point(0.5, 0.5, 0));
    EXPECT_EQ(square.GetPoints(), unitSquare);

    const Polygon reversed({Point(0, 1, 0), Point(1, 1, 0), Point(1, 0, 0), Point(0, 0, 0)});
    EXPECT_EQ(reversed.GetNormal(Point()), Vector(0, 0, 1));

    // The vertex mean, not the area centroid: an extra vertex on one side
    // of a rectangle pulls it over.
    const Polygon pentagon({Point(0, 0, 2), Point(4, 0, 2), Point(4, 1, 2), Point(4, 2, 2), Point(0, 2, 2)});
    EXPECT_EQ(pentagon.GetCentroid(), Point(2.4, 1, 2));
}

TEST(Polygon, ConstructionChecksPlaneFirstThenDuplicates)
{
    const std::string fewPoints = "Plane::Plane : Invalid point collection.";
    const std::string nullNormal = "Plane::InitializeNormal : Normal is a null vector.";
    const std::string duplicate = "Polygon::Polygon : Invalid point collection.";

    EXPECT_EQ(MessageOf([] { Polygon({}); }), fewPoints);
    EXPECT_EQ(MessageOf([] { Polygon({Point(0, 0, 0), Point(1, 0, 0)}); }), fewPoints);
    EXPECT_EQ(MessageOf(
                  [] {
                      Polygon({Point(0, 0, 0), Point(1, 0, 0), Point(2, 0, 0), Point(0, 1, 0)});
                  }),
              nullNormal);
    // A repeated first vertex also gives a null normal, which is reported first.
    EXPECT_EQ(MessageOf([] { Polygon({Point(0, 0, 0), Point(0, 0, 0), Point(1, 0, 0)}); }), nullNormal);
    // Non-adjacent duplicates are found too.
    EXPECT_EQ(
        MessageOf(
            [] {
                Polygon({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0.5e-6, 0.5e-6, 0.5e-6)});
            }),
        duplicate);
    EXPECT_EQ(MessageOf(
                  [] {
                      Polygon({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(2e-6, 0, 0)});
                  }),
              "no exception");
}

TEST(Polygon, ContainsEdgesVerticesAndInteriorButNotPointsOffThePlane)
{
    const Polygon square(unitSquare);
    EXPECT_TRUE(square.Contains(Point(0.3, 0.6, 0)));
    EXPECT_TRUE(square.Contains(Point(1, 1, 0)));
    EXPECT_TRUE(square.Contains(Point(0.5, 0, 0)));
    EXPECT_TRUE(square.Contains(Point(0, 0.25, 0)));
    // On the extension of an edge: not on the edge, and the angle sum is short.
    EXPECT_FALSE(square.Contains(Point(2, 0, 0)));
    EXPECT_FALSE(square.Contains(Point(1.5, 0.5, 0)));

    // The plane test is absolute at 1e-11.
    EXPECT_TRUE(square.Contains(Point(0.5, 0.5, 5e-12)));
    EXPECT_FALSE(square.Contains(Point(0.5, 0.5, 2e-11)));
    EXPECT_FALSE(square.Contains(Point(1, 1, 1e-9)));

    // The angle sum is compared at 1e-6: just beyond an edge the sum falls
    // short of a full turn by about eight times the distance.
    EXPECT_TRUE(square.Contains(Point(1 + 1e-8, 0.5, 0)));
    EXPECT_FALSE(square.Contains(Point(1 + 1e-5, 0.5, 0)));
}

TEST(Polygon, ContourRunsThroughTheVerticesAndClosesOnTheFirst)
{
    const Polygon triangle({Point(0, 0, 1), Point(0, 3, 1), Point(2, 0, 1)});
    const std::unique_ptr<IContour> contour(triangle.GetContour());
    const std::vector<const LineSegment*> edges = contour->GetLineSegments();
    ASSERT_EQ(edges.size(), 3u);
    EXPECT_TRUE(contour->GetArcSegments().empty());
    EXPECT_EQ(*edges[0], LineSegment(Point(0, 0, 1), Point(0, 3, 1)));
    EXPECT_EQ(*edges[1], LineSegment(Point(0, 3, 1), Point(2, 0, 1)));
    EXPECT_EQ(*edges[2], LineSegment(Point(2, 0, 1), Point(0, 0, 1)));
    EXPECT_EQ(contour->GetPlaneNormal(), Vector(0, 0, 1));
    // Seen from the tip of its own normal a face always runs clockwise.
    EXPECT_EQ(contour->GetWindingDirection(), Clockwise);
}

TEST(Polygon, CloneAndEqualityAreExactAndOrderSensitive)
{
    const Polygon square(unitSquare);
    const std::unique_ptr<ISurface> clone(square.Clone());
    EXPECT_NE(dynamic_cast<const Polygon*>(clone.get()), nullptr);
    EXPECT_EQ(dynamic_cast<const Rectangle*>(clone.get()), nullptr);
    EXPECT_TRUE(*clone == square);
    EXPECT_FALSE(*clone != square);

    const Polygon rotated({Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0)});
    EXPECT_FALSE(square == rotated);
    EXPECT_TRUE(square != rotated);
    const Polygon nudged({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1 + 1e-15, 0)});
    EXPECT_FALSE(square == nudged);

    // Equality asks only for a polygon: the class of the other side is not
    // compared.
    const Rectangle rectangle(unitSquare);
    EXPECT_TRUE(square == rectangle);
    EXPECT_TRUE(rectangle == square);
    const std::unique_ptr<ISurface> rectangleClone(rectangle.Clone());
    EXPECT_NE(dynamic_cast<const Rectangle*>(rectangleClone.get()), nullptr);
    EXPECT_TRUE(*rectangleClone == rectangle);
}

TEST(Rectangle, ChecksPolygonThenCountThenCornersInOrder)
{
    EXPECT_EQ(MessageOf(
                  [] {
                      Rectangle({Point(0, 0, 0), Point(2, 0, 0), Point(2, 1, 0), Point(0, 1, 0)});
                  }),
              "no exception");
    // A duplicate is a polygon error, reported before the vertex count.
    EXPECT_EQ(
        MessageOf(
            [] {
                Rectangle({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0)});
            }),
        "Polygon::Polygon : Invalid point collection.");
    const std::string count = "Rectangle::Rectangle : Invalid point collection.";
    EXPECT_EQ(MessageOf([] { Rectangle({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0)}); }), count);
    EXPECT_EQ(MessageOf(
                  [] {
                      Rectangle({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0.5, 1.5, 0),
                                 Point(0, 1, 0)});
                  }),
              count);
    const std::string angle = "Rectangle::Rectangle : One of the angles is not a right angle.";
    EXPECT_EQ(MessageOf(
                  [] {
                      Rectangle({Point(0, 0, 0), Point(2, 1, 0), Point(4, 0, 0), Point(2, -1, 0)});
                  }),
              angle);
    // Right at the first corner, 135 degrees at the second.
    EXPECT_EQ(MessageOf(
                  [] {
                      Rectangle({Point(0, 0, 0), Point(2, 0, 0), Point(1, 1, 0), Point(0, 1, 0)});
                  }),
              angle);
    // A tilted rectangle out of the coordinate planes.
    EXPECT_EQ(MessageOf(
                  [] {
                      Rectangle({Point(0, 0, 0), Point(1, 1, 1), Point(2, -1, 2), Point(1, -2, 1)});
                  }),
              "no exception");
}
