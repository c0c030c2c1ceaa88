#pragma once

#include "BatchTrace.h"
#include "LineLegColumns.h"
#include "RayTracer.h"
#include "TraceRules.h"
#include "TraceScene.h"
#include "TraceWalker.h"

#include <cstddef>
#include <string>
#include <vector>

namespace Quoria
{

// One thread's share of a batch of straight beams: its own walker over the
// shared scene, and the batch's stop, behaviours and laws, which it only
// reads. Each beam is traced as CalculateLegsFromEntryPoint traces it.
class LineBatchWorker
{
public:
    using Row = LineLegRow;

    // Keeps references: the arguments must outlive the worker. Without
    // `traces`, every beam ends at once with the stop's ending and no leg,
    // as a zero length or leg count does.
    LineBatchWorker(const TraceScene& scene, const std::vector<BatchBeam>& beams, const StopCondition& stop,
                    bool traces, const std::vector<LineRules::BehaviorFunction>& behaviorsAtInterfaces,
                    const std::vector<LineRules::LawAtInterface>& lawsAtInterfaces);

    // Throws what the single-beam call throws for that beam.
    TraceEnding Trace(std::size_t beam, std::string& message);
    std::size_t LegCount() const { return legCount; }
    void WriteLegs(Row* rows) const;

private:
    TraceWalker walker;
    const std::vector<BatchBeam>& beams;
    const StopCondition& stop;
    const bool traces;
    const std::vector<LineRules::BehaviorFunction>& behaviorsAtInterfaces;
    const std::vector<LineRules::LawAtInterface>& lawsAtInterfaces;
    std::size_t legCount = 0;
};

} // namespace Quoria
