#include "BatchTrace.h"

#include "BatchEngine.h"
#include "LineBatchWorker.h"
#include "LineLegColumns.h"
#include "RayTracer.h"
#include "TraceScene.h"

#include <algorithm>
#include <stdexcept>

using Tessam::Geometry3D::Solid;

namespace Quoria
{

namespace
{

using BehaviorFunctions = std::vector<LineRules::BehaviorFunction>;
using Laws = std::vector<LineRules::LawAtInterface>;

const RayTracer& LibraryTracer(IRayTracer* tracer)
{
    const auto* own = dynamic_cast<const RayTracer*>(tracer);
    if (own == nullptr)
    {
        throw std::invalid_argument("TraceBatch : The tracer must be one made by CreateRayTracer.");
    }
    return *own;
}

StopCondition BatchStop(const TraceStop& stop)
{
    switch (stop.GetKind())
    {
    case TraceStop::Kind::Legs:
        return StopCondition::AfterLegs(stop.GetLegCount());
    case TraceStop::Kind::Length:
        // A NaN length passes and is never reached.
        if (stop.GetAmount() < 0.0)
        {
            throw std::invalid_argument("TraceBatch : Requested total ray length must be larger than 0.");
        }
        return StopCondition::AfterLength(stop.GetAmount());
    case TraceStop::Kind::Time:
        break;
    }
    throw std::invalid_argument("TraceBatch : The stop condition must be a leg count or a length.");
}

BatchResult Trace(const TraceScene& scene, const std::vector<BatchBeam>& beams, const TraceStop& stop,
                  const BehaviorFunctions& behaviorsAtInterfaces, const Laws& lawsAtInterfaces,
                  const BatchOptions& options)
{
    const StopCondition stopCondition = BatchStop(stop);
    const bool byLegs = stop.GetKind() == TraceStop::Kind::Legs;
    // The single call returns nothing for these before it looks at the beam.
    const bool traces = byLegs ? stop.GetLegCount() != 0 : stop.GetAmount() != 0.0;
    const std::size_t legsPerBeam =
        !traces ? 0 : (byLegs ? std::min<std::size_t>(stop.GetLegCount(), MaximumLegCount) : MaximumLegCount);

    BatchResult result;
    LineLegColumns columns(result);
    BatchEngine engine(beams.size(), options);
    engine.Run(
        [&] {
            return LineBatchWorker(scene, beams, stopCondition, traces, behaviorsAtInterfaces,
                                   lawsAtInterfaces);
        },
        legsPerBeam,
        "TraceBatch : A behaviour function or a law threw an exception that is not a std::exception.",
        BatchBeamOutput{result.legOffsets, result.endings, result.messages}, columns);
    return result;
}

} // namespace

BatchResult TraceBatch(IRayTracer* tracer, const std::vector<BatchBeam>& beams, const TraceStop& stop,
                       const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces,
                       const std::vector<std::function<double(double)>>& lawsAtInterfaces,
                       const BatchOptions& options)
{
    const RayTracer& own = LibraryTracer(tracer);
    return Trace(own.Scene(), beams, stop, RayTracer::BehaviorsAsFunctions(behaviorsAtInterfaces),
                 lawsAtInterfaces, options);
}

BatchResult TraceBatch(IRayTracer* tracer, const std::vector<BatchBeam>& beams, const TraceStop& stop,
                       const BehaviorFunctions& behaviorsAtInterfaces,
                       const std::vector<std::function<double(double)>>& lawsAtInterfaces,
                       const BatchOptions& options)
{
    return Trace(LibraryTracer(tracer).Scene(), beams, stop, behaviorsAtInterfaces, lawsAtInterfaces,
                 options);
}

BatchResult TraceBatch(const std::vector<const Solid*>& solids, const std::vector<BatchBeam>& beams,
                       const TraceStop& stop, const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces,
                       const std::vector<std::function<double(double)>>& lawsAtInterfaces,
                       const BatchOptions& options)
{
    const TraceScene scene(solids, "TraceBatch");
    return Trace(scene, beams, stop, RayTracer::BehaviorsAsFunctions(behaviorsAtInterfaces), lawsAtInterfaces,
                 options);
}

BatchResult TraceBatch(const std::vector<const Solid*>& solids, const std::vector<BatchBeam>& beams,
                       const TraceStop& stop, const BehaviorFunctions& behaviorsAtInterfaces,
                       const std::vector<std::function<double(double)>>& lawsAtInterfaces,
                       const BatchOptions& options)
{
    const TraceScene scene(solids, "TraceBatch");
    return Trace(scene, beams, stop, behaviorsAtInterfaces, lawsAtInterfaces, options);
}

} // namespace Quoria
