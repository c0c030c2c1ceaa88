#include "RayTracer.h"

#include "RelativeCheckEqual.h"

#include <cassert>
#include <stdexcept>
#include <utility>

using Tessam::Geometry3D::ISolid;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::LineSegment;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::RelativeCheckEqual;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

LineRules::LineRules(const StopCondition& stopCondition,
                     const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
                     const std::vector<LawAtInterface>& lawsAtInterfaces)
    : stopCondition(stopCondition), behaviorsAtInterfaces(behaviorsAtInterfaces),
      lawsAtInterfaces(lawsAtInterfaces)
{
}

bool LineRules::StopsAfter(const TraceLeg& leg)
{
    return stopCondition.Reached(leg.segment, 0.0);
}

TraceEnding LineRules::StopEnding() const
{
    return stopCondition.Ending();
}

BehaviorAtInterface LineRules::BehaviorAt(std::size_t legCount, const ISurface* surface)
{
    return behaviorsAtInterfaces.size() >= legCount ? behaviorsAtInterfaces[legCount - 1](surface) : Reflect;
}

bool LineRules::Steer(const InterfaceCrossing& crossing, Vector& outgoing, TraceEnding&)
{
    outgoing = crossing.behavior == Reflect ? RayTracer::ReflectDirection(crossing.incident, crossing.normal)
                                            : crossing.incident;
    // Without a law the direction stays as it is.
    if (lawsAtInterfaces.size() >= crossing.legCount && lawsAtInterfaces[crossing.legCount - 1])
    {
        outgoing = RayTracer::ApplyLawAtInterface(outgoing, crossing.normal,
                                                  lawsAtInterfaces[crossing.legCount - 1]);
    }
    return true;
}

RayTracer::RayTracer(std::vector<const Solid*> solids)
    : currentSolid(nullptr), scene(solids, "RayTracer::RayTracer"),
      walker(scene, "RayTracer::CalculateLegsFromEntryPoint")
{
    currentSolid = scene.Configuration().front();
}

RayTracer::~RayTracer() = default;

std::vector<RayTracer::BehaviorFunction>
RayTracer::BehaviorsAsFunctions(const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces)
{
    std::vector<BehaviorFunction> behaviorsAtInterfacesAsFunctions;
    behaviorsAtInterfacesAsFunctions.reserve(behaviorsAtInterfaces.size());
    for (const BehaviorAtInterface behavior : behaviorsAtInterfaces)
    {
        behaviorsAtInterfacesAsFunctions.emplace_back([behavior](const ISurface*) { return behavior; });
    }
    return behaviorsAtInterfacesAsFunctions;
}

StopCondition RayTracer::LengthStop(double totalRayLength)
{
    // A NaN length passes and never meets the stop condition.
    if (totalRayLength < 0.0)
    {
        throw std::invalid_argument(
            "RayTracer::CalculateLegsFromEntryPoint : Requested total ray length must be larger than 0.");
    }
    return StopCondition::AfterLength(totalRayLength);
}

StopCondition RayTracer::LegCountStop(unsigned int totalLegCount)
{
    return StopCondition::AfterLegs(totalLegCount);
}

std::vector<LineSegment> RayTracer::CalculateLegsFromEntryPoint(
    const Point& entryPoint, const BeamAngles& angles, double totalRayLength,
    std::vector<BehaviorAtInterface> behaviorsAtInterfaces, std::vector<LawAtInterface> lawsAtInterfaces)
{
    return CalculateLegsFromEntryPoint(entryPoint, angles, totalRayLength,
                                       BehaviorsAsFunctions(behaviorsAtInterfaces),
                                       std::move(lawsAtInterfaces));
}

std::vector<LineSegment> RayTracer::CalculateLegsFromEntryPoint(
    const Point& entryPoint, const BeamAngles& angles, unsigned int totalLegCount,
    std::vector<BehaviorAtInterface> behaviorsAtInterfaces, std::vector<LawAtInterface> lawsAtInterfaces)
{
    return CalculateLegsFromEntryPoint(entryPoint, angles, totalLegCount,
                                       BehaviorsAsFunctions(behaviorsAtInterfaces),
                                       std::move(lawsAtInterfaces));
}

std::vector<LineSegment> RayTracer::CalculateLegsFromEntryPoint(
    const Point& entryPoint, const BeamAngles& angles, double totalRayLength,
    std::vector<BehaviorFunction> behaviorsAtInterfaces, std::vector<LawAtInterface> lawsAtInterfaces)
{
    LineRules rules(LengthStop(totalRayLength), behaviorsAtInterfaces, lawsAtInterfaces);
    if (totalRayLength == 0.0)
    {
        return std::vector<LineSegment>();
    }
    Run(entryPoint, angles, rules);
    return Legs();
}

std::vector<LineSegment> RayTracer::CalculateLegsFromEntryPoint(
    const Point& entryPoint, const BeamAngles& angles, unsigned int totalLegCount,
    std::vector<BehaviorFunction> behaviorsAtInterfaces, std::vector<LawAtInterface> lawsAtInterfaces)
{
    if (totalLegCount == 0)
    {
        return std::vector<LineSegment>();
    }
    LineRules rules(LegCountStop(totalLegCount), behaviorsAtInterfaces, lawsAtInterfaces);
    Run(entryPoint, angles, rules);
    return Legs();
}

std::vector<const ISolid*> RayTracer::GetConfiguration() const
{
    return scene.Configuration();
}

TraceEnding RayTracer::Run(const Point& entryPoint, const BeamAngles& angles, TraceRules& rules)
{
    const TraceEnding ending = walker.Trace(entryPoint, angles, rules);
    currentSolid = scene.Configuration()[walker.CurrentSolid()];
    return ending;
}

std::vector<LineSegment> RayTracer::Legs() const
{
    std::vector<LineSegment> segments;
    segments.reserve(walker.Legs().size());
    for (const TraceLeg& leg : walker.Legs())
    {
        segments.push_back(leg.segment);
    }
    return segments;
}

Vector RayTracer::ReflectDirection(const Vector& incidentRayDirection, const Vector& surfaceNormal)
{
    assert(RelativeCheckEqual(incidentRayDirection.Length(), 1.0) &&
           RelativeCheckEqual(surfaceNormal.Length(), 1.0));
    // Mirror about the plane of the surface; the sign of the normal cancels.
    Vector reflected = incidentRayDirection - surfaceNormal * (2.0 * incidentRayDirection.Dot(surfaceNormal));
    reflected.Normalize();
    return reflected;
}

Vector RayTracer::ApplyLawAtInterface(const Vector& rayDirection, const Vector& surfaceNormal,
                                      const LawAtInterface& lawAtInterface)
{
    assert(RelativeCheckEqual(rayDirection.Length(), 1.0) && RelativeCheckEqual(surfaceNormal.Length(), 1.0));
    // At normal incidence there is no plane of incidence to turn in.
    if (!lawAtInterface || surfaceNormal.IsCollinear(rayDirection))
    {
        return rayDirection;
    }
    // The law works on the angle from the outward normal to the outgoing
    // direction, turned about normal x direction.
    double angle = surfaceNormal.AngleTo(rayDirection).Radians();
    const Vector rotationAxis = surfaceNormal.Cross(rayDirection);
    if (!surfaceNormal.Rotate(angle, rotationAxis).IsAlmostEqual(rayDirection))
    {
        angle = -angle;
    }
    const double newAngle = lawAtInterface(angle);
    return surfaceNormal.Rotate(newAngle, rotationAxis);
}

// A null solid is refused by the tracer's constructor like a null element of
// the vector.
IRayTracer* CreateRayTracer(const Solid* solid)
{
    return new RayTracer(std::vector<const Solid*>{solid});
}

IRayTracer* CreateRayTracer(std::vector<const Solid*> solids)
{
    return new RayTracer(std::move(solids));
}

} // namespace Quoria
