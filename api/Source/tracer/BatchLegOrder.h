#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace Quoria
{

// The legs of a run of consecutive beams, row by row, waiting to join the
// batch's arrays.
template <typename Row> struct BatchLegSlot
{
    // Empties the slot for a new run; its memory stays.
    void Clear()
    {
        size = 0;
        counts.clear();
    }

    // Room for the `legCount` rows of the run's next beam, after those of the
    // beams before it; the slot grows to at least `usualCount` rows, so that
    // it need not grow again for a run of one usual beam.
    Row* Add(std::size_t legCount, std::size_t usualCount)
    {
        if (size + legCount > capacity)
        {
            const std::size_t grown = std::max({size + legCount, 2 * capacity, usualCount});
            // Rows are plain data, written before they are read.
            std::unique_ptr<Row[]> larger(new Row[grown]);
            std::copy(rows.get(), rows.get() + size, larger.get());
            rows = std::move(larger);
            capacity = grown;
        }
        counts.push_back(legCount);
        Row* added = rows.get() + size;
        size += legCount;
        return added;
    }

    std::unique_ptr<Row[]> rows;
    std::size_t capacity = 0;
    // The rows of the run, and the legs of each of its beams in order.
    std::size_t size = 0;
    std::vector<std::size_t> counts;
    // From the moment the rows are handed over until they are appended.
    std::atomic<bool> waiting{false};
};

// One worker's slots. A slot is used again once its rows are appended, so a
// worker needs only as many as the runs it finishes ahead of the first beam
// not yet done, usually one or two: memory that stays warm, and no
// allocation per beam.
template <typename Row> class BatchLegSlots
{
public:
    BatchLegSlot<Row>& Free()
    {
        for (const std::unique_ptr<BatchLegSlot<Row>>& slot : slots)
        {
            if (!slot->waiting.load(std::memory_order_acquire))
            {
                return *slot;
            }
        }
        slots.push_back(std::make_unique<BatchLegSlot<Row>>());
        return *slots.back();
    }

private:
    std::vector<std::unique_ptr<BatchLegSlot<Row>>> slots;
};

// Appends the legs of a batch to its arrays in the order of the beams, as
// runs of beams are done on whatever thread: whoever finishes a run appends
// it and every ready run after it, unless another thread is doing so.
template <typename Row, typename Columns> class BatchLegOrder
{
public:
    // `legOffsets` has one element per beam and one more, all 0.
    BatchLegOrder(std::vector<std::int64_t>& legOffsets, Columns& columns)
        : ready(legOffsets.size() - 1), legOffsets(legOffsets), columns(columns)
    {
    }

    // The rows of the run that starts at `firstBeam` are in `slot`.
    void Hand(std::size_t firstBeam, BatchLegSlot<Row>& slot)
    {
        slot.waiting.store(true, std::memory_order_relaxed);
        ready[firstBeam].store(&slot);
        for (;;)
        {
            std::unique_lock<std::mutex> lock(mutex, std::try_to_lock);
            if (!lock.owns_lock())
            {
                return;
            }
            AppendReady();
            lock.unlock();
            // A run handed over while the lock was held may have found it
            // taken: look again rather than leave it to the next run.
            const std::size_t next = appended.load();
            if (next == ready.size() || ready[next].load() == nullptr)
            {
                return;
            }
        }
    }

    // Once no thread traces any more: appends what is left; the beams never
    // traced get no legs.
    void Finish()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        AppendReady();
        const std::size_t first = appended.load();
        std::fill(legOffsets.begin() + static_cast<std::ptrdiff_t>(first) + 1, legOffsets.end(),
                  legOffsets[first]);
    }

private:
    void AppendReady()
    {
        std::size_t beam = appended.load(std::memory_order_relaxed);
        while (beam < ready.size())
        {
            BatchLegSlot<Row>* slot = ready[beam].load();
            if (slot == nullptr)
            {
                break;
            }
            columns.Append(slot->rows.get(), slot->size, slot->counts);
            for (const std::size_t count : slot->counts)
            {
                legOffsets[beam + 1] = legOffsets[beam] + static_cast<std::int64_t>(count);
                ++beam;
            }
            slot->waiting.store(false, std::memory_order_release);
            appended.store(beam);
        }
    }

    // Per beam that starts a run, the run's slot once it is done; null
    // before, and for the other beams.
    std::vector<std::atomic<BatchLegSlot<Row>*>> ready;
    // The beams appended so far; written under the mutex only.
    std::atomic<std::size_t> appended{0};
    std::mutex mutex;
    std::vector<std::int64_t>& legOffsets;
    Columns& columns;
};

} // namespace Quoria
