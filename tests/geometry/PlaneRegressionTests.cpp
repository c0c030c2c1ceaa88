#include "Plane.h"
#include "Point.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace Tessam::Geometry3D;

// Too short a point list once read its first point before the count was
// checked: undefined behaviour that only the sanitizer build reports.
TEST(PlaneRegression, ShortPointListIsRejectedBeforeAnyPointIsRead)
{
    for (const std::vector<Point>& points : {std::vector<Point>{}, std::vector<Point>{Point(1, 2, 3)},
                                             std::vector<Point>{Point(0, 0, 0), Point(1, 0, 0)}})
    {
        try
        {
            Plane plane(points);
            ADD_FAILURE() << points.size() << " points were accepted";
        }
        catch (const std::invalid_argument& error)
        {
            EXPECT_EQ(std::string(error.what()), "Plane::Plane : Invalid point collection.");
        }
    }
}
