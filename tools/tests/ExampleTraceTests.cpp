// Every example traced end to end by the built tool; the expected points are
// worked out here from the geometry of each specimen, by hand.

#include "ToolRunner.h"

#include "Point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using nlohmann::json;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Vector;

namespace
{

const double Degree = std::acos(-1.0) / 180.0;

Point FromJson(const json& value)
{
    return Point(value[0].get<double>(), value[1].get<double>(), value[2].get<double>());
}

void ExpectNear(const Point& actual, const Point& expected, double tolerance = 1e-6)
{
    EXPECT_NEAR(actual.X(), expected.X(), tolerance);
    EXPECT_NEAR(actual.Y(), expected.Y(), tolerance);
    EXPECT_NEAR(actual.Z(), expected.Z(), tolerance);
}

// The tool's beams, once it has succeeded and drawn a well-formed picture.
json Beams(const std::string& arguments)
{
    const std::string directory = MakeTemporaryDirectory();
    const ToolRun run = RunTool(arguments + " --format json --svg picture.svg", directory);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.status == 0 && IsWellFormedXml(directory + "/picture.svg")) << arguments;
    return run.status == 0 ? json::parse(run.out)["beams"] : json::array({json::object()});
}

json ExampleBeams(const std::string& name)
{
    return Beams("'" + Example(name) + "'");
}

// The first point ahead of p along d on the circle of radius r about c in the
// plane y = const (the cross-section of a cylinder along y).
Point NearSideOfCircleXZ(const Point& p, const Vector& d, const Point& c, double r)
{
    const Vector w(p.X() - c.X(), 0.0, p.Z() - c.Z());
    const Vector dd(d.X(), 0.0, d.Z());
    const double a = dd.Dot(dd);
    const double b = 2.0 * w.Dot(dd);
    return p + d * ((-b - std::sqrt(b * b - 4.0 * a * (w.Dot(w) - r * r))) / (2.0 * a));
}

} // namespace

TEST(ExampleTrace, EveryExampleEndsWhereTheGeometrySays)
{
    const double t30 = std::tan(30.0 * Degree);
    const double speeds = 3230.0 / 2330.0;

    // y pipe: |(t/2, -30 + t sqrt3/2)| = 20 gives t = 15 sqrt3 - 5 sqrt7 to the bore.
    const double t = 15.0 * std::sqrt(3.0) - 5.0 * std::sqrt(7.0);
    const Point bore(t / 2, 0, -30 + t * std::sqrt(3.0) / 2);

    // x counterbored pipe: along z = y - 50 onto the chord of the inner slope of quadrant 1, from 40
    // (sin 0.25, -cos 0.25) to 37 (sin 0.5, -cos 0.5) in (y, z): arc lengths 10 and 20 on r 40.
    const Point o1(0, 40 * std::sin(0.25), -40 * std::cos(0.25));
    const Point w1(0, 37 * std::sin(0.5), -37 * std::cos(0.5));
    const double u = (-50.0 - o1.Z() + o1.Y()) / ((w1.Z() - o1.Z()) - (w1.Y() - o1.Y()));

    // Wedge on plate: a 36 degree wedge whose inclined face rises from (-40, z = -8) to
    // (0, z = -8 - 40 tan 36), on a 25 thick plate whose top is z = 0; snapped from (-20, 0, -22.5).
    const Vector plateDown(std::sin(36 * Degree), 0, std::cos(36 * Degree));
    const Point plateNear(-20, 0, -22.5);
    const Point plateEntry = plateNear + plateDown * (Point(-40, 0, -8) - plateNear).Dot(plateDown);
    const Point plateBottom = plateEntry + plateDown * (-plateEntry.Z() / plateDown.Z());
    const double plateSkip = 25.0 * std::tan(std::asin(speeds * std::sin(36 * Degree)));

    // Shear wedge on a steel plate: the same construction at 38.66 degrees, then T by the wedge's and
    // the steel's speeds, 2330 and 3230.
    const Vector shearDown(std::sin(38.66 * Degree), 0, std::cos(38.66 * Degree));
    const Point shearNear(-20, 0, -24);
    const Point shearEntry = shearNear + shearDown * (Point(-40, 0, -8) - shearNear).Dot(shearDown);
    const Point shearContact = shearEntry + shearDown * (-shearEntry.Z() / shearDown.Z());
    const double shearSkip = 25.0 * std::tan(std::asin(speeds * std::sin(38.66 * Degree)));

    // Wedge on a bar along x: in the plane y = 0 the bar is a slab from z = 0 to z = 200.
    const Vector xDown(std::sin(30 * Degree), 0, std::cos(30 * Degree));
    const Point xNear(-20, 0, -19.5);
    const Point xEntry = xNear + xDown * (Point(-40, 0, -8) - xNear).Dot(xDown);
    const Point xContact = xEntry + xDown * (-xEntry.Z() / xDown.Z());
    const double xDeep = 200 * std::tan(std::asin(speeds * std::sin(30 * Degree)));

    // Wedge on a pipe along y: turned by asin(A / 2R) about the line x = 0, z = R; the low end's top
    // corner (-A/2, -H + s) turned with it.
    const double turn = std::asin(40.0 / 200.0);
    const double lz = -8.0 + (100.0 - std::sqrt(100.0 * 100.0 - 400.0)) - 100.0;
    const Point low(-20 * std::cos(turn) + lz * std::sin(turn), 0,
                    20 * std::sin(turn) + lz * std::cos(turn) + 100);
    const Vector yDown(std::sin(20 * Degree + turn), 0, std::cos(20 * Degree + turn));
    const Point yNear(-18, 0, -14);
    const Point yContact =
        NearSideOfCircleXZ(yNear + yDown * (low - yNear).Dot(yDown), yDown, Point(0, 0, 100), 100.0);

    const struct
    {
        const char* example;
        const char* entryKind;
        std::size_t legCount;
        std::size_t leg;
        Point end;
    } examples[] = {
        {"plate.json", "Rectangle", 3, 2, Point(30, 0, 10)},
        {"x-bar.json", "CylindricalSurface", 2, 1, Point(40 * t30, 0, -10)},
        {"y-bar.json", "Disk", 2, 0, Point(10, 0, 0)},
        {"x-pipe.json", "CylindricalSurface", 3, 2, Point(30 * t30, 0, -20)},
        {"y-pipe.json", "CylindricalSurface", 2, 0, bore},
        {"counterbored-plate.json", "Polygon", 3, 2, Point(0, 70, 15)},
        {"y-counterbored-pipe.json", "CylindricalSurface", 2, 1, Point(0, 155.0 / 7.0, -365.0 / 7.0)},
        {"x-counterbored-pipe.json", "CylindricalSurface", 1, 0, o1 + (w1 - o1) * u},
        {"wedge-on-plate.json", "Polygon", 5, 4, plateBottom + Vector(4 * plateSkip, 0, 0)},
        {"wedge-on-x-cylinder.json", "Polygon", 2, 1, xContact + Vector(xDeep, 0, 200)},
        {"wedge-on-y-cylinder.json", "Polygon", 2, 0, yContact},
        {"shear-wedge-on-plate.json", "Polygon", 4, 3, shearContact + Vector(3 * shearSkip, 0, 25)},
    };
    for (const auto& example : examples)
    {
        SCOPED_TRACE(example.example);
        const json beams = ExampleBeams(example.example);
        const json& legs = beams[0]["legs"];
        EXPECT_EQ(beams[0]["entry"]["faceKind"], example.entryKind);
        ASSERT_EQ(legs.size(), example.legCount);
        ExpectNear(FromJson(legs[example.leg]["end"]), example.end);
    }
    // The x bar's beam is stopped by length, not by a count of legs.
    EXPECT_EQ(ExampleBeams("x-bar.json")[0]["ending"], "stopped once the length asked for, 40, was reached");
}

TEST(ExampleTrace, WedgeOnPlateRefractsBySnellsLawFromTheFileAndBuiltIn)
{
    const json beams = ExampleBeams("wedge-on-plate.json");
    const json& legs = beams[0]["legs"];
    ASSERT_EQ(legs.size(), 5u);
    EXPECT_EQ(legs[0]["specimen"], "wedge");
    EXPECT_EQ(legs[0]["atEnd"], "Transmit");
    EXPECT_NEAR(legs[0]["incidenceDegrees"].get<double>(), 36.0, 1e-9);
    EXPECT_NEAR(legs[0]["refractedDegrees"].get<double>(),
                std::asin(3230.0 / 2330.0 * std::sin(36 * Degree)) / Degree, 1e-9);
    EXPECT_EQ(legs[1]["specimen"], "plate");
    EXPECT_EQ(legs[1]["atEnd"], "Reflect");
    EXPECT_FALSE(legs[1].contains("incidenceDegrees"));
    EXPECT_EQ(beams[0]["ending"], "stopped after the 5 legs asked for");
    EXPECT_EQ(Beams(""), beams);
}

TEST(ExampleTrace, RefractionSweepFansOutFromOneEntryPoint)
{
    const json beams = ExampleBeams("sweep-wedge-on-plate.json");
    ASSERT_EQ(beams.size(), 5u);
    for (std::size_t i = 0; i < beams.size(); ++i)
    {
        const double refraction = -8.0 + 4.0 * i;
        SCOPED_TRACE("refraction " + std::to_string(refraction));
        EXPECT_DOUBLE_EQ(beams[i]["refractionAngleDegrees"].get<double>(), refraction);
        // A positive refraction tilts the beam further towards +x, away from the inclined face's normal.
        const Point start = FromJson(beams[i]["legs"][0]["start"]);
        const Vector direction = (FromJson(beams[i]["legs"][0]["end"]) - start).Normalized();
        const double tilt = (36.0 + refraction) * Degree;
        ExpectNear(Point() + direction, Point(std::sin(tilt), 0, std::cos(tilt)), 1e-9);
        ExpectNear(start, FromJson(beams[0]["legs"][0]["start"]), 0.0);
    }
    // At 8 degrees the beam reaches x = 0 before the wedge's bottom: it meets the tall end, where nothing
    // lies beyond to transmit into.
    ASSERT_EQ(beams[4]["legs"].size(), 1u);
    EXPECT_NEAR(FromJson(beams[4]["legs"][0]["end"]).X(), 0.0, 1e-9);
    EXPECT_EQ(beams[4]["ending"], "left the configuration at interface 1: no specimen lies beyond");
}

TEST(ExampleTrace, WithoutArgumentsPrintsTheDefaultTableAndWritesItsPicture)
{
    const std::string directory = MakeTemporaryDirectory();
    const ToolRun run = RunTool("", directory);
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* shown :
         {"Wedge on a plate (built-in default scenario, lengths in mm)", "leg  in     start", "  1  wedge  ",
          "  5  plate  ", "Transmit, Snell 36.00\xC2\xB0 -> 54.57\xC2\xB0"})
    {
        EXPECT_NE(run.out.find(shown), std::string::npos) << shown;
    }
    EXPECT_EQ(run.out.find("  6  "), std::string::npos);
    EXPECT_EQ(run.err, "quoria-trace: picture written to " + directory + "/quoria-trace.svg\n");
    EXPECT_TRUE(IsWellFormedXml(directory + "/quoria-trace.svg"));
    const std::string picture = ReadText(directory + "/quoria-trace.svg");
    EXPECT_NE(picture.find("wedge (CreateWedgeOnAxisAlignedPlate)"), std::string::npos);
    EXPECT_NE(picture.find("plate (CreateAxisAlignedPlate)"), std::string::npos);
}

TEST(ExampleTrace, CsvHasOneRowPerLegWithFullPrecision)
{
    const std::string directory = MakeTemporaryDirectory();
    const ToolRun run = RunTool("--format csv '" + Example("plate.json") + "'", directory);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "beam,leg,specimen,start_x,start_y,start_z,end_x,end_y,end_z,length,total,at_end\n"
                       "1,1,plate,-30,0,-10,-10,0,10,28.2842712475,28.2842712475,Reflect\n"
                       "1,2,plate,-10,0,10,10,0,-10,28.2842712475,56.5685424949,Reflect\n"
                       "1,3,plate,10,0,-10,30,0,10,28.2842712475,84.8528137424,end\n");
    EXPECT_EQ(run.err, "");
}
