// Throughput of the tracer on the public API, the cost of building specimens
// and tracers, and two references on the same beams: a hand-written box
// tracer and Embree on tessellated copies of the specimens. Ends with a
// summary table.

#include "AllocationCounter.h"
#include "ComplexFlatSurface.h"
#include "EmbreeReference.h"
#include "Factories.h"
#include "IContour.h"
#include "IRayTracer.h"
#include "Mesh.h"
#include "Scenarios.h"
#include "SlopeConfiguration.h"
#include "TableText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace QuoriaBench;
using Quoria::IRayTracer;
using Tessam::Geometry3D::LineSegment;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::Vector;

namespace
{
using Laws = std::vector<std::function<double(double)>>;

const int Resolutions[] = {16, 128, 1024};
const std::size_t MaximumLegs = Quoria::MaximumLegCount;

Point3 ToArray(const Point& point)
{
    return {point.X(), point.Y(), point.Z()};
}

Point3 ToArray(const Vector& vector)
{
    return {vector.X(), vector.Y(), vector.Z()};
}

double Distance(const Point3& a, const Point& b)
{
    const double dx = a[0] - b.X(), dy = a[1] - b.Y(), dz = a[2] - b.Z();
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// One scenario, built once: the solids, a tracer over them, the exact legs
// of every beam and where every beam starts for the references.
struct Prepared
{
    Scenario scenario;
    Specimen specimen;
    std::unique_ptr<IRayTracer> tracer;
    std::vector<std::vector<LineSegment>> exactLegs;
    std::vector<EntryFace> entries;
    std::vector<Point3> directions;
};

std::vector<Prepared>& PreparedScenarios()
{
    static std::vector<Prepared> prepared = []
    {
        std::vector<Prepared> all;
        for (const Scenario& scenario : MakeScenarios())
        {
            Prepared p{scenario, scenario.Make(), nullptr, {}, {}, {}};
            p.tracer.reset(Quoria::CreateRayTracer(p.specimen.Configuration()));
            for (const Beam& beam : p.specimen.beams)
            {
                p.exactLegs.push_back(p.tracer->CalculateLegsFromEntryPoint(
                    beam.entry, beam.angles, beam.legCount, beam.behaviors, Laws()));
                const EntryFace entry = FindEntryFace(p.specimen.Configuration(), beam.entry);
                p.entries.push_back(entry);
                p.directions.push_back(ToArray(InitialDirection(*entry.surface, beam.entry, beam.angles)));
            }
            all.push_back(std::move(p));
        }
        return all;
    }();
    return prepared;
}

// Legs per second and nanoseconds per leg come from the legs counted here;
// allocations are those made while timing, per leg.
void ReportLegs(benchmark::State& state, std::size_t legs, std::size_t allocations)
{
    state.counters["legs/s"] = benchmark::Counter(static_cast<double>(legs), benchmark::Counter::kIsRate);
    state.counters["legs"] =
        benchmark::Counter(static_cast<double>(legs), benchmark::Counter::kAvgIterations);
    state.counters["allocs/leg"] =
        legs == 0 ? 0.0 : static_cast<double>(allocations) / static_cast<double>(legs);
}

void TraceScenario(benchmark::State& state, std::size_t index)
{
    Prepared& p = PreparedScenarios()[index];
    std::size_t legs = 0;
    const std::size_t allocationsBefore = allocationCount;
    for (auto _ : state)
    {
        for (const Beam& beam : p.specimen.beams)
        {
            const std::vector<LineSegment> traced = p.tracer->CalculateLegsFromEntryPoint(
                beam.entry, beam.angles, beam.legCount, beam.behaviors, Laws());
            legs += traced.size();
            benchmark::DoNotOptimize(traced.data());
        }
    }
    ReportLegs(state, legs, allocationCount - allocationsBefore);
}

// The practical speed limit of the box: the ray against the box's planes,
// mirrored at the nearest, nothing allocated.
std::size_t TraceBox(const Box& box, Point3 origin, Point3 direction, std::size_t maximumLegs, Point3* ends)
{
    std::size_t legs = 0;
    for (; legs < maximumLegs; ++legs)
    {
        double nearest = HUGE_VAL;
        int axis = 0;
        for (int k = 0; k < 3; ++k)
        {
            if (direction[k] != 0.0)
            {
                const double t = ((direction[k] > 0.0 ? box.max[k] : box.min[k]) - origin[k]) / direction[k];
                if (t < nearest)
                {
                    nearest = t;
                    axis = k;
                }
            }
        }
        for (int k = 0; k < 3; ++k)
        {
            origin[k] += nearest * direction[k];
        }
        ends[legs] = origin;
        direction[axis] = -direction[axis];
    }
    return legs;
}

void TraceBoxReference(benchmark::State& state)
{
    const Prepared& p = PreparedScenarios()[0];
    const Box box = PlateBox();
    std::vector<Point3> ends(MaximumLegs);
    std::size_t legs = 0;
    double deviation = 0.0;
    for (std::size_t b = 0; b < p.specimen.beams.size(); ++b)
    {
        const std::size_t count =
            TraceBox(box, ToArray(p.specimen.beams[b].entry), p.directions[b], MaximumLegs, ends.data());
        for (std::size_t i = 0; i < std::min(count, p.exactLegs[b].size()); ++i)
        {
            deviation = std::max(deviation, Distance(ends[i], p.exactLegs[b][i].GetSecondPoint()));
        }
    }
    const std::size_t allocationsBefore = allocationCount;
    for (auto _ : state)
    {
        for (std::size_t b = 0; b < p.specimen.beams.size(); ++b)
        {
            legs +=
                TraceBox(box, ToArray(p.specimen.beams[b].entry), p.directions[b], MaximumLegs, ends.data());
            benchmark::ClobberMemory();
        }
    }
    ReportLegs(state, legs, allocationCount - allocationsBefore);
    state.counters["dev-max"] = deviation;
}

void TraceEmbree(benchmark::State& state, std::size_t index, int resolution)
{
    const Prepared& p = PreparedScenarios()[index];
    std::vector<Mesh> meshes;
    std::size_t triangles = 0, stray = 0, substituted = 0;
    for (const Solid* solid : p.specimen.Configuration())
    {
        meshes.push_back(Tessellate(*solid, resolution));
        triangles += meshes.back().triangles.size();
        stray += meshes.back().strayVertices;
        substituted += meshes.back().substitutedFaces;
    }
    const EmbreeReference reference(meshes);
    std::vector<Point3> ends(MaximumLegs);
    // How far the mesh's legs stray from the exact ones: at the first
    // interface, and over the first ten, where the paths have not yet parted
    // for good.
    double firstDeviation = 0.0, tenDeviation = 0.0;
    for (std::size_t b = 0; b < p.specimen.beams.size(); ++b)
    {
        const Beam& beam = p.specimen.beams[b];
        const std::size_t count = reference.Trace(p.entries[b].solid, ToArray(beam.entry), p.directions[b],
                                                  beam.behaviors, MaximumLegs, ends);
        for (std::size_t i = 0; i < std::min<std::size_t>({count, p.exactLegs[b].size(), 10}); ++i)
        {
            const double deviation = Distance(ends[i], p.exactLegs[b][i].GetSecondPoint());
            tenDeviation = std::max(tenDeviation, deviation);
            if (i == 0)
            {
                firstDeviation = std::max(firstDeviation, deviation);
            }
        }
    }
    std::size_t legs = 0;
    const std::size_t allocationsBefore = allocationCount;
    for (auto _ : state)
    {
        for (std::size_t b = 0; b < p.specimen.beams.size(); ++b)
        {
            const Beam& beam = p.specimen.beams[b];
            legs += reference.Trace(p.entries[b].solid, ToArray(beam.entry), p.directions[b], beam.behaviors,
                                    MaximumLegs, ends);
            benchmark::ClobberMemory();
        }
    }
    ReportLegs(state, legs, allocationCount - allocationsBefore);
    state.counters["triangles"] = static_cast<double>(triangles);
    state.counters["dev-first"] = firstDeviation;
    state.counters["dev-10"] = tenDeviation;
    state.counters["stray"] = static_cast<double>(stray);
    state.counters["substituted"] = static_cast<double>(substituted);
}

void BuildScenario(benchmark::State& state, std::size_t index)
{
    const Scenario& scenario = PreparedScenarios()[index].scenario;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(scenario.build());
    }
}

void CreateTracer(benchmark::State& state, std::size_t index)
{
    const std::vector<const Solid*> configuration = PreparedScenarios()[index].specimen.Configuration();
    for (auto _ : state)
    {
        const std::unique_ptr<IRayTracer> tracer(Quoria::CreateRayTracer(configuration));
        benchmark::DoNotOptimize(tracer.get());
    }
}

void GetContour(benchmark::State& state, const Tessam::Geometry3D::ComplexFlatSurface* face)
{
    try
    {
        delete face->GetContour();
    }
    catch (const std::exception& error)
    {
        state.SkipWithError(error.what());
        return;
    }
    for (auto _ : state)
    {
        const std::unique_ptr<Tessam::Geometry3D::IContour> contour(face->GetContour());
        benchmark::DoNotOptimize(contour.get());
    }
}

std::vector<const Tessam::Geometry3D::ComplexFlatSurface*> ComplexFaces(const Solid& solid)
{
    std::vector<const Tessam::Geometry3D::ComplexFlatSurface*> faces;
    for (const Tessam::Geometry3D::ISurface* surface : solid.GetSurfaces())
    {
        if (const auto* face = dynamic_cast<const Tessam::Geometry3D::ComplexFlatSurface*>(surface))
        {
            faces.push_back(face);
        }
    }
    if (faces.empty())
    {
        throw std::runtime_error("no complex face");
    }
    return faces;
}

// The low-end face of the wedge on the x-oriented cylinder and the front
// face of an x-oriented counterbored pipe: a polygon less a disk, and rings
// united with sectors and triangles.
const Tessam::Geometry3D::ComplexFlatSurface* WedgeFace()
{
    static const std::unique_ptr<const Solid> wedge(
        Quoria::CreateWedgeOnXOrientedCylinder(Point(10, 0, 0), 30, 16, 8, 0.35, 0, Point(0, 0, 30)));
    return ComplexFaces(*wedge).front();
}

const Tessam::Geometry3D::ComplexFlatSurface* PipeFace()
{
    using Quoria::SlopeConfiguration;
    static const std::unique_ptr<const Solid> pipe(
        Quoria::CreateXOrientedCounterboredPipe(Point(0, 0, 0), 20, 25, 200,
                                                {SlopeConfiguration(2, 6, 3), SlopeConfiguration(2, 5, 2),
                                                 SlopeConfiguration(2, 7, 1), SlopeConfiguration(2, 4, 2)}));
    const std::vector<const Tessam::Geometry3D::ComplexFlatSurface*> faces = ComplexFaces(*pipe);
    for (const auto* face : faces)
    {
        if (face->GetOperationType() == 1)
        {
            return face;
        }
    }
    return faces.front();
}

struct Result
{
    double nanosecondsPerIteration = 0.0;
    std::map<std::string, double> counters;

    double NanosecondsPerLeg() const
    {
        const auto legs = counters.find("legs");
        return legs == counters.end() || legs->second == 0.0 ? 0.0 : nanosecondsPerIteration / legs->second;
    }
    double LegsPerSecond() const
    {
        const double ns = NanosecondsPerLeg();
        return ns > 0.0 ? 1e9 / ns : 0.0;
    }
    double Counter(const std::string& name) const
    {
        const auto found = counters.find(name);
        return found == counters.end() ? 0.0 : found->second;
    }
};

// Prints the usual console output and keeps every result for the summary.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, Result> results;
    std::map<std::string, std::string> errors;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
        {
            if (run.run_type != Run::RT_Iteration)
            {
                continue;
            }
            if (run.error_occurred)
            {
                errors[run.benchmark_name()] = run.error_message;
                continue;
            }
            Result result;
            // CPU time: the machine is shared, and the wall clock counts the
            // other processes too.
            result.nanosecondsPerIteration =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
            for (const auto& counter : run.counters)
            {
                result.counters[counter.first] = counter.second.value;
            }
            results[run.benchmark_name()] = result;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintSummary(const std::map<std::string, Result>& results,
                  const std::map<std::string, std::string>& errors)
{
    const auto find = [&results](const std::string& name) -> const Result*
    {
        const auto found = results.find(name);
        return found == results.end() ? nullptr : &found->second;
    };
    const Result* box = find("reference-box/plate");
    const double boxNs = box != nullptr ? box->NanosecondsPerLeg() : 0.0;

    std::printf("\nTracing (ratios: tracer ns/leg over the reference's; below 1 means faster)\n");
    std::printf("%-22s %12s %9s %8s", "scenario", "legs/s", "ns/leg", "/box");
    for (const int resolution : Resolutions)
    {
        std::printf(" %11s", ("/embree" + std::to_string(resolution)).c_str());
    }
    std::printf(" %10s\n", "allocs/leg");
    for (const Prepared& p : PreparedScenarios())
    {
        const Result* trace = find("trace/" + p.scenario.name);
        if (trace == nullptr)
        {
            continue;
        }
        const double ns = trace->NanosecondsPerLeg();
        std::printf("%-22s %12.0f %9.1f %8s", p.scenario.name.c_str(), trace->LegsPerSecond(), ns,
                    Ratio(ns, boxNs).c_str());
        for (const int resolution : Resolutions)
        {
            const Result* embree = find("embree/" + p.scenario.name + "/" + std::to_string(resolution));
            std::printf(" %11s", Ratio(ns, embree != nullptr ? embree->NanosecondsPerLeg() : 0.0).c_str());
        }
        std::printf(" %10.2f\n", trace->Counter("allocs/leg"));
    }
    if (box != nullptr)
    {
        std::printf("%-22s %12.0f %9.1f   (largest distance to the exact legs %.1e)\n", "box reference",
                    box->LegsPerSecond(), boxNs, box->Counter("dev-max"));
    }

    std::printf("\nEmbree on tessellated specimens (facets per full turn; distances of leg ends to the exact "
                "legs)\n");
    std::printf("%-22s %6s %10s %12s %9s %11s %11s %s\n", "scenario", "turn", "triangles", "legs/s", "ns/leg",
                "dev first", "dev <=10", "notes");
    for (const Prepared& p : PreparedScenarios())
    {
        for (const int resolution : Resolutions)
        {
            const Result* embree = find("embree/" + p.scenario.name + "/" + std::to_string(resolution));
            if (embree != nullptr)
            {
                std::string notes;
                if (embree->Counter("substituted") > 0.0)
                {
                    notes += " faces without contour meshed as their first operand: " +
                             std::to_string(static_cast<int>(embree->Counter("substituted")));
                }
                if (embree->Counter("stray") > 0.0)
                {
                    notes += " vertices off their face: " +
                             std::to_string(static_cast<int>(embree->Counter("stray")));
                }
                std::printf("%-22s %6d %10.0f %12.0f %9.1f %11.1e %11.1e%s\n", p.scenario.name.c_str(),
                            resolution, embree->Counter("triangles"), embree->LegsPerSecond(),
                            embree->NanosecondsPerLeg(), embree->Counter("dev-first"),
                            embree->Counter("dev-10"), notes.c_str());
            }
        }
    }

    std::printf("\nBuilding (microseconds per call)\n");
    std::printf("%-22s %12s %15s\n", "scenario", "specimen", "CreateRayTracer");
    for (const Prepared& p : PreparedScenarios())
    {
        const Result* build = find("build/" + p.scenario.name);
        const Result* create = find("create-tracer/" + p.scenario.name);
        std::printf("%-22s %12.2f %15.2f\n", p.scenario.name.c_str(),
                    build != nullptr ? build->nanosecondsPerIteration / 1e3 : 0.0,
                    create != nullptr ? create->nanosecondsPerIteration / 1e3 : 0.0);
    }
    for (const char* face : {"wedge-face", "pipe-face"})
    {
        const std::string name = std::string("get-contour/") + face;
        const Result* contour = find(name);
        if (contour != nullptr)
        {
            std::printf("GetContour %-11s %12.2f\n", face, contour->nanosecondsPerIteration / 1e3);
        }
        else if (errors.count(name) != 0)
        {
            std::printf("GetContour %-11s fails: %s\n", face, errors.at(name).c_str());
        }
    }
}
} // namespace

int main(int argc, char** argv)
{
    const std::vector<Prepared>& prepared = PreparedScenarios();
    for (std::size_t i = 0; i < prepared.size(); ++i)
    {
        benchmark::RegisterBenchmark(("trace/" + prepared[i].scenario.name).c_str(), TraceScenario, i)
            ->Unit(benchmark::kMicrosecond);
        if (i == 0)
        {
            benchmark::RegisterBenchmark("reference-box/plate", TraceBoxReference)
                ->Unit(benchmark::kMicrosecond);
        }
        for (const int resolution : Resolutions)
        {
            benchmark::RegisterBenchmark(
                ("embree/" + prepared[i].scenario.name + "/" + std::to_string(resolution)).c_str(),
                TraceEmbree, i, resolution)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    for (std::size_t i = 0; i < prepared.size(); ++i)
    {
        benchmark::RegisterBenchmark(("build/" + prepared[i].scenario.name).c_str(), BuildScenario, i)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("create-tracer/" + prepared[i].scenario.name).c_str(), CreateTracer, i)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("get-contour/wedge-face", GetContour, WedgeFace())
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("get-contour/pipe-face", GetContour, PipeFace())
        ->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
    {
        return 1;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter.results, reporter.errors);
    benchmark::Shutdown();
    return 0;
}
