#include "ArcSegment.h"
#include "Contour.h"
#include "Disk.h"
#include "Quoria.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{

void ExpectThrowsWith(const std::function<void()>& action, const std::string& message)
{
    try
    {
        action();
        ADD_FAILURE() << "expected: " << message;
    }
    catch (const std::invalid_argument& error)
    {
        EXPECT_EQ(error.what(), message);
    }
}

// A flat surface of another class over the same plane.
class OtherFlatSurface : public PrimitiveFlatSurface
{
public:
    OtherFlatSurface() : PrimitiveFlatSurface(Point(0, 0, 0), Plane(Vector(0, 0, 1), Point(0, 0, 0))) {}
    bool Contains(const Point&) const override { return true; }
    IContour* GetContour() const override { return nullptr; }
    ISurface* Clone() const override { return new OtherFlatSurface(); }
    bool operator==(const ISurface&) const override { return false; }
};

} // namespace

TEST(Disk, ConstructionChecksThePlaneThenTheRadius)
{
    ExpectThrowsWith([] { Disk(Point(0, 0, 0), 0.0, Vector(0, 0, 0)); },
                     "Plane::InitializeNormal : Normal is a null vector.");
    ExpectThrowsWith([] { Disk(Point(0, 0, 0), 0.0, Vector(0, 0, 1)); },
                     "Disk::Disk : Radius must be a positive value.");
    ExpectThrowsWith([] { Disk(Point(0, 0, 0), -1.0, Vector(0, 0, 1)); },
                     "Disk::Disk : Radius must be a positive value.");

    const Disk disk(Point(1, 2, 3), 0.5, Vector(0, 0, 4));
    EXPECT_EQ(disk.GetRadius(), 0.5);
    EXPECT_EQ(disk.GetCentroid(), Point(1, 2, 3));
    EXPECT_EQ(disk.GetNormal(Point(100, 100, 100)), Vector(0, 0, 1));
    EXPECT_EQ(disk.GetPlane().GetOffset(), -3.0);
}

TEST(Disk, ContainsTheRimExactlyAndThePlaneWithinTolerance)
{
    const Disk disk(Point(0, 0, 0), 2.0, Vector(0, 0, 1));
    EXPECT_TRUE(disk.Contains(Point(0, 0, 0)));
    EXPECT_TRUE(disk.Contains(Point(2, 0, 0)));
    EXPECT_TRUE(disk.Contains(Point(0, -2, 0)));
    EXPECT_FALSE(disk.Contains(Point(2 + 1e-9, 0, 0)));
    EXPECT_FALSE(disk.Contains(Point(std::nextafter(2.0, 3.0), 0, 0)));
    EXPECT_TRUE(disk.Contains(Point(1, 1, 5e-12)));
    EXPECT_FALSE(disk.Contains(Point(1, 1, 1e-11)));
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
        {Vector(0, 0, -1), Vector(-1, 0, 0)},
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
        ASSERT_EQ(contour->GetArcSegments().size(), 1u);
        const ArcSegment& rim = *contour->GetArcSegments()[0];
        EXPECT_TRUE(rim.GetRadialOrientation().IsAlmostEqual(c.radialOrientation));
        EXPECT_TRUE(rim.GetPlaneNormal().IsAlmostEqual(c.normal.Normalized()));
        EXPECT_EQ(rim.GetCenter(), centre);
        EXPECT_EQ(rim.GetRadius(), 3.0);
        EXPECT_EQ(rim.GetFirstAngle().Radians(), 0.0);
        EXPECT_EQ(rim.GetSecondAngle().Radians(), 6.283185307179586);
        EXPECT_TRUE(rim.GetFirstPoint().IsAlmostEqual(centre + 3.0 * c.radialOrientation, 1e-12));
        EXPECT_EQ(contour->GetPlaneNormal(), disk.GetPlane().GetNormal());
        EXPECT_TRUE(contour->IsClosed());
        EXPECT_EQ(contour->GetWindingDirection(), CounterClockwise);
    }
}

TEST(Disk, CloneAndEquality)
{
    const Disk disk(Point(1, 2, 3), 2.0, Vector(0, 0, 1));
    const std::unique_ptr<ISurface> clone(disk.Clone());
    EXPECT_NE(clone.get(), static_cast<const ISurface*>(&disk));
    EXPECT_TRUE(disk == *clone);
    EXPECT_FALSE(disk != *clone);

    EXPECT_FALSE(disk == Disk(Point(1, 2, 3 + 1e-15), 2.0, Vector(0, 0, 1)));
    EXPECT_FALSE(disk == Disk(Point(1, 2, 3), 2.0 + 1e-15, Vector(0, 0, 1)));
    EXPECT_FALSE(disk == Disk(Point(1, 2, 3), 2.0, Vector(0, 0, -1)));
    // The normal is compared after normalisation.
    EXPECT_TRUE(disk == Disk(Point(1, 2, 3), 2.0, Vector(0, 0, 7)));

    const OtherFlatSurface other;
    EXPECT_FALSE(Disk(Point(0, 0, 0), 1.0, Vector(0, 0, 1)) == other);
    EXPECT_TRUE(Disk(Point(0, 0, 0), 1.0, Vector(0, 0, 1)) != other);
}

TEST(Disk, IntersectionIsBoundedByTheRim)
{
    const Disk disk(Point(0, 0, 0), 2.0, Vector(0, 0, 1));
    const Intersection atRim = disk.GetIntersection(Line(Point(2, 0, 5), Vector(0, 0, -1)));
    ASSERT_EQ(atRim.GetPoints().size(), 1u);
    EXPECT_EQ(atRim.GetPoints()[0], Point(2, 0, 0));
    EXPECT_TRUE(disk.GetIntersection(Line(Point(2.5, 0, 5), Vector(0, 0, -1))).GetPoints().empty());

    const Intersection inPlane = disk.GetIntersection(Line(Point(5, 5, 0), Vector(1, 0, 0)));
    EXPECT_TRUE(inPlane.IsInfinite());
    EXPECT_TRUE(inPlane.GetPoints().empty());

    // The segment overload stays reachable on the concrete class.
    EXPECT_TRUE(disk.GetIntersection(LineSegment(Point(1, 1, 1), Point(1, 1, 3))).GetPoints().empty());
    EXPECT_EQ(disk.GetIntersection(LineSegment(Point(1, 1, -1), Point(1, 1, 3))).GetPoints().size(), 1u);
}
