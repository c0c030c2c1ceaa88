#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using Quoria::SlopeConfiguration;

TEST(SlopeConfiguration, ZeroIsValidAndNegativesAreRejectedHeightFirst)
{
    EXPECT_EQ(MessageOf([] { SlopeConfiguration(0, 0, 0); }), "no exception");
    EXPECT_EQ(MessageOf([] { SlopeConfiguration(-1e-300, 1, 1); }),
              "SlopeConfiguration::SlopeConfiguration : Height must be positive.");
    EXPECT_EQ(MessageOf([] { SlopeConfiguration(-1, -1, -1); }),
              "SlopeConfiguration::SlopeConfiguration : Height must be positive.");
    EXPECT_EQ(MessageOf([] { SlopeConfiguration(1, -1, -1); }),
              "SlopeConfiguration::SlopeConfiguration : Width must be positive.");
    EXPECT_EQ(MessageOf([] { SlopeConfiguration(1, 1, -1); }),
              "SlopeConfiguraiton::SlopeConfiguration : Offset must be positive.");
    EXPECT_EQ(MessageOf([] { SlopeConfiguration(std::nan(""), 1, 1); }), "no exception");
}

TEST(SlopeConfiguration, RejectedSettersLeaveTheValueUnchanged)
{
    SlopeConfiguration slope(1, 2, 3);
    EXPECT_EQ(MessageOf([&] { slope.SetWidth(-2); }),
              "SlopeConfiguration::SetWidth : Width must be positive.");
    EXPECT_EQ(slope.GetWidth(), 2.0);
    EXPECT_EQ(MessageOf([&] { slope.SetHeight(-2); }),
              "SlopeConfiguration::SetHeight : Height must be positive.");
    EXPECT_EQ(slope.GetHeight(), 1.0);
    EXPECT_EQ(MessageOf([&] { slope.SetOffset(-2); }),
              "SlopeConfiguration::SetOffset : Offset must be positive.");
    EXPECT_EQ(slope.GetOffset(), 3.0);
    slope.SetHeight(0);
    EXPECT_EQ(slope.GetHeight(), 0.0);
}

TEST(SlopeConfiguration, AngleIsTheArcTangentOfHeightOverWidth)
{
    EXPECT_DOUBLE_EQ(SlopeConfiguration(1, 1, 0).GetAngle().Radians(), Pi / 4);
    EXPECT_EQ(SlopeConfiguration(2, 0, 0).GetAngle().Radians(), HalfPi);
    EXPECT_EQ(SlopeConfiguration(0, 3, 0).GetAngle().Radians(), 0.0);
    EXPECT_TRUE(std::isnan(SlopeConfiguration(0, 0, 0).GetAngle().Radians()));
}
