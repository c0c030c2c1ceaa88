#include "Quoria.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

using Quoria::SlopeConfiguration;

namespace
{
template <typename Action> std::string MessageOf(Action action)
{
    try
    {
        action();
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    return "no exception";
}
} // namespace

TEST(SlopeConfiguration, ZeroIsValidAndNegativesAreRejectedHeightFirst)
{
    const SlopeConfiguration zero(0, 0, 0);
    EXPECT_EQ(zero.GetHeight(), 0.0);
    EXPECT_EQ(zero.GetWidth(), 0.0);
    EXPECT_EQ(zero.GetOffset(), 0.0);
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
    EXPECT_EQ(MessageOf([&] { slope.SetWidth(-2); }), "SlopeConfiguration::SetWidth : Width must be positive.");
    EXPECT_EQ(slope.GetWidth(), 2.0);
    EXPECT_EQ(MessageOf([&] { slope.SetHeight(-2); }), "SlopeConfiguration::SetHeight : Height must be positive.");
    EXPECT_EQ(slope.GetHeight(), 1.0);
    EXPECT_EQ(MessageOf([&] { slope.SetOffset(-2); }), "SlopeConfiguration::SetOffset : Offset must be positive.");
    EXPECT_EQ(slope.GetOffset(), 3.0);
    slope.SetHeight(0);
    slope.SetWidth(5);
    slope.SetOffset(6);
    EXPECT_EQ(slope.GetHeight(), 0.0);
    EXPECT_EQ(slope.GetWidth(), 5.0);
    EXPECT_EQ(slope.GetOffset(), 6.0);
}

TEST(SlopeConfiguration, AngleIsTheArcTangentOfHeightOverWidth)
{
    EXPECT_DOUBLE_EQ(SlopeConfiguration(1, 1, 0).GetAngle().Radians(), 3.141592653589793 / 4);
    EXPECT_EQ(SlopeConfiguration(2, 0, 0).GetAngle().Radians(), 1.5707963267948966);
    EXPECT_EQ(SlopeConfiguration(0, 3, 0).GetAngle().Radians(), 0.0);
    EXPECT_TRUE(std::isnan(SlopeConfiguration(0, 0, 0).GetAngle().Radians()));
}

TEST(SlopeConfiguration, AssignmentCopiesAllFields)
{
    SlopeConfiguration target(0, 0, 0);
    SlopeConfiguration source(1, 2, 3);
    target = source;
    EXPECT_EQ(target.GetHeight(), 1.0);
    EXPECT_EQ(target.GetOffset(), 3.0);
    SlopeConfiguration moved(0, 0, 0);
    moved = std::move(source);
    EXPECT_EQ(moved.GetWidth(), 2.0);
    EXPECT_EQ(source.GetWidth(), 2.0);
}
