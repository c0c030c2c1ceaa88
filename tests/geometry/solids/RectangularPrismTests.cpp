#include "Contour.h"
#include "LineSegment.h"
#include "Quoria.h"
#include "Rectangle.h"
#include "RectangularPrism.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{
const Vector x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);

// Each face's normal projected on the way from the box's centroid to the face.
std::vector<double> OutwardReach(const RectangularPrism& prism)
{
    std::vector<double> reach;
    for (const Rectangle* face : prism.GetRectangles())
        reach.push_back(face->GetNormal(Point()).Dot(face->GetCentroid() - prism.GetCentroid()));
    return reach;
}
} // namespace

TEST(RectangularPrism, FacesComeInFixedOrderWithOutwardNormals)
{
    const RectangularPrism box(Point(0, 0, 0), x, y, z, 2, 4, 6);
    // Front, left, back, right, top, bottom: unit normals reaching each face
    // from the centroid by half a size can only be the outward axes.
    EXPECT_EQ(OutwardReach(box), (std::vector<double>{2, 1, 2, 1, 3, 3}));
    EXPECT_EQ(box.GetRectangles()[4]->GetNormal(Point()), Vector(0, 0, -1));
    EXPECT_EQ(box.GetRectangles()[4]->GetPoints()[0], Point(-1, 2, -3));
    EXPECT_TRUE(RectangularPrism(Point(), x * 2.0, y * 3.0, z, 2, 4, 6) == box);

    // Oblique, non-unit, right-handed axes.
    const std::vector<double> reach =
        OutwardReach(RectangularPrism(Point(5, -1, 2), Vector(1, 1, 0), Vector(-3, 3, 0), z * 0.5, 1, 2, 3));
    const double expected[] = {1.0, 0.5, 1.0, 0.5, 1.5, 1.5};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(reach[i], expected[i], 1e-12) << "face " << i;
    // Left-handed axes are accepted and turn every normal inwards.
    EXPECT_EQ(OutwardReach(RectangularPrism(Point(), x, y, z * -1.0, 2, 4, 6)),
              (std::vector<double>{-2, -1, -2, -1, -3, -3}));
}

TEST(RectangularPrism, SizesAreCheckedBeforeAxes)
{
    const Vector skew(1, 1, 0);
    ExpectRejections({
        {"RectangularPrism::RectangularPrism : Prism sizes must",
         [&] { RectangularPrism(Point(), x, y, z, 0, 1, 1); }},
        {"RectangularPrism::RectangularPrism : Prism sizes must",
         [&] { RectangularPrism(Point(), x, skew, z, 1, 1, -1); }},
        {"RectangularPrism::RectangularPrism : The three axis",
         [&] { RectangularPrism(Point(), x, y, skew, 1, 1, 1); }},
        // Judged on the raw dot products, absolute at 1e-11.
        {"RectangularPrism::RectangularPrism : The three axis",
         [&] { RectangularPrism(Point(), x * 1000.0, Vector(1e-14, 1, 0), z, 1, 1, 1); }},
        // A null axis passes the axis test and collapses the first face.
        {"Plane::InitializeNormal : Normal is", [&] { RectangularPrism(Point(), Vector(), y, z, 1, 1, 1); }},
    });
    EXPECT_NO_THROW(RectangularPrism(Point(), x, Vector(5e-12, 1, 0), z, 1, 1, 1));
}

TEST(RectangularPrism, RectanglesComeInFaceOrderAndTheCloneIsDeep)
{
    auto* box = new RectangularPrism(Point(1, 2, 3), y, z, x, 1, 2, 3);
    const std::vector<const ISurface*>& surfaces = box->GetSurfaces();
    ASSERT_EQ(box->GetRectangles().size(), 6u);
    EXPECT_EQ(box->GetRectangles()[5], surfaces[5]);
    const std::unique_ptr<ISolid> clone(box->Clone());
    const Rectangle firstFace(static_cast<const Rectangle&>(*surfaces[0]));
    delete box;
    EXPECT_TRUE(*clone->GetSurfaces()[0] == firstFace);
    EXPECT_TRUE(*clone != RectangularPrism(Point(), y, z, x, 1, 2, 3));
}

TEST(RectangularPrism, ContourListsEveryEdgeOncePerFace)
{
    const std::unique_ptr<IContour> contour(RectangularPrism(Point(), x, y, z, 2, 4, 6).GetContour());
    EXPECT_FALSE(contour->IsOriented());
    const std::vector<const LineSegment*> edges = contour->GetLineSegments();
    ASSERT_EQ(edges.size(), 24u);
    // Grouped by face in face order.
    EXPECT_EQ(*edges[0], LineSegment(Point(-1, 2, 3), Point(-1, 2, -3)));
    EXPECT_EQ(*edges[20], LineSegment(Point(-1, 2, 3), Point(1, 2, 3)));
}
