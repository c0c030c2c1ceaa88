// Focal laws through the built tool: delays worked out here by Fermat's
// principle on a flat interface, the refusals of bad input, and how a pair
// without a path is shown.

#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using nlohmann::json;

namespace
{

// Two slabs stacked at z = 0: elements on the top of the upper one (L at
// 2000 m/s), a focal point 10 below the interface, under the middle element
// (T at 3000 m/s).
std::string SlabsWith(const std::string& focalLaws)
{
    return R"({ "unit": "mm", "specimens": [
        { "name": "shoe", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, -5], "sizeX": 60, "sizeY": 20,
          "sizeZ": 10, "material": { "name": "slow", "longitudinalSpeed": 2000, "shearSpeed": 1000 } },
        { "name": "block", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, 10], "sizeX": 60, "sizeY": 20,
          "sizeZ": 20, "material": { "name": "fast", "longitudinalSpeed": 6000, "shearSpeed": 3000 } } ],
      "focalLaws": )" +
           focalLaws + "}";
}

const std::string ThreeElements =
    R"({ "elements": [[-5, 0, -10], [0, 0, -10], [5, 0, -10]], "focalPoints": [[0, 0, 10]] })";

// The least time from (-5, -10) across z = 0 to (0, 10), in microseconds
// (mm over m/s is milliseconds), by a golden-section search on the crossing.
double OuterTime()
{
    const auto time = [](double x)
    { return 1000.0 * (std::hypot(x + 5.0, 10.0) / 2000.0 + std::hypot(x, 10.0) / 3000.0); };
    double a = -5.0;
    double b = 0.0;
    const double g = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int i = 0; i < 200; ++i)
    {
        const double c = b - g * (b - a);
        const double d = a + g * (b - a);
        (time(c) < time(d) ? b : a) = time(c) < time(d) ? d : c;
    }
    return time((a + b) / 2.0);
}

std::string Ns(double microseconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", microseconds);
    return text;
}

} // namespace

TEST(FocalLaws, DelaysOfASymmetricArrayByHand)
{
    // Straight down from the middle element: 10 at 2000 m/s, then 10 at 3000 m/s.
    const double middle = 1000.0 * (10.0 / 2000.0 + 10.0 / 3000.0);
    const std::string delay = Ns(OuterTime() - middle);
    ASSERT_NE(delay, "0.000");

    std::string directory;
    const ToolRun csv = RunScenario(SlabsWith(ThreeElements), "--format csv", directory);
    ASSERT_EQ(csv.status, 0) << csv.err;
    // The outer elements are farthest: they fire first, at 0, and the middle one waits.
    EXPECT_EQ(csv.out, "point,angle_degrees,x,y,z,e1,e2,e3\n1,,0,0,10,0.000," + delay + ",0.000\n");
    EXPECT_EQ(csv.err, "");

    const json laws = TraceJson(SlabsWith(ThreeElements))["focalLaws"];
    ASSERT_EQ(laws["focalPoints"].size(), 1u);
    const json& point = laws["focalPoints"][0];
    EXPECT_EQ(point["delays"], json::parse("[0, " + delay + ", 0]"));
    EXPECT_EQ(point["times"][1].get<double>(), std::round(middle * 1000.0) / 1000.0);
    EXPECT_EQ(point["statuses"], json::parse(R"(["valid", "valid", "valid"])"));
    EXPECT_EQ(laws["elementMode"], "L");
    EXPECT_EQ(laws["focalMode"], "T");

    const ToolRun table = RunScenario(SlabsWith(ThreeElements), "", directory);
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("point  focal point                e1     e2     e3\n"
                             "    1  (0.000, 0.000, 10.000)  0.000  " +
                             delay + "  0.000\n"),
              std::string::npos)
        << table.out;
}

TEST(FocalLaws, BadInputIsRefusedWithItsPlace)
{
    const struct
    {
        std::string scenario;
        std::string message;
    } cases[] = {
        {SlabsWith(R"({ "focalPoints": [[0, 0, 10]] })"),
         "/focalLaws: give one of \"array\" (a linear array on a wedge) or \"elements\" (their centres)"},
        {SlabsWith(R"({ "elements": [[0, 0, -10]] })"),
         "/focalLaws: give exactly one of focalPoints, sectorialScan or linearScan"},
        {SlabsWith(R"({ "elements": [[0, 0, -10]], "focalPoints": [] })"),
         "/focalLaws/focalPoints: give at least one focal point"},
        {SlabsWith(R"({ "elements": [[0, 0, -10]], "elementMode": "S", "focalPoints": [[0, 0, 10]] })"),
         "/focalLaws/elementMode: unknown wave mode \"S\" (expected L or T)"},
        {SlabsWith(R"({ "elements": [[0, 0, -10]], "sectorialScan":
             { "angleDegrees": { "from": 60, "to": 40, "step": 1 }, "depth": 5 } })"),
         "/focalLaws/sectorialScan/angleDegrees: \"to\" must not be below \"from\""},
        {SlabsWith(R"({ "elements": [[0, 0, -10]], "sectorialScan":
             { "angleDegrees": { "from": 0, "to": 80, "step": 0.01 }, "depth": 5 } })"),
         "/focalLaws/sectorialScan/angleDegrees/step: makes 8001 focal points; at most 1000 are computed"},
        {SlabsWith(R"({ "elements": [[0, 0, -10]], "linearScan":
             { "apertureSize": 1, "angleDegrees": 0, "depth": 5, "soundPath": 5 } })"),
         "/focalLaws/linearScan: give one of \"depth\" or \"soundPath\""},
        {SlabsWith(R"({ "elements": [[0, 0, -10]], "linearScan":
             { "apertureSize": 2, "angleDegrees": 0, "depth": 5 } })"),
         "/focalLaws/linearScan/apertureSize: an aperture of 2 elements is larger than the 1 of the array"},
        // The library's refusal, placed at the focal laws.
        {SlabsWith(R"({ "elements": [[0, 0, -10]], "focalPoints": [[0, 0, -5]] })"), "/focalLaws: "},
    };
    for (const auto& bad : cases)
    {
        SCOPED_TRACE(bad.message);
        std::string directory;
        const ToolRun run = RunScenario(bad.scenario, "--svg picture.svg", directory);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("quoria-trace: scenario.json: " + bad.message, 0), 0u) << run.err;
        EXPECT_FALSE(FileExists(directory + "/picture.svg"));
    }

    // Without materials there are no speeds; and a scenario has beams or focal laws.
    std::string plain = SlabsWith(ThreeElements);
    for (const char* material :
         {R"("material": { "name": "slow", "longitudinalSpeed": 2000, "shearSpeed": 1000 })",
          R"("material": { "name": "fast", "longitudinalSpeed": 6000, "shearSpeed": 3000 })"})
    {
        const std::size_t at = plain.find(material);
        plain.replace(at, std::string(material).size(), R"("waveSpeed": 1)");
    }
    std::string directory;
    EXPECT_EQ(RunScenario(plain, "", directory).err,
              "quoria-trace: scenario.json: /focalLaws: focal laws need materials: give every specimen a "
              "\"material\"\n");
    std::string both = SlabsWith(ThreeElements);
    both.insert(both.size() - 1, R"(, "beam": { "entry": { "point": [0, 0, -10] }, "stop": { "legs": 1 } })");
    EXPECT_EQ(RunScenario(both, "", directory).err,
              "quoria-trace: scenario.json: top level: give either \"beam\" or \"focalLaws\", not both\n");

    // An array longer than the wedge's probe face: the library's message, at the array.
    WriteText(directory + "/long.json", std::string(R"({ "specimens": [
        { "name": "wedge", "factory": "CreateWedgeOnAxisAlignedPlate", "probeSetOrigin": [0, 0, 0], "length": 50,
          "width": 20, "height": 8, "wedgeAngleDegrees": 36, "material": "rexolite" },
        { "name": "plate", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, 15], "sizeX": 120, "sizeY": 40,
          "sizeZ": 30, "material": "steel" } ],
      "focalLaws": { "array": { "wedge": "wedge", "count": 16, "pitch": 5, "firstElementOffset": 10 },
                     "focalPoints": [[10, 0, 10]] } })"));
    const ToolRun run = RunTool("long.json", directory);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("quoria-trace: long.json: /focalLaws/array: LinearArrayOnWedge : ", 0), 0u)
        << run.err;
}

TEST(FocalLaws, PairsWithoutAPathShowTheirStatus)
{
    // At 70 degrees the last elements' paths would cross beyond the wedge's bottom.
    const std::string directory = MakeTemporaryDirectory();
    const std::string scenario = "'" + Example("focal-sectorial-wedge-on-plate.json") + "'";
    const ToolRun table = RunTool(scenario + " --svg picture.svg", directory);
    ASSERT_EQ(table.status, 0) << table.err;
    const std::size_t row = table.out.find("\n   31  70.00\xC2\xB0  ");
    ASSERT_NE(row, std::string::npos);
    const std::string last = table.out.substr(row + 1, table.out.find('\n', row + 1) - row - 1);
    EXPECT_EQ(last.substr(last.size() - 43), "off-interface  off-interface  off-interface");
    EXPECT_NE(table.out.find("\n  off-interface: "), std::string::npos);
    EXPECT_EQ(table.out.find("blocked"), std::string::npos);

    const ToolRun csv = RunTool(scenario + " --format csv", directory);
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::size_t csvRow = csv.out.find("\n31,70,");
    ASSERT_NE(csvRow, std::string::npos);
    EXPECT_EQ(csv.out.substr(csv.out.size() - 4), ",,,\n");
    EXPECT_NE(
        csv.err.find("quoria-trace: note: focal point 31: no delay for elements 14, 15, 16: off-interface\n"),
        std::string::npos)
        << csv.err;

    const json laws = json::parse(RunTool(scenario + " --format json", directory).out)["focalLaws"];
    ASSERT_EQ(laws["focalPoints"].size(), 31u);
    const json& at70 = laws["focalPoints"][30];
    EXPECT_EQ(at70["angleDegrees"].get<double>(), 70.0);
    EXPECT_TRUE(at70["delays"][15].is_null());
    EXPECT_EQ(at70["statuses"][15], "off-interface");
    EXPECT_EQ(at70["statuses"][12], "valid");
    // Each row's farthest valid element fires at 0.
    EXPECT_EQ(at70["delays"][0].get<double>(), 0.0);

    // The picture: the element paths of the first, middle and last focal points.
    EXPECT_TRUE(IsWellFormedXml(directory + "/picture.svg"));
    const std::string picture = ReadText(directory + "/picture.svg");
    EXPECT_NE(picture.find("paths of 16 elements to focal points 1, 16, 31 of 31"), std::string::npos);
    EXPECT_NE(picture.find("focal point 1, element 1 \xE2\x80\xA6 focal point 31, element 13"),
              std::string::npos);
}

TEST(FocalLaws, ThePipeExampleScansInTheCrossSection)
{
    const std::string directory = MakeTemporaryDirectory();
    const ToolRun run = RunTool(
        "'" + Example("focal-sectorial-wedge-on-pipe.json") + "' --format json --svg p.svg", directory);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(IsWellFormedXml(directory + "/p.svg"));
    const json points = json::parse(run.out)["focalLaws"]["focalPoints"];
    ASSERT_EQ(points.size(), 5u);
    for (const json& point : points)
    {
        // Every pair has a path, and y stays 0: the scan lies in the cross-section.
        EXPECT_EQ(point["point"][1].get<double>(), 0.0);
        for (const json& status : point["statuses"])
        {
            EXPECT_EQ(status, "valid");
        }
    }
}
