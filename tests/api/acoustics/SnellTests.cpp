#include "Snell.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

// Angles as an inspection handbook prints them, to a hundredth of a degree.
const double Hundredth = 0.005 * Degree;

TEST(Snell, WedgeIntoSteelAsHandbooksGiveIt)
{
    // Cross-linked polystyrene (2330 m/s) into steel shear (3230) and
    // longitudinal (5900).
    EXPECT_NEAR(*Quoria::RefractedAngle(36.0 * Degree, 2330.0, 3230.0), 54.57 * Degree, Hundredth);
    EXPECT_NEAR(*Quoria::RefractedAngle(-36.0 * Degree, 2330.0, 3230.0), -54.57 * Degree, Hundredth);
    EXPECT_NEAR(*Quoria::CriticalAngle(2330.0, 3230.0), 46.17 * Degree, Hundredth);
    EXPECT_NEAR(*Quoria::CriticalAngle(2330.0, 5900.0), 23.26 * Degree, Hundredth);
    // The wedge a probe needs for 60 degrees of shear in steel.
    EXPECT_NEAR(*Quoria::IncidenceForRefractedAngle(60.0 * Degree, 2330.0, 3230.0), 38.66 * Degree,
                Hundredth);
    EXPECT_NEAR(*Quoria::IncidenceForRefractedAngle(-60.0 * Degree, 2330.0, 3230.0), -38.66 * Degree,
                Hundredth);
    // Into a slower medium the beam bends towards the normal, and always exists.
    EXPECT_NEAR(*Quoria::RefractedAngle(54.57 * Degree, 3230.0, 2330.0), 36.0 * Degree, Hundredth);
    EXPECT_NEAR(*Quoria::RefractedAngle(HalfPi, 3230.0, 2330.0), std::asin(2330.0 / 3230.0), 1e-15);
}

TEST(Snell, NoWaveBeyondTheCriticalAngleAndNoCriticalAngleIntoASlowerMedium)
{
    EXPECT_FALSE(Quoria::RefractedAngle(36.0 * Degree, 2330.0, 5900.0));
    EXPECT_FALSE(Quoria::RefractedAngle(47.0 * Degree, 2330.0, 3230.0));
    EXPECT_TRUE(Quoria::RefractedAngle(46.0 * Degree, 2330.0, 3230.0));
    EXPECT_FALSE(Quoria::CriticalAngle(3230.0, 2330.0));
    EXPECT_FALSE(Quoria::CriticalAngle(3230.0, 3230.0));
    // No incidence gives 60 degrees in a medium slower by half or more.
    EXPECT_FALSE(Quoria::IncidenceForRefractedAngle(60.0 * Degree, 3000.0, 1000.0));
    // A grazing wave still exists: sin(pi/2) is exactly 1, the ratio 1.
    EXPECT_EQ(*Quoria::RefractedAngle(HalfPi, 1480.0, 1480.0), HalfPi);
    EXPECT_FALSE(Quoria::RefractedAngle(HalfPi, 1480.0, 1480.0 * (1.0 + 1e-15)));
    EXPECT_EQ(*Quoria::IncidenceForRefractedAngle(HalfPi, 1480.0, 1480.0), HalfPi);
}

TEST(Snell, RefusesAnglesOffTheQuarterTurnThenBadSpeeds)
{
    const std::string refracted =
        "RefractedAngle : Incidence angle must be contained within [-90\xB0, 90\xB0].";
    const std::string speeds = "RefractedAngle : Speeds must be positive and finite.";
    const double above = std::nextafter(HalfPi, 2.0);
    EXPECT_EQ(MessageOf([&] { Quoria::RefractedAngle(above, 1.0, 1.0); }), refracted);
    EXPECT_EQ(MessageOf([&] { Quoria::RefractedAngle(-above, 1.0, 1.0); }), refracted);
    EXPECT_EQ(MessageOf([&] { Quoria::RefractedAngle(std::nan(""), -1.0, 1.0); }), refracted);
    EXPECT_EQ(MessageOf([&] { Quoria::RefractedAngle(-HalfPi, 1.0, 1.0); }), "no exception");
    EXPECT_EQ(MessageOf([&] { Quoria::RefractedAngle(0.0, 0.0, 1.0); }), speeds);
    EXPECT_EQ(MessageOf([&] { Quoria::RefractedAngle(0.0, 1.0, -1.0); }), speeds);
    EXPECT_EQ(MessageOf([&] { Quoria::RefractedAngle(0.0, 1.0, std::nan("")); }), speeds);
    EXPECT_EQ(MessageOf([&] { Quoria::RefractedAngle(0.0, HUGE_VAL, 1.0); }), speeds);
    EXPECT_EQ(MessageOf([&] { Quoria::CriticalAngle(0.0, 1.0); }),
              "CriticalAngle : Speeds must be positive and finite.");
    EXPECT_EQ(MessageOf([&] { Quoria::IncidenceForRefractedAngle(2.0, 0.0, 1.0); }),
              "IncidenceForRefractedAngle : Refracted angle must be contained within [-90\xB0, 90\xB0].");
    EXPECT_EQ(MessageOf([&] { Quoria::IncidenceForRefractedAngle(1.0, 1.0, 0.0); }),
              "IncidenceForRefractedAngle : Speeds must be positive and finite.");
}
