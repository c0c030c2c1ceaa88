#include "Quoria.h"
#include "SolidChecks.h"
#include "SpecimenFactory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace Tessam::Geometry3D;
using namespace SolidChecks;

namespace
{
using SolidPtr = std::unique_ptr<const Solid>;

const double HalfPi = 1.5707963267948966;

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

template <typename Face> const Face& FaceAt(const Solid& solid, std::size_t index)
{
    return dynamic_cast<const Face&>(*solid.GetSurfaces().at(index));
}
} // namespace

TEST(Wedge, ValidationOrderAndMessages)
{
    const std::string sizes = "CreationUtilitiesWedge : Wedge sizes must be larger than 0.";
    const std::string angle = "CreationUtilitiesWedge : Wedge angle must be contained within [-90\xB0"
                              ", 90\xB0"
                              "].";
    const std::string roof = "CreationUtilitiesWedge : Roof angle must be equal to 0\xB0"
                             ".";
    const std::string tooLong =
        "CreationUtilitiesWedge : The length of the wedge is too large compared to the cylinder's radius.";
    const std::string tooWide =
        "CreationUtilitiesWedge : The width of the wedge is too large compared to the cylinder's radius.";
    const Point origin;
    const Point axis(0, 0, 10);
    EXPECT_EQ(MessageOf([&] { OnPlate(origin, 0, 20, 10, 5, 1); }), sizes);
    EXPECT_EQ(MessageOf([&] { OnX(origin, 40, 0, 10, 5, axis, 1); }), sizes);
    EXPECT_EQ(MessageOf([&] { OnY(origin, 40, 20, -1e-300, 0, axis); }), sizes);
    // A zero height passes the size check; the angle bounds are radians.
    EXPECT_EQ(MessageOf([&] { OnPlate(origin, 40, 20, 0, 1.6); }), angle);
    EXPECT_EQ(MessageOf([&] { OnPlate(origin, 40, 20, 10, -1.6); }), angle);
    EXPECT_EQ(MessageOf([&] { OnX(origin, 40, 20, 10, 30, axis, 1); }), angle);
    EXPECT_EQ(MessageOf([&] { OnPlate(origin, 40, 20, 10, 0.1, 1e-300); }), roof);
    // The chord is tested last.
    EXPECT_EQ(MessageOf([&] { OnY(origin, 20.0001, 20, 10, 0, axis, 1); }), roof);
    EXPECT_EQ(MessageOf([&] { OnY(origin, 20.0001, 20, 10, 0, axis); }), tooLong);
    EXPECT_EQ(MessageOf([&] { OnX(origin, 40, 20.0001, 10, 0, axis); }), tooWide);
    EXPECT_EQ(MessageOf([&] { OnX(axis, 40, 1, 10, 0, axis); }), tooWide);
    EXPECT_EQ(MessageOf([&] { OnPlate(origin, 40, 20, 10, HalfPi); }), "no exception");
    EXPECT_EQ(MessageOf([&] { OnPlate(origin, 40, 20, 10, -HalfPi); }), "no exception");
}

TEST(Wedge, OnPlateFacesComeInOrderWithOutwardNormals)
{
    const SolidPtr box = OnPlate(Point(), 40, 20, 10, 0);
    ASSERT_EQ(Kinds(*box), "PPPPPP");
    const Vector normals[] = {Vector(0, 0, -1), Vector(0, 0, 1),  Vector(-1, 0, 0),
                              Vector(1, 0, 0),  Vector(0, -1, 0), Vector(0, 1, 0)};
    const Point onFaces[] = {Point(-20, 0, -10), Point(-20, 0, 0),    Point(-40, 0, -5),
                             Point(0, 0, -5),    Point(-20, -10, -5), Point(-20, 10, -5)};
    for (std::size_t i = 0; i < 6; ++i)
    {
        EXPECT_TRUE(box->GetSurfaces()[i]->GetNormal(Point()).IsAlmostEqual(normals[i])) << i;
        EXPECT_TRUE(box->GetSurfaces()[i]->Contains(onFaces[i])) << i;
        for (const Point& p : FaceAt<Polygon>(*box, i).GetPoints())
        {
            EXPECT_TRUE((p.X() == -40 || p.X() == 0) && std::fabs(p.Y()) == 10 &&
                        (p.Z() == -10 || p.Z() == 0));
        }
    }

    const SolidPtr steep = OnPlate(Point(), 40, 20, 10, HalfPi / 2);
    EXPECT_NEAR(FaceAt<Polygon>(*steep, 3).GetPoints()[0].Z(), -50, 1e-12);
    EXPECT_EQ(FaceAt<Polygon>(*steep, 2).GetPoints()[0].Z(), -10);

    const SolidPtr quarterTurn = OnPlate(Point(), 40, 20, 10, 0, 0, HalfPi);
    EXPECT_TRUE(quarterTurn->GetSurfaces()[1]->Contains(Point(0, -39, 0)));
    EXPECT_FALSE(quarterTurn->GetSurfaces()[1]->Contains(Point(-39, 0, 0)));

    const Point origin(3, -2, 7);
    const SolidPtr turned = OnPlate(origin, 40, 20, 10, 0.3, 0, 0.7);
    EXPECT_EQ(OpenEdges(*turned), std::vector<std::string>());
    ExpectRaysLeaveOutwards(*turned, origin + Vector(-20, 3, -8).RotateAroundZ(0.7));
}

TEST(Wedge, ZeroHeightBreaksTheLowEndExceptOnAnXOrientedCylinder)
{
    EXPECT_THROW(OnPlate(Point(), 40, 20, 0, 0), std::invalid_argument);
    EXPECT_THROW(OnY(Point(), 40, 20, 0, 0, Point(0, 0, 50)), std::invalid_argument);
    // There the low end keeps the sagitta as its height.
    EXPECT_EQ(Kinds(*OnX(Point(), 40, 20, 0, 0, Point(0, 0, 50))), "PAFFPP");
}

TEST(Wedge, OnXOrientedCylinderClosesUpAroundTheAxis)
{
    // On the top generatrix the wedge is symmetric about y = 0.
    const SolidPtr top = OnX(Point(), 30, 10, 5, 0, Point(0, 0, 10));
    ASSERT_EQ(Kinds(*top), "PAFFPP");
    const auto& bottom = FaceAt<CylindricalArcSurface>(*top, 1);
    EXPECT_NEAR(bottom.GetFirstAngle().Radians(), 4 * HalfPi - HalfPi / 3, 1e-12);
    EXPECT_NEAR(bottom.GetLastAngle().Radians(), HalfPi / 3, 1e-12);
    EXPECT_EQ(bottom.GetCentroid(), Point(-15, 0, 10));
    for (const Point& p : FaceAt<Polygon>(*top, 4).GetPoints())
    {
        EXPECT_NEAR(p.Y(), -5, 1e-12);
    }
    EXPECT_EQ(OpenEdges(*top), std::vector<std::string>());
    ExpectRaysLeaveOutwards(*top, Point(-15, 0, -2));

    // Half a radian round an axis away from the coordinate axes.
    const Point axis(4, -3, 60);
    const Point origin = axis + Vector(0, 50 * std::sin(0.5), -50 * std::cos(0.5));
    const SolidPtr turned = OnX(origin, 40, 20, 10, 0.1, axis);
    const auto& turnedBottom = FaceAt<CylindricalArcSurface>(*turned, 1);
    EXPECT_NEAR(turnedBottom.GetFirstAngle().Radians(), 0.5 - std::asin(0.2), 1e-12);
    EXPECT_NEAR(turnedBottom.GetLastAngle().Radians(), 0.5 + std::asin(0.2), 1e-12);
    EXPECT_TRUE(turnedBottom.Contains(origin));
    EXPECT_EQ(OpenEdges(*turned), std::vector<std::string>());
    ExpectRaysLeaveOutwards(*turned,
                            Point(origin.X() - 20, -3 + 55 * std::sin(0.5), 60 - 55 * std::cos(0.5)));
}

TEST(Wedge, OnYOrientedCylinderStandsWithItsTallEndAtTheOrigin)
{
    // A length of twice the radius spans half the circumference.
    const SolidPtr halfRound = OnY(Point(), 20, 10, 5, 0, Point(0, 0, 10));
    const auto& half = FaceAt<CylindricalArcSurface>(*halfRound, 1);
    EXPECT_NEAR(half.GetFirstAngle().Radians(), 0, 1e-12);
    EXPECT_NEAR(half.GetLastAngle().Radians(), 2 * HalfPi, 1e-12);

    // On the -x side of an axis away from the coordinate axes, and off its
    // middle in y.
    const Point axis(5, 3, 60);
    const Point minusX(5 - 50 * std::sin(0.9), 5, 60 - 50 * std::cos(0.9));
    const SolidPtr left = OnY(minusX, 20, 10, 8, 0.2, axis);
    ASSERT_EQ(Kinds(*left), "PAPPFF");
    const auto& bottom = FaceAt<CylindricalArcSurface>(*left, 1);
    EXPECT_NEAR(bottom.GetFirstAngle().Radians(), 0.9, 1e-12);
    EXPECT_NEAR(bottom.GetLastAngle().Radians(), 0.9 + 2 * std::asin(0.2), 1e-12);
    EXPECT_EQ(bottom.GetCentroid(), Point(5, 5, 60));
    EXPECT_TRUE(left->GetSurfaces()[3]->Contains(minusX));
    EXPECT_EQ(OpenEdges(*left), std::vector<std::string>());
    const double middle = 0.9 + std::asin(0.2);
    ExpectRaysLeaveOutwards(*left, Point(5 - 53 * std::sin(middle), 5, 60 - 53 * std::cos(middle)));

    const Point plusX(5 + 50 * std::sin(0.9), 3, 60 - 50 * std::cos(0.9));
    const SolidPtr right = OnY(plusX, 20, 10, 8, 0.2, axis);
    EXPECT_NEAR(FaceAt<CylindricalArcSurface>(*right, 1).GetFirstAngle().Radians(), 4 * HalfPi - 0.9, 1e-12);
    EXPECT_TRUE(right->GetSurfaces()[3]->Contains(plusX));
    EXPECT_GT(FaceAt<Polygon>(*right, 0).GetCentroid().X(), 5 + 20);
}
