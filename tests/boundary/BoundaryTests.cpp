// What an application sees across the shared library's boundary: objects
// made inside keep their dynamic type for dynamic_cast and typeid, and
// exceptions thrown on either side arrive as themselves, message intact.
#include "Quoria.h"

#include "ComplexFlatSurface.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "Factories.h"
#include "FlatSurface.h"
#include "IRayTracer.h"
#include "LineSegment.h"
#include "Pipe.h"
#include "Point.h"
#include "Polygon.h"
#include "PrimitiveFlatSurface.h"
#include "Rectangle.h"
#include "RectangularPrism.h"
#include "Ring.h"
#include "SlopeConfiguration.h"
#include "Vector.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

using namespace Tessam::Geometry3D;

namespace
{

using BehaviorFunction = std::function<Quoria::BehaviorAtInterface(const ISurface*)>;

// 100 x 100 x 20 around the origin; the top face is z = -10.
std::unique_ptr<const Solid> MakePlate()
{
    return std::unique_ptr<const Solid>(
        Quoria::CreateAxisAlignedPlate(Point(0.0, 0.0, 0.0), 100.0, 100.0, 20.0));
}

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

struct CallerError
{
    int code;
};

} // namespace

TEST(LibraryBoundary, ObjectsMadeInsideKeepTheirDynamicType)
{
    const std::unique_ptr<const Solid> plate = MakePlate();
    const std::vector<const ISurface*>& surfaces = plate->GetSurfaces();
    ASSERT_EQ(surfaces.size(), 6u);
    for (const ISurface* surface : surfaces)
    {
        EXPECT_EQ(typeid(*surface), typeid(Rectangle));
        EXPECT_NE(dynamic_cast<const Rectangle*>(surface), nullptr);
        EXPECT_NE(dynamic_cast<const Polygon*>(surface), nullptr);
        EXPECT_NE(dynamic_cast<const PrimitiveFlatSurface*>(surface), nullptr);
        EXPECT_NE(dynamic_cast<const FlatSurface*>(surface), nullptr);
        EXPECT_EQ(dynamic_cast<const Disk*>(surface), nullptr);
    }

    EXPECT_NE(dynamic_cast<const RectangularPrism*>(plate.get()), nullptr);
    const std::unique_ptr<const ISolid> copy(plate->Clone());
    EXPECT_NE(dynamic_cast<const RectangularPrism*>(copy.get()), nullptr);

    // A ring is flat but not primitive: the cast must follow the real tree.
    const std::unique_ptr<const Solid> pipe(
        Quoria::CreateXOrientedPipe(Point(0.0, 0.0, 0.0), 5.0, 10.0, 50.0));
    EXPECT_NE(dynamic_cast<const Pipe*>(pipe.get()), nullptr);
    ASSERT_EQ(pipe->GetSurfaces().size(), 4u);
    for (const ISurface* surface : {pipe->GetSurfaces()[0], pipe->GetSurfaces()[1]})
    {
        EXPECT_NE(dynamic_cast<const CylindricalSurface*>(surface), nullptr);
        EXPECT_EQ(dynamic_cast<const FlatSurface*>(surface), nullptr);
    }
    for (const ISurface* surface : {pipe->GetSurfaces()[2], pipe->GetSurfaces()[3]})
    {
        EXPECT_EQ(typeid(*surface), typeid(Ring));
        EXPECT_NE(dynamic_cast<const ComplexFlatSurface*>(surface), nullptr);
        EXPECT_NE(dynamic_cast<const FlatSurface*>(surface), nullptr);
        EXPECT_EQ(dynamic_cast<const PrimitiveFlatSurface*>(surface), nullptr);
    }

    const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(plate.get()));
    const std::vector<const ISolid*> configuration = tracer->GetConfiguration();
    ASSERT_EQ(configuration.size(), 1u);
    EXPECT_NE(dynamic_cast<const RectangularPrism*>(configuration[0]), nullptr);

    // A beam straight down from the top face ends its first leg on the
    // bottom face; the library hands that face to the caller's function.
    Vector normalAtHit(0.0, 0.0, 0.0);
    const BehaviorFunction recordHit = [&normalAtHit](const ISurface* surface)
    {
        const Rectangle* rectangle = dynamic_cast<const Rectangle*>(surface);
        if (rectangle != nullptr)
        {
            normalAtHit = rectangle->GetNormal(Point(0.0, 0.0, 10.0));
        }
        return Quoria::Stop;
    };
    const std::vector<LineSegment> legs =
        tracer->CalculateLegsFromEntryPoint(Point(0.0, 0.0, -10.0), Quoria::BeamAngles{0.0, 0.0}, 5u,
                                            std::vector<BehaviorFunction>{recordHit}, {});
    EXPECT_EQ(legs.size(), 1u);
    EXPECT_TRUE(normalAtHit.IsAlmostEqual(Vector(0.0, 0.0, 1.0)));
}

TEST(LibraryBoundary, ExceptionsCrossWithTheirTypeAndMessage)
{
    EXPECT_EQ(InvalidArgumentMessage([] { Quoria::SlopeConfiguration(1.0, 1.0, -1.0); }),
              "SlopeConfiguraiton::SlopeConfiguration : Offset must be positive.");
    EXPECT_EQ(InvalidArgumentMessage(
                  [] { delete Quoria::CreateAxisAlignedPlate(Point(0.0, 0.0, 0.0), 100.0, 0.0, 20.0); }),
              "RectangularPrism::RectangularPrism : Prism sizes must be larger than 0.");
    EXPECT_EQ(InvalidArgumentMessage([] { delete Quoria::CreateRayTracer(std::vector<const Solid*>{}); }),
              "RayTracer::RayTracer : The configuration must contain at least one solid.");

    const std::unique_ptr<const Solid> plate = MakePlate();
    const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(plate.get()));
    EXPECT_EQ(InvalidArgumentMessage(
                  [&tracer]
                  {
                      tracer->CalculateLegsFromEntryPoint(Point(0.0, 0.0, -10.0),
                                                          Quoria::BeamAngles{0.0, 1.6}, 3u,
                                                          std::vector<Quoria::BehaviorAtInterface>{}, {});
                  }),
              "RayTracer::CalculateLegsFromEntryPoint : Beam refraction angle must be contained within "
              "]-90\xB0, 90\xB0[.");

    // The caller's own exception unwinds through the library's frames.
    const BehaviorFunction throwing = [](const ISurface*) -> Quoria::BehaviorAtInterface
    { throw CallerError{7}; };
    try
    {
        tracer->CalculateLegsFromEntryPoint(Point(0.0, 0.0, -10.0), Quoria::BeamAngles{0.0, 0.0}, 3u,
                                            std::vector<BehaviorFunction>{throwing}, {});
        ADD_FAILURE() << "the caller's exception was lost";
    }
    catch (const CallerError& error)
    {
        EXPECT_EQ(error.code, 7);
    }
}
