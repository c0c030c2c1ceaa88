// Snell's law between bare wave speeds: every leg one wave, no unit, no time.

#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

const double Degree = std::acos(-1.0) / 180.0;

// A 40 long block of wedge (angle 0, top at z = -8) on a 25 thick plate.
std::string WedgeOnPlate(double wedgeAngle, double refraction, const std::string& beamRest)
{
    return R"({ "specimens": [
      { "name": "wedge", "factory": "CreateWedgeOnAxisAlignedPlate", "probeSetOrigin": [0, 0, 0],
        "length": 40, "width": 20, "height": 8, "wedgeAngleDegrees": )" +
           std::to_string(wedgeAngle) + R"(, "waveSpeed": 2330 },
      { "name": "plate", "factory": "CreateAxisAlignedPlate", "centre": [40, 0, 12.5],
        "sizeX": 200, "sizeY": 60, "sizeZ": 25, "waveSpeed": 3230 } ],
    "beam": { "refractionAngleDegrees": )" +
           std::to_string(refraction) + ", " + beamRest + "}}";
}

} // namespace

TEST(WaveSpeed, EachCrossingUsesTheSpeedsOnItsTwoSides)
{
    // Into the plate at 20 degrees, back up under the wedge, and out again at 20 degrees: the law at the
    // third interface must run from the plate into the wedge.
    const auto document = TraceJson(WedgeOnPlate(0, -20, R"("entry": { "point": [-5, 0, -8] },
        "stop": { "legs": 4 }, "behaviors": ["Transmit", "Reflect", "Transmit"], "laws": "snell")"));
    const auto& legs = document["beams"][0]["legs"];
    ASSERT_EQ(legs.size(), 4u);
    const double t = std::tan(20.0 * Degree);
    const double inPlate = std::asin(3230.0 / 2330.0 * std::sin(20.0 * Degree));
    const double T = std::tan(inPlate);
    const std::vector<double> xs{-5.0, -5.0 - 8 * t, -5.0 - 8 * t - 25 * T, -5.0 - 8 * t - 50 * T,
                                 -5.0 - 16 * t - 50 * T};
    const std::vector<double> zs{-8, 0, 25, 0, -8};
    const std::vector<std::string> media{"wedge", "plate", "plate", "wedge"};
    for (std::size_t i = 0; i < 4; ++i)
    {
        SCOPED_TRACE("leg " + std::to_string(i + 1));
        EXPECT_NEAR(legs[i]["end"][0].get<double>(), xs[i + 1], 1e-9);
        EXPECT_NEAR(legs[i]["end"][2].get<double>(), zs[i + 1], 1e-9);
        EXPECT_EQ(legs[i]["specimen"], media[i]);
    }
    EXPECT_NEAR(legs[0]["refractedDegrees"].get<double>(), inPlate / Degree, 1e-9);
    EXPECT_NEAR(legs[2]["incidenceDegrees"].get<double>(), inPlate / Degree, 1e-9);
    EXPECT_NEAR(legs[2]["refractedDegrees"].get<double>(), 20.0, 1e-9);
}

TEST(WaveSpeed, BeyondTheCriticalAngleTheBeamIsCutAndSaysWhy)
{
    // sin 50 x 3230 / 2330 > 1: no wave enters the plate. The library cannot reflect through a law, so
    // the tool ends the beam at that interface, says so, and does not draw a made-up refracted leg.
    const std::string scenario =
        WedgeOnPlate(50, 0, R"("entry": { "near": [-38, 0, -10.5], "snapTo": "wedge" },
        "stop": { "legs": 5 }, "behaviors": ["Transmit"], "laws": "snell")");
    const std::string reason =
        "cut at interface 1: the incidence 50.00\xC2\xB0 from wedge (speed 2330) into plate "
        "(speed 3230) is beyond the critical angle 46.17\xC2\xB0; no refracted beam exists";
    const auto document = TraceJson(scenario);
    const auto& beam = document["beams"][0];
    ASSERT_EQ(beam["legs"].size(), 1u);
    EXPECT_NEAR(beam["legs"][0]["end"][2].get<double>(), 0.0, 1e-9);
    EXPECT_EQ(beam["legs"][0]["atEnd"], "cut");
    EXPECT_TRUE(beam["totalReflection"].get<bool>());
    EXPECT_EQ(beam["ending"], reason);

    std::string directory;
    const ToolRun table = RunScenario(scenario, "--svg picture.svg", directory);
    EXPECT_EQ(table.status, 0);
    EXPECT_NE(table.out.find("Note: " + reason + ".\n"), std::string::npos) << table.out;
    EXPECT_NE(ReadText(directory + "/picture.svg").find("beam cut: beyond the critical angle"),
              std::string::npos);
    const ToolRun csv = RunTool("scenario.json --format csv", directory);
    EXPECT_EQ(csv.err, "quoria-trace: note: beam 1 " + reason + "\n");
}

TEST(WaveSpeed, ALawAtEveryTransmitIsTheSameAsSnellAndPrintsNoWave)
{
    const std::string entry = R"("entry": { "point": [-5, 0, -8] }, "stop": { "legs": 4 },
        "behaviors": ["Transmit", "Reflect", "Transmit"], )";
    const auto everywhere = TraceJson(WedgeOnPlate(0, -20, entry + R"("laws": "snell")"));
    const auto listed = TraceJson(WedgeOnPlate(0, -20, entry + R"("laws": ["snell", null, "snell"])"));
    EXPECT_EQ(listed, everywhere);
    // Speeds without a unit give no time: the legs carry no wave.
    const auto& leg = everywhere["beams"][0]["legs"][0];
    EXPECT_FALSE(leg.contains("mode") || leg.contains("speed") || leg.contains("time"));
    EXPECT_FALSE(everywhere["beams"][0].contains("totalTime"));

    std::string directory;
    const ToolRun table = RunScenario(WedgeOnPlate(0, -20, entry + R"("laws": "snell")"), "", directory);
    EXPECT_NE(table.out.find("leg  in     start "), std::string::npos) << table.out;
    EXPECT_EQ(table.out.find("mode"), std::string::npos);
    EXPECT_EQ(table.out.find("Time of flight"), std::string::npos);
    const ToolRun csv = RunTool("scenario.json --format csv", directory);
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
              "beam,leg,specimen,start_x,start_y,start_z,end_x,end_y,end_z,length,total,at_end");
}
