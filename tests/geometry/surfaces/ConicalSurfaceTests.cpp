#include "ArcSegment.h"
#include "ConicalSurface.h"
#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Tessam::Geometry3D;

namespace
{
// Apex at the origin, half angle 45 degrees, base circle of radius 2 at
// z = 2: the mantle is x^2 + y^2 = z^2 for 0 <= z <= 2.
ConicalSurface Cone(bool outwardNormal = true)
{
    return ConicalSurface(Point(0, 0, 0), 2.0, 2.0, Vector(0, 0, 1), outwardNormal);
}
} // namespace

TEST(ConicalSurface, ValidatesRadiusThenHeightThenOrientation)
{
    ExpectRejections({
        {"ConicalSurface::ConicalSurface : Radius of the",
         [] { ConicalSurface(Point(), 0.0, 0.0, Vector(), true); }},
        {"ConicalSurface::ConicalSurface : Height must be",
         [] { ConicalSurface(Point(), 1.0, 0.0, Vector(), true); }},
        {"ConicalSurface::ConicalSurface : Orientation is a",
         [] { ConicalSurface(Point(), 1.0, 1.0, Vector(), true); }},
    });
}

TEST(ConicalSurface, ContainsApexMantleAndBaseRimAndNormalsLeanToTheApex)
{
    const ConicalSurface cone = Cone();
    EXPECT_TRUE(cone.Contains(Point(0.5e-6, 0.5e-6, 0.5e-6)));
    EXPECT_FALSE(cone.Contains(Point(1e-6, 0, 0)));
    EXPECT_TRUE(cone.Contains(Point(2, 0, 2)));
    EXPECT_FALSE(cone.Contains(Point(2.5, 0, 2.5)));
    EXPECT_FALSE(cone.Contains(Point(-1, 0, -1)));

    const double s = std::sqrt(0.5);
    EXPECT_TRUE(cone.GetNormal(Point(1, 0, 1)).IsAlmostEqual(Vector(s, 0, -s)));
    EXPECT_TRUE(Cone(false).GetNormal(Point(1, 0, 1)).IsAlmostEqual(Vector(-s, 0, s)));
    ExpectRejections({
        {"ConicalSurface::GetNormal : Point is not", [&] { cone.GetNormal(Point(1, 0, 2)); }},
    });
}

TEST(ConicalSurface, CrossingsComeInTheOrderOfTheRootsAndAGeneratrixIsInfinite)
{
    // Steeper than the mantle (a < 0): the smaller parameter comes first.
    const Intersection across = Cone().GetIntersection(Line(Point(5, 0, 1), Vector(-1, 0, 0)));
    ASSERT_EQ(across.GetPoints().size(), 2u);
    EXPECT_TRUE(across.GetPoints()[0].IsAlmostEqual(Point(1, 0, 1), 1e-12));
    EXPECT_TRUE(across.GetPoints()[1].IsAlmostEqual(Point(-1, 0, 1), 1e-12));

    // Along the axis (a > 0) the line also meets the opposite nappe, at
    // z = -0.5, which the cone does not contain.
    const Intersection alongAxis = Cone().GetIntersection(Line(Point(0.5, 0, -3), Vector(0, 0, 1)));
    ASSERT_EQ(alongAxis.GetPoints().size(), 1u);
    EXPECT_TRUE(alongAxis.GetPoints()[0].IsAlmostEqual(Point(0.5, 0, 0.5), 1e-12));

    // The rounded half angle leaves the coefficients slightly off 0.
    for (const Line& generatrix :
         {Line(Point(0, 0, 0), Vector(1, 0, 1)), Line(Point(0, -3, 3), Vector(0, 1, -1))})
    {
        const Intersection intersection = Cone().GetIntersection(generatrix);
        EXPECT_TRUE(intersection.IsInfinite());
        EXPECT_TRUE(intersection.GetPoints().empty());
    }
}

TEST(ConicalSurface, ContourIsTheBaseCircleAndCloneIsEqual)
{
    const std::unique_ptr<IContour> contour(Cone().GetContour());
    ASSERT_EQ(contour->GetArcSegments().size(), 1u);
    EXPECT_EQ(contour->GetArcSegments()[0]->GetCenter(), Point(0, 0, 2));
    EXPECT_EQ(contour->GetArcSegments()[0]->GetPlaneNormal(), Vector(0, 0, 1));

    const std::unique_ptr<ISurface> clone(Cone().Clone());
    EXPECT_TRUE(Cone() == *clone);
    EXPECT_TRUE(Cone(false) != *clone);
}
