#include "ArcSegment.h"
#include "CylindricalArcSurface.h"
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
const double Pi = 3.141592653589793;

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

// Radius 2 about the z axis from z = -2 to z = 2, angles counted from +x.
CylindricalArcSurface Band(double firstAngle, double lastAngle, bool outwardNormal = true)
{
    return CylindricalArcSurface(Point(0, 0, 0), 2.0, 4.0, Vector(0, 0, 1), Vector(1, 0, 0),
                                 Angle::FromRadians(firstAngle), Angle::FromRadians(lastAngle),
                                 outwardNormal);
}
} // namespace

TEST(CylindricalArcSurface, ValidatesTheCylinderFirstThenTheRadialOrientation)
{
    const Vector z(0, 0, 1);
    const Angle zero = Angle::FromRadians(0.0);
    EXPECT_EQ(MessageOf([&] { CylindricalArcSurface(Point(), 0.0, 1.0, z, Vector(), zero, zero, true); }),
              "CylindricalSurface::CylindricalSurface : Radius must be positive.");
    EXPECT_EQ(
        MessageOf([&] { CylindricalArcSurface(Point(), 1.0, 1.0, Vector(), Vector(), zero, zero, true); }),
        "CylindricalSurface::CylindricalSurface : Orientation is a null vector.");
    EXPECT_EQ(MessageOf([&] { CylindricalArcSurface(Point(), 1.0, 1.0, z, Vector(), zero, zero, true); }),
              "CylindricalArcSurface::CylindricalArcSurface : Radial orientation is a null vector.");
    // Orthogonality is judged on the radial orientation as given: this one
    // would pass once normalised.
    EXPECT_EQ(
        MessageOf([&]
                  { CylindricalArcSurface(Point(), 1.0, 1.0, z, Vector(1e6, 0, 1e-6), zero, zero, true); }),
        "CylindricalArcSurface::CylindricalArcSurface : Orientation and radial orientation are not "
        "orthogonal.");
}

TEST(CylindricalArcSurface, StoresNormalisedOrientationsAndReducedAngles)
{
    const CylindricalArcSurface band(Point(1, 2, 3), 2.0, 4.0, Vector(0, 0, 5), Vector(0, 3, 0),
                                     Angle::FromRadians(-Pi / 2), Angle::FromRadians(7.0), false);
    EXPECT_EQ(band.GetOrientation(), Vector(0, 0, 1));
    EXPECT_EQ(band.GetRadialOrientation(), Vector(0, 1, 0));
    EXPECT_DOUBLE_EQ(band.GetFirstAngle().Radians(), 3 * Pi / 2);
    EXPECT_DOUBLE_EQ(band.GetLastAngle().Radians(), 7.0 - 2 * Pi);
    EXPECT_EQ(band.GetCentroid(), Point(1, 2, 3));
    EXPECT_EQ(band.GetRadius(), 2.0);
    EXPECT_EQ(band.GetHeight(), 4.0);
    EXPECT_FALSE(band.IsNormalOutward());
}

TEST(CylindricalArcSurface, BandWrapsThroughZeroWithInclusiveBounds)
{
    const CylindricalArcSurface wrapping = Band(-Pi / 2, Pi / 2);
    EXPECT_TRUE(wrapping.Contains(Point(2, 0, 0)));
    EXPECT_TRUE(wrapping.Contains(Point(2, 0, 2)));
    EXPECT_TRUE(wrapping.Contains(Point(0, 2, 1)));
    EXPECT_TRUE(wrapping.Contains(Point(0, -2, -1)));
    EXPECT_FALSE(wrapping.Contains(Point(-2, 0, 0)));
    EXPECT_FALSE(wrapping.Contains(Point(-1.4142135623730951, 1.4142135623730951, 0)));
    EXPECT_FALSE(wrapping.Contains(Point(2, 0, 2.000001)));

    const CylindricalArcSurface quarter = Band(0.0, Pi / 2);
    EXPECT_TRUE(quarter.Contains(Point(1.4142135623730951, 1.4142135623730951, 0)));
    EXPECT_FALSE(quarter.Contains(Point(1.4142135623730951, -1.4142135623730951, 0)));
    EXPECT_FALSE(quarter.Contains(Point(-2, 0, 0)));
}

TEST(CylindricalArcSurface, NormalComesFromTheCylinderButOnlyOnTheBand)
{
    EXPECT_TRUE(Band(-Pi / 2, Pi / 2).GetNormal(Point(2, 0, 1)).IsAlmostEqual(Vector(1, 0, 0)));
    EXPECT_TRUE(Band(-Pi / 2, Pi / 2, false).GetNormal(Point(2, 0, 1)).IsAlmostEqual(Vector(-1, 0, 0)));
    // On the mantle but outside the band: the band's own message.
    EXPECT_EQ(MessageOf([] { Band(-Pi / 2, Pi / 2).GetNormal(Point(-2, 0, 0)); }),
              "CylindricalArcSurface::GetNormal : Point is not contained in CylindricalArcSurface.");
}

TEST(CylindricalArcSurface, LineIntersectionFiltersTheMantlePointsInOrder)
{
    const CylindricalArcSurface wrapping = Band(-Pi / 2, Pi / 2);

    const Intersection acrossX = wrapping.GetIntersection(Line(Point(5, 0, 1), Vector(-1, 0, 0)));
    ASSERT_EQ(acrossX.GetPoints().size(), 1u);
    ExpectPointNear(acrossX.GetPoints()[0], Point(2, 0, 1));

    // Both ends of the band: the larger parameter first, as on the cylinder.
    const Intersection acrossY = wrapping.GetIntersection(Line(Point(0, -5, 0), Vector(0, 1, 0)));
    ASSERT_EQ(acrossY.GetPoints().size(), 2u);
    ExpectPointNear(acrossY.GetPoints()[0], Point(0, 2, 0));
    ExpectPointNear(acrossY.GetPoints()[1], Point(0, -2, 0));

    // A generatrix outside the band still reports the mantle's flag.
    const Intersection generatrix = wrapping.GetIntersection(Line(Point(-2, 0, 0), Vector(0, 0, 1)));
    EXPECT_TRUE(generatrix.GetPoints().empty());
    EXPECT_TRUE(generatrix.IsInfinite());

    const Intersection segment = wrapping.GetIntersection(LineSegment(Point(0, 0, 0), Point(0, -5, 0)));
    ASSERT_EQ(segment.GetPoints().size(), 1u);
    ExpectPointNear(segment.GetPoints()[0], Point(0, -2, 0));
}

TEST(CylindricalArcSurface, ContourIsAClosedChainAroundTheBand)
{
    const std::unique_ptr<IContour> contour(Band(0.0, Pi / 2).GetContour());
    const std::vector<const ISegment*> segments = contour->GetSegments();
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_TRUE(contour->IsClosed());
    EXPECT_FALSE(contour->IsOriented());

    const auto* top = dynamic_cast<const ArcSegment*>(segments[0]);
    const auto* lastGeneratrix = dynamic_cast<const LineSegment*>(segments[1]);
    const auto* bottom = dynamic_cast<const ArcSegment*>(segments[2]);
    const auto* firstGeneratrix = dynamic_cast<const LineSegment*>(segments[3]);
    ASSERT_TRUE(top && lastGeneratrix && bottom && firstGeneratrix);

    EXPECT_EQ(top->GetCenter(), Point(0, 0, 2));
    EXPECT_EQ(top->GetPlaneNormal(), Vector(0, 0, 1));
    ExpectPointNear(top->GetFirstPoint(), Point(2, 0, 2));
    ExpectPointNear(top->GetSecondPoint(), Point(0, 2, 2));
    ExpectPointNear(lastGeneratrix->GetSecondPoint(), Point(0, 2, -2));
    EXPECT_EQ(bottom->GetCenter(), Point(0, 0, -2));
    EXPECT_EQ(bottom->GetPlaneNormal(), Vector(0, 0, -1));
    ExpectPointNear(bottom->GetFirstPoint(), Point(0, 2, -2));
    ExpectPointNear(bottom->GetSecondPoint(), Point(2, 0, -2));
    ExpectPointNear(firstGeneratrix->GetSecondPoint(), Point(2, 0, 2));
    EXPECT_DOUBLE_EQ(bottom->Length(), Pi);
}

TEST(CylindricalArcSurface, CloneIsEqualAndComparisonLooksAtBandAndCylinder)
{
    const CylindricalArcSurface band(Point(1, 2, 3), 2.0, 4.0, Vector(0, 0, 5), Vector(0, 3, 0),
                                     Angle::FromRadians(7.0), Angle::FromRadians(-1.0), true);
    const std::unique_ptr<ISurface> clone(band.Clone());
    EXPECT_TRUE(band == *clone);
    EXPECT_FALSE(band != *clone);

    EXPECT_TRUE(Band(0.0, 1.0) == Band(0.0, 1.0));
    EXPECT_TRUE(Band(0.0, 1.0) != Band(0.0, 1.5));
    EXPECT_TRUE(Band(0.0, 1.0) != Band(0.5, 1.0));
    EXPECT_TRUE(Band(0.0, 1.0) != Band(0.0, 1.0, false));
    EXPECT_TRUE(Band(0.0, 1.0) != CylindricalArcSurface(Point(0, 0, 0), 2.0, 4.0, Vector(0, 0, 1),
                                                        Vector(0, 1, 0), Angle::FromRadians(0.0),
                                                        Angle::FromRadians(1.0), true));
    EXPECT_TRUE(Band(0.0, 0.0) != CylindricalSurface(Point(0, 0, 0), 2.0, 4.0, Vector(0, 0, 1), true));
}
