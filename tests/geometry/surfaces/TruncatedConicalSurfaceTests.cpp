#include "ArcSegment.h"
#include "Quoria.h"
#include "TestSupport.h"
#include "TruncatedConicalSurface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{
TruncatedConicalSurface Full(double radiusBase, double radiusTop, double truncatedHeight)
{
    return TruncatedConicalSurface(Point(0, 0, 0), radiusBase, radiusTop, truncatedHeight, Vector(0, 0, 1),
                                   true);
}

// Base radius 2, top radius 1, truncated height 1: the whole cone is 2 high,
// so the mantle x^2 + y^2 = z^2 is kept for 1 <= z <= 2.
TruncatedConicalSurface Frustum()
{
    return Full(2.0, 1.0, 1.0);
}

TruncatedConicalSurface Band(double firstAngle, double lastAngle)
{
    return TruncatedConicalSurface(Point(0, 0, 0), 2.0, 1.0, 1.0, Vector(0, 0, 1), Vector(1, 0, 0),
                                   Angle::FromRadians(firstAngle), Angle::FromRadians(lastAngle), true);
}
} // namespace

TEST(TruncatedConicalSurface, TheConeValidatesFirstOnTheDerivedHeight)
{
    const Vector z(0, 0, 1);
    const Angle zero = Angle::FromRadians(0.0);
    ExpectRejections({
        {"ConicalSurface::ConicalSurface : Radius of the", [] { Full(0.0, -1.0, 1.0); }},
        {"ConicalSurface::ConicalSurface : Height must be", [] { Full(2.0, 1.0, 0.0); }},
        // A top wider than the base gives a negative cone height, unless the
        // truncated height is negative too.
        {"ConicalSurface::ConicalSurface : Height must be", [] { Full(1.0, 2.0, 1.0); }},
        {"TruncatedConicalSurface::TruncatedConicalSurface : Radius base is", [] { Full(1.0, 2.0, -1.0); }},
        // Equal radii give an infinite cone, which the cone accepts.
        {"TruncatedConicalSurface::TruncatedConicalSurface : Radius base is", [] { Full(2.0, 2.0, 1.0); }},
        {"TruncatedConicalSurface::TruncatedConicalSurface : Radius top is", [] { Full(2.0, 0.0, 1.0); }},
        {"TruncatedConicalSurface::TruncatedConicalSurface : Radius top is",
         [&] { TruncatedConicalSurface(Point(), 2.0, 0.0, 1.0, z, Vector(), zero, zero, true); }},
        {"TruncatedConicalSurface::TruncatedConicalSurface : Radial orientation is",
         [&] { TruncatedConicalSurface(Point(), 2.0, 1.0, 1.0, z, Vector(), zero, zero, true); }},
        {"TruncatedConicalSurface::TruncatedConicalSurface : Orientation and radial",
         [&] { TruncatedConicalSurface(Point(), 2.0, 1.0, 1.0, z, Vector(1, 0, 1e-3), zero, zero, true); }},
    });
}

TEST(TruncatedConicalSurface, ContainsTheConeBetweenBothCirclesInclusive)
{
    const TruncatedConicalSurface frustum = Frustum();
    EXPECT_EQ(frustum.GetHeight(), 2.0);
    EXPECT_TRUE(frustum.Contains(Point(1.5, 0, 1.5)));
    // Both circles are in.
    EXPECT_TRUE(frustum.Contains(Point(0, -1, 1)));
    EXPECT_TRUE(frustum.Contains(Point(2, 0, 2)));
    EXPECT_FALSE(frustum.Contains(Point(0.5, 0, 0.5)));
    EXPECT_FALSE(frustum.Contains(Point(0, 0, 0)));

    const TruncatedConicalSurface wrapping = Band(-Pi / 2, Pi / 2);
    EXPECT_TRUE(wrapping.Contains(Point(0, -1.5, 1.5)));
    EXPECT_FALSE(wrapping.Contains(Point(-1.5, 0, 1.5)));
    // On the cone but nearer the apex than the top circle.
    ExpectRejections({
        {"TruncatedConicalSurface::GetNormal : Point is not", [&] { frustum.GetNormal(Point(0.5, 0, 0.5)); }},
    });
}

TEST(TruncatedConicalSurface, LineIntersectionKeepsTheConePointsOnTheSurfaceInOrder)
{
    const Intersection across = Frustum().GetIntersection(Line(Point(-5, 0, 1.5), Vector(1, 0, 0)));
    ASSERT_EQ(across.GetPoints().size(), 2u);
    EXPECT_TRUE(across.GetPoints()[0].IsAlmostEqual(Point(-1.5, 0, 1.5), 1e-12));
    EXPECT_TRUE(across.GetPoints()[1].IsAlmostEqual(Point(1.5, 0, 1.5), 1e-12));
    EXPECT_TRUE(Frustum().GetIntersection(Line(Point(-5, 0, 0.5), Vector(1, 0, 0))).GetPoints().empty());
    const Intersection half = Band(-Pi / 2, Pi / 2).GetIntersection(Line(Point(-5, 0, 1.5), Vector(1, 0, 0)));
    ASSERT_EQ(half.GetPoints().size(), 1u);
    EXPECT_TRUE(half.GetPoints()[0].IsAlmostEqual(Point(1.5, 0, 1.5), 1e-12));
    EXPECT_TRUE(Frustum().GetIntersection(Line(Point(0, 0, 0), Vector(-1, 0, 1))).IsInfinite());
}

TEST(TruncatedConicalSurface, ContoursOfTheFullRevolutionAndOfABand)
{
    const std::unique_ptr<IContour> full(Frustum().GetContour());
    const std::vector<const ArcSegment*> circles = full->GetArcSegments();
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0]->GetCenter(), Point(0, 0, 2));
    EXPECT_EQ(circles[1]->GetCenter(), Point(0, 0, 1));
    EXPECT_EQ(circles[1]->GetPlaneNormal(), Vector(0, 0, -1));

    const std::unique_ptr<IContour> band(Band(0.0, Pi / 2).GetContour());
    const std::vector<const ISegment*> segments = band->GetSegments();
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_TRUE(band->IsClosed());
    // Base arc from angle 0 to pi/2, up the generatrix to the top circle,
    // back along the top arc and down the generatrix at 0.
    const Point corners[] = {Point(2, 0, 2), Point(0, 2, 2), Point(0, 1, 1), Point(1, 0, 1)};
    for (std::size_t i = 0; i < 4; ++i)
    {
        EXPECT_TRUE(segments[i]->GetFirstPoint().IsAlmostEqual(corners[i], 1e-12)) << i;
        EXPECT_TRUE(segments[i]->GetSecondPoint().IsAlmostEqual(corners[(i + 1) % 4], 1e-12)) << i;
    }
}

TEST(TruncatedConicalSurface, ClonesKeepTheirKindAndTheBandIsUndefinedOnAFullRevolution)
{
    const TruncatedConicalSurface frustum = Frustum();
    const std::unique_ptr<ISurface> fullClone(frustum.Clone());
    EXPECT_TRUE(frustum == *fullClone);
    ExpectRejections({
        {"TruncatedConicalSurface::TruncatedConicalSurface : First angle was",
         [&] { dynamic_cast<TruncatedConicalSurface&>(*fullClone).GetFirstAngle(); }},
        {"TruncatedConicalSurface::TruncatedConicalSurface : Last angle was",
         [&] { frustum.GetLastAngle(); }},
        {"TruncatedConicalSurface::TruncatedConicalSurface : Radial orientation was",
         [&] { frustum.GetRadialOrientation(); }},
    });

    const TruncatedConicalSurface band = Band(7.0, -1.0);
    EXPECT_DOUBLE_EQ(band.GetLastAngle().Radians(), 2 * Pi - 1.0);
    const std::unique_ptr<ISurface> bandClone(band.Clone());
    EXPECT_TRUE(band == *bandClone);
    EXPECT_TRUE(frustum != Band(0.0, 0.0));
}
