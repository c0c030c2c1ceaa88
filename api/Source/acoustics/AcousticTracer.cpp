#include "AcousticTracer.h"

#include "AcousticRules.h"
#include "AcousticTracerState.h"
#include "RayTracer.h"

#include <stdexcept>

using Tessam::Geometry3D::ISolid;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Solid;

namespace Quoria
{

AcousticTracerState::AcousticTracerState(const std::vector<const Solid*>& solids,
                                         const std::vector<Material>& materials)
    : scene(solids, "AcousticTracer::AcousticTracer"), materials(materials),
      walker(scene, AcousticTraceMethod)
{
    if (materials.size() != solids.size())
    {
        throw std::invalid_argument(
            "AcousticTracer::AcousticTracer : There must be one material per solid, in the same order.");
    }
}

AcousticTracer::AcousticTracer(const std::vector<const Solid*>& solids,
                               const std::vector<Material>& materials)
    : state(std::make_unique<AcousticTracerState>(solids, materials))
{
}

AcousticTracer::~AcousticTracer() = default;

AcousticReport AcousticTracer::Trace(const Point& entryPoint, const BeamAngles& angles, const TraceStop& stop,
                                     const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces,
                                     const std::vector<WaveMode>& modes)
{
    return Trace(entryPoint, angles, stop, RayTracer::BehaviorsAsFunctions(behaviorsAtInterfaces), modes);
}

AcousticReport AcousticTracer::Trace(
    const Point& entryPoint, const BeamAngles& angles, const TraceStop& stop,
    const std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>&
        behaviorsAtInterfaces,
    const std::vector<WaveMode>& modes)
{
    const StopCondition stopCondition = AcousticRules::StopConditionOf(stop, AcousticTraceMethod);
    AcousticRules::CheckModes(modes, AcousticTraceMethod);
    AcousticReport report;
    if (AcousticRules::StopsAtOnce(stop))
    {
        report.ending = stopCondition.Ending();
        return report;
    }
    AcousticRules rules(stopCondition, behaviorsAtInterfaces, modes, state->materials, AcousticTraceMethod);
    report.ending = state->walker.Trace(entryPoint, angles, rules);
    report.message = rules.Message();
    const std::vector<TraceLeg>& legs = state->walker.Legs();
    const std::vector<AcousticRules::Wave>& waves = rules.Waves();
    report.legs.reserve(legs.size());
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        report.legs.push_back(AcousticLeg{legs[i], waves[i].mode, waves[i].speed, waves[i].time});
        report.time += waves[i].time;
    }
    return report;
}

std::vector<const ISolid*> AcousticTracer::GetConfiguration() const
{
    return state->scene.Configuration();
}

const std::vector<Material>& AcousticTracer::GetMaterials() const
{
    return state->materials;
}

} // namespace Quoria
