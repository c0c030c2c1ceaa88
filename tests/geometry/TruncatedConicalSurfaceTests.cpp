#include "ArcSegment.h"
#include "ConicalSurface.h"
#include "LineSegment.h"
#include "Quoria.h"
#include "TruncatedConicalSurface.h"

#include <gtest/gtest.h>

#include <cmath>
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

TruncatedConicalSurface Full(double radiusBase, double radiusTop, double truncatedHeight)
{
    return TruncatedConicalSurface(Point(0, 0, 0), radiusBase, radiusTop, truncatedHeight, Vector(0, 0, 1),
                                   true);
}

// Base radius 2, top radius 1, truncated height 1: the whole cone is 2 high,
// so the mantle x^2 + y^2 = z^2 is kept for 1 <= z <= 2.
TruncatedConicalSurface Frustum(bool outwardNormal = true)
{
    return TruncatedConicalSurface(Point(0, 0, 0), 2.0, 1.0, 1.0, Vector(0, 0, 1), outwardNormal);
}

TruncatedConicalSurface Band(double firstAngle, double lastAngle)
{
    return TruncatedConicalSurface(Point(0, 0, 0), 2.0, 1.0, 1.0, Vector(0, 0, 1), Vector(1, 0, 0),
                                   Angle::FromRadians(firstAngle), Angle::FromRadians(lastAngle), true);
}
} // namespace

TEST(TruncatedConicalSurface, TheConeValidatesFirstOnTheDerivedHeight)
{
    const std::string coneRadius = "ConicalSurface::ConicalSurface : Radius of the base must be positive.";
    const std::string coneHeight = "ConicalSurface::ConicalSurface : Height must be positive.";
    const std::string top =
        "TruncatedConicalSurface::TruncatedConicalSurface : Radius top is smaller or equal to 0.";
    const std::string base =
        "TruncatedConicalSurface::TruncatedConicalSurface : Radius base is smaller or equal to radius top.";

    EXPECT_EQ(MessageOf([] { Full(0.0, -1.0, 1.0); }), coneRadius);
    EXPECT_EQ(MessageOf([] { Full(2.0, 1.0, 0.0); }), coneHeight);
    EXPECT_EQ(MessageOf([] { Full(2.0, 1.0, -1.0); }), coneHeight);
    // A top wider than the base gives a negative cone height...
    EXPECT_EQ(MessageOf([] { Full(1.0, 2.0, 1.0); }), coneHeight);
    // ...unless the truncated height is negative too.
    EXPECT_EQ(MessageOf([] { Full(1.0, 2.0, -1.0); }), base);
    // Equal radii give an infinite cone, which the cone accepts.
    EXPECT_EQ(MessageOf([] { Full(2.0, 2.0, 1.0); }), base);
    EXPECT_EQ(MessageOf([] { Full(2.0, 0.0, 1.0); }), top);
    EXPECT_EQ(MessageOf([] { Full(2.0, -1.0, 1.0); }), top);
    EXPECT_EQ(MessageOf([] { TruncatedConicalSurface(Point(), 2.0, 1.0, 1.0, Vector(), true); }),
              "ConicalSurface::ConicalSurface : Orientation is a null vector.");
}

TEST(TruncatedConicalSurface, TheBandValidatesAfterTheFullRevolution)
{
    const Vector z(0, 0, 1);
    const Angle zero = Angle::FromRadians(0.0);
    EXPECT_EQ(
        MessageOf([&] { TruncatedConicalSurface(Point(), 2.0, 0.0, 1.0, z, Vector(), zero, zero, true); }),
        "TruncatedConicalSurface::TruncatedConicalSurface : Radius top is smaller or equal to 0.");
    EXPECT_EQ(
        MessageOf([&] { TruncatedConicalSurface(Point(), 2.0, 1.0, 1.0, z, Vector(), zero, zero, true); }),
        "TruncatedConicalSurface::TruncatedConicalSurface : Radial orientation is a null vector.");
    EXPECT_EQ(
        MessageOf(
            [&]
            { TruncatedConicalSurface(Point(), 2.0, 1.0, 1.0, z, Vector(1e6, 0, 1e-6), zero, zero, true); }),
        "TruncatedConicalSurface::TruncatedConicalSurface : Orientation and radial orientation are not "
        "orthogonal.");
}

TEST(TruncatedConicalSurface, DerivedGeometryAndUndefinedBandOfAFullRevolution)
{
    const TruncatedConicalSurface frustum = Frustum();
    EXPECT_EQ(frustum.GetHeight(), 2.0);
    EXPECT_EQ(frustum.GetRadius(), 2.0);
    EXPECT_EQ(frustum.GetRadiusTop(), 1.0);
    EXPECT_EQ(frustum.GetTruncatedHeight(), 1.0);
    EXPECT_DOUBLE_EQ(frustum.GetHalfAngle().Radians(), Pi / 4);
    EXPECT_EQ(MessageOf([&] { frustum.GetRadialOrientation(); }),
              "TruncatedConicalSurface::TruncatedConicalSurface : Radial orientation was not defined.");
    EXPECT_EQ(MessageOf([&] { frustum.GetFirstAngle(); }),
              "TruncatedConicalSurface::TruncatedConicalSurface : First angle was not defined.");
    EXPECT_EQ(MessageOf([&] { frustum.GetLastAngle(); }),
              "TruncatedConicalSurface::TruncatedConicalSurface : Last angle was not defined.");

    const TruncatedConicalSurface band(Point(), 2.0, 1.0, 1.0, Vector(0, 0, 1), Vector(0, 4, 0),
                                       Angle::FromRadians(-Pi / 2), Angle::FromRadians(7.0), true);
    EXPECT_EQ(band.GetRadialOrientation(), Vector(0, 1, 0));
    EXPECT_DOUBLE_EQ(band.GetFirstAngle().Radians(), 3 * Pi / 2);
    EXPECT_DOUBLE_EQ(band.GetLastAngle().Radians(), 7.0 - 2 * Pi);
}

TEST(TruncatedConicalSurface, ContainsTheConeBetweenBothCirclesInclusive)
{
    const TruncatedConicalSurface frustum = Frustum();
    EXPECT_TRUE(frustum.Contains(Point(1.5, 0, 1.5)));
    EXPECT_TRUE(frustum.Contains(Point(0, -1, 1)));
    EXPECT_TRUE(frustum.Contains(Point(2, 0, 2)));
    EXPECT_FALSE(frustum.Contains(Point(0.5, 0, 0.5)));
    EXPECT_FALSE(frustum.Contains(Point(0, 0, 0)));
    EXPECT_FALSE(frustum.Contains(Point(2.5, 0, 2.5)));

    const TruncatedConicalSurface wrapping = Band(-Pi / 2, Pi / 2);
    EXPECT_TRUE(wrapping.Contains(Point(1.5, 0, 1.5)));
    EXPECT_TRUE(wrapping.Contains(Point(0, 1.5, 1.5)));
    EXPECT_TRUE(wrapping.Contains(Point(0, -1.5, 1.5)));
    EXPECT_FALSE(wrapping.Contains(Point(-1.5, 0, 1.5)));
    EXPECT_FALSE(wrapping.Contains(Point(0.5, 0, 0.5)));
}

TEST(TruncatedConicalSurface, NormalOnlyOnTheSurface)
{
    const double s = std::sqrt(0.5);
    EXPECT_TRUE(Frustum().GetNormal(Point(1.5, 0, 1.5)).IsAlmostEqual(Vector(s, 0, -s)));
    EXPECT_TRUE(Frustum(false).GetNormal(Point(1.5, 0, 1.5)).IsAlmostEqual(Vector(-s, 0, s)));
    // On the cone but above the top circle: the frustum's own message.
    EXPECT_EQ(MessageOf([] { Frustum().GetNormal(Point(0.5, 0, 0.5)); }),
              "TruncatedConicalSurface::GetNormal : Point is not contained in truncated conical surface.");
    EXPECT_EQ(MessageOf([] { Band(-Pi / 2, Pi / 2).GetNormal(Point(-1.5, 0, 1.5)); }),
              "TruncatedConicalSurface::GetNormal : Point is not contained in truncated conical surface.");
}

TEST(TruncatedConicalSurface, LineIntersectionKeepsTheConePointsOnTheSurfaceInOrder)
{
    const Intersection across = Frustum().GetIntersection(Line(Point(-5, 0, 1.5), Vector(1, 0, 0)));
    ASSERT_EQ(across.GetPoints().size(), 2u);
    ExpectPointNear(across.GetPoints()[0], Point(-1.5, 0, 1.5));
    ExpectPointNear(across.GetPoints()[1], Point(1.5, 0, 1.5));

    EXPECT_TRUE(Frustum().GetIntersection(Line(Point(-5, 0, 0.5), Vector(1, 0, 0))).GetPoints().empty());

    const Intersection half = Band(-Pi / 2, Pi / 2).GetIntersection(Line(Point(-5, 0, 1.5), Vector(1, 0, 0)));
    ASSERT_EQ(half.GetPoints().size(), 1u);
    ExpectPointNear(half.GetPoints()[0], Point(1.5, 0, 1.5));

    const Intersection generatrix = Frustum().GetIntersection(Line(Point(0, 0, 0), Vector(-1, 0, 1)));
    EXPECT_TRUE(generatrix.IsInfinite());
    EXPECT_TRUE(generatrix.GetPoints().empty());

    const Intersection segment = Frustum().GetIntersection(LineSegment(Point(0, 0, 1.5), Point(5, 0, 1.5)));
    ASSERT_EQ(segment.GetPoints().size(), 1u);
    ExpectPointNear(segment.GetPoints()[0], Point(1.5, 0, 1.5));
}

TEST(TruncatedConicalSurface, ContourOfTheFullRevolutionIsBaseThenTopCircle)
{
    const std::unique_ptr<IContour> contour(Frustum().GetContour());
    const std::vector<const ArcSegment*> arcs = contour->GetArcSegments();
    ASSERT_EQ(contour->GetSegments().size(), 2u);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_FALSE(contour->IsOriented());
    EXPECT_EQ(arcs[0]->GetCenter(), Point(0, 0, 2));
    EXPECT_EQ(arcs[0]->GetRadius(), 2.0);
    EXPECT_EQ(arcs[0]->GetPlaneNormal(), Vector(0, 0, 1));
    EXPECT_EQ(arcs[1]->GetCenter(), Point(0, 0, 1));
    EXPECT_EQ(arcs[1]->GetRadius(), 1.0);
    EXPECT_EQ(arcs[1]->GetPlaneNormal(), Vector(0, 0, -1));
}

TEST(TruncatedConicalSurface, ContourOfABandIsAClosedChain)
{
    const std::unique_ptr<IContour> contour(Band(0.0, Pi / 2).GetContour());
    const std::vector<const ISegment*> segments = contour->GetSegments();
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_TRUE(contour->IsClosed());
    EXPECT_FALSE(contour->IsOriented());
    const auto* base = dynamic_cast<const ArcSegment*>(segments[0]);
    const auto* top = dynamic_cast<const ArcSegment*>(segments[2]);
    ASSERT_TRUE(base && dynamic_cast<const LineSegment*>(segments[1]) && top &&
                dynamic_cast<const LineSegment*>(segments[3]));
    ExpectPointNear(base->GetFirstPoint(), Point(2, 0, 2));
    ExpectPointNear(base->GetSecondPoint(), Point(0, 2, 2));
    ExpectPointNear(segments[1]->GetSecondPoint(), Point(0, 1, 1));
    EXPECT_EQ(top->GetPlaneNormal(), Vector(0, 0, -1));
    ExpectPointNear(top->GetFirstPoint(), Point(0, 1, 1));
    ExpectPointNear(top->GetSecondPoint(), Point(1, 0, 1));
    ExpectPointNear(segments[3]->GetSecondPoint(), Point(2, 0, 2));
}

TEST(TruncatedConicalSurface, ClonesKeepTheirKindAndCompareEqual)
{
    const TruncatedConicalSurface frustum = Frustum();
    const std::unique_ptr<ISurface> fullClone(frustum.Clone());
    EXPECT_TRUE(frustum == *fullClone);
    EXPECT_THROW(dynamic_cast<TruncatedConicalSurface&>(*fullClone).GetFirstAngle(), std::invalid_argument);

    const TruncatedConicalSurface band = Band(7.0, -1.0);
    const std::unique_ptr<ISurface> bandClone(band.Clone());
    EXPECT_TRUE(band == *bandClone);
    EXPECT_FALSE(band != *bandClone);

    EXPECT_TRUE(frustum != Band(0.0, 0.0));
    EXPECT_TRUE(Band(0.0, 1.0) != Band(0.0, 1.5));
    EXPECT_TRUE(frustum != Frustum(false));
    EXPECT_TRUE(frustum != Full(2.0, 1.5, 1.0));
    EXPECT_TRUE(frustum != Full(3.0, 1.0, 1.0));
    EXPECT_TRUE(frustum != ConicalSurface(Point(0, 0, 0), 2.0, 2.0, Vector(0, 0, 1), true));
}
