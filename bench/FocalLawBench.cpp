// Focal laws of a 64-element linear array for a sectorial scan from 30 to 75
// degrees by 0.25 degree (181 focal points, 11,584 paths), on one and two
// threads: a wedge on a plate, and wedges on a pipe with the array along the
// axis and round it. Each timing is the whole ComputeFocalLaws call.

#include "Factories.h"
#include "FocalLaws.h"
#include "Material.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Solid;

namespace
{

const double Degree = 3.141592653589793 / 180;
const Quoria::Material WedgeMaterial("wedge", 2330.0, 1160.0);
const Quoria::Material Steel("steel", 5900.0, 3230.0);

enum class Specimen
{
    Plate,
    PipeAlongAxis,
    PipeRound
};

// The probe, its array and the scan's focal points, built once.
struct Scan
{
    explicit Scan(Specimen specimen)
    {
        const Point axis(0, 0, 100);
        switch (specimen)
        {
        case Specimen::Plate:
            wedge.reset(Quoria::CreateWedgeOnAxisAlignedPlate(Point(), 60, 30, 10, 36 * Degree, 0, 0));
            part.reset(Quoria::CreateAxisAlignedPlate(Point(0, 0, 25), 300, 300, 50));
            break;
        case Specimen::PipeAlongAxis:
            wedge.reset(Quoria::CreateWedgeOnXOrientedCylinder(Point(), 60, 30, 10, 36 * Degree, 0, axis));
            part.reset(Quoria::CreateXOrientedPipe(axis, 60, 100, 400));
            break;
        case Specimen::PipeRound:
            wedge.reset(Quoria::CreateWedgeOnYOrientedCylinder(Point(), 60, 30, 10, 36 * Degree, 0, axis));
            part.reset(Quoria::CreateYOrientedPipe(axis, 60, 100, 400));
            break;
        }
        tracer =
            std::make_unique<Quoria::AcousticTracer>(std::vector<const Solid*>{wedge.get(), part.get()},
                                                     std::vector<Quoria::Material>{WedgeMaterial, Steel});
        elements = Quoria::LinearArrayOnWedge(*wedge, 64, 0.6, 10);
        focalPoints = Quoria::SectorialScanFocalPoints(*tracer, elements, 30 * Degree, 75 * Degree,
                                                       0.25 * Degree, Quoria::FocalDistance::SoundPath, 30)
                          .points;
    }

    std::unique_ptr<const Solid> wedge;
    std::unique_ptr<const Solid> part;
    std::unique_ptr<Quoria::AcousticTracer> tracer;
    std::vector<Point> elements;
    std::vector<Point> focalPoints;
};

void SectorialScan(benchmark::State& state, Specimen specimen)
{
    static const Scan scans[] = {Scan(Specimen::Plate), Scan(Specimen::PipeAlongAxis),
                                 Scan(Specimen::PipeRound)};
    const Scan& scan = scans[static_cast<int>(specimen)];
    Quoria::FocalLawOptions options;
    options.threadCount = static_cast<unsigned int>(state.range(0));
    std::size_t valid = 0;
    for (auto _ : state)
    {
        const Quoria::FocalLaws laws =
            Quoria::ComputeFocalLaws(*scan.tracer, scan.elements, scan.focalPoints, options);
        benchmark::DoNotOptimize(laws.times.data());
        valid = 0;
        for (const Quoria::FocalPathStatus status : laws.statuses)
        {
            valid += status == Quoria::FocalPathStatus::Valid ? 1 : 0;
        }
    }
    const double paths = static_cast<double>(scan.elements.size() * scan.focalPoints.size());
    state.counters["paths"] = paths;
    state.counters["valid"] = static_cast<double>(valid);
    state.counters["paths/s"] = benchmark::Counter(paths, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK_CAPTURE(SectorialScan, Plate, Specimen::Plate)
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SectorialScan, PipeAlongAxis, Specimen::PipeAlongAxis)
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SectorialScan, PipeRound, Specimen::PipeRound)
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
