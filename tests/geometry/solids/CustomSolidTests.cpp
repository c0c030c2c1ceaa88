#include "ConicalSurface.h"
#include "CustomSolid.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "Polygon.h"
#include "Quoria.h"
#include "Rectangle.h"
#include "RectangularPrism.h"
#include "Ring.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Tessam::Geometry3D;

namespace
{
using Surfaces = std::vector<const ISurface*>;

template <typename Kind> Surfaces AsSurfaces(const std::vector<const Kind*>& ofKind)
{
    return Surfaces(ofKind.begin(), ofKind.end());
}
} // namespace

TEST(CustomSolid, KindQueriesFollowTheClassTreeInSurfaceOrder)
{
    Rectangle square({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0)});
    auto* disk = new Disk(Point(0, 0, 5), 1.0, Vector(0, 0, 1));
    Polygon triangle({Point(0, 0, 1), Point(1, 0, 1), Point(0, 1, 1)});
    ConicalSurface cone(Point(0, 0, 9), 1.0, 2.0, Vector(0, 0, -1), true);
    Ring ring(Point(0, 0, -1), 1.0, 2.0, Vector(0, 0, 1));

    const CustomSolid solid({&square, disk, &triangle, &cone, &ring});
    // The solid holds copies.
    delete disk;
    const std::vector<const ISurface*>& surfaces = solid.GetSurfaces();
    ASSERT_EQ(surfaces.size(), 5u);
    EXPECT_TRUE(*surfaces[1] == Disk(Point(0, 0, 5), 1.0, Vector(0, 0, 1)));

    EXPECT_EQ(AsSurfaces(solid.GetFlatSurfaces()),
              (Surfaces{surfaces[0], surfaces[1], surfaces[2], surfaces[4]}));
    // A ring is a complex flat surface, not a primitive one.
    EXPECT_EQ(AsSurfaces(solid.GetPrimitiveFlatSurfaces()),
              (Surfaces{surfaces[0], surfaces[1], surfaces[2]}));
    EXPECT_EQ(AsSurfaces(solid.GetComplexFlatSurfaces()), Surfaces{surfaces[4]});
    EXPECT_EQ(AsSurfaces(solid.GetRings()), Surfaces{surfaces[4]});
    EXPECT_EQ(AsSurfaces(solid.GetPolygons()), (Surfaces{surfaces[0], surfaces[2]}));
    EXPECT_EQ(AsSurfaces(solid.GetRectangles()), Surfaces{surfaces[0]});
    EXPECT_EQ(AsSurfaces(solid.GetDisks()), Surfaces{surfaces[1]});
    EXPECT_EQ(AsSurfaces(solid.GetConicalSurfaces()), Surfaces{surfaces[3]});
    EXPECT_TRUE(solid.GetCylindricalSurfaces().empty());
    EXPECT_TRUE(solid.GetDiskSectors().empty());
    EXPECT_TRUE(solid.GetTori().empty());
    EXPECT_TRUE(solid.GetTruncatedTori().empty());

    ExpectRejections({
        {"CustomSolid::CustomSolid : Surface collection is", [] { CustomSolid(std::vector<ISurface*>{}); }},
    });
}

TEST(CustomSolid, EqualityComparesSurfacesInOrderWhateverTheSolidClass)
{
    const RectangularPrism cube(Point(), Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, 1), 1, 1, 1);
    std::vector<ISurface*> faces;
    for (const ISurface* face : cube.GetSurfaces())
    {
        // The constructor only clones what it is given.
        faces.push_back(const_cast<ISurface*>(face));
    }
    const CustomSolid same(faces);
    EXPECT_TRUE(same == cube);
    EXPECT_TRUE(cube == same);
    const std::unique_ptr<ISolid> clone(same.Clone());
    ASSERT_NE(dynamic_cast<const CustomSolid*>(clone.get()), nullptr);
    EXPECT_NE(clone->GetSurfaces()[0], same.GetSurfaces()[0]);
    EXPECT_TRUE(*clone == same);

    std::swap(faces[0], faces[5]);
    EXPECT_TRUE(CustomSolid(faces) != cube);
    faces.pop_back();
    EXPECT_FALSE(CustomSolid(faces) == CustomSolid(std::vector<ISurface*>(faces.begin(), faces.end() - 1)));
}
