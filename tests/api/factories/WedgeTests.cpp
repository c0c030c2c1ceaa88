#include "Quoria.h"
#include "SolidChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace Tessam::Geometry3D;
using namespace SolidChecks;

namespace
{
using SolidPtr = std::unique_ptr<const Solid>;

SolidPtr OnPlate(const Point& origin, double length, double width, double height, double wedgeAngle,
                 double roofAngle = 0, double rotationAngle = 0)
{
    return SolidPtr(Quoria::CreateWedgeOnAxisAlignedPlate(origin, length, width, height, wedgeAngle,
                                                          roofAngle, rotationAngle));
}

SolidPtr OnX(const Point& origin, double length, double width, double height, double wedgeAngle,
             const Point& cylinder, double roofAngle = 0)
{
    return SolidPtr(Quoria::CreateWedgeOnXOrientedCylinder(origin, length, width, height, wedgeAngle,
                                                           roofAngle, cylinder));
}

SolidPtr OnY(const Point& origin, double length, double width, double height, double wedgeAngle,
             const Point& cylinder, double roofAngle = 0)
{
    return SolidPtr(Quoria::CreateWedgeOnYOrientedCylinder(origin, length, width, height, wedgeAngle,
                                                           roofAngle, cylinder));
}

const CylindricalArcSurface& Bottom(const Solid& wedge)
{
    return dynamic_cast<const CylindricalArcSurface&>(*wedge.GetSurfaces().at(1));
}
} // namespace

TEST(Wedge, ValidationOrderAndMessages)
{
    const Point origin;
    const Point axis(0, 0, 10);
    ExpectRejections({
        {"CreationUtilitiesWedge : Wedge sizes must", [&] { OnPlate(origin, 0, 20, 10, 5, 1); }},
        {"CreationUtilitiesWedge : Wedge sizes must", [&] { OnX(origin, 40, 0, 10, 5, axis, 1); }},
        {"CreationUtilitiesWedge : Wedge sizes must", [&] { OnY(origin, 40, 20, -1e-300, 0, axis); }},
        // A zero height passes the size check; the angle bounds are radians.
        {"CreationUtilitiesWedge : Wedge angle must", [&] { OnPlate(origin, 40, 20, 0, 1.6); }},
        {"CreationUtilitiesWedge : Wedge angle must", [&] { OnPlate(origin, 40, 20, 10, -1.6); }},
        {"CreationUtilitiesWedge : Wedge angle must", [&] { OnX(origin, 40, 20, 10, 30, axis, 1); }},
        {"CreationUtilitiesWedge : Roof angle must", [&] { OnPlate(origin, 40, 20, 10, 0.1, 1e-300); }},
        {"CreationUtilitiesWedge : Roof angle must", [&] { OnY(origin, 20.0001, 20, 10, 0, axis, 1); }},
        {"CreationUtilitiesWedge : The length of", [&] { OnY(origin, 20.0001, 20, 10, 0, axis); }},
        {"CreationUtilitiesWedge : The width of", [&] { OnX(origin, 40, 20.0001, 10, 0, axis); }},
        {"CreationUtilitiesWedge : The width of", [&] { OnX(axis, 40, 1, 10, 0, axis); }},
        // Zero height collapses the low end, except on an x-oriented
        // cylinder, where the low end keeps the sagitta. The low-end
        // polygon's first two corners coincide, so its plane fails before its
        // duplicate-vertex check.
        {"Plane::InitializeNormal : Normal is", [&] { OnPlate(origin, 40, 20, 0, 0); }},
        {"Plane::InitializeNormal : Normal is", [&] { OnY(origin, 40, 20, 0, 0, Point(0, 0, 50)); }},
    });
    EXPECT_EQ(MessageOf([&] { OnPlate(origin, 40, 20, 10, HalfPi); }), "no exception");
    EXPECT_EQ(MessageOf([&] { OnPlate(origin, 40, 20, 10, -HalfPi); }), "no exception");
    EXPECT_EQ(Kinds(*OnX(origin, 40, 20, 0, 0, Point(0, 0, 50))), "PAFFPP");
}

TEST(Wedge, OnPlateFacesComeInOrderWithOutwardNormals)
{
    const SolidPtr box = OnPlate(Point(), 40, 20, 10, 0);
    ASSERT_EQ(Kinds(*box), "PPPPPP");
    const Vector normals[] = {Vector(0, 0, -1), Vector(0, 0, 1),  Vector(-1, 0, 0),
                              Vector(1, 0, 0),  Vector(0, -1, 0), Vector(0, 1, 0)};
    for (std::size_t i = 0; i < 6; ++i)
    {
        EXPECT_TRUE(box->GetSurfaces()[i]->GetNormal(Point()).IsAlmostEqual(normals[i])) << i;
    }
    const SolidPtr steep = OnPlate(Point(), 40, 20, 10, HalfPi / 2);
    EXPECT_NEAR(dynamic_cast<const Polygon&>(*steep->GetSurfaces()[3]).GetPoints()[0].Z(), -50, 1e-12);
    // A quarter turn runs the length along -y.
    const SolidPtr quarterTurn = OnPlate(Point(), 40, 20, 10, 0, 0, HalfPi);
    EXPECT_TRUE(quarterTurn->GetSurfaces()[1]->Contains(Point(0, -39, 0)));
    EXPECT_FALSE(quarterTurn->GetSurfaces()[1]->Contains(Point(-39, 0, 0)));

    const SolidPtr turned = OnPlate(Point(3, -2, 7), 40, 20, 10, 0.3, 0, 0.7);
    EXPECT_EQ(OpenEdges(*turned), std::vector<std::string>());
    ExpectRaysLeaveOutwards(*turned, Point(3, -2, 7) + Vector(-20, 3, -8).RotateAroundZ(0.7));
}

TEST(Wedge, OnXOrientedCylinderClosesUpAroundTheAxis)
{
    // On the top generatrix the bottom is symmetric about y = 0.
    const SolidPtr top = OnX(Point(), 30, 10, 5, 0, Point(0, 0, 10));
    ASSERT_EQ(Kinds(*top), "PAFFPP");
    EXPECT_NEAR(Bottom(*top).GetFirstAngle().Radians(), 4 * HalfPi - HalfPi / 3, 1e-12);
    EXPECT_NEAR(Bottom(*top).GetLastAngle().Radians(), HalfPi / 3, 1e-12);
    EXPECT_EQ(Bottom(*top).GetCentroid(), Point(-15, 0, 10));
    EXPECT_EQ(OpenEdges(*top), std::vector<std::string>());
    ExpectRaysLeaveOutwards(*top, Point(-15, 0, -2));

    // Half a radian round an axis off the coordinate axes.
    const Point axis(4, -3, 60);
    const Point origin = axis + Vector(0, 50 * std::sin(0.5), -50 * std::cos(0.5));
    const SolidPtr turned = OnX(origin, 40, 20, 10, 0.1, axis);
    EXPECT_NEAR(Bottom(*turned).GetFirstAngle().Radians(), 0.5 - std::asin(0.2), 1e-12);
    EXPECT_NEAR(Bottom(*turned).GetLastAngle().Radians(), 0.5 + std::asin(0.2), 1e-12);
    EXPECT_TRUE(Bottom(*turned).Contains(origin));
    EXPECT_EQ(OpenEdges(*turned), std::vector<std::string>());
    ExpectRaysLeaveOutwards(*turned, Point(-16, -3 + 55 * std::sin(0.5), 60 - 55 * std::cos(0.5)));
}

TEST(Wedge, OnYOrientedCylinderStandsWithItsTallEndAtTheOrigin)
{
    // A length of twice the radius spans half the circumference.
    const SolidPtr halfRound = OnY(Point(), 20, 10, 5, 0, Point(0, 0, 10));
    EXPECT_NEAR(Bottom(*halfRound).GetFirstAngle().Radians(), 0, 1e-12);
    EXPECT_NEAR(Bottom(*halfRound).GetLastAngle().Radians(), 2 * HalfPi, 1e-12);

    // On the -x side of an axis off the coordinate axes, off its middle in y.
    const Point axis(5, 3, 60);
    const Point minusX(5 - 50 * std::sin(0.9), 5, 60 - 50 * std::cos(0.9));
    const SolidPtr left = OnY(minusX, 20, 10, 8, 0.2, axis);
    ASSERT_EQ(Kinds(*left), "PAPPFF");
    EXPECT_NEAR(Bottom(*left).GetFirstAngle().Radians(), 0.9, 1e-12);
    EXPECT_NEAR(Bottom(*left).GetLastAngle().Radians(), 0.9 + 2 * std::asin(0.2), 1e-12);
    EXPECT_EQ(Bottom(*left).GetCentroid(), Point(5, 5, 60));
    EXPECT_TRUE(left->GetSurfaces()[3]->Contains(minusX));
    EXPECT_EQ(OpenEdges(*left), std::vector<std::string>());
    const double middle = 0.9 + std::asin(0.2);
    ExpectRaysLeaveOutwards(*left, Point(5 - 53 * std::sin(middle), 5, 60 - 53 * std::cos(middle)));

    // On the +x side the angle comes out as 2 pi minus it.
    const Point plusX(5 + 50 * std::sin(0.9), 3, 60 - 50 * std::cos(0.9));
    const SolidPtr right = OnY(plusX, 20, 10, 8, 0.2, axis);
    EXPECT_NEAR(Bottom(*right).GetFirstAngle().Radians(), 4 * HalfPi - 0.9, 1e-12);
    EXPECT_TRUE(right->GetSurfaces()[3]->Contains(plusX));
    EXPECT_GT(dynamic_cast<const Polygon&>(*right->GetSurfaces()[0]).GetCentroid().X(), 5 + 20);

    // Where the axis lies at depth R under the line x = 0, z = 0, turning
    // about the axis gives, to the bit, the corners of turning about the
    // line x = 0, z = R with the corners taken as (0, P.y, 0) + v.
    const Point offTop(-6, 3, 2); // 10 from the axis (0, 3, 10), on the -x side
    const SolidPtr settled = OnY(offTop, 8, 4, 3, 0.25, Point(0, 3, 10));
    const double s = 10 - std::sqrt(100 - 8 * 8 / 4.0);
    const double theta = Vector(-6, 0, -8).Normalized().AngleTo(Vector(0, 0, -1)).Radians() + std::asin(0.4);
    const double tallTop = -3 - 8 * std::tan(0.25) + s;
    const Vector corners[8] = {Vector(4, -2, s),      Vector(4, -2, tallTop), Vector(-4, -2, -3 + s),
                               Vector(-4, -2, s),     Vector(4, 2, s),        Vector(4, 2, tallTop),
                               Vector(-4, 2, -3 + s), Vector(-4, 2, s)};
    const std::vector<Point>& lowEnd = dynamic_cast<const Polygon&>(*settled->GetSurfaces()[2]).GetPoints();
    const std::vector<Point>& tallEnd = dynamic_cast<const Polygon&>(*settled->GetSurfaces()[3]).GetPoints();
    const Point placed[8] = {tallEnd[1], tallEnd[0], lowEnd[3], lowEnd[2],
                             tallEnd[2], tallEnd[3], lowEnd[0], lowEnd[1]};
    for (std::size_t i = 0; i < 8; ++i)
    {
        const Vector v = (corners[i] - Vector(0, 0, 10)).RotateAroundY(theta) + Vector(0, 0, 10);
        EXPECT_EQ(placed[i], Point(0, 3, 0) + v) << i;
    }
}
