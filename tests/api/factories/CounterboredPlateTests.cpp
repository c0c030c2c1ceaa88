#include "CustomSolid.h"
#include "Factories.h"
#include "Polygon.h"
#include "Quoria.h"
#include "Rectangle.h"
#include "RectangularPrism.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>

using namespace Tessam::Geometry3D;
using Quoria::SlopeConfiguration;

namespace
{
using Slopes = std::array<const SlopeConfiguration, 4>;

// Height, width, offset, as SlopeConfiguration takes them.
Slopes AllSlopes(double height, double width, double offset)
{
    const SlopeConfiguration slope(height, width, offset);
    return {slope, slope, slope, slope};
}

std::unique_ptr<const Solid> Plate(const Point& centre, double sizeX, double sizeY, double sizeZ,
                                   const Slopes& slopes)
{
    return std::unique_ptr<const Solid>(
        Quoria::CreateAxisAlignedCounterboredPlate(centre, sizeX, sizeY, sizeZ, slopes));
}

// Worked out from the slope definitions alone: the faces of a quadrant ramp
// linearly from the middle level to the outer level.
double Rise(const SlopeConfiguration& slope, double distance)
{
    const double along = std::min(std::max(distance - slope.GetOffset(), 0.0), slope.GetWidth());
    return along == slope.GetWidth() ? slope.GetHeight() : slope.GetHeight() * along / slope.GetWidth();
}

bool IsInPlate(const Point& p, const Point& centre, double sizeX, double sizeY, double sizeZ,
               const Slopes& slopes)
{
    const double x = p.X() - centre.X(), y = p.Y() - centre.Y(), z = p.Z() - centre.Z();
    // Quadrants 1 and 4 lie on the bottom (+z), 2 and 3 on the top.
    const double bottom = sizeZ / 2 + Rise(slopes[y >= 0 ? 0 : 3], std::abs(y));
    const double top = -sizeZ / 2 - Rise(slopes[y >= 0 ? 1 : 2], std::abs(y));
    return std::abs(x) < sizeX / 2 && std::abs(y) < sizeY / 2 && z > top && z < bottom;
}

void ExpectOutwardNormals(const Point& centre, double sizeX, double sizeY, double sizeZ, const Slopes& slopes)
{
    const std::unique_ptr<const Solid> plate = Plate(centre, sizeX, sizeY, sizeZ, slopes);
    for (const Polygon* face : plate->GetPolygons())
    {
        const Vector step = face->GetNormal(Point()) * 1e-3;
        const Point& centroid = face->GetCentroid();
        EXPECT_TRUE(IsInPlate(centroid + step * -1.0, centre, sizeX, sizeY, sizeZ, slopes));
        EXPECT_FALSE(IsInPlate(centroid + step, centre, sizeX, sizeY, sizeZ, slopes));
    }
}
} // namespace

TEST(CounterboredPlate, WithoutSlopesItIsTheBox)
{
    const RectangularPrism box(Point(1, 2, 3), Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, 1), 10, 20, 5);
    // Bottom, top, side at -y, side at +y, front (-x), back (+x).
    const std::size_t boxFace[] = {5, 4, 2, 0, 1, 3};
    // A slope of height 0 is no slope, whatever its offset and width.
    for (const Slopes& slopes : {AllSlopes(0, 0, 0), AllSlopes(0, 5, 2)})
    {
        const std::unique_ptr<const Solid> plate = Plate(Point(1, 2, 3), 10, 20, 5, slopes);
        ASSERT_NE(dynamic_cast<const CustomSolid*>(plate.get()), nullptr);
        ASSERT_EQ(plate->GetPolygons().size(), 6u);
        EXPECT_TRUE(plate->GetRectangles().empty());
        for (std::size_t i = 0; i < 6; ++i)
        {
            const std::vector<Point>& points = plate->GetPolygons()[i]->GetPoints();
            const Rectangle& expected = *box.GetRectangles()[boxFace[i]];
            EXPECT_TRUE(std::is_permutation(points.begin(), points.end(), expected.GetPoints().begin(),
                                            expected.GetPoints().end()));
            EXPECT_EQ(plate->GetPolygons()[i]->GetNormal(Point()), expected.GetNormal(Point()));
        }
    }

    // The middle face pushed out to the edge meets the side face's corner
    // exactly: from y = 0.1 the steps 0.1 and (2 - 0.1) - 0.1, summed first,
    // reach 2; added one by one they stop an ulp short.
    const SlopeConfiguration none(0, 0, 0);
    const std::unique_ptr<const Solid> pushed =
        Plate(Point(), 10, 4, 2, {SlopeConfiguration(0, 0.1, 0.1), none, none, none});
    EXPECT_EQ(pushed->GetPolygons()[0]->GetPoints()[0], Point(-5, 2, 1));
    EXPECT_EQ(pushed->GetPolygons()[3]->GetPoints()[0], Point(-5, 2, 1));
}

TEST(CounterboredPlate, SlopesAddFacesWithOutwardNormals)
{
    // Quadrant 4 ends exactly at the edge: no outer face, and its outer end
    // coincides with the corner of the -y edge.
    const Slopes slopes{SlopeConfiguration(4, 10, 5), SlopeConfiguration(3, 8, 10),
                        SlopeConfiguration(2, 6, 1), SlopeConfiguration(5, 20, 30)};
    const std::unique_ptr<const Solid> plate = Plate(Point(10, -20, 5), 40, 100, 20, slopes);
    const std::vector<const Polygon*> faces = plate->GetPolygons();
    // Two middle faces, four slopes, three outer faces, two sides, two ends.
    ASSERT_EQ(faces.size(), 13u);
    EXPECT_EQ(faces[0]->GetCentroid(), Point(10, -32.5, 15));
    EXPECT_TRUE(faces[2]->GetNormal(Point()).IsAlmostEqual(Vector(0, -4, 10).Normalized()));
    // Quadrant 4's slope starts at the back end.
    EXPECT_EQ(faces[8]->GetPoints()[1], Point(30, -70, 20));
    const std::vector<Point>& front = faces[11]->GetPoints();
    ASSERT_EQ(front.size(), 11u);
    EXPECT_EQ(front[1], Point(-10, -70, 20));
    EXPECT_EQ(front[2], Point(-10, -70, -7));
    ExpectOutwardNormals(Point(10, -20, 5), 40, 100, 20, slopes);

    // Slopes 2 and 3 starting on the middle plane leave no top middle face,
    // and their first profile points merge.
    const Slopes fromTheMiddle{SlopeConfiguration(4, 10, 5), SlopeConfiguration(3, 8, 0),
                               SlopeConfiguration(2, 6, 0), SlopeConfiguration(5, 10, 10)};
    const std::unique_ptr<const Solid> mergedPlate = Plate(Point(), 40, 100, 20, fromTheMiddle);
    const std::vector<const Polygon*> merged = mergedPlate->GetPolygons();
    ASSERT_EQ(merged.size(), 13u);
    EXPECT_TRUE(merged[1]->GetNormal(Point()).IsAlmostEqual(Vector(0, -4, 10).Normalized()));
    EXPECT_EQ(merged[11]->GetPoints().size(), 11u);
    EXPECT_EQ(merged[11]->GetPoints()[5], Point(-20, 0, -10));
    ExpectOutwardNormals(Point(), 40, 100, 20, fromTheMiddle);
}

TEST(CounterboredPlate, ValidatesSizesFirstThenEachSlopeAgainstHalfTheWidth)
{
    const std::string plate = "SpecimenFactory::CreateAxisAlignedCounterboredPlate : ";
    const SlopeConfiguration small(1, 1, 1);
    ExpectRejections({
        {plate + "All sizes must", [] { Plate(Point(), 0, 10, 10, AllSlopes(0, 0, 0)); }},
        {plate + "All sizes must", [] { Plate(Point(), 10, 10, -1, AllSlopes(1, 1000, 0)); }},
        {plate + "The sum of", [] { Plate(Point(), 10, 100, 10, AllSlopes(2, 20.000001, 30)); }},
        // Every slope is checked, even one of height 0.
        {plate + "The sum of",
         [&] {
             Plate(Point(), 10, 100, 10, {small, small, small, SlopeConfiguration(0, 40, 11)});
         }},
        // A step too small for a face fails while the faces are being built;
        // the faces made before it are released.
        {"Polygon::Polygon : Invalid point",
         [&] {
             Plate(Point(), 10, 100, 10, {small, small, SlopeConfiguration(1e-7, 0, 5), small});
         }},
    });
    EXPECT_NO_THROW(Plate(Point(), 10, 100, 10, AllSlopes(2, 20, 30)));
}
