#pragma once

#include "BatchLegOrder.h"
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
// take the rows in order. A batch of another kind of legs brings its own
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
//       void Reserve(std::size_t legCount);   // once, before any Append
//       // One beam's rows, appended after those of the beam before it.
//       void Append(const Row* rows, std::size_t count);
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

    // Traces every beam with a worker from makeWorker(), one made on each
    // thread. `legsPerBeam`, the most legs a beam can have, sizes the slots
    // and the columns' first reservation. `foreignExceptionMessage` is the
    // reason given for a beam whose trace threw something other than a
    // std::exception. Whatever else throws (the progress callback, an
    // allocation of the batch's own) stops the batch and is rethrown here
    // once every thread has stopped.
    template <typename MakeWorker, typename Columns>
    void Run(MakeWorker makeWorker, std::size_t legsPerBeam, const char* foreignExceptionMessage,
             BatchBeamOutput output, Columns& columns);

    // task(beam) for every beam, no legs gathered: a parallel loop whose
    // tasks write only their own results. What a task throws stops the
    // loop (no beam starts after it) and is rethrown here once every thread
    // has stopped.
    template <typename Task> void ForEach(Task task);

private:
    // The columns are first reserved for at most this many legs: a long
    // batch of short beams does not reserve its worst case.
    static constexpr std::size_t LargestReservation = std::size_t{1} << 20;
    static constexpr std::chrono::milliseconds ProgressInterval{50};

    // trace(worker) on every thread, the caller's being worker 0, then, once
    // all have returned, settle() on the caller's thread.
    void RunThreads(const std::function<void(std::size_t)>& trace, const std::function<void()>& settle);
    // Runs `work`; what it throws becomes the batch's failure (the first one
    // only) and cancels the batch.
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
    // Guarded by the mutex: the other threads still tracing, and the first
    // failure.
    std::size_t tracingThreads = 0;
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
    // Address space only: the pages are touched as the legs arrive.
    columns.Reserve(legsPerBeam == 0 ? 0
                                     : std::min(beamCount, LargestReservation / legsPerBeam) * legsPerBeam);
    BatchLegOrder<Row, Columns> order(output.legOffsets, columns);
    // A worker's last beams may wait for another's: its slots outlive it.
    std::vector<BatchLegSlots<Row>> slotsOfWorkers(threadCount);

    const auto trace = [&](std::size_t workerIndex)
    {
        Worker worker = makeWorker();
        BatchLegSlots<Row>& slots = slotsOfWorkers[workerIndex];
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
            BatchLegSlot<Row>& slot = slots.Free();
            Row* rows = slot.Prepare(legCount, legsPerBeam);
            if (legCount > 0)
            {
                worker.WriteLegs(rows);
            }
            output.endings[beam] = ending;
            order.Hand(beam, slot);
            Done(workerIndex);
        }
    };
    RunThreads(trace, [&order] { order.Finish(); });
}

template <typename Task> void BatchEngine::ForEach(Task task)
{
    const auto trace = [&](std::size_t workerIndex)
    {
        std::size_t beam = 0;
        while (Claim(beam))
        {
            task(beam);
            Done(workerIndex);
        }
    };
    RunThreads(trace, [] {});
}

} // namespace Quoria
