#include "Bar.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "Pipe.h"
#include "Quoria.h"
#include "Ring.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Tessam::Geometry3D;

TEST(BarAndPipe, BarIsItsMantleThenTheDiskAlongTheAxisThenTheOther)
{
    const Bar bar(Point(0, 0, 0), 1.0, 4.0, Vector(0, 0, 2));
    const std::vector<const ISurface*>& surfaces = bar.GetSurfaces();
    ASSERT_EQ(surfaces.size(), 3u);
    EXPECT_TRUE(*surfaces[0] == CylindricalSurface(Point(0, 0, 0), 1.0, 4.0, Vector(0, 0, 1), true));
    EXPECT_TRUE(*surfaces[1] == Disk(Point(0, 0, 2), 1.0, Vector(0, 0, 1)));
    EXPECT_TRUE(*surfaces[2] == Disk(Point(0, 0, -2), 1.0, Vector(0, 0, -1)));
}

TEST(BarAndPipe, PipeIsBoreOuterMantleThenBothRingsAllFacingOutOfTheMaterial)
{
    const Pipe pipe(Point(1, 0, 0), 1.0, 2.0, 6.0, Vector(-3, 0, 0));
    const std::vector<const ISurface*>& surfaces = pipe.GetSurfaces();
    ASSERT_EQ(surfaces.size(), 4u);
    EXPECT_TRUE(*surfaces[2] == Ring(Point(-2, 0, 0), 1.0, 2.0, Vector(-1, 0, 0)));
    EXPECT_TRUE(*surfaces[3] == Ring(Point(4, 0, 0), 1.0, 2.0, Vector(1, 0, 0)));
    EXPECT_TRUE(surfaces[0]->GetNormal(Point(0, 0, 1)).IsAlmostEqual(Vector(0, 0, -1)));
    EXPECT_TRUE(surfaces[1]->GetNormal(Point(0, 0, 2)).IsAlmostEqual(Vector(0, 0, 1)));
    // A ring is a complex flat surface, not a primitive one.
    EXPECT_EQ(pipe.GetComplexFlatSurfaces().size(), 2u);
    EXPECT_TRUE(pipe.GetPrimitiveFlatSurfaces().empty());
}

TEST(BarAndPipe, HeightThenOrientationThenRadiiAreValidated)
{
    const Vector z(0, 0, 1);
    ExpectRejections({
        {"CylindricalSolid::CylindricalSolid : Height must be", [] { Bar(Point(), -1.0, 0.0, Vector()); }},
        {"CylindricalSolid::CylindricalSolid : Orientation is a", [] { Bar(Point(), -1.0, 1.0, Vector()); }},
        {"Bar::Bar : Radius must be", [&] { Bar(Point(), 0.0, 1.0, z); }},
        {"CylindricalSolid::CylindricalSolid : Height must be",
         [] { Pipe(Point(), -1.0, -2.0, 0.0, Vector()); }},
        {"Pipe::Pipe : Radii must be", [&] { Pipe(Point(), -1.0, -2.0, 1.0, z); }},
        {"Pipe::Pipe : Inner radius must", [&] { Pipe(Point(), 2.0, 2.0, 1.0, z); }},
    });
}

TEST(BarAndPipe, ClonesAreDeepEqualCopies)
{
    std::unique_ptr<Bar> bar(Bar::CreateYOriented(Point(1, 2, 3), 1.0, 2.0));
    const std::unique_ptr<ISolid> barClone(bar->Clone());
    ASSERT_NE(dynamic_cast<Bar*>(barClone.get()), nullptr);
    EXPECT_TRUE(*bar == *barClone);
    bar.reset();
    EXPECT_TRUE(barClone->GetSurfaces()[1]->Contains(Point(1, 3, 3)));

    const std::unique_ptr<Pipe> pipe(Pipe::CreateZOriented(Point(0, 0, 0), 1.0, 2.0, 4.0));
    const std::unique_ptr<ISolid> pipeClone(pipe->Clone());
    ASSERT_NE(dynamic_cast<Pipe*>(pipeClone.get()), nullptr);
    EXPECT_TRUE(*pipe == *pipeClone);
    EXPECT_TRUE(*pipe != *barClone);
}
