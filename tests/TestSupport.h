#pragma once

// Helpers shared by the test files.

#include "DocumentedMessages.h"
#include "IRayTracer.h"
#include "Pi.h"
#include "Quoria.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using QuoriaTesting::HalfPi;
using QuoriaTesting::Pi;
using QuoriaTesting::TwoPi;
const double Degree = Pi / 180;

using Legs = std::vector<Tessam::Geometry3D::LineSegment>;
using Behaviors = std::vector<Quoria::BehaviorAtInterface>;
using BehaviorFunctions =
    std::vector<std::function<Quoria::BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>;
using Laws = std::vector<std::function<double(double)>>;

// What the std::invalid_argument thrown by `action` says, or "no exception".
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

// A call that must be refused, and how its documented message begins
// ("Class::Method : first words", enough to tell it from the others).
struct Rejection
{
    std::string messageStart;
    std::function<void()> call;
};

// Each call throws exactly the one documented message that begins so, byte
// for byte.
inline void ExpectRejections(const std::vector<Rejection>& rejections)
{
    for (const Rejection& rejection : rejections)
    {
        SCOPED_TRACE(rejection.messageStart);
        const std::string documented = QuoriaTesting::DocumentedMessageStartingWith(rejection.messageStart);
        EXPECT_FALSE(documented.empty()) << "no single documented message begins so";
        EXPECT_EQ(MessageOf(rejection.call), documented);
    }
}

inline void ExpectNear(const Tessam::Geometry3D::Point& actual, const Tessam::Geometry3D::Point& expected,
                       double tolerance = 1e-9)
{
    EXPECT_NEAR(actual.X(), expected.X(), tolerance);
    EXPECT_NEAR(actual.Y(), expected.Y(), tolerance);
    EXPECT_NEAR(actual.Z(), expected.Z(), tolerance);
}

inline Quoria::BeamAngles Angles(double refraction, double skew = 0.0)
{
    return Quoria::BeamAngles{skew, refraction};
}

// Without behaviours every interface reflects; without laws nothing turns the beam.
template <typename Stop, typename Behaviours = Behaviors>
Legs TraceLegs(Quoria::IRayTracer& tracer, const Tessam::Geometry3D::Point& entry,
               const Quoria::BeamAngles& angles, Stop stop, const Behaviours& behaviors = Behaviours(),
               const Laws& laws = Laws())
{
    return tracer.CalculateLegsFromEntryPoint(entry, angles, stop, behaviors, laws);
}
