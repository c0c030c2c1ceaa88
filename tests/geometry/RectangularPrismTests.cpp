#include "Contour.h"
#include "LineSegment.h"
#include "Quoria.h"
#include "Rectangle.h"
#include "RectangularPrism.h"

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

RectangularPrism Box(const Vector& first, const Vector& second, const Vector& third, double firstSize,
                     double secondSize, double thirdSize)
{
    return RectangularPrism(Point(0, 0, 0), first, second, third, firstSize, secondSize, thirdSize);
}

// The face's centroid seen from the box's centroid.
Vector Outwards(const RectangularPrism& prism, std::size_t face)
{
    return prism.GetRectangles()[face]->GetCentroid() - prism.GetCentroid();
}
} // namespace

TEST(RectangularPrism, FacesComeInFixedOrderWithOutwardNormals)
{
    const RectangularPrism box(Point(0, 0, 0), Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, 1), 2, 4, 6);
    const std::vector<const Rectangle*> faces = box.GetRectangles();
    ASSERT_EQ(faces.size(), 6u);
    // Front, left, back, right, top, bottom: +y, -x, -y, +x, -z, +z.
    const Vector normals[] = {Vector(0, 1, 0), Vector(-1, 0, 0), Vector(0, -1, 0),
                              Vector(1, 0, 0), Vector(0, 0, -1), Vector(0, 0, 1)};
    const Point centroids[] = {Point(0, 2, 0), Point(-1, 0, 0), Point(0, -2, 0),
                               Point(1, 0, 0), Point(0, 0, -3), Point(0, 0, 3)};
    for (std::size_t i = 0; i < 6; ++i)
    {
        EXPECT_EQ(faces[i]->GetNormal(Point()), normals[i]) << "face " << i;
        EXPECT_EQ(faces[i]->GetCentroid(), centroids[i]) << "face " << i;
    }
    // The top face starts at the top-left-front corner.
    EXPECT_EQ(faces[4]->GetPoints()[0], Point(-1, 2, -3));
    EXPECT_TRUE(box.GetRectangles()[5]->Contains(Point(1, -2, 3)));

    // A right-handed but oblique, non-unit set of axes.
    const RectangularPrism oblique(Point(5, -1, 2), Vector(1, 1, 0), Vector(-3, 3, 0), Vector(0, 0, 0.5), 1,
                                   2, 3);
    const double halfSizes[] = {1.0, 0.5, 1.0, 0.5, 1.5, 1.5};
    for (std::size_t i = 0; i < 6; ++i)
    {
        const Vector normal = oblique.GetRectangles()[i]->GetNormal(Point());
        EXPECT_NEAR(normal.Dot(Outwards(oblique, i)), halfSizes[i], 1e-12) << "face " << i;
    }
    EXPECT_EQ(oblique.GetFirstAxis(), Vector(1, 1, 0).Normalized());
    EXPECT_EQ(oblique.GetThirdAxis(), Vector(0, 0, 1));
    EXPECT_EQ(oblique.GetSecondSize(), 2.0);

    // Left-handed axes are accepted and turn every normal inwards.
    const RectangularPrism leftHanded = Box(Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, -1), 2, 4, 6);
    for (std::size_t i = 0; i < 6; ++i)
    {
        EXPECT_LT(leftHanded.GetRectangles()[i]->GetNormal(Point()).Dot(Outwards(leftHanded, i)), 0.0);
    }

    // Axes are normalised: longer axes give the very same box.
    EXPECT_TRUE(Box(Vector(2, 0, 0), Vector(0, 3, 0), Vector(0, 0, 1), 2, 4, 6) == box);
}

TEST(RectangularPrism, SizesAreCheckedBeforeAxes)
{
    const std::string sizes = "RectangularPrism::RectangularPrism : Prism sizes must be larger than 0.";
    const std::string axes =
        "RectangularPrism::RectangularPrism : The three axis must form an orthogonal system.";
    const Vector x(1, 0, 0), y(0, 1, 0), z(0, 0, 1), skew(1, 1, 0);

    EXPECT_EQ(MessageOf([&] { Box(x, y, z, 0, 1, 1); }), sizes);
    EXPECT_EQ(MessageOf([&] { Box(x, y, z, 1, -1, 1); }), sizes);
    EXPECT_EQ(MessageOf([&] { Box(x, skew, z, 1, 1, 0); }), sizes);
    EXPECT_EQ(MessageOf([&] { Box(x, skew, z, 1, 1, 1); }), axes);
    EXPECT_EQ(MessageOf([&] { Box(x, y, skew, 1, 1, 1); }), axes);
    // Orthogonality is judged on the raw dot product, absolute at 1e-11.
    EXPECT_EQ(MessageOf([&] { Box(Vector(1000, 0, 0), Vector(1e-14, 1, 0), z, 1, 1, 1); }), axes);
    EXPECT_EQ(MessageOf([&] { Box(Vector(1, 0, 0), Vector(5e-12, 1, 0), z, 1, 1, 1); }), "no exception");
    // A null axis passes the axis test and collapses the first face.
    EXPECT_EQ(MessageOf([&] { Box(Vector(0, 0, 0), y, z, 1, 1, 1); }),
              "Plane::InitializeNormal : Normal is a null vector.");
}

TEST(RectangularPrism, KindQueriesListTheSixFacesOnly)
{
    const RectangularPrism box = Box(Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, 1), 1, 2, 3);
    const std::vector<const ISurface*>& surfaces = box.GetSurfaces();
    ASSERT_EQ(surfaces.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
    {
        EXPECT_EQ(box.GetRectangles()[i], surfaces[i]);
        EXPECT_EQ(box.GetPolygons()[i], surfaces[i]);
        EXPECT_EQ(box.GetPrimitiveFlatSurfaces()[i], surfaces[i]);
        EXPECT_EQ(box.GetFlatSurfaces()[i], surfaces[i]);
    }
    EXPECT_TRUE(box.GetDisks().empty());
    EXPECT_TRUE(box.GetRings().empty());
    EXPECT_TRUE(box.GetComplexFlatSurfaces().empty());
    EXPECT_TRUE(box.GetCylindricalSurfaces().empty());
    EXPECT_TRUE(box.GetTori().empty());
    EXPECT_TRUE(box.GetTruncatedTori().empty());
}

TEST(RectangularPrism, CloneIsADeepEqualCopy)
{
    auto* original =
        new RectangularPrism(Point(1, 2, 3), Vector(0, 1, 0), Vector(0, 0, 1), Vector(1, 0, 0), 1, 2, 3);
    const std::unique_ptr<ISolid> clone(original->Clone());
    ASSERT_NE(dynamic_cast<const RectangularPrism*>(clone.get()), nullptr);
    EXPECT_TRUE(*clone == *original);
    EXPECT_FALSE(*clone != *original);
    EXPECT_NE(clone->GetSurfaces()[0], original->GetSurfaces()[0]);
    const Rectangle firstFace(static_cast<const Rectangle&>(*original->GetSurfaces()[0]));
    delete original;
    EXPECT_TRUE(*clone->GetSurfaces()[0] == firstFace);

    const RectangularPrism moved = Box(Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, 1), 1, 2, 3);
    EXPECT_TRUE(*clone != moved);
}

TEST(RectangularPrism, ContourListsEveryEdgeOncePerFace)
{
    const RectangularPrism box = Box(Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, 1), 2, 4, 6);
    const std::unique_ptr<IContour> contour(box.GetContour());
    EXPECT_FALSE(contour->IsOriented());
    EXPECT_TRUE(contour->GetArcSegments().empty());
    const std::vector<const LineSegment*> edges = contour->GetLineSegments();
    ASSERT_EQ(edges.size(), 24u);
    // Grouped by face in face order; within the front face, its own order.
    EXPECT_EQ(*edges[0], LineSegment(Point(-1, 2, 3), Point(-1, 2, -3)));
    EXPECT_EQ(*edges[3], LineSegment(Point(1, 2, 3), Point(-1, 2, 3)));
    EXPECT_EQ(*edges[20], LineSegment(Point(-1, 2, 3), Point(1, 2, 3)));
    // Every edge of the box is listed exactly twice, once in each direction.
    for (const LineSegment* edge : edges)
    {
        int same = 0;
        int reversed = 0;
        for (const LineSegment* other : edges)
        {
            same += *other == *edge ? 1 : 0;
            reversed += other->GetFirstPoint() == edge->GetSecondPoint() &&
                                other->GetSecondPoint() == edge->GetFirstPoint()
                            ? 1
                            : 0;
        }
        EXPECT_EQ(same, 1);
        EXPECT_EQ(reversed, 1);
    }
}
