#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Tessam::Geometry3D;

TEST(RelativeCheckEqual, AgainstZeroOnlyTheStrictAbsoluteTestCanHold)
{
    EXPECT_TRUE(RelativeCheckEqual(1e-12, 0.0));
    EXPECT_FALSE(RelativeCheckEqual(2e-11, 0.0));
    EXPECT_FALSE(RelativeCheckEqual(0.0, 1e-11));
    EXPECT_FALSE(RelativeCheckEqual(-1e-11, 0.0));
}

TEST(RelativeCheckEqual, LargeValuesCompareRelativelyAndSpecialValuesAreHandled)
{
    EXPECT_TRUE(RelativeCheckEqual(1e6, 1e6 + 1e-6));
    EXPECT_TRUE(RelativeCheckEqual(1e6 + 1e-6, 1e6));
    EXPECT_FALSE(RelativeCheckEqual(1.0, 1.0 + 1e-10));
    EXPECT_TRUE(RelativeCheckEqual(1.0, 1.0 + 1e-7, 1e-6));
    const double infinity = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(RelativeCheckEqual(infinity, infinity));
    EXPECT_FALSE(RelativeCheckEqual(infinity, -infinity));
    EXPECT_FALSE(RelativeCheckEqual(nan, nan));
    EXPECT_FALSE(RelativeCheckEqual(nan, 0.0));
    EXPECT_FALSE(RelativeCheckEqual(0.0, nan));
}

TEST(Point, AlmostEqualIsAbsoluteStrictAndPerAxis)
{
    EXPECT_FALSE(Point(0, 0, 0).IsAlmostEqual(Point(1e-6, 0, 0), 1e-6));
    EXPECT_TRUE(Point(0, 0, 0).IsAlmostEqual(Point(0.5e-6, -0.5e-6, 0.9e-6), 1e-6));
    EXPECT_FALSE(Point(1e9, 0, 0).IsAlmostEqual(Point(1e9 + 1e-3, 0, 0), 1e-6));
    // Equality is exact.
    EXPECT_TRUE(Point(1, 2, 3) != Point(1, 2, 3.0000000001));
}

TEST(Vector, NormalisationLeavesANullVectorAlone)
{
    EXPECT_EQ(Vector(0, 0, 0).Normalized(), Vector(0, 0, 0));
    EXPECT_FALSE(Vector(0, 0, 1e-300).IsNull());
}

TEST(Vector, RotationFollowsTheRightHandRuleAboutAnyAxisLength)
{
    const Vector rotated = Vector(1, 0, 0).Rotate(HalfPi, Vector(0, 0, 5));
    EXPECT_NEAR(rotated.X(), 0.0, 1e-15);
    EXPECT_NEAR(rotated.Y(), 1.0, 1e-15);
    EXPECT_NEAR(rotated.Z(), 0.0, 1e-15);
    const Vector aboutX = Vector(0, 1, 0).RotateAroundX(HalfPi);
    EXPECT_NEAR(aboutX.Z(), 1.0, 1e-15);
    const Vector aboutY = Vector(0, 0, 1).RotateAroundY(HalfPi);
    EXPECT_NEAR(aboutY.X(), 1.0, 1e-15);
    // A null axis scales by cos(angle).
    EXPECT_EQ(Vector(2, 0, 0).Rotate(0.0, Vector()), Vector(2, 0, 0));
}

TEST(Vector, AnglesCollinearityAndOrthogonality)
{
    EXPECT_DOUBLE_EQ(Vector(1, 0, 0).AngleTo(Vector(-2, 0, 0)).Radians(), Pi);
    EXPECT_EQ(Vector(1, 1, 0).AngleTo(Vector(2, 2, 0)).Radians(), 0.0);
    EXPECT_NEAR(Vector(1, 0, 0).AngleTo(Vector(0, 0, 3)).Radians(), HalfPi, 1e-15);
    EXPECT_EQ(Vector(1, 0, 0).AngleTo(Vector()).Radians(), 0.0);
    EXPECT_TRUE(Vector(1, 2, 3).IsCollinear(Vector(-2, -4, -6)));
    EXPECT_TRUE(Vector(1e-6, 0, 0).IsCollinear(Vector(0, 1e-6, 0)));
    EXPECT_FALSE(Vector(1, 0, 0).IsCollinear(Vector(0, 1, 0)));
    EXPECT_TRUE(Vector(1, 0, 0).IsOrthogonal(Vector(1e-12, 1, 0)));
    EXPECT_FALSE(Vector(1, 0, 0).IsOrthogonal(Vector(1e-11, 1, 0)));
}

TEST(Angle, StoresRadiansUnwrappedAndConvertsDegrees)
{
    EXPECT_EQ(Angle::FromRadians(7.0).Radians(), 7.0);
    EXPECT_EQ(Angle::FromDegrees(180).Radians(), Pi);
    EXPECT_EQ(RadiansToDegrees, 57.29577951308232);
    EXPECT_DOUBLE_EQ(Angle::FromRadians(Pi).Degrees(), 180.0);
    EXPECT_TRUE(Angle::FromRadians(1.0) != Angle::FromRadians(std::nan("")));
    EXPECT_FALSE(Angle::FromRadians(std::nan("")) == Angle::FromRadians(std::nan("")));
}
