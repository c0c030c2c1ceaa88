#pragma once

#include "AcousticBatchTrace.h"
#include "LineLegColumns.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Quoria
{

// A leg of sound as a batch stores it until the legs are put in order.
struct AcousticLegRow : LineLegRow
{
    std::int32_t mode;
    double speed;
    double time;
};

// The per-leg arrays of an AcousticBatchResult, filled beam after beam, and
// each beam's time, summed as the single call sums it.
class AcousticLegColumns
{
public:
    explicit AcousticLegColumns(AcousticBatchResult& result, std::size_t beamCount)
        : lines(result), result(result)
    {
        // Beams never traced keep 0.
        result.beamTimes.assign(beamCount, 0.0);
    }

    void Reserve(std::size_t legCount)
    {
        lines.Reserve(legCount);
        result.modes.reserve(legCount);
        result.speeds.reserve(legCount);
        result.times.reserve(legCount);
    }

    // The rows of a run of beams, in the order of the beams, legs or not.
    void Append(const AcousticLegRow* rows, std::size_t count, const std::vector<std::size_t>& counts)
    {
        const std::size_t first = result.times.size();
        lines.AppendRows(rows, count);
        result.modes.resize(first + count);
        result.speeds.resize(first + count);
        result.times.resize(first + count);
        for (std::size_t i = 0; i < count; ++i)
        {
            result.modes[first + i] = rows[i].mode;
            result.speeds[first + i] = rows[i].speed;
            result.times[first + i] = rows[i].time;
        }
        // Leg after leg, as the single call sums them.
        for (const std::size_t legs : counts)
        {
            double beamTime = 0.0;
            for (const AcousticLegRow* end = rows + legs; rows != end; ++rows)
            {
                beamTime += rows->time;
            }
            result.beamTimes[nextBeam++] = beamTime;
        }
    }

private:
    LineLegColumns lines;
    AcousticBatchResult& result;
    std::size_t nextBeam = 0;
};

} // namespace Quoria
