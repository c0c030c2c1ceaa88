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

// The legs of one beam, row by row, waiting to join the batch's arrays.
template <typename Row> struct BatchLegSlot
{
    // Room for `legCount` rows, at least `usualCount` so that the slot need
    // not grow again.
    Row* Prepare(std::size_t legCount, std::size_t usualCount)
    {
        if (legCount > capacity)
        {
            capacity = std::max(legCount, usualCount);
            // Rows are plain data, written before they are read.
            rows.reset(new Row[capacity]);
        }
        count = legCount;
        return rows.get();
    }

    std::unique_ptr<Row[]> rows;
    std::size_t capacity = 0;
    std::size_t count = 0;
    // From the moment the rows are handed over until they are appended.
    std::atomic<bool> waiting{false};
};

// One worker's slots. A slot is used again once its rows are appended, so a
// worker needs only as many as the beams it finishes ahead of the first beam
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

// Appends the legs of a batch to its arrays in the order of the beams, as the
// beams are done on whatever thread: whoever finishes a beam appends it and
// every ready beam after it, unless another thread is doing so.
template <typename Row, typename Columns> class BatchLegOrder
{
public:
    // `legOffsets` has one element per beam and one more, all 0.
    BatchLegOrder(std::vector<std::int64_t>& legOffsets, Columns& columns)
        : ready(legOffsets.size() - 1), legOffsets(legOffsets), columns(columns)
    {
    }

    // The rows of `beam` are in `slot`.
    void Hand(std::size_t beam, BatchLegSlot<Row>& slot)
    {
        slot.waiting.store(true, std::memory_order_relaxed);
        ready[beam].store(&slot);
        for (;;)
        {
            std::unique_lock<std::mutex> lock(mutex, std::try_to_lock);
            if (!lock.owns_lock())
            {
                return;
            }
            AppendReady();
            lock.unlock();
            // A beam handed over while the lock was held may have found it
            // taken: look again rather than leave it to the next beam.
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
        for (; beam < ready.size(); ++beam)
        {
            BatchLegSlot<Row>* slot = ready[beam].load();
            if (slot == nullptr)
            {
                break;
            }
            columns.Append(slot->rows.get(), slot->count);
            legOffsets[beam + 1] = legOffsets[beam] + static_cast<std::int64_t>(slot->count);
            slot->waiting.store(false, std::memory_order_release);
            appended.store(beam + 1);
        }
    }

    // Per beam, its slot once it is done; null before.
    std::vector<std::atomic<BatchLegSlot<Row>*>> ready;
    // The beams appended so far; written under the mutex only.
    std::atomic<std::size_t> appended{0};
    std::mutex mutex;
    std::vector<std::int64_t>& legOffsets;
    Columns& columns;
};

} // namespace Quoria
