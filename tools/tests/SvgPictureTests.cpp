#include "SvgPicture.h"

#include "ArcSegment.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Tessam::Geometry3D;

TEST(SvgPicture, ArcsAreSampledOnTheCircleFromEndToEnd)
{
    const double pi = std::acos(-1.0);
    // A quarter circle of radius 2 about z, from +x to +y.
    const ArcSegment arc(Point(1, 1, 5), 2.0, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(0.0),
                         Angle::FromRadians(pi / 2));
    const auto points = QuoriaTrace::SampleArc(arc);
    ASSERT_GE(points.size(), 46u);
    EXPECT_EQ(points.front(), arc.GetFirstPoint());
    EXPECT_EQ(points.back(), arc.GetSecondPoint());
    EXPECT_NEAR(points.front().X(), 3.0, 1e-12);
    EXPECT_NEAR(points.back().Y(), 3.0, 1e-12);
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        EXPECT_NEAR(points[i].DistanceTo(Point(1, 1, 5)), 2.0, 1e-12);
        EXPECT_NEAR(points[i].Z(), 5.0, 1e-12);
        // Counter-clockwise about +z: y grows, x shrinks, by chords of at most two degrees.
        if (i > 0)
        {
            EXPECT_GT(points[i].Y(), points[i - 1].Y());
            EXPECT_LE(points[i].DistanceTo(points[i - 1]), 2.0 * 2.0 * std::sin(pi / 180.0) + 1e-12);
        }
    }
    // Evenly spaced: every chord as long as the first.
    const double chord = points[1].DistanceTo(points[0]);
    for (std::size_t i = 2; i < points.size(); ++i)
    {
        EXPECT_NEAR(points[i].DistanceTo(points[i - 1]), chord, 1e-12);
    }
}
