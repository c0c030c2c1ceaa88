#include "ArcSegment.h"
#include "Contour.h"
#include "Disk.h"
#include "Quoria.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Tessam::Geometry3D;

TEST(Disk, ContourIsOneCounterClockwiseFullCircle)
{
    const Disk disk(Point(1, 2, 3), 2.0, Vector(0, 0, 1));
    const std::unique_ptr<IContour> contour(disk.GetContour());
    ASSERT_EQ(contour->GetArcSegments().size(), 1u);
    EXPECT_TRUE(contour->IsClosed());
    EXPECT_EQ(contour->GetWindingDirection(), CounterClockwise);
    EXPECT_EQ(contour->GetArcSegments()[0]->GetRadialOrientation(), Vector(1, 0, 0));
    EXPECT_TRUE(disk.Contains(Point(3, 2, 3)));
    EXPECT_FALSE(disk.Contains(Point(3 + 1e-9, 2, 3)));
}
