#include "ArcSegment.h"
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

const double Pi = 3.141592653589793;
const double HalfPi = 1.5707963267948966;

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

void ExpectNear(const Point& actual, const Point& expected)
{
    EXPECT_NEAR(actual.X(), expected.X(), 1e-12);
    EXPECT_NEAR(actual.Y(), expected.Y(), 1e-12);
    EXPECT_NEAR(actual.Z(), expected.Z(), 1e-12);
}

// The quarter of the circle of radius 2 about the origin in z = 0, from +x to +y.
ArcSegment QuarterArc()
{
    return ArcSegment(Point(0, 0, 0), 2.0, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(0.0),
                      Angle::FromRadians(HalfPi));
}

ArcSegment FullCircle(const Point& centre, double radius)
{
    return ArcSegment(centre, radius, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(0.0),
                      Angle::FromRadians(0.0));
}

} // namespace

TEST(ArcSegment, QuarterArcMeasuresAndTangents)
{
    // Unnormalised normal and radial orientation are stored as unit vectors.
    const ArcSegment arc(Point(0, 0, 0), 2.0, Vector(0, 0, 5), Vector(3, 0, 0), Angle::FromRadians(0.0),
                         Angle::FromRadians(HalfPi));
    EXPECT_EQ(arc.GetPlaneNormal(), Vector(0, 0, 1));
    EXPECT_EQ(arc.GetRadialOrientation(), Vector(1, 0, 0));
    EXPECT_EQ(arc.GetFirstPoint(), Point(2, 0, 0));
    ExpectNear(arc.GetSecondPoint(), Point(0, 2, 0));
    EXPECT_DOUBLE_EQ(arc.Length(), Pi);
    ExpectNear(arc.GetMiddlePoint(), Point(std::sqrt(2.0), std::sqrt(2.0), 0));

    // Counter-clockwise about +z, unit length whatever the radius.
    EXPECT_EQ(arc.GetTangent(Point(2, 0, 0)), Vector(0, 1, 0));
    EXPECT_EQ(arc.GetTangent(Point(0, 2, 0)), Vector(-1, 0, 0));
    ExpectThrowsWith([&] { arc.GetTangent(Point(-2, 0, 0)); },
                     "ArcSegment::ArcSegment : Point is not contained in the segment.");

    // Both ends are in; the radius is compared within 1e-11, relatively.
    EXPECT_TRUE(arc.Contains(Point(2, 0, 0)));
    EXPECT_TRUE(arc.Contains(Point(0, 2, 0)));
    EXPECT_TRUE(arc.Contains(Point(2 + 5e-12, 0, 0)));
    EXPECT_FALSE(arc.Contains(Point(2 + 3e-11, 0, 0)));
    EXPECT_FALSE(arc.Contains(Point(0, -2, 0)));
    EXPECT_FALSE(arc.Contains(Point(-2, 0, 0)));
    EXPECT_FALSE(arc.Contains(Point(1, 1, 0)));
}

TEST(ArcSegment, AnglesAreReducedAndMayRunThroughZero)
{
    const ArcSegment throughZero(Point(0, 0, 0), 2.0, Vector(0, 0, 1), Vector(1, 0, 0),
                                 Angle::FromRadians(-HalfPi), Angle::FromRadians(HalfPi));
    EXPECT_EQ(throughZero.GetFirstAngle().Radians(), 3 * HalfPi);
    EXPECT_DOUBLE_EQ(throughZero.GetSecondAngle().Radians(), 5 * HalfPi);
    EXPECT_TRUE(throughZero.Contains(Point(2, 0, 0)));
    EXPECT_TRUE(throughZero.Contains(Point(0, -2, 0)));
    EXPECT_TRUE(throughZero.Contains(Point(0, 2, 0)));
    EXPECT_FALSE(throughZero.Contains(Point(-2, 0, 0)));
    EXPECT_DOUBLE_EQ(throughZero.Length(), 2 * Pi);
    ExpectNear(throughZero.GetMiddlePoint(), Point(2, 0, 0));

    // A second angle below the first: the arc goes the long way round.
    const ArcSegment longWay(Point(0, 0, 0), 2.0, Vector(0, 0, 1), Vector(1, 0, 0),
                             Angle::FromRadians(HalfPi), Angle::FromRadians(0.0));
    EXPECT_EQ(longWay.GetSecondAngle().Radians(), 6.283185307179586);
    EXPECT_TRUE(longWay.Contains(Point(-2, 0, 0)));
    EXPECT_TRUE(longWay.Contains(Point(0, -2, 0)));
    EXPECT_FALSE(longWay.Contains(Point(std::sqrt(2.0), std::sqrt(2.0), 0)));

    const ArcSegment beyondTwoPi(Point(0, 0, 0), 1.0, Vector(0, 0, 1), Vector(1, 0, 0),
                                 Angle::FromRadians(7.0), Angle::FromRadians(8.0));
    EXPECT_NEAR(beyondTwoPi.GetFirstAngle().Radians(), 7.0 - 2 * Pi, 1e-15);
    EXPECT_NEAR(beyondTwoPi.GetSecondAngle().Radians(), 8.0 - 2 * Pi, 1e-15);

    // Equal angles, however written, make the full circle.
    for (const double second : {0.0, 2 * Pi, -2 * Pi})
    {
        const ArcSegment circle(Point(1, 1, 1), 3.0, Vector(0, 0, 1), Vector(1, 0, 0),
                                Angle::FromRadians(0.0), Angle::FromRadians(second));
        EXPECT_EQ(circle.GetSecondAngle().Radians() - circle.GetFirstAngle().Radians(), 2 * Pi);
        EXPECT_DOUBLE_EQ(circle.Length(), 6 * Pi);
        ExpectNear(circle.GetSecondPoint(), circle.GetFirstPoint());
        EXPECT_TRUE(circle.Contains(Point(1, -2, 1)));
    }
}

TEST(ArcSegment, AnglesFollowTheRightHandRuleAboutTheNormal)
{
    // Seen from below, +y lies a quarter turn clockwise from +x.
    const ArcSegment downwards(Point(0, 0, 0), 1.0, Vector(0, 0, -1), Vector(1, 0, 0),
                               Angle::FromRadians(0.0), Angle::FromRadians(HalfPi));
    ExpectNear(downwards.GetSecondPoint(), Point(0, -1, 0));
    EXPECT_TRUE(downwards.Contains(Point(std::sqrt(0.5), -std::sqrt(0.5), 0)));
    EXPECT_FALSE(downwards.Contains(Point(std::sqrt(0.5), std::sqrt(0.5), 0)));
}

TEST(ArcSegment, ConstructorChecksRunInOrder)
{
    const Point o(0, 0, 0);
    const Vector z(0, 0, 1);
    const Vector x(1, 0, 0);
    const Vector null(0, 0, 0);
    const Angle a0 = Angle::FromRadians(0.0);
    const Angle a1 = Angle::FromRadians(1.0);

    ExpectThrowsWith([&] { ArcSegment(o, 0.0, null, null, a0, a1); },
                     "ArcSegment::ArcSegment : Radius must be positive.");
    ExpectThrowsWith([&] { ArcSegment(o, -1.0, z, x, a0, a1); },
                     "ArcSegment::ArcSegment : Radius must be positive.");
    ExpectThrowsWith([&] { ArcSegment(o, 1.0, null, null, a0, a1); },
                     "ArcSegment::ArcSegment : Plane normal is a null vector.");
    ExpectThrowsWith([&] { ArcSegment(o, 1.0, z, null, a0, a1); },
                     "ArcSegment::ArcSegment : RadialOrientation is a null vector.");
    ExpectThrowsWith([&] { ArcSegment(o, 1.0, z, Vector(1, 0, 1e-3), a0, a1); },
                     "ArcSegment::ArcSegment : Plane normal and radial orientation are not orthogonal.");
    // Orthogonality is judged on the normalised vectors.
    EXPECT_NO_THROW(ArcSegment(o, 1.0, Vector(0, 0, 1e6), Vector(1e6, 0, 1e-6), a0, a1));

    // The point constructor checks the circle first, then the first point, then the second.
    const Point onCircle(1, 0, 0);
    const Point offRadius(1 + 1e-9, 0, 0);
    const Point offPlane(0, 1, 1e-9);
    ExpectThrowsWith([&] { ArcSegment(o, 1.0, z, x * 0.0, offRadius, offRadius); },
                     "ArcSegment::ArcSegment : RadialOrientation is a null vector.");
    ExpectThrowsWith([&] { ArcSegment(o, 1.0, z, x, offRadius, offPlane); },
                     "ArcSegment::ArcSegment : First point in not on the circle.");
    ExpectThrowsWith([&] { ArcSegment(o, 1.0, z, x, offPlane, onCircle); },
                     "ArcSegment::ArcSegment : First point in not on the circle.");
    ExpectThrowsWith([&] { ArcSegment(o, 1.0, z, x, onCircle, offPlane); },
                     "ArcSegment::ArcSegment : Second point in not on the circle.");
    // The radius is compared relatively: 1e-6 off a radius of 1e6 is on the circle.
    EXPECT_NO_THROW(ArcSegment(o, 1e6, z, x, Point(1e6 + 1e-6, 0, 0), Point(0, 1e6, 0)));
}

TEST(ArcSegment, PointConstructorKeepsThePointsAndDerivesTheAngles)
{
    const Point centre(1, 1, 0);
    const Point top(1, 2, 0);
    const Point bottom(1, 0, 0);
    const Point right(2, 1, 0);

    const ArcSegment left(centre, 1.0, Vector(0, 0, 1), Vector(1, 0, 0), top, bottom);
    EXPECT_EQ(left.GetFirstAngle().Radians(), HalfPi);
    EXPECT_EQ(left.GetSecondAngle().Radians(), 3 * HalfPi);
    EXPECT_EQ(left.GetFirstPoint(), top);
    EXPECT_EQ(left.GetSecondPoint(), bottom);
    EXPECT_TRUE(left.Contains(Point(0, 1, 0)));

    const ArcSegment throughZero(centre, 1.0, Vector(0, 0, 1), Vector(1, 0, 0), bottom, top);
    EXPECT_EQ(throughZero.GetFirstAngle().Radians(), 3 * HalfPi);
    EXPECT_DOUBLE_EQ(throughZero.GetSecondAngle().Radians(), 5 * HalfPi);
    EXPECT_TRUE(throughZero.Contains(right));

    // About -z, +y is three quarters of a turn from +x.
    const ArcSegment downwards(centre, 1.0, Vector(0, 0, -1), Vector(1, 0, 0), right, top);
    EXPECT_EQ(downwards.GetFirstAngle().Radians(), 0.0);
    EXPECT_EQ(downwards.GetSecondAngle().Radians(), 2 * Pi - HalfPi);

    const ArcSegment circle(centre, 1.0, Vector(0, 0, 1), Vector(1, 0, 0), top, top);
    EXPECT_DOUBLE_EQ(circle.Length(), 2 * Pi);
}

TEST(ArcSegment, InverseAndEquality)
{
    const ArcSegment arc = QuarterArc();
    const std::unique_ptr<ISegment> inverse(arc.Inverse());
    const auto& inverseArc = dynamic_cast<const ArcSegment&>(*inverse);
    EXPECT_EQ(inverseArc.GetPlaneNormal(), Vector(0, 0, -1));
    EXPECT_EQ(inverseArc.GetRadialOrientation(), Vector(1, 0, 0));
    EXPECT_EQ(inverseArc.GetFirstAngle().Radians(), 3 * HalfPi);
    EXPECT_EQ(inverseArc.GetSecondAngle().Radians(), 2 * Pi);
    ExpectNear(inverseArc.GetFirstPoint(), Point(0, 2, 0));
    ExpectNear(inverseArc.GetSecondPoint(), Point(2, 0, 0));
    EXPECT_TRUE(inverseArc.Contains(Point(std::sqrt(2.0), std::sqrt(2.0), 0)));
    EXPECT_FALSE(inverseArc.Contains(Point(0, -2, 0)));
    // The same curve, travelled the other way.
    EXPECT_EQ(inverseArc.GetTangent(Point(2, 0, 0)), Vector(0, -1, 0));
    EXPECT_FALSE(arc == *inverse);

    EXPECT_TRUE(arc == QuarterArc());
    const Point o(0, 0, 0);
    const Vector z(0, 0, 1);
    const Vector x(1, 0, 0);
    const Angle a0 = Angle::FromRadians(0.0);
    const Angle a1 = Angle::FromRadians(HalfPi);
    EXPECT_FALSE(arc == ArcSegment(Point(0, 0, 1e-15), 2.0, z, x, a0, a1));
    EXPECT_FALSE(arc == ArcSegment(o, 2.0 + 1e-15, z, x, a0, a1));
    EXPECT_FALSE(arc == ArcSegment(o, 2.0, Vector(0, 1e-15, 1), x, a0, a1));
    EXPECT_FALSE(arc == ArcSegment(o, 2.0, z, Vector(0, 1, 0), Angle::FromRadians(-HalfPi), a0));
    EXPECT_FALSE(arc == ArcSegment(o, 2.0, z, x, Angle::FromRadians(1e-15), a1));
    EXPECT_FALSE(arc == ArcSegment(o, 2.0, z, x, a0, Angle::FromRadians(HalfPi + 1e-15)));
    EXPECT_FALSE(arc == LineSegment(Point(2, 0, 0), Point(0, 2, 0)));
}

TEST(ArcSegment, IntersectionWithALineSegmentInItsPlane)
{
    const ArcSegment quarter = QuarterArc();
    const LineSegment diameter(Point(-3, 0, 0), Point(3, 0, 0));
    const Intersection one = quarter.Intersect(diameter);
    ASSERT_EQ(one.GetPoints().size(), 1u);
    EXPECT_EQ(one.GetPoints()[0], Point(2, 0, 0));
    EXPECT_FALSE(one.IsInfinite());

    // Points come in the order of travel along the segment.
    const ArcSegment circle = FullCircle(Point(0, 0, 0), 2.0);
    const Intersection two = circle.Intersect(diameter);
    ASSERT_EQ(two.GetPoints().size(), 2u);
    EXPECT_EQ(two.GetPoints()[0], Point(-2, 0, 0));
    EXPECT_EQ(two.GetPoints()[1], Point(2, 0, 0));
    const Intersection backwards = circle.Intersect(LineSegment(Point(3, 0, 0), Point(-3, 0, 0)));
    ASSERT_EQ(backwards.GetPoints().size(), 2u);
    EXPECT_EQ(backwards.GetPoints()[0], Point(2, 0, 0));
    EXPECT_EQ(backwards.GetPoints()[1], Point(-2, 0, 0));

    // The segment, not its line, bounds the result.
    EXPECT_EQ(circle.Intersect(LineSegment(Point(-1, 0, 0), Point(1, 0, 0))).GetPoints().size(), 0u);
    EXPECT_EQ(circle.Intersect(LineSegment(Point(0, 0, 0), Point(3, 0, 0))).GetPoints().size(), 1u);

    const Intersection tangent = circle.Intersect(LineSegment(Point(-3, 2, 0), Point(3, 2, 0)));
    ASSERT_EQ(tangent.GetPoints().size(), 1u);
    EXPECT_EQ(tangent.GetPoints()[0], Point(0, 2, 0));

    const Intersection apart = circle.Intersect(LineSegment(Point(-3, 3, 0), Point(3, 3, 0)));
    EXPECT_TRUE(apart.GetPoints().empty());
    EXPECT_FALSE(apart.IsInfinite());

    // A line segment hands the work to the arc.
    const Intersection swapped = diameter.Intersect(circle);
    ASSERT_EQ(swapped.GetPoints().size(), 2u);
    EXPECT_EQ(swapped.GetPoints()[0], Point(-2, 0, 0));
    EXPECT_EQ(swapped.GetPoints()[1], Point(2, 0, 0));
}

TEST(ArcSegment, IntersectionWithALineSegmentCrossingItsPlane)
{
    const ArcSegment quarter = QuarterArc();
    const Intersection onArc = quarter.Intersect(LineSegment(Point(2, 0, -1), Point(2, 0, 1)));
    ASSERT_EQ(onArc.GetPoints().size(), 1u);
    EXPECT_EQ(onArc.GetPoints()[0], Point(2, 0, 0));
    EXPECT_FALSE(onArc.IsInfinite());

    // Inside the disk but not on the rim; on the rim but off the arc; beyond the segment's end.
    EXPECT_TRUE(quarter.Intersect(LineSegment(Point(1, 0, -1), Point(1, 0, 1))).GetPoints().empty());
    EXPECT_TRUE(quarter.Intersect(LineSegment(Point(-2, 0, -1), Point(-2, 0, 1))).GetPoints().empty());
    EXPECT_TRUE(quarter.Intersect(LineSegment(Point(2, 0, 1), Point(2, 0, 3))).GetPoints().empty());
    // Parallel to the plane and apart from it.
    const Intersection parallel = quarter.Intersect(LineSegment(Point(-3, 0, 1), Point(3, 0, 1)));
    EXPECT_TRUE(parallel.GetPoints().empty());
    EXPECT_FALSE(parallel.IsInfinite());
}

TEST(ArcSegment, IntersectionOfCoplanarCircles)
{
    const ArcSegment unit = FullCircle(Point(0, 0, 0), 1.0);

    const Intersection same = unit.Intersect(FullCircle(Point(0, 0, 0), 1.0));
    EXPECT_TRUE(same.IsInfinite());
    EXPECT_TRUE(same.GetPoints().empty());

    const Intersection touching = unit.Intersect(FullCircle(Point(2, 0, 0), 1.0));
    ASSERT_EQ(touching.GetPoints().size(), 1u);
    EXPECT_EQ(touching.GetPoints()[0], Point(1, 0, 0));
    EXPECT_FALSE(touching.IsInfinite());

    EXPECT_TRUE(unit.Intersect(FullCircle(Point(2.5, 0, 0), 1.0)).GetPoints().empty());
    EXPECT_TRUE(unit.Intersect(FullCircle(Point(0.25, 0, 0), 0.5)).GetPoints().empty());

    // Internal tangency, whichever circle is the larger.
    const ArcSegment big = FullCircle(Point(0, 0, 0), 2.0);
    const ArcSegment small = FullCircle(Point(1, 0, 0), 1.0);
    for (const Intersection& inner : {big.Intersect(small), small.Intersect(big)})
    {
        ASSERT_EQ(inner.GetPoints().size(), 1u);
        EXPECT_EQ(inner.GetPoints()[0], Point(2, 0, 0));
    }

    // Two crossings, the one to the left of the line of centres first.
    const Intersection crossing = big.Intersect(FullCircle(Point(2, 0, 0), 2.0));
    ASSERT_EQ(crossing.GetPoints().size(), 2u);
    ExpectNear(crossing.GetPoints()[0], Point(1, std::sqrt(3.0), 0));
    ExpectNear(crossing.GetPoints()[1], Point(1, -std::sqrt(3.0), 0));

    // Only the crossing at 60 degrees lies on the quarter arc.
    const Intersection onQuarter = QuarterArc().Intersect(FullCircle(Point(2, 0, 0), 2.0));
    ASSERT_EQ(onQuarter.GetPoints().size(), 1u);
    ExpectNear(onQuarter.GetPoints()[0], Point(1, std::sqrt(3.0), 0));
}

TEST(ArcSegment, ArcsOfOneCircleShareAStretchOnlyWhenTheyOverlap)
{
    const Point o(0, 0, 0);
    const Vector z(0, 0, 1);
    const Vector x(1, 0, 0);
    const ArcSegment quarter = QuarterArc();
    const ArcSegment opposite(o, 2.0, z, x, Angle::FromRadians(Pi), Angle::FromRadians(3 * HalfPi));
    const ArcSegment overlapping(o, 2.0, z, x, Angle::FromRadians(HalfPi / 2), Angle::FromRadians(Pi));
    const ArcSegment adjoining(o, 2.0, z, x, Angle::FromRadians(HalfPi), Angle::FromRadians(Pi));

    const Intersection apart = quarter.Intersect(opposite);
    EXPECT_FALSE(apart.IsInfinite());
    EXPECT_TRUE(apart.GetPoints().empty());
    EXPECT_TRUE(quarter.Intersect(overlapping).IsInfinite());
    EXPECT_TRUE(overlapping.Intersect(quarter).IsInfinite());
    // Sharing one end is reported as a shared stretch, as for collinear line segments.
    EXPECT_TRUE(quarter.Intersect(adjoining).IsInfinite());
}

TEST(ArcSegment, IntersectionWithAnArcInAnotherPlane)
{
    // The circle of radius 1 about (2, 0, 1) in the plane y = 0 touches z = 0 at (2, 0, 0).
    const ArcSegment standing(Point(2, 0, 1), 1.0, Vector(0, 1, 0), Vector(1, 0, 0), Angle::FromRadians(0.0),
                              Angle::FromRadians(0.0));
    const Intersection touching = FullCircle(Point(0, 0, 0), 2.0).Intersect(standing);
    ASSERT_EQ(touching.GetPoints().size(), 1u);
    EXPECT_EQ(touching.GetPoints()[0], Point(2, 0, 0));

    const ArcSegment above(Point(2, 0, 1.5), 1.0, Vector(0, 1, 0), Vector(1, 0, 0), Angle::FromRadians(0.0),
                           Angle::FromRadians(0.0));
    EXPECT_TRUE(FullCircle(Point(0, 0, 0), 2.0).Intersect(above).GetPoints().empty());
}
