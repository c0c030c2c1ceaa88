#include "FaceVisit.h"
#include "RevolvedBand.h"

#include "Factories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

using namespace Tessam::Geometry3D;

namespace
{

// Answers with the overload that received the face.
struct NearestOverload
{
    std::string operator()(const Polygon&) const { return "Polygon"; }
    std::string operator()(const ComplexFlatSurface&) const { return "ComplexFlatSurface"; }
    std::string operator()(const FlatSurface&) const { return "FlatSurface"; }
    std::string operator()(const ISurface&) const { return "ISurface"; }
};

void ExpectPoint(const Point& actual, const Point& expected)
{
    EXPECT_NEAR(actual.X(), expected.X(), 1e-12);
    EXPECT_NEAR(actual.Y(), expected.Y(), 1e-12);
    EXPECT_NEAR(actual.Z(), expected.Z(), 1e-12);
}

void ExpectBand(const std::optional<QuoriaTools::RevolvedBand>& band, const Point& start, double startRadius,
                double endRadius, double length)
{
    ASSERT_TRUE(band.has_value());
    ExpectPoint(band->start, start);
    EXPECT_DOUBLE_EQ(band->startRadius, startRadius);
    EXPECT_DOUBLE_EQ(band->endRadius, endRadius);
    EXPECT_DOUBLE_EQ(band->length, length);
}

} // namespace

TEST(FaceVisit, EachFaceReachesTheVisitorsNearestOverload)
{
    // A plate is six rectangles; a bar a cylinder and two disks; a pipe two cylinders and two rings.
    const std::unique_ptr<const Solid> plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 0), 1, 2, 3));
    const std::unique_ptr<const Solid> bar(Quoria::CreateXOrientedBar(Point(0, 0, 0), 1, 4));
    const std::unique_ptr<const Solid> pipe(Quoria::CreateXOrientedPipe(Point(0, 0, 0), 1, 2, 4));
    const struct
    {
        const Solid& solid;
        const char* kind;
        const char* overload;
    } expected[] = {
        {*plate, "Rectangle", "Polygon"},          {*bar, "Disk", "FlatSurface"},
        {*bar, "CylindricalSurface", "ISurface"},  {*pipe, "Ring", "ComplexFlatSurface"},
        {*pipe, "CylindricalSurface", "ISurface"},
    };
    for (const auto& face : expected)
    {
        SCOPED_TRACE(face.kind);
        int found = 0;
        for (const ISurface* surface : face.solid.GetSurfaces())
        {
            if (QuoriaTools::FaceKindName(*surface) == std::string(face.kind))
            {
                ++found;
                EXPECT_EQ(QuoriaTools::VisitFace(*surface, NearestOverload{}), face.overload);
            }
        }
        EXPECT_GE(found, 1);
    }
}

TEST(FaceVisit, RevolvedBandsSpanTheFaceAlongItsAxisWithItsRadiiAtBothEnds)
{
    // Radius 4 at the base and 2 five nearer the apex: the cone is 10 high and the band starts at 5.
    const TruncatedConicalSurface frustum(Point(0, 0, 0), 4, 2, 5, Vector(0, 0, 1), true);
    ExpectBand(QuoriaTools::RevolvedBandOf(frustum), Point(0, 0, 5), 2, 4, 5);
    const ConicalSurface cone(Point(1, 1, 1), 3, 6, Vector(1, 0, 0), true);
    ExpectBand(QuoriaTools::RevolvedBandOf(cone), Point(1, 1, 1), 0, 3, 6);

    // A bar 20 long about x through (1, 2, 3): its mantle spans x = -9 to 11, whichever way its axis points.
    const std::unique_ptr<const Solid> bar(Quoria::CreateXOrientedBar(Point(1, 2, 3), 5, 20));
    int mantles = 0;
    for (const ISurface* surface : bar->GetSurfaces())
    {
        const auto mantle = QuoriaTools::RevolvedBandOf(*surface);
        if (!mantle)
        {
            EXPECT_STREQ(QuoriaTools::FaceKindName(*surface), "Disk");
            continue;
        }
        ++mantles;
        const Point end = mantle->start + mantle->axis * mantle->length;
        ExpectPoint(Point(std::min(mantle->start.X(), end.X()), end.Y(), end.Z()), Point(-9, 2, 3));
        EXPECT_NEAR(std::max(mantle->start.X(), end.X()), 11.0, 1e-12);
        EXPECT_EQ(mantle->startRadius, 5.0);
        EXPECT_EQ(mantle->endRadius, 5.0);
    }
    EXPECT_EQ(mantles, 1);
}
