#include "ParallelRows.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace Quoria
{

void ForEachRow(std::size_t rowCount, unsigned int threadCount, const std::function<void(std::size_t)>& task)
{
    std::size_t threads = threadCount != 0 ? threadCount : std::max(1u, std::thread::hardware_concurrency());
    threads = std::min(threads, rowCount);
    if (threads <= 1)
    {
        for (std::size_t row = 0; row < rowCount; ++row)
        {
            task(row);
        }
        return;
    }

    std::atomic<std::size_t> nextRow{0};
    std::atomic<bool> failed{false};
    std::exception_ptr firstError;
    std::mutex errorMutex;
    const auto work = [&]()
    {
        for (;;)
        {
            const std::size_t row = nextRow.fetch_add(1);
            if (row >= rowCount || failed.load())
            {
                return;
            }
            try
            {
                task(row);
            }
            catch (...)
            {
                const std::lock_guard<std::mutex> lock(errorMutex);
                if (!firstError)
                {
                    firstError = std::current_exception();
                }
                failed.store(true);
                return;
            }
        }
    };
    std::vector<std::thread> workers;
    workers.reserve(threads - 1);
    try
    {
        for (std::size_t i = 1; i < threads; ++i)
        {
            workers.emplace_back(work);
        }
    }
    catch (...)
    {
        // No more threads to be had: those started and this one finish the
        // rows.
    }
    work();
    for (std::thread& worker : workers)
    {
        worker.join();
    }
    if (firstError)
    {
        std::rethrow_exception(firstError);
    }
}

} // namespace Quoria
