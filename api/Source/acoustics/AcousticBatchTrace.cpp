#include "AcousticBatchTrace.h"

#include "AcousticBatchWorker.h"
#include "AcousticLegColumns.h"
#include "AcousticRules.h"
#include "AcousticTracerState.h"
#include "BatchEngine.h"
#include "IRayTracer.h"
#include "RayTracer.h"

#include <algorithm>

namespace Quoria
{

namespace
{

using BehaviorFunctions = std::vector<AcousticRules::BehaviorFunction>;

const char* const BatchMethod = "TraceBatch";

AcousticBatchResult Trace(const AcousticTracer& tracer, const std::vector<BatchBeam>& beams,
                          const TraceStop& stop, const BehaviorFunctions& behaviorsAtInterfaces,
                          const std::vector<WaveMode>& modes, const BatchOptions& options)
{
    // The single call's checks, in its order, for the whole batch at once.
    const StopCondition stopCondition = AcousticRules::StopConditionOf(stop, BatchMethod);
    AcousticRules::CheckModes(modes, BatchMethod);
    const bool traces = !AcousticRules::StopsAtOnce(stop);
    const bool byLegs = stop.GetKind() == TraceStop::Kind::Legs;
    const std::size_t legsPerBeam =
        !traces ? 0 : (byLegs ? std::min<std::size_t>(stop.GetLegCount(), MaximumLegCount) : MaximumLegCount);

    // Only the scene and the materials are read: the tracer's own walker
    // stays its own.
    const AcousticTracerState& state = tracer.State();
    AcousticBatchResult result;
    AcousticLegColumns columns(result, beams.size());
    BatchEngine engine(beams.size(), options);
    engine.Run(
        [&]
        {
            return AcousticBatchWorker(state.scene, state.materials, beams, stopCondition, traces,
                                       behaviorsAtInterfaces, modes);
        },
        legsPerBeam, "TraceBatch : A behaviour function threw an exception that is not a std::exception.",
        BatchBeamOutput{result.legOffsets, result.endings, result.messages}, columns);
    return result;
}

} // namespace

AcousticBatchResult TraceBatch(const AcousticTracer& tracer, const std::vector<BatchBeam>& beams,
                               const TraceStop& stop,
                               const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces,
                               const std::vector<WaveMode>& modes, const BatchOptions& options)
{
    return Trace(tracer, beams, stop, RayTracer::BehaviorsAsFunctions(behaviorsAtInterfaces), modes, options);
}

AcousticBatchResult TraceBatch(const AcousticTracer& tracer, const std::vector<BatchBeam>& beams,
                               const TraceStop& stop, const BehaviorFunctions& behaviorsAtInterfaces,
                               const std::vector<WaveMode>& modes, const BatchOptions& options)
{
    return Trace(tracer, beams, stop, behaviorsAtInterfaces, modes, options);
}

} // namespace Quoria
