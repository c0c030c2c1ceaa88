#pragma once

#include "BatchTrace.h"
#include "TraceReport.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Quoria
{

// A leg as a batch stores it until the legs are put in order: what every
// batch reports of a leg.
struct LineLegRow
{
    double start[3];
    double end[3];
    double length;
    std::int32_t solid;
    std::int32_t face;
    std::int32_t behavior;
};

// The per-leg arrays of a BatchResult, filled beam after beam. A result with
// more columns (the acoustic one) appends these, then its own.
class LineLegColumns
{
public:
    explicit LineLegColumns(BatchResult& result) : result(result) {}

    static LineLegRow RowOf(const TraceLeg& leg)
    {
        const Tessam::Geometry3D::Point& start = leg.segment.GetFirstPoint();
        const Tessam::Geometry3D::Point& end = leg.segment.GetSecondPoint();
        return LineLegRow{{start.X(), start.Y(), start.Z()},
                          {end.X(), end.Y(), end.Z()},
                          leg.segment.Length(),
                          static_cast<std::int32_t>(leg.solid),
                          leg.face == NoFace ? -1 : static_cast<std::int32_t>(leg.face),
                          static_cast<std::int32_t>(leg.behavior)};
    }

    void Reserve(std::size_t legCount)
    {
        result.starts.reserve(3 * legCount);
        result.ends.reserve(3 * legCount);
        result.lengths.reserve(legCount);
        result.solids.reserve(legCount);
        result.faces.reserve(legCount);
        result.behaviors.reserve(legCount);
    }

    // The rows of a run of beams, all at once: resizing six arrays costs as
    // much as a short leg.
    void Append(const LineLegRow* rows, std::size_t rowCount, const std::vector<std::size_t>&)
    {
        AppendRows(rows, rowCount);
    }

    // Column by column: each loop streams into one array. The new elements
    // are cleared by resize, but they are few and in cache. Rows of a richer
    // leg derive from LineLegRow.
    template <typename Row> void AppendRows(const Row* rows, std::size_t count)
    {
        const std::size_t first = result.lengths.size();
        result.starts.resize(3 * (first + count));
        result.ends.resize(3 * (first + count));
        result.lengths.resize(first + count);
        result.solids.resize(first + count);
        result.faces.resize(first + count);
        result.behaviors.resize(first + count);
        double* starts = result.starts.data() + 3 * first;
        for (std::size_t i = 0; i < count; ++i)
        {
            starts[3 * i] = rows[i].start[0];
            starts[3 * i + 1] = rows[i].start[1];
            starts[3 * i + 2] = rows[i].start[2];
        }
        double* ends = result.ends.data() + 3 * first;
        for (std::size_t i = 0; i < count; ++i)
        {
            ends[3 * i] = rows[i].end[0];
            ends[3 * i + 1] = rows[i].end[1];
            ends[3 * i + 2] = rows[i].end[2];
        }
        for (std::size_t i = 0; i < count; ++i)
        {
            result.lengths[first + i] = rows[i].length;
            result.solids[first + i] = rows[i].solid;
            result.faces[first + i] = rows[i].face;
            result.behaviors[first + i] = rows[i].behavior;
        }
    }

private:
    BatchResult& result;
};

} // namespace Quoria
