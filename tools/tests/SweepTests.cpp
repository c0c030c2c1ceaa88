#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace
{

std::string PlateWith(const std::string& beamAndSweep)
{
    return R"({ "specimens": [ { "name": "plate & co", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, 0],
                "sizeX": 100, "sizeY": 40, "sizeZ": 20 } ], )" +
           beamAndSweep + "}";
}

} // namespace

TEST(Sweep, EntryPointsAlongALineAreSnappedOneByOne)
{
    const std::string directory = MakeTemporaryDirectory();
    WriteText(directory + "/scenario.json",
              PlateWith(R"("beam": { "refractionAngleDegrees": 0, "stop": { "legs": 1 } },
                 "sweep": { "entryPoints": { "from": [-30, 0, -10.3], "to": [30, 0, -10.3], "count": 3,
                                             "snapTo": "plate & co" } })"));
    const ToolRun run = RunTool("scenario.json --format json --svg picture.svg", directory);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto beams = nlohmann::json::parse(run.out)["beams"];
    ASSERT_EQ(beams.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
    {
        const double x = -30.0 + 30.0 * i;
        EXPECT_NEAR(beams[i]["entry"]["point"][0].get<double>(), x, 1e-12);
        EXPECT_NEAR(beams[i]["entry"]["point"][2].get<double>(), -10.0, 1e-12);
        EXPECT_NEAR(beams[i]["entry"]["moved"].get<double>(), 0.3, 1e-12);
        // Straight down through the 20 thick plate.
        EXPECT_NEAR(beams[i]["legs"][0]["end"][2].get<double>(), 10.0, 1e-12);
        EXPECT_EQ(beams[i]["label"], "entry " + std::to_string(i + 1) + " of 3");
    }
    // The specimen's name reaches the picture escaped.
    EXPECT_TRUE(IsWellFormedXml(directory + "/picture.svg"));
    EXPECT_NE(ReadText(directory + "/picture.svg").find("plate &amp; co (CreateAxisAlignedPlate)"),
              std::string::npos);
}

TEST(Sweep, RangesAndTheirLimits)
{
    const std::string directory = MakeTemporaryDirectory();
    const std::string beam = R"("beam": { "entry": { "point": [0, 0, -10] }, "stop": { "legs": 1 } }, )";
    // From 10 down to -10 by 10 (the sign of the step follows the range): three beams, in that order.
    WriteText(directory + "/down.json", PlateWith(beam + R"("sweep": { "skewAngleDegrees":
        { "from": 10, "to": -10, "step": 10 } })"));
    const ToolRun down = RunTool("down.json --format json", directory);
    ASSERT_EQ(down.status, 0) << down.err;
    const auto beams = nlohmann::json::parse(down.out)["beams"];
    ASSERT_EQ(beams.size(), 3u);
    EXPECT_EQ(beams[0]["skewAngleDegrees"], 10.0);
    EXPECT_EQ(beams[2]["skewAngleDegrees"], -10.0);

    WriteText(directory + "/many.json", PlateWith(beam + R"("sweep": { "refractionAngleDegrees":
        { "from": 0, "to": 80, "step": 0.01 } })"));
    const ToolRun many = RunTool("many.json", directory);
    EXPECT_EQ(many.status, 2);
    EXPECT_EQ(many.err,
              "quoria-trace: many.json: /sweep/refractionAngleDegrees/step: makes 8001 beams; at most "
              "1000 are traced\n");

    WriteText(directory + "/both.json", PlateWith(beam + R"("sweep": { "entryPoints":
        { "from": [0, 0, -10], "to": [1, 0, -10], "count": 2 } })"));
    const ToolRun both = RunTool("both.json", directory);
    EXPECT_EQ(both.status, 2);
    EXPECT_EQ(both.err,
              "quoria-trace: both.json: /sweep/entryPoints: the entry points of the sweep replace the "
              "beam's \"entry\"; remove one of them\n");
}
