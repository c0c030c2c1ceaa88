#include "Quoria.h"
#include "SolidChecks.h"
#include "SpecimenFactory.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>

using namespace Tessam::Geometry3D;
using namespace SolidChecks;
using Quoria::SlopeConfiguration;

namespace
{
using Slopes = std::array<const SlopeConfiguration, 4>;
using SolidPtr = std::unique_ptr<const Solid>;
using S = SlopeConfiguration;

const double HalfPi = 1.5707963267948966;
const Slopes Flat = {S(0, 0, 0), S(0, 0, 0), S(0, 0, 0), S(0, 0, 0)};

SolidPtr YPipe(const Slopes& slopes, double ri = 40, double ro = 50, double length = 200,
               const Point& centre = Point())
{
    return SolidPtr(Quoria::CreateYOrientedCounterboredPipe(centre, ri, ro, length, slopes));
}

SolidPtr XPipe(const Slopes& slopes, double ri = 40, double ro = 50, double length = 100)
{
    return SolidPtr(Quoria::CreateXOrientedCounterboredPipe(Point(), ri, ro, length, slopes));
}

// The point at radius rho and angle phi about +x from (0, 0, -1).
Point InSection(double x, double rho, double phi)
{
    return Point(x, rho * std::sin(phi), -rho * std::cos(phi));
}

// Where the ray from p along d crosses the line through a and b; all three in one plane x = constant.
Point Crossing(const Point& p, const Vector& d, const Point& a, const Point& b)
{
    const Vector e = b - a;
    const Vector ap = a - p;
    return p + d * ((ap.Y() * e.Z() - ap.Z() * e.Y()) / (d.Y() * e.Z() - d.Z() * e.Y()));
}

// Whether (y, z) lies across the chord from (r1, f1) to (r2, f2), away from the axis.
bool BeyondChord(double r1, double f1, double r2, double f2, double y, double z)
{
    const Point a = InSection(0, r1, f1);
    const Point b = InSection(0, r2, f2);
    const auto side = [&](double py, double pz)
    { return (b.Y() - a.Y()) * (pz - a.Z()) - (b.Z() - a.Z()) * (py - a.Y()); };
    return (side(y, z) > 0) != (side(0, 0) > 0);
}

// The wall of the x-oriented pipe of XSlopes drawn from its description.
const Slopes XSlopes = {S(5, 8, 4), S(4, 10, 5), S(4, 0, 10), S(5, 8, 4)};
bool InXWall(double y, double z)
{
    const double rho = std::hypot(y, z);
    const double phi = std::atan2(y, -z);
    const bool pastBore = std::fabs(phi) <= 0.1      ? rho >= 40
                          : phi > 0.1 && phi < 0.3   ? BeyondChord(40, 0.1, 35, 0.3, y, z)
                          : phi < -0.1 && phi > -0.3 ? BeyondChord(40, -0.1, 35, -0.3, y, z)
                                                     : rho >= 35;
    const bool insideOutside = phi >= -0.2 && phi <= 0.1 ? rho <= 50
                               : phi > 0.1 && phi < 0.3  ? !BeyondChord(50, 0.1, 54, 0.3, y, z)
                                                         : rho <= 54;
    return pastBore && insideOutside;
}
} // namespace

TEST(CounterboredPipe, YOrientedValidationOrderAndMessages)
{
    const std::string prefix = "SpecimenFactory::CreateYOrientedCounterboredPipe : ";
    const std::string radii = prefix +
                              "Radii and height must be larger than zero and outer radius must be larger "
                              "than inner radius.";
    const std::string sum = prefix +
                            "The sum of the offset and the width for one slope must be smaller of equal "
                            "to half the height of the cylinder.";
    const std::string inner = prefix +
                              "The heights of the inner slopes must be smaller than the inner radius of "
                              "the pipe.";
    const Slopes tooLongAndTooHigh = {S(40, 61, 40), S(0, 0, 0), S(0, 0, 0), S(0, 0, 0)};
    EXPECT_EQ(MessageOf([&] { YPipe(tooLongAndTooHigh, 0, 50); }), radii);
    EXPECT_EQ(MessageOf([&] { YPipe(Flat, 50, 50); }), radii);
    EXPECT_EQ(MessageOf([&] { YPipe(Flat, 40, 50, 0); }), radii);
    EXPECT_EQ(MessageOf([&] { YPipe(tooLongAndTooHigh); }), sum);
    EXPECT_EQ(MessageOf([&] { YPipe({S(0, 0, 0), S(0, 0, 0), S(0, 1e-9, 100), S(0, 0, 0)}); }), sum);
    EXPECT_EQ(MessageOf([&] { YPipe({S(0, 0, 0), S(0, 0, 0), S(0, 0, 0), S(40, 0, 0)}); }), inner);
    // Equal bounds pass, an outer slope may be as high as it likes, and a
    // zero height makes offset and width irrelevant.
    EXPECT_EQ(MessageOf(
                  [&] {
                      YPipe({S(39.999, 40, 60), S(1000, 1, 0), S(0, 7, 2), S(0, 0, 0)});
                  }),
              "no exception");
}

TEST(CounterboredPipe, XOrientedValidationOrderAndMessages)
{
    const std::string prefix = "SpecimenFactory::CreateXOrientedCounterboredPipe : ";
    const std::string radii = prefix +
                              "Radii and height must be larger than zero and outer radius must be larger "
                              "than inner radius.";
    const std::string sum = prefix +
                            "The sum of the offset and the width for one slope must be smaller or equal "
                            "to half the circumference of the cylinder.";
    const std::string paired = prefix +
                               "The heights of the two inner slopes and the heights of the two outer "
                               "slopes must be the same.";
    const std::string inner = prefix +
                              "The heights of the inner slopes must be smaller than the inner radius of "
                              "the pipe.";
    const std::string null = prefix + "If the height of a slope is null, its width should also be null.";
    const double pi = 2 * HalfPi;
    EXPECT_EQ(MessageOf([&] { XPipe({S(1, 0, 0), S(0, 0, 0), S(0, 0, 0), S(2, 0, 0)}, 40, 50, -1); }), radii);
    EXPECT_EQ(MessageOf([&] { XPipe({S(1, 0, 0), S(0, 0, 0), S(0, 200, 0), S(2, 0, 0)}); }), sum);
    EXPECT_EQ(MessageOf([&] { XPipe({S(0, 0, 0), S(0, 0, 0), S(0, pi * 50 - 0.5, 1), S(0, 0, 0)}); }), sum);
    // The inner slopes are bounded by the bore's half circumference.
    EXPECT_EQ(MessageOf([&] { XPipe({S(0, pi * 40, 0.01), S(0, 0, 0), S(0, 0, 0), S(0, 0, 0)}); }), sum);
    EXPECT_EQ(MessageOf([&] { XPipe({S(40, 0, 0), S(0, 0, 0), S(0, 0, 0), S(39, 0, 0)}); }), paired);
    EXPECT_EQ(MessageOf([&] { XPipe({S(0, 0, 0), S(1, 0, 0), S(2, 0, 0), S(0, 0, 0)}); }), paired);
    EXPECT_EQ(MessageOf([&] { XPipe({S(40, 0, 0), S(0, 0, 0), S(0, 0, 0), S(40, 0, 0)}); }), inner);
    EXPECT_EQ(MessageOf([&] { XPipe({S(0, 0, 0), S(0, 3, 0), S(0, 0, 0), S(0, 0, 0)}); }), null);
    EXPECT_EQ(MessageOf([&] { XPipe({S(0, 0, 0), S(0, 0, 0), S(0, 0, 0), S(0, 2, 0)}); }), null);
    // A flat outside cannot carry a slope even where the bore has one.
    EXPECT_EQ(MessageOf([&] { XPipe({S(5, 1, 0), S(0, 0, 0), S(0, 1, 0), S(5, 1, 0)}); }), null);
    EXPECT_EQ(MessageOf(
                  [&] {
                      XPipe({S(5, 0, 2), S(2, pi * 40, 1), S(2, 0, 0), S(5, 0, 2)});
                  }),
              "no exception");
}

TEST(CounterboredPipe, YOrientedWithoutSlopesIsAPlainPipe)
{
    const Point centre(1, 2, 3);
    const SolidPtr pipe = YPipe({S(0, 0, 0), S(0, 5, 1), S(0, 0, 0), S(0, 0, 0)}, 40, 50, 200, centre);
    ASSERT_EQ(Kinds(*pipe), "CCRR");
    const auto* bore = dynamic_cast<const CylindricalSurface*>(pipe->GetSurfaces()[0]);
    const auto* outside = dynamic_cast<const CylindricalSurface*>(pipe->GetSurfaces()[1]);
    EXPECT_EQ(bore->GetCentroid(), centre);
    EXPECT_EQ(bore->GetHeight(), 200.0);
    EXPECT_EQ(bore->GetRadius(), 40.0);
    EXPECT_FALSE(bore->IsNormalOutward());
    EXPECT_EQ(outside->GetRadius(), 50.0);
    EXPECT_TRUE(outside->IsNormalOutward());
    const auto* minusEnd = dynamic_cast<const Ring*>(pipe->GetSurfaces()[2]);
    EXPECT_EQ(minusEnd->GetCenter(), Point(1, -98, 3));
    EXPECT_EQ(minusEnd->GetNormal(Point()), Vector(0, -1, 0));
    EXPECT_EQ(pipe->GetSurfaces()[3]->GetNormal(Point()), Vector(0, 1, 0));
}

TEST(CounterboredPipe, YOrientedStepsAndConesCloseUpWithOutwardNormals)
{
    // Quadrant 1 a cone, 2 a cone reaching the +y end, 3 and 4 steps at -10.
    const SolidPtr pipe = YPipe({S(5, 10, 10), S(5, 90, 10), S(5, 0, 10), S(5, 0, 10)});
    ASSERT_EQ(Kinds(*pipe), "CCTCTRCRCRR");
    const auto* cone = dynamic_cast<const TruncatedConicalSurface*>(pipe->GetSurfaces()[2]);
    EXPECT_EQ(cone->GetRadius(), 40.0);
    EXPECT_EQ(cone->GetRadiusTop(), 35.0);
    const auto* innerStep = dynamic_cast<const Ring*>(pipe->GetSurfaces()[7]);
    EXPECT_EQ(innerStep->GetCenter(), Point(0, -10, 0));
    EXPECT_EQ(innerStep->GetInnerRadius(), 35.0);
    EXPECT_EQ(innerStep->GetOuterRadius(), 40.0);
    EXPECT_EQ(innerStep->GetNormal(Point()), Vector(0, 1, 0));
    EXPECT_EQ(dynamic_cast<const Ring*>(pipe->GetSurfaces()[10])->GetOuterRadius(), 55.0);

    EXPECT_EQ(OpenEdges(*pipe), std::vector<std::string>());
    for (const Point& inside : {Point(0, 0, -45), Point(0, 15, -45), Point(45, 60, 0), Point(0, -12, 37),
                                Point(-52, -60, 0), Point(0, 99, 36)})
    {
        ExpectRaysLeaveOutwards(*pipe, inside);
    }

    // Down the cone at 45 degrees in the plane x = 0, then along the narrow
    // bore to the +y end.
    const double r = HalfPi / 2;
    ExpectLegs(Trace({pipe.get()}, Point(0, 2.5, -50), r, HalfPi, 3), Point(0, 2.5, -50),
               {Point(0, 15, -37.5), Point(0, 32.5, -35), Point(0, 100, -(35 + 67.5 / 7))});
    // Into the step of quadrant 4 and back along the narrow bore.
    ExpectLegs(Trace({pipe.get()}, Point(0, -27, -55), r, HalfPi, 3), Point(0, -27, -55),
               {Point(0, -10, -38), Point(0, -13, -35), Point(0, -33, -55)});
}

TEST(CounterboredPipe, XOrientedWithoutSlopesIsAPlainPipe)
{
    const SolidPtr pipe = XPipe(Flat);
    ASSERT_EQ(Kinds(*pipe), "CCRR");
    for (const double rho : {39.99, 40.01, 45.0, 49.99, 50.01})
    {
        const bool inRing = rho >= 40 && rho <= 50;
        EXPECT_EQ(pipe->GetSurfaces()[2]->Contains(InSection(-50, rho, 2.0)), inRing) << rho;
        EXPECT_EQ(pipe->GetSurfaces()[3]->Contains(InSection(50, rho, -1.0)), inRing) << rho;
    }
}

TEST(CounterboredPipe, XOrientedSlopesCloseUpWithOutwardNormals)
{
    const SolidPtr pipe = XPipe(XSlopes);
    ASSERT_EQ(Kinds(*pipe), "APPAAPPAFF");
    const auto* bore = dynamic_cast<const CylindricalArcSurface*>(pipe->GetSurfaces()[0]);
    EXPECT_NEAR(bore->GetFirstAngle().Radians(), 4 * HalfPi - 0.1, 1e-12);
    EXPECT_NEAR(bore->GetLastAngle().Radians(), 0.1, 1e-12);
    for (const Point& inside : {InSection(-30, 45, 0), InSection(20, 45, 3.1), InSection(0, 38, 0.25),
                                InSection(10, 52, -0.5), InSection(0, 45, -0.15), InSection(-49, 51, 0.2)})
    {
        ExpectRaysLeaveOutwards(*pipe, inside);
    }

    // Both end faces cover the cross-section exactly, although the outer
    // slopes are not symmetric.
    int mismatches = 0;
    for (double y = -56.03; y < 56; y += 0.917)
    {
        for (double z = -56.07; z < 56; z += 0.913)
        {
            const bool inWall = InXWall(y, z);
            mismatches += pipe->GetSurfaces()[8]->Contains(Point(-50, y, z)) != inWall;
            mismatches += pipe->GetSurfaces()[9]->Contains(Point(50, y, z)) != inWall;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(CounterboredPipe, XOrientedBeamsCrossSlopeAndStep)
{
    const SolidPtr pipe = XPipe(XSlopes);
    // From the top of the outside, tilted towards +y, onto the slope of quadrant 1.
    const Point top(0, 0, -50);
    const Vector down(0, 0.5, std::sqrt(0.75));
    const Point onSlope = Crossing(top, down, InSection(0, 40, 0.1), InSection(0, 35, 0.3));
    const std::vector<LineSegment> intoSlope = Trace({pipe.get()}, top, HalfPi / 3, HalfPi, 2);
    ASSERT_EQ(intoSlope.size(), 2u);
    ExpectLegs({intoSlope[0]}, top, {onSlope});
    const Vector slopeNormal =
        (InSection(0, 35, 0.3) - InSection(0, 40, 0.1)).Cross(Vector(1, 0, 0)).Normalized();
    EXPECT_TRUE(intoSlope[1].GetDirection().IsAlmostEqual(Mirror(down, slopeNormal)));

    // From the wide outside beyond quadrant 3, running round towards +y
    // into its step at angle -0.2.
    const Point wide = InSection(0, 54, -0.3);
    const Vector inward(0, std::sin(0.3), std::cos(0.3));
    const Vector around(0, std::cos(0.3), -std::sin(0.3));
    const Vector beam = inward * 0.5 + around * std::sqrt(0.75);
    const std::vector<LineSegment> intoStep = Trace({pipe.get()}, wide, 2 * HalfPi / 3, HalfPi, 2);
    ASSERT_EQ(intoStep.size(), 2u);
    ExpectLegs({intoStep[0]}, wide, {Crossing(wide, beam, InSection(0, 50, -0.2), InSection(0, 54, -0.2))});
    EXPECT_TRUE(
        intoStep[1].GetDirection().IsAlmostEqual(Mirror(beam, Vector(0, std::cos(0.2), -std::sin(0.2)))));
}

TEST(CounterboredPipe, XOrientedInnerSlopesMeetOnTheWeldGeneratrix)
{
    const SolidPtr pipe = XPipe({S(5, 8, 0), S(0, 0, 0), S(0, 0, 0), S(5, 8, 0)});
    ASSERT_EQ(Kinds(*pipe), "PPACFF");
    for (const double x : {-50.0, 0.0, 50.0})
    {
        EXPECT_TRUE(pipe->GetSurfaces()[0]->Contains(Point(x, 0, -40)));
        EXPECT_TRUE(pipe->GetSurfaces()[1]->Contains(Point(x, 0, -40)));
    }
    ExpectRaysLeaveOutwards(*pipe, InSection(0, 45, 0.01));
}
