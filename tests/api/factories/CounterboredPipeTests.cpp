#include "Quoria.h"
#include "SolidChecks.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>

using namespace Tessam::Geometry3D;
using namespace SolidChecks;

namespace
{
using S = Quoria::SlopeConfiguration;
using Slopes = std::array<const S, 4>;
using SolidPtr = std::unique_ptr<const Solid>;

const Slopes Flat = {S(0, 0, 0), S(0, 0, 0), S(0, 0, 0), S(0, 0, 0)};

SolidPtr YPipe(const Slopes& slopes, double ri = 40, double ro = 50, double length = 200)
{
    return SolidPtr(Quoria::CreateYOrientedCounterboredPipe(Point(), ri, ro, length, slopes));
}

SolidPtr XPipe(const Slopes& slopes, double ri = 40, double ro = 50, double length = 100)
{
    return SolidPtr(Quoria::CreateXOrientedCounterboredPipe(Point(), ri, ro, length, slopes));
}

// At radius rho and angle phi about +x from (0, 0, -1).
Point InSection(double x, double rho, double phi)
{
    return Point(x, rho * std::sin(phi), -rho * std::cos(phi));
}

// Where the ray from p along d crosses the line through a and b, all in one plane x = constant.
Point Crossing(const Point& p, const Vector& d, const Point& a, const Point& b)
{
    const Vector e = b - a;
    return p + d * (((a - p).Y() * e.Z() - (a - p).Z() * e.Y()) / (d.Y() * e.Z() - d.Z() * e.Y()));
}

// Whether (y, z) lies across the chord from (r1, f1) to (r2, f2) from the axis.
bool BeyondChord(double r1, double f1, double r2, double f2, double y, double z)
{
    const Point a = InSection(0, r1, f1);
    const Vector e = InSection(0, r2, f2) - a;
    return (e.Y() * (z - a.Z()) - e.Z() * (y - a.Y()) > 0) != (e.Y() * -a.Z() - e.Z() * -a.Y() > 0);
}

// The x-oriented wall of XSlopes drawn from its description: circles, with
// straight chords across the slopes.
const Slopes XSlopes = {S(5, 8, 4), S(4, 10, 5), S(4, 0, 10), S(5, 8, 4)};
bool InXWall(double y, double z)
{
    const double rho = std::hypot(y, z);
    const double phi = std::atan2(y, -z);
    const bool pastBore = std::fabs(phi) <= 0.1      ? rho >= 40
                          : phi > 0.1 && phi < 0.3   ? BeyondChord(40, 0.1, 35, 0.3, y, z)
                          : phi < -0.1 && phi > -0.3 ? BeyondChord(40, -0.1, 35, -0.3, y, z)
                                                     : rho >= 35;
    const bool withinOutside = phi >= -0.2 && phi <= 0.1 ? rho <= 50
                               : phi > 0.1 && phi < 0.3  ? !BeyondChord(50, 0.1, 54, 0.3, y, z)
                                                         : rho <= 54;
    return pastBore && withinOutside;
}
} // namespace

TEST(CounterboredPipe, ValidationOrderAndMessages)
{
    const std::string y = "SpecimenFactory::CreateYOrientedCounterboredPipe : ";
    const std::string x = "SpecimenFactory::CreateXOrientedCounterboredPipe : ";
    const Slopes tooLongAndTooHigh = {S(40, 61, 40), S(0, 0, 0), S(0, 0, 0), S(0, 0, 0)};
    const Slopes tooLongAround = {S(1, 0, 0), S(0, 0, 0), S(0, 200, 0), S(2, 0, 0)};
    ExpectRejections({
        {y + "Radii and height", [&] { YPipe(tooLongAndTooHigh, 0, 50); }},
        {y + "Radii and height", [] { YPipe(Flat, 50, 50); }},
        {y + "Radii and height", [] { YPipe(Flat, 40, 50, 0); }},
        {y + "The sum of", [&] { YPipe(tooLongAndTooHigh); }},
        {y + "The sum of",
         [] {
             YPipe({S(0, 0, 0), S(0, 0, 0), S(0, 1e-9, 100), S(0, 0, 0)});
         }},
        {y + "The heights of",
         [] {
             YPipe({S(0, 0, 0), S(0, 0, 0), S(0, 0, 0), S(40, 0, 0)});
         }},
        {x + "Radii and height", [&] { XPipe(tooLongAround, 40, 50, -1); }},
        {x + "The sum of", [&] { XPipe(tooLongAround); }},
        {x + "The sum of",
         [] {
             XPipe({S(0, 0, 0), S(0, 0, 0), S(0, Pi * 50 - 0.5, 1), S(0, 0, 0)});
         }},
        {x + "The sum of",
         [] {
             XPipe({S(0, Pi * 40, 0.01), S(0, 0, 0), S(0, 0, 0), S(0, 0, 0)});
         }},
        {x + "The heights of the two",
         [] {
             XPipe({S(40, 0, 0), S(0, 0, 0), S(0, 0, 0), S(39, 0, 0)});
         }},
        {x + "The heights of the two",
         [] {
             XPipe({S(0, 0, 0), S(1, 0, 0), S(2, 0, 0), S(0, 0, 0)});
         }},
        {x + "The heights of the inner",
         [] {
             XPipe({S(40, 0, 0), S(0, 0, 0), S(0, 0, 0), S(40, 0, 0)});
         }},
        {x + "If the height",
         [] {
             XPipe({S(0, 0, 0), S(0, 3, 0), S(0, 0, 0), S(0, 0, 0)});
         }},
        {x + "If the height",
         [] {
             XPipe({S(0, 0, 0), S(0, 0, 0), S(0, 0, 0), S(0, 2, 0)});
         }},
        // A flat outside carries no slope even where the bore has one.
        {x + "If the height",
         [] {
             XPipe({S(5, 1, 0), S(0, 0, 0), S(0, 1, 0), S(5, 1, 0)});
         }},
    });
    // Equal bounds pass, outer slopes are not limited, and a zero height
    // makes offset and width irrelevant.
    EXPECT_NO_THROW(YPipe({S(39.999, 40, 60), S(1000, 1, 0), S(0, 7, 2), S(0, 0, 0)}));
    EXPECT_EQ(Kinds(*YPipe({S(0, 0, 0), S(0, 5, 1), S(0, 0, 0), S(0, 0, 0)})), "CCRR");
    EXPECT_EQ(Kinds(*XPipe(Flat)), "CCRR");
    // Inner slopes starting on the weld's generatrix leave no middle bore.
    EXPECT_EQ(Kinds(*XPipe({S(5, 8, 0), S(0, 0, 0), S(0, 0, 0), S(5, 8, 0)})), "PPACFF");
}

TEST(CounterboredPipe, YOrientedStepsAndConesCloseUpWithOutwardNormals)
{
    // Quadrant 1 a cone, 2 a cone reaching the +y end, 3 and 4 steps at y = -10.
    const SolidPtr pipe = YPipe({S(5, 10, 10), S(5, 90, 10), S(5, 0, 10), S(5, 0, 10)});
    ASSERT_EQ(Kinds(*pipe), "CCTCTRCRCRR");
    EXPECT_EQ(dynamic_cast<const Ring&>(*pipe->GetSurfaces()[7]).GetCenter(), Point(0, -10, 0));
    EXPECT_EQ(OpenEdges(*pipe), std::vector<std::string>());
    for (const Point& inside : {Point(0, 0, -45), Point(0, 15, -45), Point(45, 60, 0), Point(0, -12, 37),
                                Point(-52, -60, 0), Point(0, 99, 36)})
    {
        ExpectRaysLeaveOutwards(*pipe, inside);
    }

    // In the plane x = 0 at 45 degrees: onto the cone, along the narrow bore
    // to the +y end; then into the step of quadrant 4 and back.
    ExpectLegs(Trace({pipe.get()}, Point(0, 2.5, -50), HalfPi / 2, HalfPi, 3), Point(0, 2.5, -50),
               {Point(0, 15, -37.5), Point(0, 32.5, -35), Point(0, 100, -(35 + 67.5 / 7))});
    ExpectLegs(Trace({pipe.get()}, Point(0, -27, -55), HalfPi / 2, HalfPi, 3), Point(0, -27, -55),
               {Point(0, -10, -38), Point(0, -13, -35), Point(0, -33, -55)});
}

TEST(CounterboredPipe, XOrientedEndFacesCoverTheWallAndNormalsPointOut)
{
    const SolidPtr pipe = XPipe(XSlopes);
    ASSERT_EQ(Kinds(*pipe), "APPAAPPAFF");
    for (const Point& inside : {InSection(-30, 45, 0), InSection(20, 45, 3.1), InSection(0, 38, 0.25),
                                InSection(10, 52, -0.5), InSection(0, 45, -0.15), InSection(-49, 51, 0.2)})
    {
        ExpectRaysLeaveOutwards(*pipe, inside);
    }
    // Both ends, although the outer slopes differ.
    int mismatches = 0;
    for (double y = -56.03; y < 56; y += 0.917)
    {
        for (double z = -56.07; z < 56; z += 0.913)
        {
            mismatches += pipe->GetSurfaces()[8]->Contains(Point(-50, y, z)) != InXWall(y, z);
            mismatches += pipe->GetSurfaces()[9]->Contains(Point(50, y, z)) != InXWall(y, z);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(CounterboredPipe, XOrientedBeamsMirrorOnSlopeAndStep)
{
    const SolidPtr pipe = XPipe(XSlopes);
    const auto expectMirrored =
        [&](const Point& entry, double refraction, const Vector& beam, const Point& a, const Point& b)
    {
        const std::vector<LineSegment> legs = Trace({pipe.get()}, entry, refraction, HalfPi, 2);
        ASSERT_EQ(legs.size(), 2u);
        ExpectLegs({legs[0]}, entry, {Crossing(entry, beam, a, b)});
        const Vector n = (b - a).Cross(Vector(1, 0, 0)).Normalized();
        EXPECT_TRUE(legs[1].GetDirection().IsAlmostEqual(beam - n * (2 * beam.Dot(n))));
    };
    // From the top of the outside, tilted towards +y, onto quadrant 1's slope.
    expectMirrored(Point(0, 0, -50), HalfPi / 3, Vector(0, 0.5, std::sqrt(0.75)), InSection(0, 40, 0.1),
                   InSection(0, 35, 0.3));
    // From the wide outside beyond quadrant 3, round towards +y into its step.
    const Vector inward(0, std::sin(0.3), std::cos(0.3));
    const Vector around(0, std::cos(0.3), -std::sin(0.3));
    expectMirrored(InSection(0, 54, -0.3), 2 * HalfPi / 3, inward * 0.5 + around * std::sqrt(0.75),
                   InSection(0, 50, -0.2), InSection(0, 54, -0.2));
}
