// Every example traced end to end by the built tool; the expected legs are
// worked out here from the geometry of each specimen, by hand.

#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using nlohmann::json;

namespace
{

const double Pi = std::acos(-1.0);
const double Degree = Pi / 180.0;

struct P
{
    double x;
    double y;
    double z;
};

P operator+(P a, P b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
P operator*(P a, double f)
{
    return {a.x * f, a.y * f, a.z * f};
}
P operator-(P a, P b)
{
    return a + b * -1.0;
}
double Dot(P a, P b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Norm(P a)
{
    return std::sqrt(Dot(a, a));
}
P Unit(P a)
{
    return a * (1.0 / Norm(a));
}

P FromJson(const json& value)
{
    return {value[0].get<double>(), value[1].get<double>(), value[2].get<double>()};
}

// The first point where p + t d, t > 0, meets the circle of radius r about c
// in the plane y = const (the cross-section of a cylinder along y).
P FirstOnCircleXZ(P p, P d, P c, double r, bool farSide)
{
    const P w{p.x - c.x, 0.0, p.z - c.z};
    const P dd{d.x, 0.0, d.z};
    const double a = Dot(dd, dd);
    const double b = 2.0 * Dot(w, dd);
    const double k = Dot(w, w) - r * r;
    const double root = std::sqrt(b * b - 4.0 * a * k);
    const double t = farSide ? (-b + root) / (2.0 * a) : (-b - root) / (2.0 * a);
    return p + d * t;
}

struct Traced
{
    json document;
    std::string pictureProblem;
    int status;
    std::string err;

    // The tool succeeded and drew a well-formed picture.
    static testing::AssertionResult Clean(const Traced& traced)
    {
        if (traced.status != 0)
            return testing::AssertionFailure() << "status " << traced.status << ": " << traced.err;
        if (!traced.pictureProblem.empty())
            return testing::AssertionFailure() << "picture: " << traced.pictureProblem;
        return testing::AssertionSuccess();
    }
};

Traced Trace(const std::string& arguments)
{
    const std::string directory = MakeTemporaryDirectory();
    const ToolRun run = RunTool(arguments + " --format json --svg picture.svg", directory);
    Traced traced{json(), "no picture", run.status, run.err};
    if (run.status == 0)
    {
        traced.document = json::parse(run.out);
        traced.pictureProblem = XmlProblem(ReadText(directory + "/picture.svg"));
    }
    return traced;
}

Traced TraceExample(const std::string& name)
{
    return Trace("'" + Example(name) + "'");
}

void ExpectNear(P actual, P expected, double tolerance = 1e-6)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The legs run through the given points in order; lengths and running totals follow.
void ExpectPath(const json& beam, const std::vector<P>& path, double tolerance = 1e-6)
{
    const json& legs = beam["legs"];
    ASSERT_EQ(legs.size(), path.size() - 1);
    double total = 0.0;
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        SCOPED_TRACE("leg " + std::to_string(i + 1));
        ExpectNear(FromJson(legs[i]["start"]), path[i], tolerance);
        ExpectNear(FromJson(legs[i]["end"]), path[i + 1], tolerance);
        const double length = Norm(path[i + 1] - path[i]);
        total += length;
        EXPECT_NEAR(legs[i]["length"].get<double>(), length, tolerance);
        EXPECT_NEAR(legs[i]["total"].get<double>(), total, tolerance);
    }
}

void ExpectEntry(const json& beam, const std::string& specimen, int face, const std::string& kind,
                 bool snapped)
{
    EXPECT_EQ(beam["entry"]["specimen"], specimen);
    EXPECT_EQ(beam["entry"]["face"], face);
    EXPECT_EQ(beam["entry"]["faceKind"], kind);
    EXPECT_EQ(beam["entry"]["snapped"], snapped);
}

// The wedge on a plate (also the built-in scenario): a 36 degree wedge whose
// inclined face rises from (-40, z = -8) to (0, z = -8 - 40 tan 36), on a
// 25 thick plate whose top is z = 0.
void ExpectWedgeOnPlate(const json& beam)
{
    const double alpha = 36.0 * Degree;
    const P outward{-std::sin(alpha), 0.0, -std::cos(alpha)};
    const P near{-20.0, 0.0, -22.5};
    const P entry = near - outward * Dot(near - P{-40.0, 0.0, -8.0}, outward);
    const P down = outward * -1.0;
    const P bottom = entry + down * (-entry.z / down.z);
    const double refracted = std::asin(3230.0 / 2330.0 * std::sin(alpha));
    const double skip = 25.0 * std::tan(refracted);
    ExpectEntry(beam, "wedge", 0, "Polygon", true);
    EXPECT_NEAR(beam["entry"]["moved"].get<double>(), Norm(near - entry), 1e-9);
    ExpectPath(beam, {entry, bottom, bottom + P{skip, 0, 25}, bottom + P{2 * skip, 0, 0},
                      bottom + P{3 * skip, 0, 25}, bottom + P{4 * skip, 0, 0}});
    EXPECT_EQ(beam["legs"][0]["specimen"], "wedge");
    EXPECT_EQ(beam["legs"][1]["specimen"], "plate");
    EXPECT_EQ(beam["legs"][0]["atEnd"], "Transmit");
    EXPECT_NEAR(beam["legs"][0]["incidenceDegrees"].get<double>(), 36.0, 1e-9);
    EXPECT_NEAR(beam["legs"][0]["refractedDegrees"].get<double>(), refracted / Degree, 1e-9);
    EXPECT_EQ(beam["legs"][1]["atEnd"], "Reflect");
    EXPECT_FALSE(beam["legs"][1].contains("incidenceDegrees"));
    EXPECT_EQ(beam["ending"], "stopped after the 5 legs asked for");
}

} // namespace

TEST(ExampleTrace, PlateSkipsAt45DegreesBetweenItsFaces)
{
    const Traced traced = TraceExample("plate.json");
    ASSERT_TRUE(Traced::Clean(traced));
    const json& beam = traced.document["beams"][0];
    ExpectEntry(beam, "plate", 4, "Rectangle", false);
    ExpectPath(beam, {{-30, 0, -10}, {-10, 0, 10}, {10, 0, -10}, {30, 0, 10}});
}

TEST(ExampleTrace, BarsAndPipes)
{
    const double t30 = std::tan(30.0 * Degree);
    {
        SCOPED_TRACE("x-oriented bar: snapped 0.5 down onto the mantle, stopped once 40 is passed");
        const Traced traced = TraceExample("x-bar.json");
        ASSERT_TRUE(Traced::Clean(traced));
        const json& beam = traced.document["beams"][0];
        ExpectEntry(beam, "bar", 0, "CylindricalSurface", true);
        EXPECT_NEAR(beam["entry"]["moved"].get<double>(), 0.5, 1e-12);
        ExpectPath(beam, {{0, 0, -10}, {20 * t30, 0, 10}, {40 * t30, 0, -10}});
        EXPECT_EQ(beam["ending"], "stopped once the length asked for, 40, was reached");
    }
    {
        SCOPED_TRACE("y-oriented bar: in through the +y disk, tan r = 1/3, off the mantle at (10, 0, 0)");
        const Traced traced = TraceExample("y-bar.json");
        ASSERT_TRUE(Traced::Clean(traced));
        const json& beam = traced.document["beams"][0];
        ExpectEntry(beam, "bar", 1, "Disk", false);
        ExpectPath(beam, {{0, 30, 0}, {10, 0, 0}, {0, -30, 0}});
    }
    {
        SCOPED_TRACE("x-oriented pipe: the wall is 10 thick, each crossing advances 10 tan 30 along x");
        const Traced traced = TraceExample("x-pipe.json");
        ASSERT_TRUE(Traced::Clean(traced));
        const json& beam = traced.document["beams"][0];
        ExpectEntry(beam, "pipe", 1, "CylindricalSurface", true);
        ExpectPath(beam, {{0, 0, -30}, {10 * t30, 0, -20}, {20 * t30, 0, -30}, {30 * t30, 0, -20}});
    }
    {
        SCOPED_TRACE("y-oriented pipe: a chord to the bore, mirrored about the radius through the hit");
        const Traced traced = TraceExample("y-pipe.json");
        ASSERT_TRUE(Traced::Clean(traced));
        const json& beam = traced.document["beams"][0];
        // |(t/2, -30 + t sqrt3/2)| = 20  gives  t = 15 sqrt3 - 5 sqrt7.
        const double t = 15.0 * std::sqrt(3.0) - 5.0 * std::sqrt(7.0);
        const P entry{0, 0, -30};
        const P hit{t / 2, 0, -30 + t * std::sqrt(3.0) / 2};
        const P radial = Unit(hit);
        const P out = radial * (2.0 * Dot(entry, radial)) - entry;
        ExpectPath(beam, {entry, hit, out});
        EXPECT_NEAR(Norm(hit), 20.0, 1e-9);
    }
}

TEST(ExampleTrace, CounterboredSpecimensMeetTheirSlopesWhereTheGeometrySays)
{
    {
        SCOPED_TRACE(
            "plate: middle zone z = -10..10 up to |y| = 20, slopes 5 high over 10, outer zone beyond");
        const Traced traced = TraceExample("counterbored-plate.json");
        ASSERT_TRUE(Traced::Clean(traced));
        ExpectPath(traced.document["beams"][0], {{0, -5, -10}, {0, 15, 10}, {0, 40, -15}, {0, 70, 15}});
    }
    {
        SCOPED_TRACE("y-oriented pipe: bore at y = 10, then the cone r = 50 + 0.3 (y - 15) at y = 155/7");
        const Traced traced = TraceExample("y-counterbored-pipe.json");
        ASSERT_TRUE(Traced::Clean(traced));
        ExpectPath(traced.document["beams"][0], {{0, 0, -50}, {0, 10, -40}, {0, 155.0 / 7.0, -365.0 / 7.0}});
    }
    {
        SCOPED_TRACE("x-oriented pipe: along z = y - 50 onto the chord of the inner slope of quadrant 1");
        const Traced traced = TraceExample("x-counterbored-pipe.json");
        ASSERT_TRUE(Traced::Clean(traced));
        // Slope from 40 (sin 0.25, -cos 0.25) to 37 (sin 0.5, -cos 0.5) in (y, z): arc lengths 10 and 20 on
        // r 40.
        const P o1{0, 40 * std::sin(0.25), -40 * std::cos(0.25)};
        const P w1{0, 37 * std::sin(0.5), -37 * std::cos(0.5)};
        const double u = (-50.0 - o1.z + o1.y) / ((w1.z - o1.z) - (w1.y - o1.y));
        ASSERT_GT(u, 0.0);
        ASSERT_LT(u, 1.0);
        ExpectPath(traced.document["beams"][0], {{0, 0, -50}, o1 + (w1 - o1) * u});
    }
}

TEST(ExampleTrace, WedgesRefractIntoTheirSpecimensBySnellsLaw)
{
    {
        SCOPED_TRACE("wedge on plate, from the file and built in");
        const Traced traced = TraceExample("wedge-on-plate.json");
        ASSERT_TRUE(Traced::Clean(traced));
        ExpectWedgeOnPlate(traced.document["beams"][0]);
        const Traced builtIn = Trace("");
        ASSERT_EQ(builtIn.status, 0) << builtIn.err;
        ExpectWedgeOnPlate(builtIn.document["beams"][0]);
        EXPECT_EQ(builtIn.document["source"], "built-in default scenario");
    }
    {
        SCOPED_TRACE("wedge on a bar along x: in the plane y = 0 the bar is a slab from z = 0 to z = 200");
        const Traced traced = TraceExample("wedge-on-x-cylinder.json");
        ASSERT_TRUE(Traced::Clean(traced));
        const double alpha = 30.0 * Degree;
        const P down{std::sin(alpha), 0, std::cos(alpha)};
        const P near{-20, 0, -19.5};
        const P entry = near + down * Dot(P{-40, 0, -8} - near, down);
        const P contact = entry + down * (-entry.z / down.z);
        const double refracted = std::asin(3230.0 / 2330.0 * std::sin(alpha));
        ExpectPath(traced.document["beams"][0],
                   {entry, contact, contact + P{200 * std::tan(refracted), 0, 200}});
        EXPECT_NEAR(traced.document["beams"][0]["legs"][0]["refractedDegrees"].get<double>(),
                    refracted / Degree, 1e-9);
    }
    {
        SCOPED_TRACE("wedge on a pipe along y: turned by asin(A / 2R) about the line x = 0, z = R");
        const Traced traced = TraceExample("wedge-on-y-cylinder.json");
        ASSERT_TRUE(Traced::Clean(traced));
        const double alpha = 20.0 * Degree;
        const double turn = std::asin(40.0 / 200.0);
        const double sagitta = 100.0 - std::sqrt(100.0 * 100.0 - 400.0);
        // The low end's top corner (-A/2, -H + s) turned about (0, R).
        const double lx = -20.0;
        const double lz = -8.0 + sagitta - 100.0;
        const P low{lx * std::cos(turn) + lz * std::sin(turn), 0,
                    -lx * std::sin(turn) + lz * std::cos(turn) + 100};
        const P down{std::sin(alpha + turn), 0, std::cos(alpha + turn)};
        const P near{-18, 0, -14};
        const P entry = near + down * Dot(low - near, down);
        const P axis{0, 0, 100};
        const P contact = FirstOnCircleXZ(entry, down, axis, 100.0, false);
        const P normal = Unit(axis - contact);
        const double incidence = std::acos(Dot(normal, down));
        const double refracted = std::asin(3230.0 / 2330.0 * std::sin(incidence));
        const P across = Unit(down - normal * Dot(down, normal));
        const P inside = normal * std::cos(refracted) + across * std::sin(refracted);
        const P bore = FirstOnCircleXZ(contact, inside, axis, 80.0, false);
        const json& beam = traced.document["beams"][0];
        ExpectPath(beam, {entry, contact, bore});
        EXPECT_NEAR(beam["legs"][0]["incidenceDegrees"].get<double>(), incidence / Degree, 1e-9);
        EXPECT_EQ(beam["legs"][1]["specimen"], "pipe");
    }
}

TEST(ExampleTrace, RefractionSweepFansOutFromOneEntryPoint)
{
    const Traced traced = TraceExample("sweep-wedge-on-plate.json");
    ASSERT_TRUE(Traced::Clean(traced));
    const json& beams = traced.document["beams"];
    ASSERT_EQ(beams.size(), 5u);
    const double alpha = 36.0 * Degree;
    for (std::size_t i = 0; i < beams.size(); ++i)
    {
        const double refraction = -8.0 + 4.0 * i;
        SCOPED_TRACE("refraction " + std::to_string(refraction));
        EXPECT_DOUBLE_EQ(beams[i]["refractionAngleDegrees"].get<double>(), refraction);
        // A positive refraction tilts the beam further towards +x, away from the inclined face's normal.
        const P start = FromJson(beams[i]["legs"][0]["start"]);
        const P direction = Unit(FromJson(beams[i]["legs"][0]["end"]) - start);
        const double tilt = alpha + refraction * Degree;
        ExpectNear(direction, {std::sin(tilt), 0, std::cos(tilt)}, 1e-9);
        ExpectNear(start, FromJson(beams[0]["legs"][0]["start"]), 0.0);
    }
    // At 8 degrees the beam reaches x = 0 before the wedge's bottom: it meets the tall end, where nothing
    // lies beyond to transmit into.
    const json& last = beams[4];
    ASSERT_EQ(last["legs"].size(), 1u);
    EXPECT_NEAR(FromJson(last["legs"][0]["end"]).x, 0.0, 1e-9);
    EXPECT_EQ(last["ending"], "left the configuration at interface 1: no specimen lies beyond");
    EXPECT_NEAR(beams[1]["legs"][0]["incidenceDegrees"].get<double>(), 32.0, 1e-9);
}

TEST(ExampleTrace, WithoutArgumentsPrintsTheDefaultTableAndWritesItsPicture)
{
    const std::string directory = MakeTemporaryDirectory();
    const ToolRun run = RunTool("", directory);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Wedge on a plate (built-in default scenario, lengths in mm)"), std::string::npos);
    EXPECT_NE(run.out.find("leg  in     start"), std::string::npos);
    EXPECT_NE(run.out.find("  1  wedge  "), std::string::npos);
    EXPECT_NE(run.out.find("  5  plate  "), std::string::npos);
    EXPECT_EQ(run.out.find("  6  "), std::string::npos);
    EXPECT_NE(run.out.find("Transmit, Snell 36.00\xC2\xB0 -> 54.57\xC2\xB0"), std::string::npos);
    EXPECT_EQ(run.err, "quoria-trace: picture written to " + directory + "/quoria-trace.svg\n");
    const std::string picture = ReadText(directory + "/quoria-trace.svg");
    EXPECT_EQ(XmlProblem(picture), "");
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
