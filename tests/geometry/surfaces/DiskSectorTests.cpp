#include "ArcSegment.h"
#include "Disk.h"
#include "DiskSector.h"
#include "LineSegment.h"
#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{

// Radius 2, from +x counter-clockwise about the normal to a quarter turn.
DiskSector Quarter(const Vector& normal)
{
    return DiskSector(Point(0, 0, 0), 2.0, normal, Vector(1, 0, 0), Angle::FromRadians(0),
                      Angle::FromRadians(Pi / 2));
}

} // namespace

TEST(DiskSector, ValidatesInOrder)
{
    const Vector z(0, 0, 1);
    const auto build = [](double radius, const Vector& normal, const Vector& radialOrientation)
    { DiskSector(Point(), radius, normal, radialOrientation, Angle::FromRadians(0), Angle::FromRadians(1)); };
    ExpectRejections({
        {"Plane::InitializeNormal : Normal is", [&] { build(0.0, Vector(), Vector()); }},
        {"Disk::Disk : Radius must", [&] { build(0.0, z, Vector()); }},
        {"DiskSector::DiskSector : Radial rientation is", [&] { build(1.0, z, Vector()); }},
        {"DiskSector::DiskSector : Normal and radial", [&] { build(1.0, z, Vector(1, 0, 1e-10)); }},
    });
    EXPECT_NO_THROW(build(1.0, z, Vector(1, 0, 1e-12)));
}

TEST(DiskSector, ContainsBothEdgesAndWrapsThroughZero)
{
    const DiskSector quarter = Quarter(Vector(0, 0, 1));
    EXPECT_TRUE(quarter.Contains(Point(1, 0, 0)) && quarter.Contains(Point(0, 1, 0)));
    EXPECT_TRUE(quarter.Contains(Point(2, 0, 0)) && quarter.Contains(Point(1, 1, 0)));
    EXPECT_FALSE(quarter.Contains(Point(1, -1e-9, 0)) || quarter.Contains(Point(1.5, 1.5, 0)));
    // About -z the same angles sweep below the x axis.
    EXPECT_TRUE(Quarter(Vector(0, 0, -1)).Contains(Point(1, -1, 0)));
    EXPECT_FALSE(Quarter(Vector(0, 0, -1)).Contains(Point(1, 1, 0)));

    const DiskSector rightHalf(Point(0, 0, 0), 1.0, Vector(0, 0, 1), Vector(3, 0, 0),
                               Angle::FromRadians(-Pi / 2), Angle::FromRadians(Pi / 2));
    EXPECT_EQ(rightHalf.GetFirstAngle().Radians(), 4.71238898038469);
    EXPECT_EQ(rightHalf.GetLastAngle().Radians(), Pi / 2);
    EXPECT_EQ(rightHalf.GetRadialOrientation(), Vector(1, 0, 0));
    EXPECT_TRUE(rightHalf.Contains(Point(0.5, 0, 0)) && rightHalf.Contains(Point(0.5, -0.5, 0)));
    EXPECT_FALSE(rightHalf.Contains(Point(-0.5, 0, 0)));

    const DiskSector whole(Point(0, 0, 0), 1.0, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(0),
                           Angle::FromRadians(2 * Pi));
    EXPECT_EQ(whole.GetLastAngle().Radians(), 0.0);
    EXPECT_TRUE(whole.Contains(Point(-0.5, -0.5, 0)) && whole.Contains(Point(0, -1, 0)));
}

TEST(DiskSector, ContourRunsOutAlongTheArcAndBack)
{
    const std::unique_ptr<IContour> contour(Quarter(Vector(0, 0, 1)).GetContour());
    const std::vector<const ISegment*> segments = contour->GetSegments();
    ASSERT_EQ(segments.size(), 3u);
    ASSERT_NE(dynamic_cast<const ArcSegment*>(segments[1]), nullptr);
    EXPECT_TRUE(*segments[0] == LineSegment(Point(0, 0, 0), Point(2, 0, 0)));
    EXPECT_DOUBLE_EQ(segments[1]->Length(), Pi);
    EXPECT_TRUE(segments[2]->GetFirstPoint().IsAlmostEqual(Point(0, 2, 0), 1e-12));
    EXPECT_EQ(segments[2]->GetSecondPoint(), Point(0, 0, 0));
    EXPECT_EQ(contour->GetWindingDirection(), CounterClockwise);
}

TEST(DiskSector, CloneIsEqualAndEqualityIsExact)
{
    const DiskSector sector(Point(1, 2, 3), 2.0, Vector(0, 0, 2), Vector(0, 1, 0), Angle::FromRadians(7.0),
                            Angle::FromRadians(1.0));
    const std::unique_ptr<ISurface> copy(sector.Clone());
    EXPECT_TRUE(*copy == sector);
    EXPECT_EQ(sector.GetNormal(Point()), Vector(0, 0, 1));
    EXPECT_TRUE(sector != DiskSector(Point(1, 2, 3), 2.0, Vector(0, 0, 1), Vector(0, 1, 0),
                                     Angle::FromRadians(7.0), Angle::FromRadians(1.5)));
    EXPECT_TRUE(sector != DiskSector(Point(1, 2, 3), 2.5, Vector(0, 0, 1), Vector(0, 1, 0),
                                     Angle::FromRadians(7.0), Angle::FromRadians(1.0)));
    EXPECT_TRUE(sector != Disk(Point(1, 2, 3), 2.0, Vector(0, 0, 1)));
}
