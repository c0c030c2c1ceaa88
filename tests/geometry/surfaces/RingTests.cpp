#include "ArcSegment.h"
#include "ComplexFlatSurface.h"
#include "Disk.h"
#include "Line.h"
#include "Quoria.h"
#include "Ring.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{

} // namespace

TEST(Ring, ValidatesDisksBeforeRadii)
{
    const Vector z(0, 0, 1);
    ExpectRejections({
        {"Plane::InitializeNormal : Normal is", [] { Ring(Point(), 0.0, 1.0, Vector()); }},
        {"Disk::Disk : Radius must", [&] { Ring(Point(), 0.0, 1.0, z); }},
        {"Disk::Disk : Radius must", [&] { Ring(Point(), 3.0, 0.0, z); }},
        {"Ring::Ring : Inner radius must", [&] { Ring(Point(), 2.0, 2.0, z); }},
    });
}

TEST(Ring, IsTheOuterDiskMinusTheInnerOne)
{
    const Ring ring(Point(1, 1, 1), 1.0, 2.0, Vector(0, 0, -3));
    EXPECT_EQ(ring.GetNormal(Point()), Vector(0, 0, -1));
    EXPECT_EQ(ring.GetOperationType(), 2);

    EXPECT_FALSE(ring.Contains(Point(2, 1, 1)));
    EXPECT_TRUE(ring.Contains(Point(2.5, 1, 1)));
    EXPECT_TRUE(ring.Contains(Point(1, 3, 1)));
    EXPECT_FALSE(ring.Contains(Point(1, 3 + 1e-9, 1)));
    EXPECT_TRUE(ring.GetIntersection(Line(Point(1.5, 1, 5), Vector(0, 0, 1))).GetPoints().empty());

    // The outer circle, then the inner one: two loops, so no normal.
    const std::unique_ptr<IContour> contour(ring.GetContour());
    const std::vector<const ArcSegment*> arcs = contour->GetArcSegments();
    ASSERT_EQ(contour->GetSegments().size(), 2u);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_DOUBLE_EQ(arcs[0]->Length(), 4 * Pi);
    EXPECT_DOUBLE_EQ(arcs[1]->Length(), 2 * Pi);
    EXPECT_EQ(arcs[1]->GetPlaneNormal(), Vector(0, 0, -1));
    EXPECT_FALSE(contour->IsOriented());
}

TEST(Ring, CloneAndEquality)
{
    const Ring ring(Point(1, 2, 3), 1.0, 2.0, Vector(0, 1, 0));
    const std::unique_ptr<ISurface> copy(ring.Clone());
    ASSERT_NE(dynamic_cast<const Ring*>(copy.get()), nullptr);
    EXPECT_TRUE(*copy == ring);

    // Equality is that of the set operation, whoever built it.
    const Disk outer(Point(1, 2, 3), 2.0, Vector(0, 1, 0));
    const Disk inner(Point(1, 2, 3), 1.0, Vector(0, 1, 0));
    const std::unique_ptr<ComplexFlatSurface> difference(
        ComplexFlatSurface::CreateDifference(&outer, &inner));
    EXPECT_TRUE(ring == *difference);
    EXPECT_TRUE(ring != Ring(Point(1, 2, 3), 1.0, 2.5, Vector(0, 1, 0)));
    EXPECT_TRUE(ring != Ring(Point(1, 2, 3), 1.0, 2.0, Vector(0, -1, 0)));
}
