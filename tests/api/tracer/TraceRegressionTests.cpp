#include "Factories.h"
#include "IRayTracer.h"
#include "Quoria.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Tessam::Geometry3D;

// A known limit rather than a fault: a cylinder thinner than the 1e-11
// tolerance contains the points of its own axis, and its normal there is the
// null vector, so a beam entering there has no direction. The line that would
// carry it rejects the null direction, and the trace passes that on.
TEST(TraceRegression, BeamEnteringABarThinnerThanTheToleranceOnItsAxisHasNoDirection)
{
    const std::unique_ptr<const Solid> bar(Quoria::CreateYOrientedBar(Point(0, 0, 0), 1e-12, 10));
    const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(bar.get()));
    const Point onTheAxis(0, 1, 0);
    ASSERT_TRUE(bar->GetSurfaces()[0]->Contains(onTheAxis));

    std::string message = "no exception";
    try
    {
        tracer->CalculateLegsFromEntryPoint(onTheAxis, Quoria::BeamAngles{0.0, 0.3}, 3u,
                                            std::vector<Quoria::BehaviorAtInterface>(),
                                            std::vector<std::function<double(double)>>());
    }
    catch (const std::invalid_argument& error)
    {
        message = error.what();
    }
    EXPECT_EQ(message, "Line::ValidateDirection : Direction is a null vector.");
}
