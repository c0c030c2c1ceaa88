#include "ArcSegment.h"
#include "Contour.h"
#include "Disk.h"
#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Tessam::Geometry3D;

TEST(Disk, ConstructionAndContainment)
{
    ExpectRejections({
        {"Plane::InitializeNormal : Normal is a", [] { Disk(Point(0, 0, 0), 0.0, Vector(0, 0, 0)); }},
        {"Disk::Disk : Radius must be", [] { Disk(Point(0, 0, 0), -1.0, Vector(0, 0, 1)); }},
    });

    const Disk disk(Point(0, 0, 3), 2.0, Vector(0, 0, 4));
    EXPECT_EQ(disk.GetNormal(Point(100, 100, 100)), Vector(0, 0, 1));
    // The rim is in with no tolerance; the plane is judged within 1e-11.
    EXPECT_TRUE(disk.Contains(Point(2, 0, 3)));
    EXPECT_FALSE(disk.Contains(Point(std::nextafter(2.0, 3.0), 0, 3)));
    EXPECT_TRUE(disk.Contains(Point(1, 1, 3 + 1e-12)));
    EXPECT_FALSE(disk.Contains(Point(1, 1, 3 + 1e-10)));
    // The segment overload of the surface stays reachable on the concrete class.
    const Intersection atRim = disk.GetIntersection(LineSegment(Point(2, 0, 5), Point(2, 0, 1)));
    ASSERT_EQ(atRim.GetPoints().size(), 1u);
    EXPECT_EQ(atRim.GetPoints()[0], Point(2, 0, 3));
}

TEST(Disk, ContourStartsOnAFixedRadialDirection)
{
    struct Case
    {
        Vector normal;
        Vector radialOrientation;
    };
    const double s = std::sqrt(0.5);
    const Case cases[] = {
        {Vector(0, 0, 1), Vector(1, 0, 0)},
        {Vector(1, 0, 0), Vector(0, 1, 0)},
        {Vector(0, 1, 0), Vector(0, 0, 1)},
        {Vector(0, -3, 0), Vector(0, 0, -1)},
        {Vector(1, 1, 0), Vector(-s, s, 0)},
        // An x component below 1e-11 counts as zero.
        {Vector(1e-12, 0, 1), Vector(1, 0, -1e-12)},
    };
    const Point centre(1, -1, 2);
    for (const Case& c : cases)
    {
        const Disk disk(centre, 3.0, c.normal);
        const std::unique_ptr<IContour> contour(disk.GetContour());
        ASSERT_EQ(contour->GetSegments().size(), 1u);
        const ArcSegment& rim = *contour->GetArcSegments().at(0);
        EXPECT_TRUE(rim.GetRadialOrientation().IsAlmostEqual(c.radialOrientation));
        EXPECT_EQ(rim.GetFirstAngle().Radians(), 0.0);
        EXPECT_EQ(rim.GetSecondAngle().Radians(), TwoPi);
        EXPECT_TRUE(rim.GetFirstPoint().IsAlmostEqual(centre + 3.0 * c.radialOrientation, 1e-12));
        EXPECT_EQ(contour->GetPlaneNormal(), disk.GetPlane().GetNormal());
        EXPECT_EQ(contour->GetWindingDirection(), CounterClockwise);
    }
}

TEST(Disk, EqualityIsExactButNormalisesTheNormal)
{
    const Disk disk(Point(1, 2, 3), 2.0, Vector(0, 0, 1));
    EXPECT_FALSE(disk == Disk(Point(1, 2, 3 + 1e-15), 2.0, Vector(0, 0, 1)));
    EXPECT_FALSE(disk == Disk(Point(1, 2, 3), 2.0 + 1e-15, Vector(0, 0, 1)));
    EXPECT_FALSE(disk == Disk(Point(1, 2, 3), 2.0, Vector(0, 0, -1)));
    // The normal is compared after normalisation.
    EXPECT_TRUE(disk == Disk(Point(1, 2, 3), 2.0, Vector(0, 0, 7)));
}
