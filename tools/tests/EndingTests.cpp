// Why a trace ended, in the tool's words, for each way the library ends one.

#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace
{

const char* const Plate = R"({ "name": "plate", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, 0],
    "sizeX": 100, "sizeY": 40, "sizeZ": 20 })";

// Two plates meeting at x = 0, z = 0: "upper" spans x in [-50, 50], z in [-10, 0]; "lower" spans x in
// [0, 100], z in [0, 20], so the point (0, 0, 0) lies inside a face of "upper" but on the rim of "lower".
std::string Step(const std::string& laws)
{
    return R"({ "specimens": [
        { "name": "upper", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, -5], "sizeX": 100, "sizeY": 40,
          "sizeZ": 10, "waveSpeed": 2000 },
        { "name": "lower", "factory": "CreateAxisAlignedPlate", "centre": [50, 0, 10], "sizeX": 100,
          "sizeY": 40, "sizeZ": 20, "waveSpeed": 1000 } ],
      "beam": { "entry": { "point": [10, 0, -10] }, "refractionAngleDegrees": -45, "stop": { "legs": 10 },
                "behaviors": ["Transmit"])" +
           laws + "} }";
}

std::string OnPlate(const std::string& beam)
{
    return std::string(R"({ "specimens": [ )") + Plate + R"( ], "beam": )" + beam + "}";
}

} // namespace

TEST(Ending, EachWayATraceEndsIsNamed)
{
    // From (-30, 0, -10) at 45 degrees the legs cross the 20 thick plate to x = -10, 10, 30 and 50: the
    // fourth ends on the corner of the top face and the end face x = 50.
    const std::string slanted = R"({ "entry": { "point": [-30, 0, -10] }, "refractionAngleDegrees": 45,
        "stop": { "legs": 10 })";
    const std::string straight = R"({ "entry": { "point": [0, 0, -10] }, )";
    const char* const slope = R"({ "height": 0.001, "width": 0.001, "offset": 0.001 })";
    const struct
    {
        const char* what;
        std::string scenario;
        std::size_t legCount;
        const char* ending;
    } cases[] = {
        {"corner", OnPlate(slanted + "}"), 4, "ended on an edge or corner of plate at interface 4"},
        {"exit", OnPlate(slanted + R"(, "behaviors": ["Reflect", "Transmit"] })"), 2,
         "left the configuration at interface 2: no specimen lies beyond"},
        {"stop", OnPlate(slanted + R"(, "behaviors": ["Reflect", "Stop"] })"), 2,
         "stopped by the Stop behaviour at interface 2"},
        // Straight down and up, 20 a leg.
        {"length", OnPlate(straight + R"("stop": { "length": 60 } })"), 3,
         "stopped once the length asked for, 60, was reached"},
        {"limit", OnPlate(straight + R"("stop": { "length": 100000 } })"), 250,
         "reached the library's limit of 250 legs"},
        // Transmitted at (0, 0, 0) into "lower", but heading for x < 0, where "lower" has no face.
        {"rim", Step(""), 1, "ended at interface 1: the beam meets no face ahead"},
        // The same under Snell's law: the media on both sides are still named, and the refracted beam
        // (20.7 degrees from the normal, still towards x < 0) meets no face either.
        {"rim with Snell's law", Step(R"(, "laws": "snell")"), 1,
         "ended at interface 1: the beam meets no face ahead"},
        // Down a radius onto the axis of a bore 4e-12 wide, where the bore has no normal to go on from.
        {"axis of a thin bore",
         std::string(R"({ "specimens": [ { "name": "pipe", "factory": "CreateYOrientedCounterboredPipe",
            "centre": [0, 0, 0], "innerRadius": 0.001000000004, "outerRadius": 15, "length": 20,
            "slopes": [)") +
             slope + ", " + slope + ", " + slope + ", " + slope + R"(] } ],
          "beam": { "entry": { "point": [0, -9.9, -15.001] }, "stop": { "legs": 3 } } })",
         1, "ended on an edge or corner of pipe at interface 1"},
    };
    for (const auto& example : cases)
    {
        SCOPED_TRACE(example.what);
        const nlohmann::json beam = TraceJson(example.scenario)["beams"][0];
        EXPECT_EQ(beam["legs"].size(), example.legCount);
        EXPECT_EQ(beam["ending"], example.ending);
        EXPECT_FALSE(beam["totalReflection"].get<bool>());
    }
}
