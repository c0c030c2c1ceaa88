#include "Bar.h"
#include "Disk.h"
#include "Pipe.h"
#include "Quoria.h"
#include "Rectangle.h"
#include "RectangularPrism.h"
#include "Ring.h"
#include "SpecimenFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>

using namespace Tessam::Geometry3D;

namespace
{
template <typename Action> std::string MessageOf(Action action)
{
    try
    {
        const std::unique_ptr<const Solid> solid(action());
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    return "no exception";
}
} // namespace

TEST(SimpleSpecimen, PlateIsABoxAroundItsCentre)
{
    const std::unique_ptr<const Solid> plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 0), 10, 20, 5));
    const auto* prism = dynamic_cast<const RectangularPrism*>(plate.get());
    ASSERT_NE(prism, nullptr);
    EXPECT_EQ(prism->GetFirstAxis(), Vector(1, 0, 0));
    EXPECT_EQ(prism->GetSecondAxis(), Vector(0, 1, 0));
    EXPECT_EQ(prism->GetThirdAxis(), Vector(0, 0, 1));

    std::set<std::tuple<double, double, double>> corners;
    for (const Rectangle* face : plate->GetRectangles())
    {
        for (const Point& corner : face->GetPoints())
        {
            corners.emplace(corner.X(), corner.Y(), corner.Z());
        }
    }
    std::set<std::tuple<double, double, double>> expected;
    for (double x : {-5.0, 5.0})
    {
        for (double y : {-10.0, 10.0})
        {
            for (double z : {-2.5, 2.5})
            {
                expected.emplace(x, y, z);
            }
        }
    }
    EXPECT_EQ(corners, expected);
    // The thickness runs along z: the top face is the one at -z.
    EXPECT_EQ(plate->GetSurfaces()[4]->GetNormal(Point()), Vector(0, 0, -1));
    EXPECT_TRUE(plate->GetSurfaces()[4]->Contains(Point(1, 1, -2.5)));
}

TEST(SimpleSpecimen, BarsRunAlongXOrYThroughTheirCentre)
{
    const std::unique_ptr<const Solid> xBar(Quoria::CreateXOrientedBar(Point(1, 2, 3), 0.5, 4));
    const auto* bar = dynamic_cast<const Bar*>(xBar.get());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetOrientation(), Vector(1, 0, 0));
    EXPECT_EQ(bar->GetRadius(), 0.5);
    EXPECT_TRUE(*bar->GetDisks()[0] == Disk(Point(3, 2, 3), 0.5, Vector(1, 0, 0)));
    EXPECT_TRUE(*bar->GetDisks()[1] == Disk(Point(-1, 2, 3), 0.5, Vector(-1, 0, 0)));

    const std::unique_ptr<const Solid> yBar(Quoria::CreateYOrientedBar(Point(1, 2, 3), 0.5, 4));
    ASSERT_NE(dynamic_cast<const Bar*>(yBar.get()), nullptr);
    EXPECT_TRUE(*yBar->GetDisks()[0] == Disk(Point(1, 4, 3), 0.5, Vector(0, 1, 0)));
    EXPECT_TRUE(*yBar->GetDisks()[1] == Disk(Point(1, 0, 3), 0.5, Vector(0, -1, 0)));
}

TEST(SimpleSpecimen, PipesRunAlongXOrYThroughTheirCentre)
{
    const std::unique_ptr<const Solid> xPipe(Quoria::CreateXOrientedPipe(Point(1, 2, 3), 1, 2, 10));
    const auto* pipe = dynamic_cast<const Pipe*>(xPipe.get());
    ASSERT_NE(pipe, nullptr);
    EXPECT_EQ(pipe->GetOrientation(), Vector(1, 0, 0));
    EXPECT_EQ(pipe->GetInnerRadius(), 1.0);
    EXPECT_EQ(pipe->GetOuterRadius(), 2.0);
    EXPECT_TRUE(*pipe->GetRings()[0] == Ring(Point(6, 2, 3), 1, 2, Vector(1, 0, 0)));
    EXPECT_TRUE(*pipe->GetRings()[1] == Ring(Point(-4, 2, 3), 1, 2, Vector(-1, 0, 0)));

    const std::unique_ptr<const Solid> yPipe(Quoria::CreateYOrientedPipe(Point(1, 2, 3), 1, 2, 10));
    ASSERT_NE(dynamic_cast<const Pipe*>(yPipe.get()), nullptr);
    EXPECT_TRUE(*yPipe->GetRings()[0] == Ring(Point(1, 7, 3), 1, 2, Vector(0, 1, 0)));
    EXPECT_TRUE(*yPipe->GetRings()[1] == Ring(Point(1, -3, 3), 1, 2, Vector(0, -1, 0)));
}

TEST(SimpleSpecimen, FactoriesPassOnTheSolidsMessagesInTheirOrder)
{
    const Point c(0, 0, 0);
    EXPECT_EQ(MessageOf([&] { return Quoria::CreateAxisAlignedPlate(c, 10, 0, 5); }),
              "RectangularPrism::RectangularPrism : Prism sizes must be larger than 0.");
    EXPECT_EQ(MessageOf([&] { return Quoria::CreateXOrientedBar(c, -1, 0); }),
              "CylindricalSolid::CylindricalSolid : Height must be positive.");
    EXPECT_EQ(MessageOf([&] { return Quoria::CreateYOrientedBar(c, 0, 1); }),
              "Bar::Bar : Radius must be positive.");
    EXPECT_EQ(MessageOf([&] { return Quoria::CreateYOrientedPipe(c, 0, 2, 0); }),
              "CylindricalSolid::CylindricalSolid : Height must be positive.");
    EXPECT_EQ(MessageOf([&] { return Quoria::CreateYOrientedPipe(c, 0, 2, 10); }),
              "Pipe::Pipe : Radii must be positive.");
    EXPECT_EQ(MessageOf([&] { return Quoria::CreateXOrientedPipe(c, 2, 2, 10); }),
              "Pipe::Pipe : Inner radius must be smaller than outer radius.");
}
