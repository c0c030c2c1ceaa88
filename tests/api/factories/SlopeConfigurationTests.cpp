#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using Quoria::SlopeConfiguration;

TEST(SlopeConfiguration, ZeroIsValidAndNegativesAreRejectedHeightFirst)
{
    EXPECT_EQ(MessageOf([] { SlopeConfiguration(0, 0, 0); }), "no exception");
    ExpectRejections({
        {"SlopeConfiguration::SlopeConfiguration : Height must be",
         [] { SlopeConfiguration(-1e-300, 1, 1); }},
        {"SlopeConfiguration::SlopeConfiguration : Height must be", [] { SlopeConfiguration(-1, -1, -1); }},
        {"SlopeConfiguration::SlopeConfiguration : Width must be", [] { SlopeConfiguration(1, -1, -1); }},
        {"SlopeConfiguraiton::SlopeConfiguration : Offset must be", [] { SlopeConfiguration(1, 1, -1); }},
    });
    EXPECT_EQ(MessageOf([] { SlopeConfiguration(std::nan(""), 1, 1); }), "no exception");
}

TEST(SlopeConfiguration, RejectedSettersLeaveTheValueUnchanged)
{
    SlopeConfiguration slope(1, 2, 3);
    ExpectRejections({
        {"SlopeConfiguration::SetWidth : Width must be", [&] { slope.SetWidth(-2); }},
    });
    EXPECT_EQ(slope.GetWidth(), 2.0);
    ExpectRejections({
        {"SlopeConfiguration::SetHeight : Height must be", [&] { slope.SetHeight(-2); }},
    });
    EXPECT_EQ(slope.GetHeight(), 1.0);
    ExpectRejections({
        {"SlopeConfiguration::SetOffset : Offset must be", [&] { slope.SetOffset(-2); }},
    });
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
