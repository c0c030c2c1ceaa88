// Pins, bit for bit, the legs of long traces through every kind of specimen,
// so that work on the speed of the tracer and of the surfaces cannot change a
// single result unnoticed. The expected legs live in data/pinned-legs.txt as
// hexadecimal floating point. They are re-recorded only deliberately, when a
// change of results is intended: run
//     QUORIA_RECORD_PINNED_LEGS=1 ./build/tests/QuoriaTests --gtest_filter='PinnedLegs*'
// and review the diff of the data file before committing it.

#include "Factories.h"
#include "IRayTracer.h"
#include "Polygon.h"
#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace Tessam::Geometry3D;
using Quoria::BeamAngles;
using Quoria::BehaviorAtInterface;
using Quoria::IRayTracer;
using Quoria::SlopeConfiguration;

namespace
{
using BehaviorFunction = std::function<BehaviorAtInterface(const ISurface*)>;
using SolidPointer = std::unique_ptr<const Solid>;
using Slopes = std::array<const SlopeConfiguration, 4>;

const BehaviorAtInterface R = BehaviorAtInterface::Reflect;
const BehaviorAtInterface T = BehaviorAtInterface::Transmit;

struct Trace
{
    std::string name;
    Legs legs;
};

// A refraction-like law: bends the angle from the normal by a sine ratio,
// on either side of the surface and for either sign of the angle.
double Bend(double angle, double ratio)
{
    const double sign = angle < 0.0 ? -1.0 : 1.0;
    const double magnitude = std::fabs(angle);
    if (magnitude < HalfPi)
        return sign * std::asin(ratio * std::sin(magnitude));
    return sign * (2.0 * HalfPi - std::asin(ratio * std::sin(2.0 * HalfPi - magnitude)));
}

Laws BendBy(double ratio, std::size_t count = 1)
{
    return Laws(count, [ratio](double angle) { return Bend(angle, ratio); });
}

// A point inside a face with straight edges: a weighted mean of its vertices.
Point InsidePolygon(const Solid& solid, std::size_t face)
{
    const std::vector<Point>& vertices =
        dynamic_cast<const Polygon&>(*solid.GetSurfaces().at(face)).GetPoints();
    const double weights[] = {0.4, 0.3, 0.2, 0.1};
    double x = 0.0, y = 0.0, z = 0.0;
    for (std::size_t i = 0; i < 4; ++i)
    {
        x += weights[i] * vertices.at(i).X();
        y += weights[i] * vertices.at(i).Y();
        z += weights[i] * vertices.at(i).Z();
    }
    return Point(x, y, z);
}

// The flat face of one of the tracer's solids whose outward normal is given.
const ISurface* FlatFaceFacing(const IRayTracer& tracer, std::size_t solid, const Vector& normal)
{
    for (const ISurface* face : tracer.GetConfiguration().at(solid)->GetSurfaces())
    {
        if (face->GetNormal(Point()) == normal)
            return face;
    }
    return nullptr;
}

std::vector<Trace> RunPinnedTraces()
{
    std::vector<Trace> traces;
    std::vector<SolidPointer> solids;
    std::unique_ptr<IRayTracer> tracer;
    // Sets up the tracer of the next traces and returns the solid the beams enter.
    const auto use = [&](std::initializer_list<const Solid*> configuration,
                         std::size_t entered = 0) -> const Solid&
    {
        for (const Solid* solid : configuration)
            solids.emplace_back(solid);
        tracer.reset(Quoria::CreateRayTracer(std::vector<const Solid*>(configuration)));
        return *configuration.begin()[entered];
    };
    const auto run = [&](const char* name, const Point& entry, double refraction, double skew, auto stop,
                         const auto& behaviors, const Laws& laws)
    {
        BeamAngles angles;
        angles.skewAngle = skew;
        angles.refractionAngle = refraction;
        traces.push_back({name, tracer->CalculateLegsFromEntryPoint(entry, angles, stop, behaviors, laws)});
    };
    const Behaviors reflect;
    const Laws none;

    use({Quoria::CreateAxisAlignedPlate(Point(1, 2, 3), 200, 120, 25)});
    run("plate-skewed", Point(-50, 10, -9.5), 0.6, 0.3, 1000u, reflect, none);
    run("plate-steep", Point(20, -7, 15.5), -1.2, 2.1, 1000u, reflect, none);
    run("plate-law", Point(-99, 1, 3.25), 0.35, -0.7, 120u, reflect, BendBy(0.999, 60));
    run("plate-length", Point(30, 62, -1), 0.9, 0.1, 3000.0, reflect, none);

    use({Quoria::CreateXOrientedBar(Point(0, 1, -2), 15, 300)});
    run("x-bar-helix", Point(-100, 1, -17), 0.5, 0.4, 1000u, reflect, none);
    run("x-bar-end", Point(150, 3, 1), 0.3, 1.0, 1000u, reflect, none);
    use({Quoria::CreateYOrientedBar(Point(5, 0, 0), 12, 250)});
    run("y-bar-helix", Point(5, -60, -12), 0.45, 1.2, 1000u, reflect, none);
    use({Quoria::CreateXOrientedPipe(Point(0, 0, 0), 20, 25, 300)});
    run("x-pipe-wall", Point(-100, 0, -25), 0.7, 0.2, 1000u, reflect, none);
    run("x-pipe-bore", Point(-60, 0, -25), 0.15, 1.3, 1000u, reflect, none);
    use({Quoria::CreateYOrientedPipe(Point(0, 0, 0), 20, 25, 300)});
    run("y-pipe-wall", Point(0, -100, -25), 0.7, 0.9, 1000u, reflect, none);

    using S = SlopeConfiguration;
    use({Quoria::CreateAxisAlignedCounterboredPlate(
        Point(0, 0, 0), 200, 200, 20, Slopes{S(5, 10, 3), S(4, 8, 2), S(6, 5, 4), S(3, 12, 1)})});
    run("counterbored-plate-across", Point(-50, 0.5, -10), 0.8, 1.5, 1000u, reflect, none);
    run("counterbored-plate-along", Point(10, -1, -10), 0.5, 0.05, 1000u, reflect, none);
    use({Quoria::CreateXOrientedCounterboredPipe(Point(0, 0, 0), 20, 25, 200,
                                                 Slopes{S(2, 6, 3), S(2, 5, 2), S(2, 7, 1), S(2, 4, 2)})});
    run("x-counterbored-pipe", Point(-30, 0, -25), 0.6, 1.45, 1000u, reflect, none);
    use({Quoria::CreateYOrientedCounterboredPipe(Point(0, 0, 0), 20, 25, 200,
                                                 Slopes{S(3, 10, 5), S(4, 8, 6), S(2, 6, 4), S(3, 0, 7)})});
    run("y-counterbored-pipe-cones", Point(0, 1, -25), 0.5, 1.4, 1000u, reflect, none);
    run("y-counterbored-pipe-back", Point(0, -2, -25), 0.4, -1.3, 1000u, reflect, none);

    const Point wedgeEntry =
        InsidePolygon(use({Quoria::CreateWedgeOnAxisAlignedPlate(Point(0, 0, 0), 40, 30, 10, 0.3, 0, 0),
                           Quoria::CreateAxisAlignedPlate(Point(0, 0, 12.5), 200, 100, 25)}),
                      0);
    run("wedge-on-plate", wedgeEntry, 0.2, 0.1, 1000u, Behaviors{T}, BendBy(1.6));
    // Transmits where the beam meets the face the wedge and the plate share, and reflects everywhere else.
    const ISurface* wedgeBottom = FlatFaceFacing(*tracer, 0, Vector(0, 0, 1));
    const ISurface* plateTop = FlatFaceFacing(*tracer, 1, Vector(0, 0, -1));
    const std::vector<BehaviorFunction> shared(
        300, [wedgeBottom, plateTop](const ISurface* surface)
        { return surface == wedgeBottom || surface == plateTop ? T : R; });
    run("wedge-on-plate-shared-face", wedgeEntry, 0.05, 0.4, 1000u, shared, none);
    run("wedge-on-plate-length", wedgeEntry, 0.3, -0.2, 900.0, shared, BendBy(0.7, 2));

    const Solid& xWedge =
        use({Quoria::CreateWedgeOnXOrientedCylinder(Point(10, 0, 0), 30, 16, 8, 0.35, 0, Point(0, 0, 30)),
             Quoria::CreateXOrientedPipe(Point(0, 0, 30), 20, 30, 200)});
    run("wedge-on-x-pipe", InsidePolygon(xWedge, 0), 0.25, 0.2, 1000u, Behaviors{T}, BendBy(1.4));
    const Solid& yWedge =
        use({Quoria::CreateYOrientedPipe(Point(0, 0, 30), 20, 30, 200),
             Quoria::CreateWedgeOnYOrientedCylinder(Point(0, 0, 0), 16, 30, 8, 0.35, 0, Point(0, 0, 30))},
            1);
    run("wedge-on-y-pipe", InsidePolygon(yWedge, 0), 0.25, 0.3, 1000u, Behaviors{T}, BendBy(1.4));
    return traces;
}

std::string DataPath()
{
    std::string path = __FILE__;
    path.resize(path.find_last_of("/\\") + 1);
    return path + "data/pinned-legs.txt";
}

std::string Hex(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::vector<double> Coordinates(const LineSegment& leg)
{
    const Point& a = leg.GetFirstPoint();
    const Point& b = leg.GetSecondPoint();
    return {a.X(), a.Y(), a.Z(), b.X(), b.Y(), b.Z()};
}

void Record(const std::vector<Trace>& traces)
{
    std::ofstream out(DataPath());
    out << "# Legs of the pinned traces: name and leg count, then per leg its start and end point\n"
           "# (x y z x y z) in hexadecimal floating point.\n";
    for (const Trace& trace : traces)
    {
        out << trace.name << ' ' << trace.legs.size() << '\n';
        for (const LineSegment& leg : trace.legs)
        {
            const std::vector<double> values = Coordinates(leg);
            for (std::size_t i = 0; i < values.size(); ++i)
                out << (i == 0 ? "" : " ") << Hex(values[i]);
            out << '\n';
        }
    }
}
} // namespace

TEST(PinnedLegs, LongTracesThroughEverySpecimenKeepTheirExactLegs)
{
    const std::vector<Trace> traces = RunPinnedTraces();
    if (std::getenv("QUORIA_RECORD_PINNED_LEGS") != nullptr)
    {
        Record(traces);
        for (const Trace& trace : traces)
            std::printf("%-28s %zu legs\n", trace.name.c_str(), trace.legs.size());
        GTEST_SKIP() << "recorded " << DataPath();
    }

    std::ifstream in(DataPath());
    ASSERT_TRUE(in) << DataPath();
    std::string line;
    std::size_t traceIndex = 0;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        ASSERT_LT(traceIndex, traces.size()) << "more traces recorded than run";
        const Trace& trace = traces[traceIndex++];
        std::istringstream header(line);
        std::string name;
        std::size_t legCount = 0;
        header >> name >> legCount;
        ASSERT_EQ(name, trace.name);
        ASSERT_EQ(legCount, trace.legs.size()) << name;
        for (std::size_t legIndex = 0; legIndex < legCount; ++legIndex)
        {
            ASSERT_TRUE(std::getline(in, line)) << name;
            std::istringstream fields(line);
            const std::vector<double> actual = Coordinates(trace.legs[legIndex]);
            for (std::size_t i = 0; i < actual.size(); ++i)
            {
                std::string field;
                fields >> field;
                const double expected = std::strtod(field.c_str(), nullptr);
                ASSERT_EQ(Bits(expected), Bits(actual[i]))
                    << name << " leg " << legIndex << " coordinate " << i << ": expected " << field
                    << ", got " << Hex(actual[i]);
            }
        }
    }
    EXPECT_EQ(traceIndex, traces.size()) << "fewer traces recorded than run";
}
