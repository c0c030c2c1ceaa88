#include "BatchEngine.h"

#include <thread>

namespace Quoria
{

namespace
{

std::size_t ResolveThreadCount(unsigned int asked, std::size_t beamCount)
{
    std::size_t threads = asked != 0 ? asked : std::thread::hardware_concurrency();
    // A thread without a beam would only cost its start.
    threads = std::min(threads, beamCount);
    return std::max<std::size_t>(threads, 1);
}

} // namespace

BatchEngine::BatchEngine(std::size_t beamCount, const BatchOptions& options)
    : beamCount(beamCount), threadCount(ResolveThreadCount(options.threadCount, beamCount)),
      progress(options.progress)
{
}

void BatchEngine::RunThreads(const std::function<void(std::size_t)>& trace,
                             const std::function<void()>& settle)
{
    lastReport = std::chrono::steady_clock::now();
    const auto work = [this, &trace](std::size_t worker)
    {
        Guarded([&trace, worker] { trace(worker); });
        const std::lock_guard<std::mutex> lock(mutex);
        --tracingThreads;
        changed.notify_all();
    };
    std::vector<std::thread> threads;
    threads.reserve(threadCount - 1);
    for (std::size_t worker = 1; worker < threadCount; ++worker)
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            ++tracingThreads;
        }
        try
        {
            threads.emplace_back(work, worker);
        }
        catch (...)
        {
            // The threads that did start share the beams.
            const std::lock_guard<std::mutex> lock(mutex);
            --tracingThreads;
            break;
        }
    }

    Guarded([&trace] { trace(0); });
    {
        // Progress goes on while the other threads finish their last beams.
        std::unique_lock<std::mutex> lock(mutex);
        const auto allTraced = [this] { return tracingThreads == 0; };
        while (!allTraced())
        {
            if (!progress || progressStopped)
            {
                changed.wait(lock, allTraced);
            }
            else if (!changed.wait_until(lock, lastReport + ProgressInterval, allTraced))
            {
                lock.unlock();
                Guarded([this] { Report(false); });
                lock.lock();
            }
        }
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    if (!Failed())
    {
        Guarded([this] { Report(true); });
    }
    if (!Failed())
    {
        Guarded(settle);
    }
    if (failure != nullptr)
    {
        std::rethrow_exception(failure);
    }
}

void BatchEngine::Guarded(const std::function<void()>& work)
{
    try
    {
        work();
    }
    catch (...)
    {
        cancelled.store(true, std::memory_order_relaxed);
        const std::lock_guard<std::mutex> lock(mutex);
        if (failure == nullptr)
        {
            failure = std::current_exception();
        }
    }
}

bool BatchEngine::Failed()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return failure != nullptr;
}

bool BatchEngine::Claim(std::size_t wanted, std::size_t& first, std::size_t& end)
{
    if (cancelled.load(std::memory_order_relaxed))
    {
        return false;
    }
    std::size_t next = nextBeam.load(std::memory_order_relaxed);
    std::size_t count = 0;
    do
    {
        if (next >= beamCount)
        {
            return false;
        }
        // No thread takes more than half its share of what is left.
        const std::size_t share = (beamCount - next) / (2 * threadCount);
        count = std::max<std::size_t>(1, std::min(wanted, share));
    } while (!nextBeam.compare_exchange_weak(next, next + count, std::memory_order_relaxed));
    first = next;
    end = next + count;
    return true;
}

std::size_t BatchEngine::NextRunLength(std::size_t count, std::chrono::steady_clock::duration spent)
{
    using Ticks = std::chrono::steady_clock::duration::rep;
    const Ticks perBeam = std::max<Ticks>(1, spent.count() / static_cast<Ticks>(count));
    const Ticks fitting = std::chrono::steady_clock::duration(RunDuration).count() / perBeam;
    const auto longest = static_cast<Ticks>(std::min(2 * count, LongestRun));
    return static_cast<std::size_t>(std::clamp<Ticks>(fitting, 1, longest));
}

void BatchEngine::Done(std::size_t worker, std::size_t count)
{
    doneCount.fetch_add(count, std::memory_order_relaxed);
    if (worker == 0)
    {
        Report(false);
    }
}

void BatchEngine::Report(bool last)
{
    if (!progress || progressStopped)
    {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!last && now - lastReport < ProgressInterval)
    {
        return;
    }
    lastReport = now;
    progressStopped = true;
    if (!progress(doneCount.load(std::memory_order_relaxed), beamCount))
    {
        cancelled.store(true, std::memory_order_relaxed);
        return;
    }
    progressStopped = false;
}

} // namespace Quoria
