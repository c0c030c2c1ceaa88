#include "Bar.h"
#include "Disk.h"
#include "Factories.h"
#include "Pipe.h"
#include "Quoria.h"
#include "Rectangle.h"
#include "Ring.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <tuple>

using namespace Tessam::Geometry3D;

TEST(SimpleSpecimen, PlateIsABoxAroundItsCentreWithTheTopAtMinusZ)
{
    const std::unique_ptr<const Solid> plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 0), 10, 20, 5));
    std::set<std::tuple<double, double, double>> corners;
    for (const Rectangle* face : plate->GetRectangles())
    {
        for (const Point& corner : face->GetPoints())
            corners.emplace(corner.X(), corner.Y(), corner.Z());
    }
    EXPECT_EQ(corners.size(), 8u);
    EXPECT_EQ(corners.count({5, -10, -2.5}), 1u);
    EXPECT_EQ(corners.count({-5, 10, 2.5}), 1u);
    EXPECT_EQ(plate->GetSurfaces()[4]->GetNormal(Point()), Vector(0, 0, -1));
    EXPECT_TRUE(plate->GetSurfaces()[4]->Contains(Point(1, 1, -2.5)));
}

TEST(SimpleSpecimen, BarsAndPipesRunAlongPlusXOrPlusYThroughTheirCentre)
{
    const std::unique_ptr<const Solid> xBar(Quoria::CreateXOrientedBar(Point(1, 2, 3), 0.5, 4));
    ASSERT_NE(dynamic_cast<const Bar*>(xBar.get()), nullptr);
    EXPECT_TRUE(*xBar->GetDisks()[0] == Disk(Point(3, 2, 3), 0.5, Vector(1, 0, 0)));
    EXPECT_TRUE(*xBar->GetDisks()[1] == Disk(Point(-1, 2, 3), 0.5, Vector(-1, 0, 0)));
    const std::unique_ptr<const Solid> yBar(Quoria::CreateYOrientedBar(Point(1, 2, 3), 0.5, 4));
    EXPECT_TRUE(*yBar->GetDisks()[0] == Disk(Point(1, 4, 3), 0.5, Vector(0, 1, 0)));

    const std::unique_ptr<const Solid> xPipe(Quoria::CreateXOrientedPipe(Point(1, 2, 3), 1, 2, 10));
    ASSERT_NE(dynamic_cast<const Pipe*>(xPipe.get()), nullptr);
    EXPECT_TRUE(*xPipe->GetRings()[1] == Ring(Point(-4, 2, 3), 1, 2, Vector(-1, 0, 0)));
    const std::unique_ptr<const Solid> yPipe(Quoria::CreateYOrientedPipe(Point(1, 2, 3), 1, 2, 10));
    EXPECT_TRUE(*yPipe->GetRings()[0] == Ring(Point(1, 7, 3), 1, 2, Vector(0, 1, 0)));
}

TEST(SimpleSpecimen, FactoriesPassOnTheSolidsMessages)
{
    // The solids' own order of checks is tested with the solids; here only
    // that each factory hands its sizes to the right parameters.
    const Point c(0, 0, 0);
    ExpectRejections({
        {"RectangularPrism::RectangularPrism : Prism sizes must",
         [&] { delete Quoria::CreateAxisAlignedPlate(c, 10, 0, 5); }},
        {"Bar::Bar : Radius must be", [&] { delete Quoria::CreateYOrientedBar(c, 0, 1); }},
        {"CylindricalSolid::CylindricalSolid : Height must be",
         [&] { delete Quoria::CreateYOrientedPipe(c, 0, 2, 0); }},
        {"Pipe::Pipe : Inner radius must", [&] { delete Quoria::CreateXOrientedPipe(c, 2, 2, 10); }},
    });
}
