#include "ArcSegment.h"
#include "CylindricalArcSurface.h"
#include "CylindricalSurface.h"
#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Tessam::Geometry3D;

namespace
{
// Radius 2 about the z axis from z = -2 to z = 2, angles counted from +x.
CylindricalArcSurface Band(double firstAngle, double lastAngle)
{
    return CylindricalArcSurface(Point(0, 0, 0), 2.0, 4.0, Vector(0, 0, 1), Vector(1, 0, 0),
                                 Angle::FromRadians(firstAngle), Angle::FromRadians(lastAngle), true);
}
} // namespace

TEST(CylindricalArcSurface, ValidatesTheCylinderFirstThenTheRadialOrientation)
{
    const Vector z(0, 0, 1);
    const Angle zero = Angle::FromRadians(0.0);
    ExpectRejections({
        {"CylindricalSurface::CylindricalSurface : Radius must be",
         [&] { CylindricalArcSurface(Point(), 0.0, 1.0, z, Vector(), zero, zero, true); }},
        {"CylindricalArcSurface::CylindricalArcSurface : Radial orientation is",
         [&] { CylindricalArcSurface(Point(), 1.0, 1.0, z, Vector(), zero, zero, true); }},
        // Judged as given: normalised, this radial orientation would pass.
        {"CylindricalArcSurface::CylindricalArcSurface : Orientation and radial",
         [&] { CylindricalArcSurface(Point(), 1.0, 1.0, z, Vector(1e6, 0, 1e-6), zero, zero, true); }},
    });
}

TEST(CylindricalArcSurface, BandWrapsThroughZeroWithInclusiveBounds)
{
    const CylindricalArcSurface wrapping = Band(-Pi / 2, Pi / 2);
    EXPECT_DOUBLE_EQ(wrapping.GetFirstAngle().Radians(), 3 * Pi / 2);
    EXPECT_TRUE(wrapping.Contains(Point(2, 0, 2)));
    EXPECT_TRUE(wrapping.Contains(Point(0, 2, 1)));
    EXPECT_TRUE(wrapping.Contains(Point(0, -2, -1)));
    EXPECT_FALSE(wrapping.Contains(Point(-2, 0, 0)));
    EXPECT_FALSE(wrapping.Contains(Point(2, 0, 2.000001)));
    EXPECT_FALSE(Band(0.0, Pi / 2).Contains(Point(1.4142135623730951, -1.4142135623730951, 0)));

    EXPECT_TRUE(wrapping.GetNormal(Point(2, 0, 1)).IsAlmostEqual(Vector(1, 0, 0)));
    // On the mantle but off the band: the band's own message.
    ExpectRejections({
        {"CylindricalArcSurface::GetNormal : Point is not", [&] { wrapping.GetNormal(Point(-2, 0, 0)); }},
    });

    // Line crossings off the band are dropped; those on it keep the mantle's order.
    const Intersection acrossX = wrapping.GetIntersection(Line(Point(5, 0, 1), Vector(-1, 0, 0)));
    ASSERT_EQ(acrossX.GetPoints().size(), 1u);
    EXPECT_TRUE(acrossX.GetPoints()[0].IsAlmostEqual(Point(2, 0, 1), 1e-12));
    const Intersection acrossY = wrapping.GetIntersection(Line(Point(0, -5, 0), Vector(0, 1, 0)));
    ASSERT_EQ(acrossY.GetPoints().size(), 2u);
    EXPECT_TRUE(acrossY.GetPoints()[0].IsAlmostEqual(Point(0, 2, 0), 1e-12));
    EXPECT_TRUE(acrossY.GetPoints()[1].IsAlmostEqual(Point(0, -2, 0), 1e-12));
    // A generatrix off the band still reports the mantle's flag.
    EXPECT_TRUE(wrapping.GetIntersection(Line(Point(-2, 0, 0), Vector(0, 0, 1))).IsInfinite());
}

TEST(CylindricalArcSurface, ContourIsAClosedChainAroundTheBand)
{
    const std::unique_ptr<IContour> contour(Band(0.0, Pi / 2).GetContour());
    const std::vector<const ISegment*> segments = contour->GetSegments();
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_TRUE(contour->IsClosed());
    EXPECT_FALSE(contour->IsOriented());
    const auto* top = dynamic_cast<const ArcSegment*>(segments[0]);
    const auto* bottom = dynamic_cast<const ArcSegment*>(segments[2]);
    ASSERT_TRUE(top && bottom);
    EXPECT_EQ(bottom->GetPlaneNormal(), Vector(0, 0, -1));
    // Top arc from angle 0 to pi/2, down the generatrix at pi/2, back along
    // the bottom arc and up the generatrix at 0.
    const Point corners[] = {Point(2, 0, 2), Point(0, 2, 2), Point(0, 2, -2), Point(2, 0, -2)};
    for (std::size_t i = 0; i < 4; ++i)
    {
        EXPECT_TRUE(segments[i]->GetFirstPoint().IsAlmostEqual(corners[i], 1e-12)) << i;
        EXPECT_TRUE(segments[i]->GetSecondPoint().IsAlmostEqual(corners[(i + 1) % 4], 1e-12)) << i;
    }
}

TEST(CylindricalArcSurface, CloneIsEqualAndComparisonLooksAtBandAndCylinder)
{
    const CylindricalArcSurface band(Point(1, 2, 3), 2.0, 4.0, Vector(0, 0, 5), Vector(0, 3, 0),
                                     Angle::FromRadians(7.0), Angle::FromRadians(-1.0), true);
    const std::unique_ptr<ISurface> clone(band.Clone());
    EXPECT_TRUE(band == *clone);
    EXPECT_TRUE(Band(0.0, 1.0) != Band(0.0, 1.5));
    EXPECT_TRUE(Band(0.0, 0.0) != CylindricalSurface(Point(0, 0, 0), 2.0, 4.0, Vector(0, 0, 1), true));
}
