// The batch call on the scenarios of the tracer's benchmark: legs per second
// on one thread and on every hardware thread, against a loop of the
// single-beam call over the same beams, and heap allocations per leg; the
// same for the acoustic tracer and its batch. Times are wall-clock (several
// threads work for one call), so run it on a quiet machine; the summary keeps
// the best of the repetitions, and gives the processor time of all threads
// too.
//
//   QuoriaBatchBench --benchmark_repetitions=5 [--retain-memory]
//
// Results that are kept (the batch's arrays, the legs the second loop keeps)
// need memory that the system hands out afresh on every call unless the
// allocator keeps what was freed; on a virtual machine the first touch of
// each page can cost as much as tracing dozens of legs. By default large
// blocks always come fresh from the system (glibc's fixed thresholds, so that
// one benchmark does not change the next one's allocator); --retain-memory
// keeps freed memory instead, which leaves the processor's work alone.

#include "AcousticBatchTrace.h"
#include "AcousticTracer.h"
#include "AllocationCounter.h"
#include "BatchTrace.h"
#include "IRayTracer.h"
#include "Scenarios.h"
#include "TableText.h"

#include <benchmark/benchmark.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace QuoriaBench;
using Quoria::IRayTracer;
using Tessam::Geometry3D::LineSegment;

namespace
{
using Laws = std::vector<std::function<double(double)>>;

// A scenario's eight beams are copied this many times for the large batch:
// a batch is worth its threads when it is a sweep of many beams.
const std::size_t Copies = 32;
// ... and this many times for a sweep of beams stopped after one leg, whose
// cost is the batch's own work per beam rather than tracing.
const std::size_t SweepCopies = 1024;

// Which beams a batch traces.
enum class Beams
{
    Eight,      // the scenario's own, with its leg count
    Large,      // Copies times those
    OneLegSweep // SweepCopies times those, one leg each
};

struct Prepared
{
    std::string name;
    Specimen specimen;
    std::unique_ptr<IRayTracer> tracer;
    // The same solids carrying sound: steel, under a wedge of cross-linked
    // polystyrene; L waves, T in the steel under a wedge (an L wave would
    // stop there past its critical angle), so Snell's law turns every
    // transmitted beam.
    std::unique_ptr<Quoria::AcousticTracer> sound;
    std::vector<Quoria::WaveMode> modes;
    std::vector<Quoria::BatchBeam> small;
    std::vector<Quoria::BatchBeam> large;
    std::vector<Quoria::BatchBeam> sweep;
    // Every beam of a scenario has the same behaviours and leg count.
    std::vector<Quoria::BehaviorAtInterface> behaviors;
    unsigned int legCount;
};

std::vector<Prepared>& PreparedScenarios()
{
    static std::vector<Prepared> prepared = []
    {
        std::vector<Prepared> all;
        for (const Scenario& scenario : MakeScenarios())
        {
            Prepared p{scenario.name, scenario.Make(), nullptr, nullptr, {}, {}, {}, {}, {}, 0};
            p.tracer.reset(Quoria::CreateRayTracer(p.specimen.Configuration()));
            std::vector<Quoria::Material> materials(p.specimen.solids.size(), Quoria::FindMaterial("steel"));
            if (scenario.name.rfind("wedge", 0) == 0)
            {
                materials.front() = Quoria::FindMaterial("cross-linked polystyrene");
                p.modes = {Quoria::WaveMode::L, Quoria::WaveMode::T};
            }
            p.sound = std::make_unique<Quoria::AcousticTracer>(p.specimen.Configuration(), materials);
            p.behaviors = p.specimen.beams.front().behaviors;
            p.legCount = p.specimen.beams.front().legCount;
            for (const Beam& beam : p.specimen.beams)
            {
                if (beam.behaviors != p.behaviors || beam.legCount != p.legCount)
                {
                    throw std::runtime_error(scenario.name + ": beams that a batch cannot share");
                }
                p.small.push_back({beam.entry, beam.angles});
            }
            for (std::size_t copy = 0; copy < Copies; ++copy)
            {
                p.large.insert(p.large.end(), p.small.begin(), p.small.end());
            }
            for (std::size_t copy = 0; copy < SweepCopies; ++copy)
            {
                p.sweep.insert(p.sweep.end(), p.small.begin(), p.small.end());
            }
            all.push_back(std::move(p));
        }
        return all;
    }();
    return prepared;
}

// `processor` is the processor time of every thread of the process, which
// other processes on the machine disturb far less than the wall clock: the
// batch's efficiency on several threads is its processor time per leg on one
// thread over that on several.
void ReportLegs(benchmark::State& state, std::size_t legs, std::size_t allocations, std::clock_t processor)
{
    const double iterations = static_cast<double>(state.iterations());
    state.counters["cpu-ns/leg"] =
        legs == 0 ? 0.0 : static_cast<double>(processor) / CLOCKS_PER_SEC * 1e9 / static_cast<double>(legs);
    state.counters["legs/s"] = benchmark::Counter(static_cast<double>(legs), benchmark::Counter::kIsRate);
    state.counters["legs"] = static_cast<double>(legs) / iterations;
    state.counters["allocs/leg"] =
        legs == 0 ? 0.0 : static_cast<double>(allocations) / static_cast<double>(legs);
    state.counters["allocs/call"] = static_cast<double>(allocations) / iterations;
}

// The loop a caller writes without the batch call. Keeping the legs, it
// fills flat arrays as the batch does (all but the solid, face and
// behaviour, which the single call does not give), and pays as the batch
// does for memory that the system hands out afresh on each call.
// Runs `traceOnce` (which returns the legs it traced) for each iteration and
// reports the legs, allocations and processor time.
template <typename TraceOnce> void MeasureLegs(benchmark::State& state, TraceOnce traceOnce)
{
    std::size_t legs = 0;
    const std::size_t allocationsBefore = allocationCount;
    const std::clock_t processorBefore = std::clock();
    for (auto _ : state)
    {
        legs += traceOnce();
    }
    ReportLegs(state, legs, allocationCount - allocationsBefore, std::clock() - processorBefore);
}

void SingleCalls(benchmark::State& state, std::size_t index, bool keep)
{
    Prepared& p = PreparedScenarios()[index];
    MeasureLegs(state,
                [&p, keep]
                {
                    std::size_t legs = 0;
                    std::vector<double> starts, ends, lengths;
                    for (const Quoria::BatchBeam& beam : p.large)
                    {
                        const std::vector<LineSegment> traced = p.tracer->CalculateLegsFromEntryPoint(
                            beam.entryPoint, beam.angles, p.legCount, p.behaviors, Laws());
                        legs += traced.size();
                        benchmark::DoNotOptimize(traced.data());
                        if (keep)
                        {
                            for (const LineSegment& leg : traced)
                            {
                                const Tessam::Geometry3D::Point& start = leg.GetFirstPoint();
                                const Tessam::Geometry3D::Point& end = leg.GetSecondPoint();
                                starts.insert(starts.end(), {start.X(), start.Y(), start.Z()});
                                ends.insert(ends.end(), {end.X(), end.Y(), end.Z()});
                                lengths.push_back(leg.Length());
                            }
                        }
                    }
                    benchmark::DoNotOptimize(lengths.data());
                    return legs;
                });
}

void Batch(benchmark::State& state, std::size_t index, Beams which, unsigned int threads)
{
    Prepared& p = PreparedScenarios()[index];
    const std::vector<Quoria::BatchBeam>& beams = which == Beams::Eight   ? p.small
                                                  : which == Beams::Large ? p.large
                                                                          : p.sweep;
    Quoria::BatchOptions options;
    options.threadCount = threads;
    const Quoria::TraceStop stop = Quoria::TraceStop::Legs(which == Beams::OneLegSweep ? 1 : p.legCount);
    MeasureLegs(state,
                [&]
                {
                    const Quoria::BatchResult result =
                        Quoria::TraceBatch(p.tracer.get(), beams, stop, p.behaviors, Laws(), options);
                    benchmark::DoNotOptimize(result.ends.data());
                    return result.LegCount();
                });
}

void SoundCalls(benchmark::State& state, std::size_t index)
{
    Prepared& p = PreparedScenarios()[index];
    const Quoria::TraceStop stop = Quoria::TraceStop::Legs(p.legCount);
    MeasureLegs(state,
                [&]
                {
                    std::size_t legs = 0;
                    for (const Quoria::BatchBeam& beam : p.large)
                    {
                        const Quoria::AcousticReport report =
                            p.sound->Trace(beam.entryPoint, beam.angles, stop, p.behaviors, p.modes);
                        legs += report.legs.size();
                        benchmark::DoNotOptimize(report.legs.data());
                    }
                    return legs;
                });
}

void SoundBatch(benchmark::State& state, std::size_t index, unsigned int threads)
{
    Prepared& p = PreparedScenarios()[index];
    Quoria::BatchOptions options;
    options.threadCount = threads;
    const Quoria::TraceStop stop = Quoria::TraceStop::Legs(p.legCount);
    MeasureLegs(state,
                [&]
                {
                    const Quoria::AcousticBatchResult result =
                        Quoria::TraceBatch(*p.sound, p.large, stop, p.behaviors, p.modes, options);
                    benchmark::DoNotOptimize(result.times.data());
                    return result.LegCount();
                });
}

// Nanoseconds per leg and the counters of each run, the best of the
// repetitions.
struct Result
{
    double nanosecondsPerLeg = 0.0;
    std::map<std::string, double> counters;
};

class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, Result> results;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
        {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
            {
                continue;
            }
            const auto legs = run.counters.find("legs");
            if (legs == run.counters.end() || legs->second.value == 0.0)
            {
                continue;
            }
            const double nanoseconds = run.GetAdjustedRealTime() /
                                       benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9 /
                                       legs->second.value;
            const std::string name = run.run_name.function_name;
            Result& result = results[name];
            if (result.nanosecondsPerLeg == 0.0 || nanoseconds < result.nanosecondsPerLeg)
            {
                result.nanosecondsPerLeg = nanoseconds;
                for (const auto& counter : run.counters)
                {
                    result.counters[counter.first] = counter.second.value;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintSummary(const std::map<std::string, Result>& results, unsigned int allThreads)
{
    const auto find = [&results](const std::string& name) -> const Result*
    {
        const auto found = results.find(name);
        return found == results.end() ? nullptr : &found->second;
    };
    const auto ns = [](const Result* result) { return result != nullptr ? result->nanosecondsPerLeg : 0.0; };
    const auto counter = [](const Result* result, const char* name)
    {
        if (result == nullptr)
        {
            return 0.0;
        }
        const auto found = result->counters.find(name);
        return found == result->counters.end() ? 0.0 : found->second;
    };

    std::printf(
        "\nBatch of %zu beams (wall clock, ns per leg; 1t/loop below 1 means the batch on one thread is "
        "faster than the loop of single calls)\n",
        8 * Copies);
    std::printf("%-22s %9s %9s %9s %7s %7s %9s %12s %7s %11s %11s\n", "scenario", "loop", "loop-keep",
                "1 thread", "1t/loop", "1t/keep", (std::to_string(allThreads) + " threads").c_str(), "legs/s",
                "speedup", "allocs/leg", "allocs/call");
    for (const Prepared& p : PreparedScenarios())
    {
        const Result* loop = find("loop/" + p.name);
        const Result* keep = find("loop-keep/" + p.name);
        const Result* one = find("batch/" + p.name + "/threads:1");
        const Result* all = find("batch/" + p.name + "/threads:" + std::to_string(allThreads));
        std::printf("%-22s %9.1f %9.1f %9.1f %7s %7s %9.1f %12.0f %7s %11.5f %11.0f\n", p.name.c_str(),
                    ns(loop), ns(keep), ns(one), Ratio(ns(one), ns(loop)).c_str(),
                    Ratio(ns(one), ns(keep)).c_str(), ns(all), ns(all) > 0.0 ? 1e9 / ns(all) : 0.0,
                    Ratio(ns(one), ns(all)).c_str(), counter(one, "allocs/leg"), counter(one, "allocs/call"));
    }
    std::printf(
        "\nThe same in processor time of all threads (ns per leg); efficiency = 1 thread over %u threads\n",
        allThreads);
    std::printf("%-22s %9s %9s %9s %7s %7s %9s %10s\n", "scenario", "loop", "loop-keep", "1 thread",
                "1t/loop", "1t/keep", (std::to_string(allThreads) + " threads").c_str(), "efficiency");
    for (const Prepared& p : PreparedScenarios())
    {
        const Result* loop = find("loop/" + p.name);
        const Result* keep = find("loop-keep/" + p.name);
        const Result* one = find("batch/" + p.name + "/threads:1");
        const Result* all = find("batch/" + p.name + "/threads:" + std::to_string(allThreads));
        const double cpuLoop = counter(loop, "cpu-ns/leg"), cpuKeep = counter(keep, "cpu-ns/leg");
        const double cpuOne = counter(one, "cpu-ns/leg"), cpuAll = counter(all, "cpu-ns/leg");
        std::printf("%-22s %9.1f %9.1f %9.1f %7s %7s %9.1f %10s\n", p.name.c_str(), cpuLoop, cpuKeep, cpuOne,
                    Ratio(cpuOne, cpuLoop).c_str(), Ratio(cpuOne, cpuKeep).c_str(), cpuAll,
                    Ratio(cpuOne, cpuAll).c_str());
    }
    std::printf("\nBatch of the scenario's 8 beams (the cost of a call: threads, arrays)\n");
    std::printf("%-22s %9s %9s %7s %11s\n", "scenario", "1 thread",
                (std::to_string(allThreads) + " threads").c_str(), "speedup", "allocs/call");
    for (const Prepared& p : PreparedScenarios())
    {
        const Result* one = find("batch8/" + p.name + "/threads:1");
        const Result* all = find("batch8/" + p.name + "/threads:" + std::to_string(allThreads));
        std::printf("%-22s %9.1f %9.1f %7s %11.0f\n", p.name.c_str(), ns(one), ns(all),
                    Ratio(ns(one), ns(all)).c_str(), counter(one, "allocs/call"));
    }
    std::printf("\nSweep of %zu beams stopped after one leg (wall clock, ns per leg)\n", 8 * SweepCopies);
    std::printf("%-22s %9s %9s %7s\n", "scenario", "1 thread",
                (std::to_string(allThreads) + " threads").c_str(), "speedup");
    for (const Prepared& p : PreparedScenarios())
    {
        const Result* one = find("sweep1/" + p.name + "/threads:1");
        const Result* all = find("sweep1/" + p.name + "/threads:" + std::to_string(allThreads));
        std::printf("%-22s %9.1f %9.1f %7s\n", p.name.c_str(), ns(one), ns(all),
                    Ratio(ns(one), ns(all)).c_str());
    }
    std::printf(
        "\nSound: the acoustic tracer's single calls and its batch of %zu beams (wall clock, ns per leg)\n",
        8 * Copies);
    std::printf("%-22s %9s %9s %7s %9s %7s %11s\n", "scenario", "calls", "1 thread", "1t/call",
                (std::to_string(allThreads) + " threads").c_str(), "speedup", "allocs/leg");
    for (const Prepared& p : PreparedScenarios())
    {
        const Result* calls = find("sound-calls/" + p.name);
        const Result* one = find("sound-batch/" + p.name + "/threads:1");
        const Result* all = find("sound-batch/" + p.name + "/threads:" + std::to_string(allThreads));
        std::printf("%-22s %9.1f %9.1f %7s %9.1f %7s %11.5f\n", p.name.c_str(), ns(calls), ns(one),
                    Ratio(ns(one), ns(calls)).c_str(), ns(all), Ratio(ns(one), ns(all)).c_str(),
                    counter(one, "allocs/leg"));
    }
}
} // namespace

// Removes --retain-memory from the arguments; true if it was there.
bool RetainMemory(int& argc, char** argv)
{
    bool retain = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--retain-memory") == 0)
        {
            retain = true;
        }
        else
        {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
#if defined(__GLIBC__)
    // Setting the thresholds turns off glibc's own adjustment of them.
    const int threshold = retain ? 1 << 30 : 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, threshold);
    mallopt(M_TRIM_THRESHOLD, threshold);
#endif
    return retain;
}

int main(int argc, char** argv)
{
    const bool retain = RetainMemory(argc, argv);
    const unsigned int allThreads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<unsigned int> threadCounts = {1};
    if (allThreads > 1)
    {
        threadCounts.push_back(allThreads);
    }
    const std::vector<Prepared>& prepared = PreparedScenarios();
    for (std::size_t i = 0; i < prepared.size(); ++i)
    {
        const std::string& name = prepared[i].name;
        benchmark::RegisterBenchmark(("loop/" + name).c_str(), SingleCalls, i, false)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("loop-keep/" + name).c_str(), SingleCalls, i, true)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("sound-calls/" + name).c_str(), SoundCalls, i)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        for (const unsigned int threads : threadCounts)
        {
            const std::string suffix = "/threads:" + std::to_string(threads);
            benchmark::RegisterBenchmark(("batch/" + name + suffix).c_str(), Batch, i, Beams::Large, threads)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("sound-batch/" + name + suffix).c_str(), SoundBatch, i, threads)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("batch8/" + name + suffix).c_str(), Batch, i, Beams::Eight, threads)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("sweep1/" + name + suffix).c_str(), Batch, i, Beams::OneLegSweep,
                                         threads)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
        }
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
    {
        return 1;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nLarge blocks of memory: %s\n",
                retain ? "kept once freed" : "fresh from the system on every call");
    PrintSummary(reporter.results, allThreads);
    benchmark::Shutdown();
    return 0;
}
