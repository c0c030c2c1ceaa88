#include "ArcSegment.h"
#include "Bar.h"
#include "ComplexFlatSurface.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "Pipe.h"
#include "Quoria.h"
#include "Ring.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{
template <typename Action> std::string MessageOf(Action action)
{
    try
    {
        action();
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    return "no exception";
}
} // namespace

TEST(Bar, SurfacesAreMantleThenBothEndDisksWithOutwardNormals)
{
    const Bar bar(Point(0, 0, 0), 1.0, 4.0, Vector(0, 0, 2));
    EXPECT_EQ(bar.GetOrientation(), Vector(0, 0, 1));
    const std::vector<Point> facesCentroids = bar.GetFacesCentroids();
    ASSERT_EQ(facesCentroids.size(), 2u);
    EXPECT_EQ(facesCentroids[0], Point(0, 0, 2));
    EXPECT_EQ(facesCentroids[1], Point(0, 0, -2));

    const std::vector<const ISurface*>& surfaces = bar.GetSurfaces();
    ASSERT_EQ(surfaces.size(), 3u);
    EXPECT_TRUE(*surfaces[0] == CylindricalSurface(Point(0, 0, 0), 1.0, 4.0, Vector(0, 0, 1), true));
    EXPECT_TRUE(*surfaces[1] == Disk(Point(0, 0, 2), 1.0, Vector(0, 0, 1)));
    EXPECT_TRUE(*surfaces[2] == Disk(Point(0, 0, -2), 1.0, Vector(0, 0, -1)));
    EXPECT_TRUE(surfaces[0]->GetNormal(Point(0, -1, 1)).IsAlmostEqual(Vector(0, -1, 0)));

    const std::vector<const Disk*> disks = bar.GetDisks();
    ASSERT_EQ(disks.size(), 2u);
    EXPECT_EQ(static_cast<const ISurface*>(disks[0]), surfaces[1]);
    EXPECT_EQ(static_cast<const ISurface*>(disks[1]), surfaces[2]);
    ASSERT_EQ(bar.GetFlatSurfaces().size(), 2u);
    EXPECT_EQ(static_cast<const ISurface*>(bar.GetFlatSurfaces()[1]), surfaces[2]);
    ASSERT_EQ(bar.GetPrimitiveFlatSurfaces().size(), 2u);
    EXPECT_EQ(static_cast<const ISurface*>(bar.GetPrimitiveFlatSurfaces()[0]), surfaces[1]);
    ASSERT_EQ(bar.GetCylindricalSurfaces().size(), 1u);
    EXPECT_EQ(static_cast<const ISurface*>(bar.GetCylindricalSurfaces()[0]), surfaces[0]);
    EXPECT_TRUE(bar.GetRings().empty());
    EXPECT_TRUE(bar.GetComplexFlatSurfaces().empty());
    EXPECT_TRUE(bar.GetRectangles().empty());
}

TEST(Bar, ContourListsTheMantleCirclesThenEachDisksRim)
{
    const Bar bar(Point(0, 0, 0), 1.0, 4.0, Vector(0, 0, 1));
    const std::unique_ptr<IContour> contour(bar.GetContour());
    const std::vector<const ArcSegment*> arcs = contour->GetArcSegments();
    ASSERT_EQ(contour->GetSegments().size(), 4u);
    ASSERT_EQ(arcs.size(), 4u);
    EXPECT_EQ(arcs[0]->GetCenter(), Point(0, 0, 2));
    EXPECT_EQ(arcs[1]->GetCenter(), Point(0, 0, -2));
    EXPECT_EQ(arcs[2]->GetCenter(), Point(0, 0, 2));
    EXPECT_EQ(arcs[3]->GetCenter(), Point(0, 0, -2));
    // The mantle's circles are the rims of the disks that cap it.
    EXPECT_TRUE(*arcs[0] == *arcs[2]);
    EXPECT_TRUE(*arcs[1] == *arcs[3]);
}

TEST(Pipe, SurfacesAreBoreOuterMantleThenBothEndRings)
{
    const Pipe pipe(Point(1, 0, 0), 1.0, 2.0, 6.0, Vector(-3, 0, 0));
    EXPECT_EQ(pipe.GetOrientation(), Vector(-1, 0, 0));
    const std::vector<const ISurface*>& surfaces = pipe.GetSurfaces();
    ASSERT_EQ(surfaces.size(), 4u);
    EXPECT_TRUE(*surfaces[0] == CylindricalSurface(Point(1, 0, 0), 1.0, 6.0, Vector(-1, 0, 0), false));
    EXPECT_TRUE(*surfaces[1] == CylindricalSurface(Point(1, 0, 0), 2.0, 6.0, Vector(-1, 0, 0), true));
    EXPECT_TRUE(*surfaces[2] == Ring(Point(-2, 0, 0), 1.0, 2.0, Vector(-1, 0, 0)));
    EXPECT_TRUE(*surfaces[3] == Ring(Point(4, 0, 0), 1.0, 2.0, Vector(1, 0, 0)));

    // Out of the material: towards the axis in the bore, away from it outside.
    EXPECT_TRUE(surfaces[0]->GetNormal(Point(0, 0, 1)).IsAlmostEqual(Vector(0, 0, -1)));
    EXPECT_TRUE(surfaces[1]->GetNormal(Point(0, 0, 2)).IsAlmostEqual(Vector(0, 0, 1)));
    EXPECT_TRUE(surfaces[2]->GetNormal(Point(-2, 1.5, 0)).IsAlmostEqual(Vector(-1, 0, 0)));

    ASSERT_EQ(pipe.GetRings().size(), 2u);
    EXPECT_EQ(static_cast<const ISurface*>(pipe.GetRings()[0]), surfaces[2]);
    ASSERT_EQ(pipe.GetComplexFlatSurfaces().size(), 2u);
    EXPECT_EQ(static_cast<const ISurface*>(pipe.GetComplexFlatSurfaces()[1]), surfaces[3]);
    ASSERT_EQ(pipe.GetFlatSurfaces().size(), 2u);
    ASSERT_EQ(pipe.GetCylindricalSurfaces().size(), 2u);
    EXPECT_EQ(static_cast<const ISurface*>(pipe.GetCylindricalSurfaces()[0]), surfaces[0]);
    EXPECT_EQ(static_cast<const ISurface*>(pipe.GetCylindricalSurfaces()[1]), surfaces[1]);
    EXPECT_TRUE(pipe.GetPrimitiveFlatSurfaces().empty());
    EXPECT_TRUE(pipe.GetDisks().empty());
}

TEST(BarAndPipe, HeightThenOrientationThenRadiiAreValidated)
{
    const std::string height = "CylindricalSolid::CylindricalSolid : Height must be positive.";
    const std::string orientation = "CylindricalSolid::CylindricalSolid : Orientation is a null vector.";
    const Vector z(0, 0, 1);
    EXPECT_EQ(MessageOf([] { Bar(Point(), -1.0, 0.0, Vector()); }), height);
    EXPECT_EQ(MessageOf([] { Bar(Point(), -1.0, 1.0, Vector()); }), orientation);
    EXPECT_EQ(MessageOf([&] { Bar(Point(), 0.0, 1.0, z); }), "Bar::Bar : Radius must be positive.");

    EXPECT_EQ(MessageOf([] { Pipe(Point(), -1.0, -2.0, 0.0, Vector()); }), height);
    EXPECT_EQ(MessageOf([] { Pipe(Point(), -1.0, -2.0, 1.0, Vector()); }), orientation);
    EXPECT_EQ(MessageOf([&] { Pipe(Point(), -1.0, -2.0, 1.0, z); }), "Pipe::Pipe : Radii must be positive.");
    EXPECT_EQ(MessageOf([&] { Pipe(Point(), 1.0, 0.0, 1.0, z); }), "Pipe::Pipe : Radii must be positive.");
    EXPECT_EQ(MessageOf([&] { Pipe(Point(), 2.0, 2.0, 1.0, z); }),
              "Pipe::Pipe : Inner radius must be smaller than outer radius.");
    EXPECT_EQ(MessageOf([&] { Pipe(Point(), 3.0, 2.0, 1.0, z); }),
              "Pipe::Pipe : Inner radius must be smaller than outer radius.");
}

TEST(BarAndPipe, CreatorsFollowThePrincipalAxes)
{
    const std::unique_ptr<Bar> x(Bar::CreateXOriented(Point(1, 2, 3), 1.0, 2.0));
    const std::unique_ptr<Bar> y(Bar::CreateYOriented(Point(1, 2, 3), 1.0, 2.0));
    const std::unique_ptr<Bar> z(Bar::CreateZOriented(Point(1, 2, 3), 1.0, 2.0));
    EXPECT_EQ(x->GetFacesCentroids()[0], Point(2, 2, 3));
    EXPECT_EQ(y->GetFacesCentroids()[0], Point(1, 3, 3));
    EXPECT_EQ(z->GetFacesCentroids()[0], Point(1, 2, 4));
    EXPECT_EQ(z->GetRadius(), 1.0);

    const std::unique_ptr<Pipe> px(Pipe::CreateXOriented(Point(1, 2, 3), 1.0, 2.0, 4.0));
    const std::unique_ptr<Pipe> py(Pipe::CreateYOriented(Point(1, 2, 3), 1.0, 2.0, 4.0));
    const std::unique_ptr<Pipe> pz(Pipe::CreateZOriented(Point(1, 2, 3), 1.0, 2.0, 4.0));
    EXPECT_EQ(px->GetOrientation(), Vector(1, 0, 0));
    EXPECT_EQ(py->GetOrientation(), Vector(0, 1, 0));
    EXPECT_EQ(pz->GetOrientation(), Vector(0, 0, 1));
    EXPECT_EQ(pz->GetFacesCentroids()[1], Point(1, 2, 1));
    EXPECT_EQ(pz->GetInnerRadius(), 1.0);
    EXPECT_EQ(pz->GetOuterRadius(), 2.0);
    EXPECT_EQ(pz->GetHeight(), 4.0);
}

TEST(BarAndPipe, ClonesAreDeepEqualCopies)
{
    std::unique_ptr<Bar> bar(Bar::CreateYOriented(Point(1, 2, 3), 1.0, 2.0));
    const std::unique_ptr<ISolid> barClone(bar->Clone());
    ASSERT_NE(dynamic_cast<Bar*>(barClone.get()), nullptr);
    EXPECT_TRUE(*bar == *barClone);
    EXPECT_NE(bar->GetSurfaces()[0], barClone->GetSurfaces()[0]);
    bar.reset();
    EXPECT_EQ(barClone->GetDisks().size(), 2u);
    EXPECT_TRUE(barClone->GetSurfaces()[1]->Contains(Point(1, 3, 3)));

    const std::unique_ptr<Pipe> pipe(Pipe::CreateXOriented(Point(0, 0, 0), 1.0, 2.0, 4.0));
    const std::unique_ptr<ISolid> pipeClone(pipe->Clone());
    ASSERT_NE(dynamic_cast<Pipe*>(pipeClone.get()), nullptr);
    EXPECT_TRUE(*pipe == *pipeClone);
    EXPECT_FALSE(*pipe != *pipeClone);
    EXPECT_TRUE(*pipe != *barClone);
    EXPECT_TRUE(*pipe != Pipe(Point(0, 0, 0), 1.0, 2.5, 4.0, Vector(1, 0, 0)));
}
