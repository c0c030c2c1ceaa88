#include "LineBatchWorker.h"

namespace Quoria
{

LineBatchWorker::LineBatchWorker(const TraceScene& scene, const std::vector<BatchBeam>& beams,
                                 const StopCondition& stop, bool traces,
                                 const std::vector<LineRules::BehaviorFunction>& behaviorsAtInterfaces,
                                 const std::vector<LineRules::LawAtInterface>& lawsAtInterfaces)
    : walker(scene, "RayTracer::CalculateLegsFromEntryPoint"), beams(beams), stop(stop), traces(traces),
      behaviorsAtInterfaces(behaviorsAtInterfaces), lawsAtInterfaces(lawsAtInterfaces)
{
}

TraceEnding LineBatchWorker::Trace(std::size_t beam, std::string&)
{
    legCount = 0;
    if (!traces)
    {
        return stop.Ending();
    }
    LineRules rules(stop, behaviorsAtInterfaces, lawsAtInterfaces);
    const TraceEnding ending = walker.Trace(beams[beam].entryPoint, beams[beam].angles, rules);
    legCount = walker.Legs().size();
    return ending;
}

void LineBatchWorker::WriteLegs(Row* rows) const
{
    for (const TraceLeg& leg : walker.Legs())
    {
        *rows++ = LineLegColumns::RowOf(leg);
    }
}

} // namespace Quoria
