#pragma once

#include "AcousticLegColumns.h"
#include "AcousticRules.h"
#include "BatchTrace.h"
#include "Material.h"
#include "TraceRules.h"
#include "TraceScene.h"
#include "TraceWalker.h"
#include "WaveMode.h"

#include <cstddef>
#include <string>
#include <vector>

namespace Quoria
{

// One thread's share of a batch of sound: its own walker over the tracer's
// scene and its own rules, made once and restarted for every beam, over the
// batch's stop, behaviours and modes, which it only reads. Each beam is
// traced as AcousticTracer::Trace traces it.
class AcousticBatchWorker
{
public:
    using Row = AcousticLegRow;

    // Keeps references: the arguments must outlive the worker. Without
    // `traces`, every beam ends at once with the stop's ending and no leg,
    // as a stop of 0 does.
    AcousticBatchWorker(const TraceScene& scene, const std::vector<Material>& materials,
                        const std::vector<BatchBeam>& beams, const StopCondition& stop, bool traces,
                        const std::vector<AcousticRules::BehaviorFunction>& behaviorsAtInterfaces,
                        const std::vector<WaveMode>& modes);

    // Throws what the single call throws for that beam; `message` gets the
    // reason of an Error ending.
    TraceEnding Trace(std::size_t beam, std::string& message);
    std::size_t LegCount() const { return legCount; }
    void WriteLegs(Row* rows) const;

private:
    TraceWalker walker;
    AcousticRules rules;
    const std::vector<BatchBeam>& beams;
    const StopCondition& stop;
    const bool traces;
    std::size_t legCount = 0;
};

} // namespace Quoria
