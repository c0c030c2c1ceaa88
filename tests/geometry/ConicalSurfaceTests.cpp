#include "ArcSegment.h"
#include "ConicalSurface.h"
#include "CylindricalSurface.h"
#include "Quoria.h"

#include <gtest/gtest.h>

#include <cmath>
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

// Apex at the origin, opening along +z with a half angle of 45 degrees, base
// circle of radius 2 at z = 2: the mantle is x^2 + y^2 = z^2, 0 <= z <= 2.
ConicalSurface Cone(bool outwardNormal = true)
{
    return ConicalSurface(Point(0, 0, 0), 2.0, 2.0, Vector(0, 0, 1), outwardNormal);
}
} // namespace

TEST(ConicalSurface, ValidatesRadiusThenHeightThenOrientation)
{
    EXPECT_EQ(MessageOf([] { ConicalSurface(Point(), 0.0, 0.0, Vector(), true); }),
              "ConicalSurface::ConicalSurface : Radius of the base must be positive.");
    EXPECT_EQ(MessageOf([] { ConicalSurface(Point(), 1.0, 0.0, Vector(), true); }),
              "ConicalSurface::ConicalSurface : Height must be positive.");
    EXPECT_EQ(MessageOf([] { ConicalSurface(Point(), 1.0, 1.0, Vector(), true); }),
              "ConicalSurface::ConicalSurface : Orientation is a null vector.");

    const ConicalSurface cone(Point(1, 2, 3), 3.0, 4.0, Vector(0, -2, 0), false);
    EXPECT_EQ(cone.GetOrientation(), Vector(0, -1, 0));
    EXPECT_DOUBLE_EQ(cone.GetHalfAngle().Radians(), std::atan(0.75));
    EXPECT_EQ(cone.GetApex(), Point(1, 2, 3));
    EXPECT_FALSE(cone.IsNormalOutward());
}

TEST(ConicalSurface, ContainsApexMantleAndBaseRimOnly)
{
    const ConicalSurface cone = Cone();
    EXPECT_TRUE(cone.Contains(Point(0, 0, 0)));
    EXPECT_TRUE(cone.Contains(Point(0.5e-6, 0.5e-6, 0.5e-6)));
    EXPECT_FALSE(cone.Contains(Point(1e-6, 0, 0)));
    EXPECT_TRUE(cone.Contains(Point(1, 0, 1)));
    EXPECT_TRUE(cone.Contains(Point(0, -1.5, 1.5)));
    EXPECT_TRUE(cone.Contains(Point(2, 0, 2)));
    EXPECT_FALSE(cone.Contains(Point(2.5, 0, 2.5)));
    EXPECT_FALSE(cone.Contains(Point(-1, 0, -1)));
    EXPECT_FALSE(cone.Contains(Point(1.001, 0, 1)));
}

TEST(ConicalSurface, NormalIsPerpendicularToTheGeneratrixAndThrowsOffTheCone)
{
    const double s = std::sqrt(0.5);
    EXPECT_TRUE(Cone().GetNormal(Point(1, 0, 1)).IsAlmostEqual(Vector(s, 0, -s)));
    EXPECT_TRUE(Cone().GetNormal(Point(0, 2, 2)).IsAlmostEqual(Vector(0, s, -s)));
    EXPECT_TRUE(Cone(false).GetNormal(Point(1, 0, 1)).IsAlmostEqual(Vector(-s, 0, s)));
    EXPECT_EQ(MessageOf([] { Cone().GetNormal(Point(1, 0, 2)); }),
              "ConicalSurface::GetNormal : Point is not contained in ConicalSurface.");
}

TEST(ConicalSurface, CrossingsComeInTheOrderOfTheRoots)
{
    const ConicalSurface cone = Cone();

    // Steeper than the mantle (a < 0): the smaller parameter comes first.
    const Intersection across = cone.GetIntersection(Line(Point(-5, 0, 1), Vector(1, 0, 0)));
    ASSERT_EQ(across.GetPoints().size(), 2u);
    EXPECT_FALSE(across.IsInfinite());
    ExpectPointNear(across.GetPoints()[0], Point(-1, 0, 1));
    ExpectPointNear(across.GetPoints()[1], Point(1, 0, 1));

    const Intersection back = cone.GetIntersection(Line(Point(5, 0, 1), Vector(-1, 0, 0)));
    ASSERT_EQ(back.GetPoints().size(), 2u);
    ExpectPointNear(back.GetPoints()[0], Point(1, 0, 1));
    ExpectPointNear(back.GetPoints()[1], Point(-1, 0, 1));

    // Parallel to the axis (a > 0) the line also meets the opposite nappe
    // at z = -0.5, which the cone does not contain.
    const Intersection alongAxis = cone.GetIntersection(Line(Point(0.5, 0, -3), Vector(0, 0, 1)));
    ASSERT_EQ(alongAxis.GetPoints().size(), 1u);
    ExpectPointNear(alongAxis.GetPoints()[0], Point(0.5, 0, 0.5));

    // Beyond the base.
    EXPECT_TRUE(cone.GetIntersection(Line(Point(-5, 0, 3), Vector(1, 0, 0))).GetPoints().empty());
}

TEST(ConicalSurface, GeneratrixIsInfiniteWithinTheTolerance)
{
    const ConicalSurface cone = Cone();
    const Intersection throughApex = cone.GetIntersection(Line(Point(0, 0, 0), Vector(1, 0, 1)));
    EXPECT_TRUE(throughApex.IsInfinite());
    EXPECT_TRUE(throughApex.GetPoints().empty());
    // The rounded half angle leaves the coefficients slightly off 0.
    const Intersection beyondBase = cone.GetIntersection(Line(Point(0, -3, 3), Vector(0, 1, -1)));
    EXPECT_TRUE(beyondBase.IsInfinite());
}

TEST(ConicalSurface, ContourIsTheBaseCircle)
{
    const std::unique_ptr<IContour> contour(Cone().GetContour());
    const std::vector<const ArcSegment*> arcs = contour->GetArcSegments();
    ASSERT_EQ(contour->GetSegments().size(), 1u);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_FALSE(contour->IsOriented());
    EXPECT_EQ(arcs[0]->GetCenter(), Point(0, 0, 2));
    EXPECT_EQ(arcs[0]->GetRadius(), 2.0);
    EXPECT_EQ(arcs[0]->GetPlaneNormal(), Vector(0, 0, 1));
}

TEST(ConicalSurface, CloneIsEqualAndEveryDefiningFieldCounts)
{
    const ConicalSurface cone = Cone();
    const std::unique_ptr<ISurface> clone(cone.Clone());
    EXPECT_TRUE(cone == *clone);
    EXPECT_FALSE(cone != *clone);
    EXPECT_TRUE(cone != Cone(false));
    EXPECT_TRUE(cone != ConicalSurface(Point(0, 0, 1), 2.0, 2.0, Vector(0, 0, 1), true));
    EXPECT_TRUE(cone != ConicalSurface(Point(0, 0, 0), 1.0, 2.0, Vector(0, 0, 1), true));
    EXPECT_TRUE(cone != ConicalSurface(Point(0, 0, 0), 2.0, 1.0, Vector(0, 0, 1), true));
    EXPECT_TRUE(cone != ConicalSurface(Point(0, 0, 0), 2.0, 2.0, Vector(0, 1, 0), true));
    EXPECT_TRUE(cone != CylindricalSurface(Point(0, 0, 0), 2.0, 2.0, Vector(0, 0, 1), true));
}
