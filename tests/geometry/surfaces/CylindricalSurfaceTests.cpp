#include "ArcSegment.h"
#include "ConicalSurface.h"
#include "CylindricalSurface.h"
#include "LineSegment.h"
#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Tessam::Geometry3D;

namespace
{
// Radius 2 about the z axis, from z = -5 to z = 5.
CylindricalSurface Mantle(bool outwardNormal = true)
{
    return CylindricalSurface(Point(0, 0, 0), 2.0, 10.0, Vector(0, 0, 1), outwardNormal);
}
} // namespace

TEST(CylindricalSurface, ValidatesRadiusThenHeightThenOrientation)
{
    ExpectRejections({
        {"CylindricalSurface::CylindricalSurface : Radius must be",
         [] { CylindricalSurface(Point(), 0.0, 0.0, Vector(), true); }},
        {"CylindricalSurface::CylindricalSurface : Height must be",
         [] { CylindricalSurface(Point(), 1.0, -1.0, Vector(), true); }},
        {"CylindricalSurface::CylindricalSurface : Orientation is a",
         [] { CylindricalSurface(Point(), 1.0, 1.0, Vector(), true); }},
    });
}

TEST(CylindricalSurface, ContainsTheMantleWithBothEndCirclesAndItsNormalIsRadial)
{
    const CylindricalSurface mantle = Mantle();
    EXPECT_TRUE(mantle.Contains(Point(0, -2, 5)));
    EXPECT_TRUE(mantle.Contains(Point(-2, 0, -5)));
    EXPECT_FALSE(mantle.Contains(Point(2, 0, 5.000001)));
    EXPECT_FALSE(mantle.Contains(Point(2.001, 0, 0)));
    EXPECT_FALSE(mantle.Contains(Point(0, 0, 0)));

    EXPECT_TRUE(mantle.GetNormal(Point(0, -2, 5)).IsAlmostEqual(Vector(0, -1, 0)));
    EXPECT_TRUE(Mantle(false).GetNormal(Point(2, 0, 3)).IsAlmostEqual(Vector(-1, 0, 0)));
    ExpectRejections({
        {"CylindricalSurface::GetNormal : Point is not", [&] { mantle.GetNormal(Point(2, 0, 6)); }},
    });
}

TEST(CylindricalSurface, CrossingLineListsTheLargerParameterFirst)
{
    const CylindricalSurface mantle = Mantle();
    const Intersection forward = mantle.GetIntersection(Line(Point(-5, 0, 1), Vector(1, 0, 0)));
    ASSERT_EQ(forward.GetPoints().size(), 2u);
    EXPECT_FALSE(forward.IsInfinite());
    EXPECT_TRUE(forward.GetPoints()[0].IsAlmostEqual(Point(2, 0, 1), 1e-12));
    EXPECT_TRUE(forward.GetPoints()[1].IsAlmostEqual(Point(-2, 0, 1), 1e-12));
    const Intersection backward = mantle.GetIntersection(Line(Point(5, 0, 1), Vector(-1, 0, 0)));
    ASSERT_EQ(backward.GetPoints().size(), 2u);
    EXPECT_TRUE(backward.GetPoints()[0].IsAlmostEqual(Point(-2, 0, 1), 1e-12));

    // Along (1, 0, 1) from (-5, 0, 0) the infinite cylinder is met at z = 3
    // and z = 7, beyond the end circle.
    const Intersection oblique = mantle.GetIntersection(Line(Point(-5, 0, 0), Vector(1, 0, 1)));
    ASSERT_EQ(oblique.GetPoints().size(), 1u);
    EXPECT_TRUE(oblique.GetPoints()[0].IsAlmostEqual(Point(-2, 0, 3), 1e-12));

    // The segment overload stays callable on the concrete class.
    const Intersection half = mantle.GetIntersection(LineSegment(Point(-5, 0, 0), Point(0, 0, 0)));
    ASSERT_EQ(half.GetPoints().size(), 1u);
    EXPECT_TRUE(half.GetPoints()[0].IsAlmostEqual(Point(-2, 0, 0), 1e-12));
}

TEST(CylindricalSurface, TangentParallelAndGeneratrixLines)
{
    const CylindricalSurface mantle = Mantle();
    const Intersection tangent = mantle.GetIntersection(Line(Point(2, -5, 0), Vector(0, 1, 0)));
    ASSERT_EQ(tangent.GetPoints().size(), 1u);
    EXPECT_EQ(tangent.GetPoints()[0], Point(2, 0, 0));
    EXPECT_TRUE(mantle.GetIntersection(Line(Point(2.001, -5, 0), Vector(0, 1, 0))).GetPoints().empty());
    // 1e-13 outside, the discriminant is below zero though within its
    // tolerance: a miss for a mantle (an arc would read a touch).
    EXPECT_TRUE(mantle.GetIntersection(Line(Point(2 + 1e-13, -5, 0), Vector(0, 1, 0))).GetPoints().empty());

    const Intersection generatrix = mantle.GetIntersection(Line(Point(0, 2, 40), Vector(0, 0, -1)));
    EXPECT_TRUE(generatrix.GetPoints().empty());
    EXPECT_TRUE(generatrix.IsInfinite());
    for (const Point& start : {Point(3, 0, 0), Point(0, 0, 0)})
    {
        const Intersection parallel = mantle.GetIntersection(Line(start, Vector(0, 0, 1)));
        EXPECT_TRUE(parallel.GetPoints().empty());
        EXPECT_FALSE(parallel.IsInfinite());
    }
}

TEST(CylindricalSurface, ContourIsTheTopThenTheBottomCircleAndEqualityCountsTheNormalSide)
{
    const std::unique_ptr<IContour> contour(Mantle().GetContour());
    const std::vector<const ArcSegment*> arcs = contour->GetArcSegments();
    ASSERT_EQ(contour->GetSegments().size(), 2u);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_FALSE(contour->IsOriented());
    EXPECT_EQ(arcs[0]->GetCenter(), Point(0, 0, 5));
    EXPECT_EQ(arcs[0]->GetPlaneNormal(), Vector(0, 0, 1));
    EXPECT_EQ(arcs[1]->GetCenter(), Point(0, 0, -5));
    EXPECT_EQ(arcs[1]->GetPlaneNormal(), Vector(0, 0, -1));

    EXPECT_TRUE(Mantle() != Mantle(false));
    EXPECT_TRUE(Mantle() != ConicalSurface(Point(0, 0, 0), 2.0, 10.0, Vector(0, 0, 1), true));
}
