// Each kind of bad input gives exactly one line on stderr that names the file
// and the place in it, exit status 2, nothing on stdout and no picture.

#include "ToolRunner.h"

#include "Material.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

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
         "waveSpeed, material, centre, sizeX, sizeY, sizeZ)"},
        {"\"sizeX\": 100", "\"sizeX\": \"100\"", "/specimens/0/sizeX: expected a number, got a string"},
        {"[-30, 0, -10]", "[-30, 0]", "/beam/entry/point: expected a point [x, y, z], got an array of 2"},
        {", \"sizeZ\": 20", "", "/specimens/0: missing \"sizeZ\""},
        {"{ \"legs\": 3 }", "{ \"legs\": 3 }, \"behaviors\": [\"Bounce\"]",
         "/beam/behaviors/0: unknown behaviour \"Bounce\" (expected Reflect, Transmit or Stop)"},
        // The tool's own range checks.
        {"\"legs\": 3", "\"legs\": 0", "/beam/stop/legs: must lie between 1 and 250, got 0"},
        {"\"legs\": 3", "\"legs\": 2.5", "/beam/stop/legs: must be a whole number, got 2.5"},
        {"\"legs\": 3", "\"length\": 0", "/beam/stop/length: must be larger than 0, got 0"},
        {"\"legs\": 3", "\"legs\": 3, \"length\": 1",
         "/beam/stop: give one of \"legs\", \"length\" or \"time\""},
        {"\"sizeZ\": 20", "\"sizeZ\": 20, \"waveSpeed\": -1",
         "/specimens/0/waveSpeed: must be larger than 0, got -1"},
        // Snell's law where the beam is reflected makes no sense; without speeds it cannot be computed.
        {"{ \"legs\": 3 }", "{ \"legs\": 3 }, \"laws\": [\"snell\"]",
         "/beam/laws/0: Snell's law applies only where the beam is transmitted; interface 1 reflects or "
         "stops it"},
        {"{ \"legs\": 3 }", "{ \"legs\": 3 }, \"behaviors\": [\"Transmit\"], \"laws\": \"snell\"",
         "/specimens/0: missing \"waveSpeed\": Snell's law needs the wave speed of every specimen"},
        // The law holds at every transmitting interface or at none; given or not, it is the list's.
        {"{ \"legs\": 3 }",
         "{ \"legs\": 3 }, \"behaviors\": [\"Transmit\", \"Reflect\", \"Transmit\"], \"laws\": [\"snell\"]",
         "/beam/laws: interface 3 transmits without Snell's law, interface 1 with it: the law holds at every "
         "transmitting interface or at none"},
        {"{ \"legs\": 3 }",
         "{ \"legs\": 3 }, \"behaviors\": [\"Transmit\", \"Reflect\", \"Transmit\"], "
         "\"laws\": [null, null, \"snell\"]",
         "/beam/laws/2: interface 3 transmits with Snell's law, interface 1 without it: the law holds at "
         "every transmitting interface or at none"},
        // Modes and times need materials.
        {"{ \"legs\": 3 }", "{ \"legs\": 3 }, \"modes\": [\"T\"]",
         "/beam/modes: wave modes need materials: give every specimen a \"material\""},
        {"\"legs\": 3", "\"time\": 3",
         "/beam/stop/time: a time of flight needs materials: give every specimen a \"material\""},
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
         "waveSpeed, material, centre, sizeX, sizeY, sizeZ)"},
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

namespace
{

// Steel over water, the beam in the steel.
const char* const GoodSoundScenario = R"({
  "unit": "mm",
  "specimens": [
    { "name": "plate", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, 0],
      "sizeX": 100, "sizeY": 40, "sizeZ": 20, "material": "steel" },
    { "name": "tank", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, 30],
      "sizeX": 100, "sizeY": 40, "sizeZ": 40, "material": "water" }
  ],
  "beam": { "entry": { "point": [-30, 0, -10] }, "refractionAngleDegrees": 45, "stop": { "legs": 3 },
            "modes": ["L"] }
})";

std::string LibraryMessage(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    return "the library accepted it";
}

} // namespace

TEST(BadInput, EachMistakeInAMaterialOrAModeIsLocated)
{
    std::string directory;
    EXPECT_EQ(RunScenario(GoodSoundScenario, "", directory).status, 0);

    const std::string unknown = LibraryMessage([] { Quoria::FindMaterial("unobtainium"); });
    EXPECT_EQ(unknown.rfind("FindMaterial : Unknown material; the known names are Carbon steel, ", 0), 0u);
    const struct
    {
        const char* from;
        const char* to;
        std::string message;
    } mistakes[] = {
        // The library's refusals, with its own messages.
        {"\"steel\"", "\"unobtainium\"", "/specimens/0/material: " + unknown},
        {"\"steel\"", R"({ "name": "odd", "longitudinalSpeed": 3000, "shearSpeed": 3000 })",
         "/specimens/0/material: Material::Material : The shear speed must be smaller than the longitudinal "
         "speed."},
        {"\"steel\"", R"({ "name": "odd", "longitudinalSpeed": -1, "shearSpeed": 0 })",
         "/specimens/0/material: Material::Material : The longitudinal speed must be positive and finite."},
        // The tool's own checks.
        {"\"steel\"", R"({ "name": "odd", "longitudinalSpeed": 3000, "shearSpeed": "slow" })",
         "/specimens/0/material/shearSpeed: expected a number, got a string"},
        {"\"steel\"", R"({ "longitudinalSpeed": 3000, "shearSpeed": 0 })",
         "/specimens/0/material: missing \"name\""},
        {"\"steel\"", R"({ "name": "odd", "longitudinalSpeed": 3000, "shearSpeed": 0, "density": 1 })",
         "/specimens/0/material/density: unknown parameter \"density\" of a material (expected name, "
         "longitudinalSpeed, shearSpeed)"},
        {"\"steel\"", "5900", "/specimens/0/material: expected a material name or an object, got a number"},
        {"\"sizeZ\": 20, \"material\"", "\"sizeZ\": 20, \"waveSpeed\": 5900, \"material\"",
         "/specimens/0/material: give either \"material\" or \"waveSpeed\", not both"},
        {", \"material\": \"water\"", "",
         "/specimens/1: missing \"material\": once one specimen has a material, every specimen needs one"},
        {"\"mm\"", "\"in\"", "/unit: times of flight need lengths in mm, got \"in\""},
        {"[\"L\"]", "[\"L\", \"S\"]", "/beam/modes/1: unknown wave mode \"S\" (expected L or T)"},
        {"\"legs\": 3", "\"time\": 0", "/beam/stop/time: must be larger than 0, got 0"},
        {"\"modes\"", "\"behaviors\": [\"Transmit\"], \"laws\": \"none\", \"modes\"",
         "/beam/laws: with materials every interface obeys Snell's law: leave \"laws\" out or give "
         "\"snell\""},
    };
    for (const auto& mistake : mistakes)
    {
        EXPECT_EQ(Complaint(Replace(GoodSoundScenario, mistake.from, mistake.to)),
                  "quoria-trace: scenario.json: " + mistake.message + "\n");
    }
}
