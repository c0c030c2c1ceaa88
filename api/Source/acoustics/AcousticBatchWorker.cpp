#include "AcousticBatchWorker.h"

#include "AcousticTracerState.h"

namespace Quoria
{

AcousticBatchWorker::AcousticBatchWorker(
    const TraceScene& scene, const std::vector<Material>& materials, const std::vector<BatchBeam>& beams,
    const StopCondition& stop, bool traces,
    const std::vector<AcousticRules::BehaviorFunction>& behaviorsAtInterfaces,
    const std::vector<WaveMode>& modes)
    : walker(scene, AcousticTraceMethod),
      rules(stop, behaviorsAtInterfaces, modes, materials, AcousticTraceMethod), beams(beams), stop(stop),
      traces(traces)
{
}

TraceEnding AcousticBatchWorker::Trace(std::size_t beam, std::string& message)
{
    legCount = 0;
    if (!traces)
    {
        return stop.Ending();
    }
    rules.Restart();
    const TraceEnding ending = walker.Trace(beams[beam].entryPoint, beams[beam].angles, rules);
    legCount = walker.Legs().size();
    if (!rules.Message().empty())
    {
        message = rules.Message();
    }
    return ending;
}

void AcousticBatchWorker::WriteLegs(Row* rows) const
{
    const std::vector<TraceLeg>& legs = walker.Legs();
    const std::vector<AcousticRules::Wave>& waves = rules.Waves();
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        const AcousticRules::Wave& wave = waves[i];
        *rows++ = AcousticLegRow{LineLegColumns::RowOf(legs[i]), static_cast<std::int32_t>(wave.mode),
                                 wave.speed, wave.time};
    }
}

} // namespace Quoria
