// What an application sees across the shared library's boundary: objects
// made inside keep their dynamic type for dynamic_cast and typeid, and
// exceptions thrown inside arrive as themselves, message intact.
#include "Quoria.h"

#include "LineSegment.h"
#include "Plane.h"
#include "Point.h"
#include "SlopeConfiguration.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

using namespace Tessam::Geometry3D;

namespace
{

// Runs `action` and returns the message of the std::invalid_argument it
// throws; any other outcome fails the test.
template <typename Action> std::string InvalidArgumentMessage(Action action)
{
    try
    {
        action();
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    catch (...)
    {
        ADD_FAILURE() << "an exception other than std::invalid_argument crossed the boundary";
        return {};
    }
    ADD_FAILURE() << "nothing was thrown";
    return {};
}

} // namespace

TEST(LibraryBoundary, ObjectsMadeInsideKeepTheirDynamicType)
{
    const LineSegment segment(Point(0.0, 0.0, 0.0), Point(1.0, 0.0, 0.0));
    const std::unique_ptr<const ISegment> inverse(segment.Inverse());
    ASSERT_NE(inverse, nullptr);
    EXPECT_EQ(typeid(*inverse), typeid(LineSegment));
    EXPECT_NE(dynamic_cast<const LineSegment*>(inverse.get()), nullptr);
}

TEST(LibraryBoundary, ExceptionsThrownInsideArriveWithTheirMessage)
{
    EXPECT_EQ(InvalidArgumentMessage([] { Quoria::SlopeConfiguration(1.0, 1.0, -1.0); }),
              "SlopeConfiguraiton::SlopeConfiguration : Offset must be positive.");
    EXPECT_EQ(InvalidArgumentMessage([] { Plane(std::vector<Point>{Point(0.0, 0.0, 0.0)}); }),
              "Plane::Plane : Invalid point collection.");
}
