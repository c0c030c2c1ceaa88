#include "ArcSegment.h"
#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Tessam::Geometry3D;

namespace
{

// An arc of the circle of the given radius about `centre` in a plane z = const, angles from +x.
ArcSegment Arc(double first, double second, double radius = 2.0, const Point& centre = Point(0, 0, 0))
{
    return ArcSegment(centre, radius, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(first),
                      Angle::FromRadians(second));
}

} // namespace

TEST(ArcSegment, QuarterArcMeasuresContainsAndTangents)
{
    const ArcSegment arc(Point(0, 0, 0), 2.0, Vector(0, 0, 5), Vector(3, 0, 0), Angle::FromRadians(0.0),
                         Angle::FromRadians(HalfPi));
    EXPECT_EQ(arc.GetPlaneNormal(), Vector(0, 0, 1));
    EXPECT_EQ(arc.GetRadialOrientation(), Vector(1, 0, 0));
    EXPECT_EQ(arc.GetFirstPoint(), Point(2, 0, 0));
    ExpectNear(arc.GetSecondPoint(), Point(0, 2, 0), 1e-12);
    EXPECT_DOUBLE_EQ(arc.Length(), Pi);
    ExpectNear(arc.GetMiddlePoint(), Point(std::sqrt(2.0), std::sqrt(2.0), 0), 1e-12);
    // Unit length whatever the radius, counter-clockwise about +z.
    EXPECT_EQ(arc.GetTangent(Point(2, 0, 0)), Vector(0, 1, 0));
    EXPECT_EQ(arc.GetTangent(Point(0, 2, 0)), Vector(-1, 0, 0));
    ExpectRejections({
        {"ArcSegment::ArcSegment : Point is not", [&] { arc.GetTangent(Point(-2, 0, 0)); }},
    });

    // Both ends are in; the radius is compared within 1e-11, relatively.
    EXPECT_TRUE(arc.Contains(Point(0, 2, 0)));
    EXPECT_TRUE(arc.Contains(Point(2 + 5e-12, 0, 0)));
    EXPECT_FALSE(arc.Contains(Point(2 + 3e-11, 0, 0)));
    EXPECT_FALSE(arc.Contains(Point(0, -2, 0)));
}

TEST(ArcSegment, AnglesAreReducedAndMayRunThroughZero)
{
    const ArcSegment throughZero = Arc(-HalfPi, HalfPi);
    EXPECT_DOUBLE_EQ(throughZero.GetFirstAngle().Radians(), 3 * HalfPi);
    EXPECT_DOUBLE_EQ(throughZero.GetSecondAngle().Radians(), 5 * HalfPi);
    EXPECT_TRUE(throughZero.Contains(Point(0, 2, 0)));
    EXPECT_FALSE(throughZero.Contains(Point(-2, 0, 0)));
    ExpectNear(throughZero.GetMiddlePoint(), Point(2, 0, 0), 1e-12);

    // A second angle below the first goes the long way round.
    const ArcSegment longWay = Arc(HalfPi, 0.0);
    EXPECT_EQ(longWay.GetSecondAngle().Radians(), 2 * Pi);
    EXPECT_TRUE(longWay.Contains(Point(0, -2, 0)));
    EXPECT_FALSE(longWay.Contains(Point(std::sqrt(2.0), std::sqrt(2.0), 0)));

    // Equal angles, however written, make the full circle.
    const ArcSegment circle = Arc(0.0, -2 * Pi, 3.0, Point(1, 1, 1));
    EXPECT_EQ(circle.GetSecondAngle().Radians() - circle.GetFirstAngle().Radians(), 2 * Pi);
    EXPECT_DOUBLE_EQ(circle.Length(), 6 * Pi);
    ExpectNear(circle.GetSecondPoint(), circle.GetFirstPoint(), 1e-12);

    // Seen from below, +y lies a quarter turn clockwise from +x.
    const ArcSegment downwards(Point(0, 0, 0), 1.0, Vector(0, 0, -1), Vector(1, 0, 0),
                               Angle::FromRadians(0.0), Angle::FromRadians(HalfPi));
    ExpectNear(downwards.GetSecondPoint(), Point(0, -1, 0), 1e-12);
    EXPECT_FALSE(downwards.Contains(Point(std::sqrt(0.5), std::sqrt(0.5), 0)));
}

TEST(ArcSegment, ConstructorChecksRunInOrder)
{
    const Point o(0, 0, 0);
    const Vector z(0, 0, 1);
    const Vector x(1, 0, 0);
    const Vector null(0, 0, 0);
    const Angle a = Angle::FromRadians(1.0);
    ExpectRejections({
        {"ArcSegment::ArcSegment : Radius must be", [&] { ArcSegment(o, 0.0, null, null, a, a); }},
        {"ArcSegment::ArcSegment : Plane normal is", [&] { ArcSegment(o, 1.0, null, null, a, a); }},
        {"ArcSegment::ArcSegment : RadialOrientation is a", [&] { ArcSegment(o, 1.0, z, null, a, a); }},
        {"ArcSegment::ArcSegment : Plane normal and",
         [&] { ArcSegment(o, 1.0, z, Vector(1, 0, 1e-3), a, a); }},
    });
    // Orthogonality is judged on the normalised vectors.
    EXPECT_NO_THROW(ArcSegment(o, 1.0, Vector(0, 0, 1e6), Vector(1e6, 0, 1e-6), a, a));

    const Point offRadius(1 + 1e-9, 0, 0);
    const Point offPlane(0, 1, 1e-9);
    ExpectRejections({
        {"ArcSegment::ArcSegment : RadialOrientation is a",
         [&] { ArcSegment(o, 1.0, z, null, offRadius, offRadius); }},
        {"ArcSegment::ArcSegment : First point in", [&] { ArcSegment(o, 1.0, z, x, offPlane, offRadius); }},
        {"ArcSegment::ArcSegment : Second point in",
         [&] { ArcSegment(o, 1.0, z, x, Point(1, 0, 0), offRadius); }},
    });
    EXPECT_NO_THROW(ArcSegment(o, 1e6, z, x, Point(1e6 + 1e-6, 0, 0), Point(0, 1e6, 0)));
}

TEST(ArcSegment, PointConstructorKeepsThePointsAndDerivesTheAngles)
{
    const Point centre(1, 1, 0);
    const Point top(1, 2, 0);
    const Point bottom(1, 0, 0);
    const ArcSegment left(centre, 1.0, Vector(0, 0, 1), Vector(1, 0, 0), top, bottom);
    EXPECT_EQ(left.GetFirstAngle().Radians(), HalfPi);
    EXPECT_EQ(left.GetSecondAngle().Radians(), 2 * Pi - HalfPi);
    EXPECT_EQ(left.GetSecondPoint(), bottom);

    const ArcSegment right(centre, 1.0, Vector(0, 0, 1), Vector(1, 0, 0), bottom, top);
    EXPECT_DOUBLE_EQ(right.GetSecondAngle().Radians(), 5 * HalfPi);
    EXPECT_TRUE(right.Contains(Point(2, 1, 0)));

    // About -z, +y is three quarters of a turn from +x.
    const ArcSegment downwards(centre, 1.0, Vector(0, 0, -1), Vector(1, 0, 0), Point(2, 1, 0), top);
    EXPECT_EQ(downwards.GetSecondAngle().Radians(), 2 * Pi - HalfPi);
}

TEST(ArcSegment, InverseAndEquality)
{
    const ArcSegment arc = Arc(0.0, HalfPi);
    const std::unique_ptr<ISegment> inverse(arc.Inverse());
    const auto& inverseArc = dynamic_cast<const ArcSegment&>(*inverse);
    EXPECT_EQ(inverseArc.GetPlaneNormal(), Vector(0, 0, -1));
    EXPECT_DOUBLE_EQ(inverseArc.GetFirstAngle().Radians(), 3 * HalfPi);
    EXPECT_EQ(inverseArc.GetSecondAngle().Radians(), 2 * Pi);
    ExpectNear(inverseArc.GetFirstPoint(), Point(0, 2, 0), 1e-12);
    ExpectNear(inverseArc.GetSecondPoint(), Point(2, 0, 0), 1e-12);
    EXPECT_TRUE(inverseArc.Contains(Point(std::sqrt(2.0), std::sqrt(2.0), 0)));
    EXPECT_EQ(inverseArc.GetTangent(Point(2, 0, 0)), Vector(0, -1, 0));

    EXPECT_FALSE(arc == *inverse);
    EXPECT_TRUE(arc == Arc(0.0, HalfPi));
    EXPECT_FALSE(arc == Arc(0.0, HalfPi, 2.0 + 1e-15));
    EXPECT_FALSE(arc == Arc(1e-15, HalfPi));
    EXPECT_FALSE(arc == LineSegment(Point(2, 0, 0), Point(0, 2, 0)));
}

TEST(ArcSegment, IntersectionWithALineSegment)
{
    const ArcSegment quarter = Arc(0.0, HalfPi);
    const ArcSegment circle = Arc(0.0, 0.0);
    const LineSegment diameter(Point(-3, 0, 0), Point(3, 0, 0));
    const Intersection one = quarter.Intersect(diameter);
    ASSERT_EQ(one.GetPoints().size(), 1u);
    EXPECT_EQ(one.GetPoints()[0], Point(2, 0, 0));
    EXPECT_FALSE(one.IsInfinite());

    // In the order of travel along the segment; a line segment hands the work to the arc.
    for (const Intersection& two : {circle.Intersect(diameter), diameter.Intersect(circle)})
    {
        ASSERT_EQ(two.GetPoints().size(), 2u);
        EXPECT_EQ(two.GetPoints()[0], Point(-2, 0, 0));
        EXPECT_EQ(two.GetPoints()[1], Point(2, 0, 0));
    }
    const Intersection backwards = circle.Intersect(LineSegment(Point(3, 0, 0), Point(-3, 0, 0)));
    ASSERT_EQ(backwards.GetPoints().size(), 2u);
    EXPECT_EQ(backwards.GetPoints()[0], Point(2, 0, 0));

    const Intersection tangent = circle.Intersect(LineSegment(Point(-3, 2, 0), Point(3, 2, 0)));
    ASSERT_EQ(tangent.GetPoints().size(), 1u);
    EXPECT_EQ(tangent.GetPoints()[0], Point(0, 2, 0));
    // 1e-13 outside, the discriminant is about -1.6e-12: below zero but
    // within its tolerance, which an arc reads as a touch (a mantle, as a
    // miss); ten times farther out it misses.
    const Intersection grazing =
        circle.Intersect(LineSegment(Point(-3, 2 + 1e-13, 0), Point(3, 2 + 1e-13, 0)));
    ASSERT_EQ(grazing.GetPoints().size(), 1u);
    ExpectNear(grazing.GetPoints()[0], Point(0, 2, 0), 1e-12);
    EXPECT_TRUE(
        circle.Intersect(LineSegment(Point(-3, 2 + 1e-12, 0), Point(3, 2 + 1e-12, 0))).GetPoints().empty());

    // Crossing the plane: on the arc; inside the disk; off the arc; beyond the segment.
    const Intersection crossing = quarter.Intersect(LineSegment(Point(2, 0, -1), Point(2, 0, 1)));
    ASSERT_EQ(crossing.GetPoints().size(), 1u);
    EXPECT_EQ(crossing.GetPoints()[0], Point(2, 0, 0));
    EXPECT_TRUE(quarter.Intersect(LineSegment(Point(1, 0, -1), Point(1, 0, 1))).GetPoints().empty());
    EXPECT_TRUE(quarter.Intersect(LineSegment(Point(-2, 0, -1), Point(-2, 0, 1))).GetPoints().empty());
    EXPECT_TRUE(quarter.Intersect(LineSegment(Point(2, 0, 1), Point(2, 0, 3))).GetPoints().empty());
}

TEST(ArcSegment, IntersectionWithAnArc)
{
    const ArcSegment unit = Arc(0.0, 0.0, 1.0);
    const Intersection same = unit.Intersect(Arc(0.0, 0.0, 1.0));
    EXPECT_TRUE(same.IsInfinite());
    EXPECT_TRUE(same.GetPoints().empty());
    const Intersection touching = unit.Intersect(Arc(0.0, 0.0, 1.0, Point(2, 0, 0)));
    ASSERT_EQ(touching.GetPoints().size(), 1u);
    EXPECT_EQ(touching.GetPoints()[0], Point(1, 0, 0));

    const ArcSegment big = Arc(0.0, 0.0, 2.0);
    const ArcSegment small = Arc(0.0, 0.0, 1.0, Point(1, 0, 0));
    for (const Intersection& inner : {big.Intersect(small), small.Intersect(big)})
    {
        ASSERT_EQ(inner.GetPoints().size(), 1u);
        EXPECT_EQ(inner.GetPoints()[0], Point(2, 0, 0));
    }

    // The crossing to the left of the line of centres comes first.
    const ArcSegment shifted = Arc(0.0, 0.0, 2.0, Point(2, 0, 0));
    const Intersection crossing = big.Intersect(shifted);
    ASSERT_EQ(crossing.GetPoints().size(), 2u);
    ExpectNear(crossing.GetPoints()[0], Point(1, std::sqrt(3.0), 0), 1e-12);
    ExpectNear(crossing.GetPoints()[1], Point(1, -std::sqrt(3.0), 0), 1e-12);
    // Radii 3 and 4 with centres 5 apart cross at (1.8, +-2.4); the height comes out as the double
    // nearest 2.4 only when k^2 d^2 is taken as the product of the two squares.
    const Intersection rightAngled = Arc(0.0, 0.0, 3.0).Intersect(Arc(0.0, 0.0, 4.0, Point(5, 0, 0)));
    ASSERT_EQ(rightAngled.GetPoints().size(), 2u);
    EXPECT_EQ(rightAngled.GetPoints()[0].Y(), 2.4);
    EXPECT_EQ(rightAngled.GetPoints()[1].Y(), -2.4);
    const Intersection onQuarter = Arc(0.0, HalfPi).Intersect(shifted);
    ASSERT_EQ(onQuarter.GetPoints().size(), 1u);
    ExpectNear(onQuarter.GetPoints()[0], Point(1, std::sqrt(3.0), 0), 1e-12);

    // Arcs of one circle share a stretch when an end of one lies on the other.
    EXPECT_FALSE(Arc(0.0, HalfPi).Intersect(Arc(Pi, 3 * HalfPi)).IsInfinite());
    EXPECT_TRUE(Arc(0.0, HalfPi).Intersect(Arc(HalfPi / 2, Pi)).IsInfinite());

    // The circle of radius 1 about (2, 0, 1) in the plane y = 0 touches z = 0 at (2, 0, 0).
    const ArcSegment standing(Point(2, 0, 1), 1.0, Vector(0, 1, 0), Vector(1, 0, 0), Angle::FromRadians(0.0),
                              Angle::FromRadians(0.0));
    const Intersection fromAbove = big.Intersect(standing);
    ASSERT_EQ(fromAbove.GetPoints().size(), 1u);
    EXPECT_EQ(fromAbove.GetPoints()[0], Point(2, 0, 0));
}
