#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace Quoria
{

// One worker's legs, row by row, until the batch copies them out in the order
// of the beams. Rows live in blocks that never move, so a pointer to a beam's
// rows stays valid, and the store allocates once per block, never per leg.
template <typename Row> class BatchLegStore
{
public:
    explicit BatchLegStore(std::size_t blockRows) : blockRows(std::max<std::size_t>(blockRows, 1)) {}

    // Room for `count` contiguous rows; null for none. A beam never straddles
    // two blocks: what is left of a block too small for it stays unused.
    Row* Append(std::size_t count)
    {
        if (count == 0)
        {
            return nullptr;
        }
        if (count > capacity - used)
        {
            const std::size_t rows = std::max(blockRows, count);
            // Rows are plain data written before they are read: no need to
            // clear them.
            std::unique_ptr<Row[]> block(new Row[rows]);
            blocks.push_back(std::move(block));
            capacity = rows;
            used = 0;
        }
        Row* rows = blocks.back().get() + used;
        used += count;
        return rows;
    }

private:
    std::size_t blockRows;
    std::vector<std::unique_ptr<Row[]>> blocks;
    // Of the last block.
    std::size_t capacity = 0;
    std::size_t used = 0;
};

} // namespace Quoria
