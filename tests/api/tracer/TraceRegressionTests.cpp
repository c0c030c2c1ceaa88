#include "Factories.h"
#include "IRayTracer.h"
#include "Quoria.h"
#include "TraceReport.h"

#include <gtest/gtest.h>

#include <cmath>
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

// A counterbored pipe whose bore near one end is thinner than the tolerance
// (inner radius - slope height = 4e-12): the first leg runs down a radius
// onto the axis, where the bore has no normal. The trace ends there as on an
// edge, in every build type, instead of reflecting off a null normal.
TEST(TraceRegression, BoreThinnerThanTheToleranceEndsTheTraceOnItsAxis)
{
    const Quoria::SlopeConfiguration slope(0.001, 0.001, 0.001);
    const std::unique_ptr<const Solid> pipe(Quoria::CreateYOrientedCounterboredPipe(
        Point(0, 0, 0), 0.001000000004, 15, 20, {slope, slope, slope, slope}));
    const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(pipe.get()));
    const Point entry(0, -9.9, -15.001);
    const auto legs = tracer->CalculateLegsFromEntryPoint(entry, Quoria::BeamAngles{0.0, 0.0}, 3u,
                                                          std::vector<Quoria::BehaviorAtInterface>{},
                                                          std::vector<std::function<double(double)>>{});
    ASSERT_EQ(legs.size(), 1u);
    EXPECT_EQ(legs[0].GetFirstPoint(), entry);
    EXPECT_NEAR(legs[0].GetSecondPoint().X(), 0.0, 1e-11);
    EXPECT_NEAR(legs[0].GetSecondPoint().Y(), -9.9, 1e-11);
    EXPECT_NEAR(legs[0].GetSecondPoint().Z(), 0.0, 1e-11);
    const auto report = Quoria::CalculateTrace(tracer.get(), entry, Quoria::BeamAngles{0.0, 0.0}, 3u,
                                               std::vector<Quoria::BehaviorAtInterface>{});
    EXPECT_EQ(report.ending, Quoria::TraceEnding::Edge);
    EXPECT_EQ(report.legs.size(), 1u);
}

// A transmission hands the beam to a solid whose faces are numbered
// differently: the face just crossed belongs to the solid left, and its normal
// must be looked up there. The plate's +Y side (its face 0) touches the end
// disk of a Y bar, whose face 0 is its cylinder; the beam crosses from the
// plate into the bar and reflects off the cylinder.
TEST(TraceRegression, TransmittedBeamTurnsAboutTheFaceOfTheSolidItLeft)
{
    const std::unique_ptr<const Solid> plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 0), 20, 20, 20));
    const std::unique_ptr<const Solid> bar(Quoria::CreateYOrientedBar(Point(0, 20, 0), 5, 20));
    const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer({plate.get(), bar.get()}));
    const Point entry(0, -10, 0);
    // Along +Y, tilted towards +X by one in five.
    const Quoria::BeamAngles angles{0.0, std::atan(0.2)};
    const std::vector<Quoria::BehaviorAtInterface> behaviors{Quoria::Transmit, Quoria::Reflect};
    const auto report = Quoria::CalculateTrace(tracer.get(), entry, angles, 3u, behaviors);

    // Across the plate to (4, 10, 0) in the bar's near disk, on to the
    // cylinder at x = 5, then mirrored in x to the far disk at y = 30.
    ASSERT_EQ(report.legs.size(), 3u);
    EXPECT_EQ(report.ending, Quoria::TraceEnding::Legs);
    const Point expectedEnds[] = {Point(4, 10, 0), Point(5, 15, 0), Point(2, 30, 0)};
    const std::size_t expectedSolids[] = {0, 1, 1};
    for (std::size_t leg = 0; leg < 3; ++leg)
    {
        const Point end = report.legs[leg].segment.GetSecondPoint();
        EXPECT_NEAR(end.X(), expectedEnds[leg].X(), 1e-9) << "leg " << leg;
        EXPECT_NEAR(end.Y(), expectedEnds[leg].Y(), 1e-9) << "leg " << leg;
        EXPECT_NEAR(end.Z(), expectedEnds[leg].Z(), 1e-9) << "leg " << leg;
        EXPECT_EQ(report.legs[leg].solid, expectedSolids[leg]) << "leg " << leg;
    }
}
