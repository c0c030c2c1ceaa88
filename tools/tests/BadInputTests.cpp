// Each kind of bad input gives exactly one line on stderr that names the file
// and the place in it, exit status 2, nothing on stdout and no picture.

#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace
{

const char* const GoodScenario = R"({
  "unit": "mm",
  "specimens": [
    { "name": "plate", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, 0],
      "sizeX": 100, "sizeY": 40, "sizeZ": 20 }
  ],
  "beam": { "entry": { "point": [-30, 0, -10] }, "refractionAngleDegrees": 45, "stop": { "legs": 3 } }
})";

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
    {
        return "the test's own replacement failed: " + from;
    }
    return text.replace(at, from.size(), to);
}

// Runs the tool on the text as scenario.json and returns its one line of complaint.
std::string Complaint(const std::string& text)
{
    std::string directory;
    const ToolRun run = RunScenario(text, "--svg picture.svg", directory);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(FileExists(directory + "/picture.svg"));
    EXPECT_FALSE(FileExists(directory + "/picture.svg.partial"));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    return run.err;
}

} // namespace

TEST(BadInput, TheGoodScenarioItselfPasses)
{
    const std::string directory = MakeTemporaryDirectory();
    WriteText(directory + "/scenario.json", GoodScenario);
    EXPECT_EQ(RunTool("scenario.json", directory).status, 0);
}

TEST(BadInput, MissingFileAndInvalidJson)
{
    const std::string directory = MakeTemporaryDirectory();
    const ToolRun missing = RunTool("nowhere.json --svg picture.svg", directory);
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err,
              "quoria-trace: nowhere.json: cannot open the scenario: No such file or directory\n");
    EXPECT_EQ(missing.out, "");
    EXPECT_FALSE(FileExists(directory + "/picture.svg"));

    // The stray comma is on line 3, column 17.
    const std::string error = Complaint("{\n  \"unit\": \"mm\",\n  \"specimens\": [,]\n}\n");
    EXPECT_EQ(
        error.rfind("quoria-trace: scenario.json:3:17: invalid JSON: syntax error while parsing value", 0),
        0u)
        << error;
    EXPECT_EQ(Complaint("").rfind("quoria-trace: scenario.json:1:1: invalid JSON: ", 0), 0u);
}

TEST(BadInput, EachMistakeInTheScenarioIsLocatedWithItsOwnMessage)
{
    // One change to the good scenario each, and what the tool must say after "scenario.json: ".
    const struct
    {
        const char* from;
        const char* to;
        const char* message;
    } mistakes[] = {
        {"CreateAxisAlignedPlate", "CreatePlate",
         "/specimens/0/factory: unknown specimen factory \"CreatePlate\" (expected one of "
         "CreateAxisAlignedPlate, "
         "CreateXOrientedBar, CreateYOrientedBar, CreateXOrientedPipe, CreateYOrientedPipe, "
         "CreateAxisAlignedCounterboredPlate, CreateXOrientedCounterboredPipe, "
         "CreateYOrientedCounterboredPipe, "
         "CreateWedgeOnAxisAlignedPlate, CreateWedgeOnXOrientedCylinder, CreateWedgeOnYOrientedCylinder)"},
        {"\"sizeY\"", "\"sizeQ\"",
         "/specimens/0/sizeQ: unknown parameter \"sizeQ\" of CreateAxisAlignedPlate (expected factory, name, "
         "waveSpeed, centre, sizeX, sizeY, sizeZ)"},
        {"\"sizeX\": 100", "\"sizeX\": \"100\"", "/specimens/0/sizeX: expected a number, got a string"},
        {"[-30, 0, -10]", "[-30, 0]", "/beam/entry/point: expected a point [x, y, z], got an array of 2"},
        {", \"sizeZ\": 20", "", "/specimens/0: missing \"sizeZ\""},
        {"{ \"legs\": 3 }", "{ \"legs\": 3 }, \"behaviors\": [\"Bounce\"]",
         "/beam/behaviors/0: unknown behaviour \"Bounce\" (expected Reflect, Transmit or Stop)"},
        // The tool's own range checks.
        {"\"legs\": 3", "\"legs\": 0", "/beam/stop/legs: must lie between 1 and 250, got 0"},
        {"\"legs\": 3", "\"legs\": 2.5", "/beam/stop/legs: must be a whole number, got 2.5"},
        {"\"legs\": 3", "\"length\": 0", "/beam/stop/length: must be larger than 0, got 0"},
        {"\"sizeZ\": 20", "\"sizeZ\": 20, \"waveSpeed\": -1",
         "/specimens/0/waveSpeed: must be larger than 0, got -1"},
        // Snell's law where the beam is reflected makes no sense; without speeds it cannot be computed.
        {"{ \"legs\": 3 }", "{ \"legs\": 3 }, \"laws\": [\"snell\"]",
         "/beam/laws/0: Snell's law applies only where the beam is transmitted; interface 1 reflects or "
         "stops it"},
        {"{ \"legs\": 3 }", "{ \"legs\": 3 }, \"behaviors\": [\"Transmit\"], \"laws\": \"snell\"",
         "/specimens/0: missing \"waveSpeed\": Snell's law needs the wave speed of every specimen"},
        // The library's refusals carry its own message; its degree sign is one Windows-1252 byte, printed
        // as UTF-8.
        {"\"sizeY\": 40", "\"sizeY\": 0",
         "/specimens/0: CreateAxisAlignedPlate refused it: RectangularPrism::RectangularPrism : Prism sizes "
         "must be larger than 0."},
        {"\"refractionAngleDegrees\": 45", "\"refractionAngleDegrees\": 90",
         "/beam/refractionAngleDegrees: RayTracer::CalculateLegsFromEntryPoint : Beam refraction angle must "
         "be "
         "contained within ]-90\xC2\xB0, 90\xC2\xB0[."},
        {"[-30, 0, -10]", "[-30, 0, -10.001]",
         "/beam/entry/point: RayTracer::CalculateLegsFromEntryPoint : Entry point is not on the "
         "configuration or "
         "is on a corner. Give \"near\" and \"snapTo\" to snap a point onto a face."},
        {"\"sizeZ\": 20", "\"sizeZ\": 20, \"slopes\": []",
         "/specimens/0/slopes: unknown parameter \"slopes\" of CreateAxisAlignedPlate (expected factory, "
         "name, "
         "waveSpeed, centre, sizeX, sizeY, sizeZ)"},
        // Far beyond the end of the plate no face lies along any normal through the point.
        {"\"point\": [-30, 0, -10]", "\"near\": [500, 500, 500], \"snapTo\": 0",
         "/beam/entry: no face of specimen \"plate\" lies along a normal through (500, 500, 500); give a "
         "point "
         "nearer to the face"},
        {"\"point\": [-30, 0, -10]", "\"near\": [0, 0, -11], \"snapTo\": \"plat\"",
         "/beam/entry/snapTo: no specimen is named \"plat\""},
    };
    for (const auto& mistake : mistakes)
    {
        EXPECT_EQ(Complaint(Replace(GoodScenario, mistake.from, mistake.to)),
                  std::string("quoria-trace: scenario.json: ") + mistake.message + "\n");
    }
    EXPECT_EQ(Complaint("[1, 2]"),
              "quoria-trace: scenario.json: top level: expected an object, got an array of 2\n");
}

TEST(BadInput, CommandLineMistakes)
{
    const std::string directory = MakeTemporaryDirectory();
    const ToolRun format = RunTool("--format xml", directory);
    EXPECT_EQ(format.status, 2);
    EXPECT_EQ(format.out, "");
    EXPECT_EQ(std::count(format.err.begin(), format.err.end(), '\n'), 1) << format.err;
    EXPECT_EQ(format.err.rfind("quoria-trace: --format: xml not in {table,json,csv}", 0), 0u) << format.err;
    const ToolRun unwritable = RunTool("--svg no/such/dir/picture.svg", directory);
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_EQ(unwritable.out, "");
    EXPECT_EQ(unwritable.err,
              "quoria-trace: no/such/dir/picture.svg: cannot write the picture: No such file or directory\n");
}
