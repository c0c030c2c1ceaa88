#pragma once

#include "BatchTrace.h"
#include "TraceReport.h"

#include <cstddef>
#include <cstdint>

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

// The per-leg columns of a BatchResult, written by several threads at once,
// each to its own legs. A result with more columns (the acoustic one) writes
// these first, then its own.
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

    void Resize(std::size_t legCount)
    {
        result.starts.resize(3 * legCount);
        result.ends.resize(3 * legCount);
        result.lengths.resize(legCount);
        result.solids.resize(legCount);
        result.faces.resize(legCount);
        result.behaviors.resize(legCount);
        starts = result.starts.data();
        ends = result.ends.data();
        lengths = result.lengths.data();
        solids = result.solids.data();
        faces = result.faces.data();
        behaviors = result.behaviors.data();
    }

    void Write(std::size_t leg, const LineLegRow& row)
    {
        for (int axis = 0; axis < 3; ++axis)
        {
            starts[3 * leg + axis] = row.start[axis];
            ends[3 * leg + axis] = row.end[axis];
        }
        lengths[leg] = row.length;
        solids[leg] = row.solid;
        faces[leg] = row.face;
        behaviors[leg] = row.behavior;
    }

private:
    BatchResult& result;
    // The arrays' data, set once they have their size.
    double* starts = nullptr;
    double* ends = nullptr;
    double* lengths = nullptr;
    std::int32_t* solids = nullptr;
    std::int32_t* faces = nullptr;
    std::int32_t* behaviors = nullptr;
};

} // namespace Quoria
