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

void BatchEngine::RunPhases(const std::function<void(std::size_t)>& trace,
                            const std::function<void()>& settle,
                            const std::function<void(std::size_t, std::size_t)>& scatter)
{
    lastReport = std::chrono::steady_clock::now();
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
            threads.emplace_back([this, worker, &trace, &scatter] { Work(worker, trace, scatter); });
        }
        catch (...)
        {
            // The threads that did start share the beams.
            const std::lock_guard<std::mutex> lock(mutex);
            --tracingThreads;
            break;
        }
    }
    const std::size_t partCount = threads.size() + 1;

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
    if (!Failed())
    {
        Guarded([this] { Report(true); });
    }
    if (!Failed())
    {
        Guarded(settle);
    }
    bool failed = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        scatterParts = partCount;
        failed = failure != nullptr;
    }
    changed.notify_all();
    if (!failed)
    {
        Guarded([&scatter, partCount] { scatter(0, partCount); });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    if (failure != nullptr)
    {
        std::rethrow_exception(failure);
    }
}

void BatchEngine::Work(std::size_t worker, const std::function<void(std::size_t)>& trace,
                       const std::function<void(std::size_t, std::size_t)>& scatter)
{
    Guarded([&trace, worker] { trace(worker); });
    std::size_t partCount = 0;
    bool failed = false;
    {
        std::unique_lock<std::mutex> lock(mutex);
        --tracingThreads;
        changed.notify_all();
        changed.wait(lock, [this] { return scatterParts != 0; });
        partCount = scatterParts;
        failed = failure != nullptr;
    }
    if (!failed)
    {
        Guarded([&scatter, worker, partCount] { scatter(worker, partCount); });
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

bool BatchEngine::Claim(std::size_t& beam)
{
    if (cancelled.load(std::memory_order_relaxed))
    {
        return false;
    }
    beam = nextBeam.fetch_add(1, std::memory_order_relaxed);
    return beam < beamCount;
}

void BatchEngine::Done(std::size_t worker)
{
    doneCount.fetch_add(1, std::memory_order_relaxed);
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
