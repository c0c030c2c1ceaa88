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
//       // The `rowCount` rows of a run of consecutive beams, counts[i] of
//       // them for its i-th beam, appended after those of the beams before it.
//       void Append(const Row* rows, std::size_t rowCount, const std::vector<std::size_t>& counts);
//   };
//
// Beams are handed out in input order, in runs of consecutive beams that a
// thread traces whole, so however the threads share them the results are
// those of a loop, and after a cancellation the beams traced are the first
// ones. A run lasts about RunDuration: long enough that claiming it, handing
// its legs over and counting it cost little against a beam of a single leg,
// short enough for progress, cancellation and the last beams' sharing out.
// The caller's thread is one of the workers and the only one that reports
// progress.
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
    // loop (the other threads finish the run they are in; no run starts
    // after it) and is rethrown here once every thread has stopped.
    template <typename Task> void ForEach(Task task);

private:
    // The columns are first reserved for at most this many legs: a long
    // batch of short beams does not reserve its worst case.
    static constexpr std::size_t LargestReservation = std::size_t{1} << 20;
    static constexpr std::chrono::milliseconds ProgressInterval{50};
    static constexpr std::chrono::microseconds RunDuration{20};
    // A thread's runs start at one beam and at most double from one to the
    // next, so that a thread that meets slower beams is not committed to many
    // of them; none is longer than this.
    static constexpr std::size_t LongestRun = 256;

    // trace(worker) on every thread, the caller's being worker 0, then, once
    // all have returned, settle() on the caller's thread.
    void RunThreads(const std::function<void(std::size_t)>& trace, const std::function<void()>& settle);
    // Runs `work`; what it throws becomes the batch's failure (the first one
    // only) and cancels the batch.
    void Guarded(const std::function<void()>& work);
    bool Failed();

    // work(first, end) for runs of beams [first, end) that `worker` claims,
    // until none is left or the batch is cancelled.
    template <typename Work> void Drain(std::size_t worker, Work work);
    // The next run, in input order, of at most `wanted` beams, shorter near
    // the end so that the last beams are shared out; false once every beam
    // is taken or the batch is cancelled.
    bool Claim(std::size_t wanted, std::size_t& first, std::size_t& end);
    // The run that `count` beams took `spent` to trace suggests the next.
    static std::size_t NextRunLength(std::size_t count, std::chrono::steady_clock::duration spent);
    // `count` more beams done; on the caller's thread, progress when it is
    // due.
    void Done(std::size_t worker, std::size_t count);
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
        Drain(workerIndex,
              [&](std::size_t first, std::size_t end)
              {
                  BatchLegSlot<Row>& slot = slots.Free();
                  slot.Clear();
                  for (std::size_t beam = first; beam < end; ++beam)
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
                      Row* rows = slot.Add(legCount, legsPerBeam);
                      if (legCount > 0)
                      {
                          worker.WriteLegs(rows);
                      }
                      output.endings[beam] = ending;
                  }
                  order.Hand(first, slot);
              });
    };
    RunThreads(trace, [&order] { order.Finish(); });
}

template <typename Task> void BatchEngine::ForEach(Task task)
{
    const auto trace = [&](std::size_t workerIndex)
    {
        Drain(workerIndex,
              [&task](std::size_t first, std::size_t end)
              {
                  for (std::size_t beam = first; beam < end; ++beam)
                  {
                      task(beam);
                  }
              });
    };
    RunThreads(trace, [] {});
}

template <typename Work> void BatchEngine::Drain(std::size_t worker, Work work)
{
    std::size_t wanted = 1;
    std::size_t first = 0;
    std::size_t end = 0;
    while (Claim(wanted, first, end))
    {
        const auto start = std::chrono::steady_clock::now();
        work(first, end);
        const auto spent = std::chrono::steady_clock::now() - start;
        Done(worker, end - first);
        wanted = NextRunLength(end - first, spent);
    }
}

} // namespace Quoria
