#include "ArcSegment.h"
#include "ConicalSurface.h"
#include "CylindricalSurface.h"
#include "LineSegment.h"
#include "Quoria.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{
template <typename Action> std::string MessageOf(Action action)
{
    try
    {
        action();
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    return "no exception";
}

void ExpectPointNear(const Point& actual, const Point& expected)
{
    EXPECT_NEAR(actual.X(), expected.X(), 1e-12);
    EXPECT_NEAR(actual.Y(), expected.Y(), 1e-12);
    EXPECT_NEAR(actual.Z(), expected.Z(), 1e-12);
}

// Radius 2 about the z axis, from z = -5 to z = 5.
CylindricalSurface Mantle(bool outwardNormal = true)
{
    return CylindricalSurface(Point(0, 0, 0), 2.0, 10.0, Vector(0, 0, 1), outwardNormal);
}
} // namespace

TEST(CylindricalSurface, ValidatesRadiusThenHeightThenOrientation)
{
    const std::string radius = "CylindricalSurface::CylindricalSurface : Radius must be positive.";
    const std::string height = "CylindricalSurface::CylindricalSurface : Height must be positive.";
    const std::string orientation = "CylindricalSurface::CylindricalSurface : Orientation is a null vector.";
    EXPECT_EQ(MessageOf([] { CylindricalSurface(Point(), 0.0, 0.0, Vector(), true); }), radius);
    EXPECT_EQ(MessageOf([] { CylindricalSurface(Point(), 1.0, -1.0, Vector(), true); }), height);
    EXPECT_EQ(MessageOf([] { CylindricalSurface(Point(), 1.0, 1.0, Vector(), true); }), orientation);

    const CylindricalSurface cylinder(Point(1, 2, 3), 1.0, 2.0, Vector(0, 3, 0), false);
    EXPECT_EQ(cylinder.GetOrientation(), Vector(0, 1, 0));
    EXPECT_FALSE(cylinder.IsNormalOutward());
}

TEST(CylindricalSurface, CreatorsPointAlongThePrincipalAxesWithOutwardNormals)
{
    const std::unique_ptr<CylindricalSurface> x(
        CylindricalSurface::CreateXOriented(Point(1, 2, 3), 4.0, 5.0));
    const std::unique_ptr<CylindricalSurface> y(
        CylindricalSurface::CreateYOriented(Point(1, 2, 3), 4.0, 5.0));
    const std::unique_ptr<CylindricalSurface> z(
        CylindricalSurface::CreateZOriented(Point(1, 2, 3), 4.0, 5.0));
    EXPECT_EQ(x->GetOrientation(), Vector(1, 0, 0));
    EXPECT_EQ(y->GetOrientation(), Vector(0, 1, 0));
    EXPECT_EQ(z->GetOrientation(), Vector(0, 0, 1));
    for (const CylindricalSurface* cylinder : {x.get(), y.get(), z.get()})
    {
        EXPECT_TRUE(cylinder->IsNormalOutward());
        EXPECT_EQ(cylinder->GetCentroid(), Point(1, 2, 3));
        EXPECT_EQ(cylinder->GetRadius(), 4.0);
        EXPECT_EQ(cylinder->GetHeight(), 5.0);
    }
}

TEST(CylindricalSurface, ContainsTheMantleWithBothEndCirclesOnly)
{
    const CylindricalSurface mantle = Mantle();
    EXPECT_TRUE(mantle.Contains(Point(2, 0, 0)));
    EXPECT_TRUE(mantle.Contains(Point(0, -2, 5)));
    EXPECT_TRUE(mantle.Contains(Point(-2, 0, -5)));
    EXPECT_FALSE(mantle.Contains(Point(2, 0, 5.000001)));
    EXPECT_FALSE(mantle.Contains(Point(2, 0, -5.000001)));
    EXPECT_FALSE(mantle.Contains(Point(2.001, 0, 0)));
    EXPECT_FALSE(mantle.Contains(Point(1, 0, 0)));
    EXPECT_FALSE(mantle.Contains(Point(0, 0, 0)));
}

TEST(CylindricalSurface, NormalIsRadialAndThrowsOffTheMantle)
{
    EXPECT_TRUE(Mantle().GetNormal(Point(2, 0, 3)).IsAlmostEqual(Vector(1, 0, 0)));
    EXPECT_TRUE(Mantle().GetNormal(Point(0, -2, 5)).IsAlmostEqual(Vector(0, -1, 0)));
    EXPECT_TRUE(Mantle(false).GetNormal(Point(2, 0, 3)).IsAlmostEqual(Vector(-1, 0, 0)));
    EXPECT_EQ(MessageOf([] { Mantle().GetNormal(Point(3, 0, 0)); }),
              "CylindricalSurface::GetNormal : Point is not contained in CylindricalSurface.");
    EXPECT_EQ(MessageOf([] { Mantle().GetNormal(Point(2, 0, 6)); }),
              "CylindricalSurface::GetNormal : Point is not contained in CylindricalSurface.");
}

TEST(CylindricalSurface, CrossingLineListsTheLargerParameterFirst)
{
    const CylindricalSurface mantle = Mantle();

    const Intersection forward = mantle.GetIntersection(Line(Point(-5, 0, 1), Vector(1, 0, 0)));
    ASSERT_EQ(forward.GetPoints().size(), 2u);
    EXPECT_FALSE(forward.IsInfinite());
    ExpectPointNear(forward.GetPoints()[0], Point(2, 0, 1));
    ExpectPointNear(forward.GetPoints()[1], Point(-2, 0, 1));

    const Intersection backward = mantle.GetIntersection(Line(Point(5, 0, 1), Vector(-1, 0, 0)));
    ASSERT_EQ(backward.GetPoints().size(), 2u);
    ExpectPointNear(backward.GetPoints()[0], Point(-2, 0, 1));
    ExpectPointNear(backward.GetPoints()[1], Point(2, 0, 1));

    // Along (1, 0, 1) from (-5, 0, 0) the infinite cylinder is met at z = 3
    // and z = 7; the second lies beyond the end circle.
    const Intersection oblique = mantle.GetIntersection(Line(Point(-5, 0, 0), Vector(1, 0, 1)));
    ASSERT_EQ(oblique.GetPoints().size(), 1u);
    ExpectPointNear(oblique.GetPoints()[0], Point(-2, 0, 3));
}

TEST(CylindricalSurface, TangentParallelAndGeneratrixLines)
{
    const CylindricalSurface mantle = Mantle();

    const Intersection tangent = mantle.GetIntersection(Line(Point(2, -5, 0), Vector(0, 1, 0)));
    ASSERT_EQ(tangent.GetPoints().size(), 1u);
    EXPECT_EQ(tangent.GetPoints()[0], Point(2, 0, 0));

    const Intersection missing = mantle.GetIntersection(Line(Point(2.001, -5, 0), Vector(0, 1, 0)));
    EXPECT_TRUE(missing.GetPoints().empty());
    EXPECT_FALSE(missing.IsInfinite());

    const Intersection generatrix = mantle.GetIntersection(Line(Point(0, 2, 40), Vector(0, 0, -1)));
    EXPECT_TRUE(generatrix.GetPoints().empty());
    EXPECT_TRUE(generatrix.IsInfinite());

    for (const Point& start : {Point(3, 0, 0), Point(1, 0, 0), Point(0, 0, 0)})
    {
        const Intersection parallel = mantle.GetIntersection(Line(start, Vector(0, 0, 1)));
        EXPECT_TRUE(parallel.GetPoints().empty());
        EXPECT_FALSE(parallel.IsInfinite());
    }
}

TEST(CylindricalSurface, SegmentIntersectionKeepsThePointsOnTheSegment)
{
    // Callable on the concrete class, not only through the interface.
    const CylindricalSurface mantle = Mantle();
    const Intersection half = mantle.GetIntersection(LineSegment(Point(-5, 0, 0), Point(0, 0, 0)));
    ASSERT_EQ(half.GetPoints().size(), 1u);
    ExpectPointNear(half.GetPoints()[0], Point(-2, 0, 0));
    const Intersection onMantle = mantle.GetIntersection(LineSegment(Point(2, 0, 7), Point(2, 0, 8)));
    EXPECT_TRUE(onMantle.IsInfinite());
}

TEST(CylindricalSurface, ContourIsTheTopThenTheBottomCircle)
{
    const std::unique_ptr<IContour> contour(Mantle().GetContour());
    const std::vector<const ArcSegment*> arcs = contour->GetArcSegments();
    ASSERT_EQ(contour->GetSegments().size(), 2u);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_FALSE(contour->IsOriented());
    EXPECT_FALSE(contour->IsClosed());

    EXPECT_EQ(arcs[0]->GetCenter(), Point(0, 0, 5));
    EXPECT_EQ(arcs[0]->GetPlaneNormal(), Vector(0, 0, 1));
    EXPECT_EQ(arcs[0]->GetFirstPoint(), Point(2, 0, 5));
    EXPECT_EQ(arcs[1]->GetCenter(), Point(0, 0, -5));
    EXPECT_EQ(arcs[1]->GetPlaneNormal(), Vector(0, 0, -1));
    EXPECT_EQ(arcs[1]->GetFirstPoint(), Point(-2, 0, -5));
    EXPECT_DOUBLE_EQ(arcs[0]->Length(), 4.0 * 3.141592653589793);
}

TEST(CylindricalSurface, CloneIsEqualAndEveryDefiningFieldCounts)
{
    const CylindricalSurface mantle = Mantle();
    const std::unique_ptr<ISurface> clone(mantle.Clone());
    ASSERT_NE(dynamic_cast<CylindricalSurface*>(clone.get()), nullptr);
    EXPECT_TRUE(mantle == *clone);
    EXPECT_FALSE(mantle != *clone);

    EXPECT_TRUE(mantle != Mantle(false));
    EXPECT_TRUE(mantle != CylindricalSurface(Point(0, 0, 1), 2.0, 10.0, Vector(0, 0, 1), true));
    EXPECT_TRUE(mantle != CylindricalSurface(Point(0, 0, 0), 3.0, 10.0, Vector(0, 0, 1), true));
    EXPECT_TRUE(mantle != CylindricalSurface(Point(0, 0, 0), 2.0, 11.0, Vector(0, 0, 1), true));
    EXPECT_TRUE(mantle != CylindricalSurface(Point(0, 0, 0), 2.0, 10.0, Vector(0, 0, -1), true));
    EXPECT_TRUE(mantle != ConicalSurface(Point(0, 0, 0), 2.0, 10.0, Vector(0, 0, 1), true));
}
