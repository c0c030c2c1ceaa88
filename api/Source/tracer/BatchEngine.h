#pragma once

#include "BatchLegStore.h"
#include "BatchTrace.h"
#include "TraceEnding.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <numeric>
#include <string>
#include <vector>

namespace Quoria
{

// What every batch reports per beam, whatever its legs carry.
struct BatchBeamOutput
{
    std::vector<std::int64_t>& legOffsets;
    std::vector<TraceEnding>& endings;
    std::vector<std::string>& messages;
};

// Runs the beams of a batch on several threads and gathers their legs in the
// order of the beams. It knows nothing of tracing: a worker, one per thread,
// traces a beam and hands its legs over as rows; columns, one set per batch,
// receive the rows in order. A batch of another kind of legs brings its own
// worker, row and columns:
//
//   struct Worker
//   {
//       using Row = ...;  // plain data, one per leg
//       // May throw: the beam then fails with no legs and the exception's
//       // text. `message` is the beam's, for an ending that needs a reason.
//       TraceEnding Trace(std::size_t beam, std::string& message);
//       std::size_t LegCount() const;         // of the last trace
//       void WriteLegs(Row* rows) const;      // LegCount() rows
//   };
//   struct Columns
//   {
//       void Resize(std::size_t legCount);    // once, on the caller's thread
//       // From several threads at once, for distinct legs.
//       void Write(std::size_t leg, const Row& row);
//   };
//
// Beams are handed out in input order, one at a time, so however the threads
// share them the results are those of a loop, and after a cancellation the
// beams traced are the first ones. The caller's thread is one of the workers
// and the only one that reports progress.
class BatchEngine
{
public:
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;

    // `options.threadCount` 0 means one thread per hardware thread; there are
    // never more threads than beams. The options must outlive the engine.
    BatchEngine(std::size_t beamCount, const BatchOptions& options);
    BatchEngine(const BatchEngine&) = delete;
    BatchEngine& operator=(const BatchEngine&) = delete;

    std::size_t ThreadCount() const { return threadCount; }

    // Traces every beam with a worker from makeWorker() on each thread, made
    // there; `legsPerBeam`, the most legs a beam can have, sizes the blocks
    // of rows. `foreignExceptionMessage` is the reason given for a beam whose
    // trace threw something other than a std::exception. Whatever else
    // throws (the progress callback, an allocation of the batch's own) stops
    // the batch and is rethrown here once every thread has stopped.
    template <typename MakeWorker, typename Columns>
    void Run(MakeWorker makeWorker, std::size_t legsPerBeam, const char* foreignExceptionMessage,
             BatchBeamOutput output, Columns& columns);

private:
    // Beams claimed per block of rows at most, so that a long batch does not
    // reserve its worst case up front.
    static constexpr std::size_t LargestBlockRows = 16384;
    static constexpr std::chrono::milliseconds ProgressInterval{50};

    // trace(worker) on every thread, the caller's being worker 0; once all
    // have returned, settle() on the caller's thread; then scatter(part,
    // partCount) on every thread.
    void RunPhases(const std::function<void(std::size_t)>& trace, const std::function<void()>& settle,
                   const std::function<void(std::size_t, std::size_t)>& scatter);
    void Work(std::size_t worker, const std::function<void(std::size_t)>& trace,
              const std::function<void(std::size_t, std::size_t)>& scatter);
    // Runs `work`; what it throws is kept as the batch's failure (the first
    // one only) and cancels the batch.
    void Guarded(const std::function<void()>& work);
    bool Failed();

    // The next beam, in input order; false once every beam is taken or the
    // batch is cancelled.
    bool Claim(std::size_t& beam);
    // One more beam done; on the caller's thread, progress when it is due.
    void Done(std::size_t worker);
    void Report(bool last);

    const std::size_t beamCount;
    const std::size_t threadCount;
    const Progress& progress;

    std::atomic<std::size_t> nextBeam{0};
    std::atomic<std::size_t> doneCount{0};
    std::atomic<bool> cancelled{false};

    // The caller's thread only.
    std::chrono::steady_clock::time_point lastReport;
    // Once the callback has cancelled or thrown, it is not called again.
    bool progressStopped = false;

    std::mutex mutex;
    std::condition_variable changed;
    // Guarded by the mutex: the other threads still tracing, how many parts
    // the legs are copied in (0 until they may be), and the first failure.
    std::size_t tracingThreads = 0;
    std::size_t scatterParts = 0;
    std::exception_ptr failure;
};

template <typename MakeWorker, typename Columns>
void BatchEngine::Run(MakeWorker makeWorker, std::size_t legsPerBeam, const char* foreignExceptionMessage,
                      BatchBeamOutput output, Columns& columns)
{
    using Worker = decltype(makeWorker());
    using Row = typename Worker::Row;

    // Beams never traced keep these: cancelled, no legs.
    output.legOffsets.assign(beamCount + 1, 0);
    output.endings.assign(beamCount, TraceEnding::Cancelled);
    output.messages.assign(beamCount, std::string());
    std::vector<const Row*> beamRows(beamCount, nullptr);

    // A block per thread holds its share of a batch of even beams.
    const std::size_t beamsPerThread = (beamCount + threadCount - 1) / threadCount;
    const std::size_t blockRows =
        legsPerBeam * std::min(beamsPerThread, LargestBlockRows / std::max<std::size_t>(legsPerBeam, 1));
    std::vector<BatchLegStore<Row>> stores;
    stores.reserve(threadCount);
    for (std::size_t worker = 0; worker < threadCount; ++worker)
    {
        stores.emplace_back(blockRows);
    }

    const auto trace = [&](std::size_t workerIndex)
    {
        Worker worker = makeWorker();
        BatchLegStore<Row>& store = stores[workerIndex];
        std::size_t beam = 0;
        while (Claim(beam))
        {
            TraceEnding ending = TraceEnding::Error;
            std::size_t legCount = 0;
            try
            {
                ending = worker.Trace(beam, output.messages[beam]);
                legCount = worker.LegCount();
            }
            catch (const std::exception& error)
            {
                output.messages[beam] = error.what();
            }
            catch (...)
            {
                output.messages[beam] = foreignExceptionMessage;
            }
            Row* rows = store.Append(legCount);
            if (legCount > 0)
            {
                worker.WriteLegs(rows);
            }
            beamRows[beam] = rows;
            output.legOffsets[beam + 1] = static_cast<std::int64_t>(legCount);
            output.endings[beam] = ending;
            Done(workerIndex);
        }
    };
    const auto settle = [&]
    {
        std::partial_sum(output.legOffsets.begin(), output.legOffsets.end(), output.legOffsets.begin());
        columns.Resize(static_cast<std::size_t>(output.legOffsets.back()));
    };
    // Each thread copies the beams whose legs start in its part of the legs.
    const auto scatter = [&](std::size_t part, std::size_t partCount)
    {
        const std::vector<std::int64_t>& offsets = output.legOffsets;
        const auto firstBeam = [&](std::size_t p) -> std::size_t
        {
            if (p == partCount)
            {
                return beamCount;
            }
            // total * p / partCount, without overflow.
            const auto total = static_cast<std::uint64_t>(offsets.back());
            const std::uint64_t parts = partCount;
            const auto firstLeg = static_cast<std::int64_t>(total / parts * p + total % parts * p / parts);
            return static_cast<std::size_t>(std::lower_bound(offsets.begin(), offsets.end() - 1, firstLeg) -
                                            offsets.begin());
        };
        const std::size_t end = firstBeam(part + 1);
        for (std::size_t beam = firstBeam(part); beam < end; ++beam)
        {
            const Row* rows = beamRows[beam];
            const std::size_t first = static_cast<std::size_t>(offsets[beam]);
            const std::size_t count = static_cast<std::size_t>(offsets[beam + 1]) - first;
            for (std::size_t leg = 0; leg < count; ++leg)
            {
                columns.Write(first + leg, rows[leg]);
            }
        }
    };
    RunPhases(trace, settle, scatter);
}

} // namespace Quoria
