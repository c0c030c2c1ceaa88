#include "TraceReport.h"

#include "RayTracer.h"

#include <stdexcept>

using Tessam::Geometry3D::Point;

namespace Quoria
{

namespace
{

RayTracer& LibraryTracer(IRayTracer* tracer)
{
    auto* own = dynamic_cast<RayTracer*>(tracer);
    if (own == nullptr)
    {
        throw std::invalid_argument("CalculateTrace : The tracer must be one made by CreateRayTracer.");
    }
    return *own;
}

TraceReport Report(RayTracer& tracer, const Point& entryPoint, const BeamAngles& angles,
                   const StopCondition& stopCondition,
                   const std::vector<RayTracer::BehaviorFunction>& behaviorsAtInterfaces,
                   const std::vector<RayTracer::LawAtInterface>& lawsAtInterfaces)
{
    LineRules rules(stopCondition, behaviorsAtInterfaces, lawsAtInterfaces);
    TraceReport report;
    report.ending = tracer.Run(entryPoint, angles, rules);
    report.legs = tracer.Walker().Legs();
    return report;
}

} // namespace

TraceReport CalculateTrace(IRayTracer* tracer, const Point& entryPoint, const BeamAngles& angles,
                           double totalRayLength, std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                           std::vector<std::function<double(double)>> lawsAtInterfaces)
{
    RayTracer& own = LibraryTracer(tracer);
    return CalculateTrace(&own, entryPoint, angles, totalRayLength,
                          RayTracer::BehaviorsAsFunctions(behaviorsAtInterfaces),
                          std::move(lawsAtInterfaces));
}

TraceReport CalculateTrace(IRayTracer* tracer, const Point& entryPoint, const BeamAngles& angles,
                           unsigned int totalLegCount, std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                           std::vector<std::function<double(double)>> lawsAtInterfaces)
{
    RayTracer& own = LibraryTracer(tracer);
    return CalculateTrace(&own, entryPoint, angles, totalLegCount,
                          RayTracer::BehaviorsAsFunctions(behaviorsAtInterfaces),
                          std::move(lawsAtInterfaces));
}

TraceReport CalculateTrace(IRayTracer* tracer, const Point& entryPoint, const BeamAngles& angles,
                           double totalRayLength,
                           std::vector<RayTracer::BehaviorFunction> behaviorsAtInterfaces,
                           std::vector<std::function<double(double)>> lawsAtInterfaces)
{
    RayTracer& own = LibraryTracer(tracer);
    const StopCondition stopCondition = RayTracer::LengthStop(totalRayLength);
    if (totalRayLength == 0.0)
    {
        return TraceReport{{}, TraceEnding::Length};
    }
    return Report(own, entryPoint, angles, stopCondition, behaviorsAtInterfaces, lawsAtInterfaces);
}

TraceReport CalculateTrace(IRayTracer* tracer, const Point& entryPoint, const BeamAngles& angles,
                           unsigned int totalLegCount,
                           std::vector<RayTracer::BehaviorFunction> behaviorsAtInterfaces,
                           std::vector<std::function<double(double)>> lawsAtInterfaces)
{
    RayTracer& own = LibraryTracer(tracer);
    if (totalLegCount == 0)
    {
        return TraceReport{{}, TraceEnding::Legs};
    }
    return Report(own, entryPoint, angles, RayTracer::LegCountStop(totalLegCount), behaviorsAtInterfaces,
                  lawsAtInterfaces);
}

} // namespace Quoria
