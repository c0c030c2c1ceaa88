// Scenarios with materials: each leg's wave, its speed and time of flight,
// the endings only sound has, and the picture's mode labels. Expected values
// come from the geometry of a wedge on a plate, by hand.

#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using nlohmann::json;

namespace
{

const double Degree = std::acos(-1.0) / 180.0;

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    return at == std::string::npos ? "the test's own replacement failed: " + from
                                   : text.replace(at, from.size(), to);
}

std::string ShearWedge()
{
    return ReadText(Example("shear-wedge-on-plate.json"));
}

// The example with its wedge, plate and modes replaced.
std::string ShearWedgeWith(const std::string& wedge, const std::string& plate, const std::string& modes)
{
    return Replace(Replace(Replace(ShearWedge(), "\"rexolite\"", wedge), "\"steel\"", plate),
                   R"("modes": ["L", "T"])", "\"modes\": " + modes);
}

std::string Decimals(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// The angle of a leg from the vertical, the normal of every face it meets.
double AngleFromVertical(const json& leg)
{
    const double dx = leg["end"][0].get<double>() - leg["start"][0].get<double>();
    const double dz = leg["end"][2].get<double>() - leg["start"][2].get<double>();
    return std::atan2(std::fabs(dx), std::fabs(dz));
}

// The value of an attribute of the SVG tag that starts at `tag`; empty when
// the tag has none. (Plain searches: <regex> trips GCC's uninitialised-use
// warning under the sanitizers.)
std::string TagAttribute(const std::string& svg, std::size_t tag, const std::string& name)
{
    const std::size_t end = svg.find('>', tag);
    const std::size_t at = svg.find(" " + name + "=\"", tag);
    if (at == std::string::npos || at > end)
    {
        return std::string();
    }
    const std::size_t begin = at + name.size() + 3;
    return svg.substr(begin, svg.find('"', begin) - begin);
}

} // namespace

TEST(Sound, EachLegCarriesItsModeSpeedAndTimeOfFlight)
{
    // The beam leaves along the inward normal of the 38.66 degree face, so it meets the plate at 38.66
    // degrees; 60 degrees of shear follow (sin r = 3230 / 2330 sin 38.66), and three T legs cross the
    // 25 thick plate.
    const double wedge = 38.66 * Degree;
    const double down[] = {std::sin(wedge), std::cos(wedge)};
    // (-20, -24) snapped along the normal onto the face through (-40, -8), in (x, z).
    const double along = (-40.0 + 20.0) * down[0] + (-8.0 + 24.0) * down[1];
    const double entryZ = -24.0 + along * down[1];
    const double legIn = -entryZ / std::cos(wedge);
    const double shear = std::asin(3230.0 / 2330.0 * std::sin(wedge));
    const double legDown = 25.0 / std::cos(shear);
    const std::vector<double> times{1000.0 * legIn / 2330.0, 1000.0 * legDown / 3230.0,
                                    1000.0 * legDown / 3230.0, 1000.0 * legDown / 3230.0};
    const double total = times[0] + 3.0 * times[1];

    const json beam = TraceJson(ShearWedge())["beams"][0];
    const json& legs = beam["legs"];
    ASSERT_EQ(legs.size(), 4u);
    double running = 0.0;
    for (std::size_t i = 0; i < 4; ++i)
    {
        SCOPED_TRACE("leg " + std::to_string(i + 1));
        running += times[i];
        EXPECT_EQ(legs[i]["mode"], i == 0 ? "L" : "T");
        EXPECT_EQ(legs[i]["speed"].get<double>(), i == 0 ? 2330.0 : 3230.0);
        EXPECT_NEAR(legs[i]["time"].get<double>(), times[i], 1e-9);
        EXPECT_NEAR(legs[i]["totalTime"].get<double>(), running, 1e-9);
    }
    EXPECT_NEAR(beam["totalTime"].get<double>(), total, 1e-9);
    EXPECT_EQ(beam["totalTime"], legs[3]["totalTime"]);
    EXPECT_NEAR(legs[0]["incidenceDegrees"].get<double>(), 38.66, 1e-9);
    EXPECT_NEAR(legs[0]["refractedDegrees"].get<double>(), shear / Degree, 1e-9);
    EXPECT_EQ(beam["ending"], "stopped after the 4 legs asked for");

    std::string directory;
    const ToolRun table = RunScenario(ShearWedge(), "", directory);
    ASSERT_EQ(table.status, 0) << table.err;
    for (const std::string& shown :
         {std::string("(scenario.json, lengths in mm, speeds in m/s, times in \xC2\xB5s)\n"),
          std::string("total  mode  speed    time  at end\n"),
          "  L      2330  " + Decimals(times[0], 3) + "  Transmit, Snell 38.66\xC2\xB0 -> " +
              Decimals(shear / Degree, 2) + "\xC2\xB0\n",
          "  T      3230  " + Decimals(times[1], 3) + "  end\n",
          "\nTime of flight " + Decimals(total, 3) +
              " \xC2\xB5s.\nTrace stopped after the 4 legs asked for.\n"})
    {
        EXPECT_NE(table.out.find(shown), std::string::npos) << shown << "\n" << table.out;
    }

    const ToolRun csv = RunTool("scenario.json --format csv", directory);
    ASSERT_EQ(csv.status, 0) << csv.err;
    std::istringstream rows(csv.out);
    std::string row;
    std::getline(rows, row);
    EXPECT_EQ(row, "beam,leg,specimen,start_x,start_y,start_z,end_x,end_y,end_z,length,total,mode,speed,time,"
                   "total_time,at_end");
    std::getline(rows, row);
    std::getline(rows, row);
    // Leg 2: its mode, speed, time and the running time, before what happened at its end.
    std::vector<std::string> fields;
    for (std::size_t from = 0, comma = 0; comma != std::string::npos; from = comma + 1)
    {
        comma = row.find(',', from);
        fields.push_back(row.substr(from, comma == std::string::npos ? comma : comma - from));
    }
    ASSERT_EQ(fields.size(), 16u) << row;
    EXPECT_EQ(fields[11], "T");
    EXPECT_EQ(fields[12], "3230");
    EXPECT_NEAR(std::stod(fields[13]), times[1], 1e-9);
    EXPECT_NEAR(std::stod(fields[14]), times[0] + times[1], 1e-9);
    EXPECT_EQ(fields[15], "Reflect");
}

TEST(Sound, AMaterialIsNamedIgnoringCaseOrGivenByItsSpeeds)
{
    const json named = TraceJson(ShearWedge())["beams"];
    for (const auto& [wedge, plate] : std::vector<std::pair<std::string, std::string>>{
             {"\"REXOLITE\"", "\"Carbon STEEL\""},
             {"\"cross-linked polystyrene\"",
              R"({ "name": "mild", "longitudinalSpeed": 5900, "shearSpeed": 3230 })"},
         })
    {
        SCOPED_TRACE(wedge + " on " + plate);
        EXPECT_EQ(TraceJson(ShearWedgeWith(wedge, plate, R"(["L", "T"])"))["beams"], named);
    }
    // Another steel: another shear speed, another angle and time.
    const json slower =
        TraceJson(ShearWedgeWith("\"rexolite\"", R"({ "name": "mine", "longitudinalSpeed": 5900,
            "shearSpeed": 3000 })",
                                 R"(["L", "T"])"))["beams"][0]["legs"];
    EXPECT_EQ(slower[1]["speed"].get<double>(), 3000.0);
    EXPECT_NEAR(AngleFromVertical(slower[1]), std::asin(3000.0 / 2330.0 * std::sin(38.66 * Degree)), 1e-9);
}

TEST(Sound, ModesChangeOnReflectionAndMissingOnesKeepThePrevious)
{
    // A 20 degree wedge: T at asin(3230 / 2330 sin 20) = 28.3 degrees in steel, which reflects from the
    // bottom as L at asin(5900 / 2330 sin 20) = 60.0 degrees; leg 4 is L again, mirrored.
    const std::string scenario =
        Replace(Replace(ShearWedgeWith("\"rexolite\"", "\"steel\"", R"(["L", "T", "L"])"),
                        "\"wedgeAngleDegrees\": 38.66", "\"wedgeAngleDegrees\": 20"),
                "[-20, 0, -24]", "[-20, 0, -15.3]");
    const json legs = TraceJson(scenario)["beams"][0]["legs"];
    ASSERT_EQ(legs.size(), 4u);
    const double shear = std::asin(3230.0 / 2330.0 * std::sin(20.0 * Degree));
    const double longitudinal = std::asin(5900.0 / 2330.0 * std::sin(20.0 * Degree));
    const struct
    {
        const char* mode;
        double speed;
        double angle;
    } expected[] = {
        {"L", 2330, 20 * Degree}, {"T", 3230, shear}, {"L", 5900, longitudinal}, {"L", 5900, longitudinal}};
    for (std::size_t i = 0; i < 4; ++i)
    {
        SCOPED_TRACE("leg " + std::to_string(i + 1));
        EXPECT_EQ(legs[i]["mode"], expected[i].mode);
        EXPECT_EQ(legs[i]["speed"].get<double>(), expected[i].speed);
        EXPECT_NEAR(AngleFromVertical(legs[i]), expected[i].angle, 1e-9);
    }
    // The reflection that changes the mode shows its angles; the mirror after it does not.
    EXPECT_EQ(legs[1]["atEnd"], "Reflect");
    EXPECT_NEAR(legs[1]["incidenceDegrees"].get<double>(), shear / Degree, 1e-9);
    EXPECT_NEAR(legs[1]["refractedDegrees"].get<double>(), longitudinal / Degree, 1e-9);
    EXPECT_FALSE(legs[2].contains("incidenceDegrees"));
}

TEST(Sound, APastCriticalAngleOrAMissingWaveCutsTheBeamInEveryFormat)
{
    const std::string noShear = "cannot be a T wave: \"Water\" carries no shear wave";
    const struct
    {
        const char* what;
        std::string scenario;
        std::size_t legCount;
        std::string ending;
        bool critical;
        std::string legend;
    } cases[] = {
        // From water into steel at the wedge's 38.66 degrees, past asin(1480 / 3230) for T.
        {"refraction", ShearWedgeWith("\"water\"", "\"steel\"", R"(["L", "T"])"), 1,
         "cut at interface 1: the incidence 38.66\xC2\xB0 from wedge (L, 1480 m/s) into plate (T, 3230 m/s) "
         "is beyond the critical angle " +
             Decimals(std::asin(1480.0 / 3230.0) / Degree, 2) + "\xC2\xB0; no refracted beam exists",
         true, "beam cut: beyond the critical angle"},
        // T at 60 degrees cannot come back as L past asin(3230 / 5900).
        {"reflection", ShearWedgeWith("\"rexolite\"", "\"steel\"", R"(["L", "T", "L"])"), 2,
         "cut at interface 2: the incidence 60.00\xC2\xB0 of the T wave in plate (3230 m/s) is beyond the "
         "critical angle " +
             Decimals(std::asin(3230.0 / 5900.0) / Degree, 2) +
             "\xC2\xB0 of its reflection as L (5900 m/s); no reflected beam exists",
         true, "beam cut: beyond the critical angle"},
        {"T in a liquid", ShearWedgeWith("\"rexolite\"", "\"water\"", R"(["L", "T"])"), 1,
         "ended with an error at interface 1: AcousticTracer::Trace : Leg 2 " + noShear, false,
         "beam cut: no such wave"},
        {"T first in a liquid", ShearWedgeWith("\"water\"", "\"steel\"", R"(["T"])"), 0,
         "no leg: AcousticTracer::Trace : Leg 1 " + noShear, false, "beam cut: no such wave"},
    };
    for (const auto& example : cases)
    {
        SCOPED_TRACE(example.what);
        std::string directory;
        const ToolRun run = RunScenario(example.scenario, "--format json --svg picture.svg", directory);
        ASSERT_EQ(run.status, 0) << run.err;
        const json beam = json::parse(run.out)["beams"][0];
        ASSERT_EQ(beam["legs"].size(), example.legCount);
        if (example.legCount > 0)
        {
            EXPECT_EQ(beam["legs"].back()["atEnd"], "cut");
        }
        EXPECT_EQ(beam["ending"], example.ending);
        EXPECT_EQ(beam["totalReflection"].get<bool>(), example.critical);
        EXPECT_EQ(beam.contains("error"), !example.critical);
        if (!example.critical)
        {
            EXPECT_EQ(beam["error"], example.ending.substr(example.ending.find("AcousticTracer")) + ".");
        }

        const ToolRun table = RunTool("scenario.json", directory);
        EXPECT_NE(table.out.find((example.critical ? "\nNote: " : "\nTrace ") + example.ending + ".\n"),
                  std::string::npos)
            << table.out;
        const ToolRun csv = RunTool("scenario.json --format csv", directory);
        EXPECT_EQ(csv.err, "quoria-trace: note: beam 1 " + example.ending + "\n");

        EXPECT_TRUE(IsWellFormedXml(directory + "/picture.svg"));
        const std::string picture = ReadText(directory + "/picture.svg");
        EXPECT_NE(picture.find(" l10,10 m0,-10 l-10,10\" stroke=\"black\""), std::string::npos);
        EXPECT_NE(picture.find(">" + example.legend + "</text>"), std::string::npos);
    }
}

TEST(Sound, ThePictureLabelsEachLegWithItsModeBesideItsMiddle)
{
    std::string directory;
    const ToolRun run = RunScenario(ShearWedge(), "--svg picture.svg", directory);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_TRUE(IsWellFormedXml(directory + "/picture.svg"));
    const std::string picture = ReadText(directory + "/picture.svg");
    EXPECT_NE(picture.find(">wave mode: longitudinal, transverse</text>"), std::string::npos);

    // The XZ view, where every leg is drawn at its full length: the beam's corners, then the labels.
    const std::size_t from = picture.find("<g clip-path=\"url(#view0)\"");
    const std::string view = picture.substr(from, picture.find("</g>", from) - from);
    const std::size_t beam = view.find("stroke=\"#d62728\"");
    ASSERT_NE(beam, std::string::npos);
    std::vector<std::pair<double, double>> corners;
    std::istringstream points(TagAttribute(view, view.rfind('<', beam), "points"));
    for (std::string point; points >> point;)
    {
        const std::size_t comma = point.find(',');
        corners.emplace_back(std::stod(point.substr(0, comma)), std::stod(point.substr(comma + 1)));
    }
    ASSERT_EQ(corners.size(), 5u);
    std::vector<std::tuple<double, double, std::string>> labels;
    for (std::size_t tag = view.find("<text "); tag != std::string::npos; tag = view.find("<text ", tag + 1))
    {
        if (TagAttribute(view, tag, "class") == "mode")
        {
            const std::size_t content = view.find('>', tag) + 1;
            labels.emplace_back(std::stod(TagAttribute(view, tag, "x")),
                                std::stod(TagAttribute(view, tag, "y")),
                                view.substr(content, view.find("</text>", content) - content));
        }
    }
    ASSERT_EQ(labels.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
    {
        SCOPED_TRACE("leg " + std::to_string(i + 1));
        const double x = (corners[i].first + corners[i + 1].first) / 2;
        const double y = (corners[i].second + corners[i + 1].second) / 2;
        // Beside the middle of its own leg, clear of the line; no other leg's middle is that near.
        const auto& [labelX, labelY, mode] = labels[i];
        EXPECT_EQ(mode, i == 0 ? "L" : "T");
        const double distance = std::hypot(labelX - x, labelY - y);
        EXPECT_GT(distance, 5.0);
        EXPECT_LT(distance, 16.0);
    }

    // Without materials the legs carry no wave and the picture no label.
    const ToolRun plain = RunTool("'" + Example("wedge-on-plate.json") + "' --svg plain.svg", directory);
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(ReadText(directory + "/plain.svg").find("class=\"mode\""), std::string::npos);
}

TEST(Sound, EachBeamOfASweepIsTracedAsSoundUntilItsTime)
{
    // From -4 to 0 degrees the beams refract into the plate, each stopped on the first leg that reaches
    // 40 us.
    const json beams =
        TraceJson(Replace(Replace(ShearWedge(), R"("stop": { "legs": 4 })", R"("stop": { "time": 40 })"),
                          R"("modes": ["L", "T"])",
                          R"("modes": ["L", "T"] }, "sweep": { "refractionAngleDegrees":
                                            { "from": -4, "to": 0, "step": 2 })"))["beams"];
    ASSERT_EQ(beams.size(), 3u);
    for (const json& beam : beams)
    {
        SCOPED_TRACE(beam["label"].get<std::string>());
        const json& legs = beam["legs"];
        ASSERT_GE(legs.size(), 2u);
        EXPECT_EQ(legs[1]["mode"], "T");
        const double last = legs.back()["time"].get<double>();
        EXPECT_GE(beam["totalTime"].get<double>(), 40.0);
        EXPECT_LT(beam["totalTime"].get<double>() - last, 40.0);
        EXPECT_EQ(beam["ending"], "stopped once the time asked for, 40 \xC2\xB5s, was reached");
    }
}

TEST(Sound, ASweepIsRefusedAtItsFirstBadBeamNotAtABeamWithoutItsWave)
{
    // T from the start in water leaves the beams at 0 and 45 degrees without a leg, as the library's refusal
    // of the one at 90 degrees does; only that one stops the sweep.
    const auto sweep = [](const std::string& to)
    {
        return ShearWedgeWith("\"water\"", "\"steel\"",
                              R"(["T"] }, "sweep": { "refractionAngleDegrees": { "from": 0, "to": )" + to +
                                  R"(, "step": 45 })");
    };
    const json beams = TraceJson(sweep("45"))["beams"];
    ASSERT_EQ(beams.size(), 2u);
    for (const json& beam : beams)
    {
        EXPECT_EQ(beam["legs"].size(), 0u);
        EXPECT_EQ(beam["error"],
                  "AcousticTracer::Trace : Leg 1 cannot be a T wave: \"Water\" carries no shear wave.");
    }

    std::string directory;
    const ToolRun refused = RunScenario(sweep("90"), "", directory);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
              "quoria-trace: scenario.json: /sweep/refractionAngleDegrees: refraction 90\xC2\xB0: "
              "AcousticTracer::Trace : Beam refraction angle must be contained within ]-90\xC2\xB0, "
              "90\xC2\xB0[.\n");
}
