#include "RayTracer.h"

#include "AngularPosition.h"
#include "RelativeCheckEqual.h"

#include <cassert>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

using Tessam::Geometry3D::HalfPi;
using Tessam::Geometry3D::ISolid;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Line;
using Tessam::Geometry3D::LineSegment;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::RelativeCheckEqual;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

namespace
{
const char* const EntryPointMessage =
    "RayTracer::CalculateLegsFromEntryPoint : Entry point is not on the configuration or is on a corner.";
} // namespace

RayTracer::RayTracer(std::vector<const Solid*> solids) : currentSolid(nullptr)
{
    if (solids.empty())
    {
        throw std::invalid_argument(
            "RayTracer::RayTracer : The configuration must contain at least one solid.");
    }
    for (const Solid* solid : solids)
    {
        if (solid == nullptr)
        {
            throw std::invalid_argument(
                "RayTracer::RayTracer : The configuration must not contain a null solid.");
        }
    }
    ownedSolids.reserve(solids.size());
    configuration.reserve(solids.size());
    for (const Solid* solid : solids)
    {
        // Owned before anything else can throw, so a failing Clone further on
        // releases the copies already made.
        ownedSolids.emplace_back(std::unique_ptr<const ISolid>(solid->Clone()));
        configuration.push_back(ownedSolids.back().get());
    }
    currentSolid = configuration.front();
}

RayTracer::~RayTracer() = default;

std::vector<LineSegment> RayTracer::CalculateLegsFromEntryPoint(
    const Point& entryPoint, const BeamAngles& angles, double totalRayLength,
    std::vector<BehaviorAtInterface> behaviorsAtInterfaces, std::vector<LawAtInterface> lawsAtInterfaces)
{
    std::vector<BehaviorFunction> behaviorsAtInterfacesAsFunctions;
    behaviorsAtInterfacesAsFunctions.reserve(behaviorsAtInterfaces.size());
    for (const BehaviorAtInterface behavior : behaviorsAtInterfaces)
    {
        behaviorsAtInterfacesAsFunctions.emplace_back([behavior](const ISurface*) { return behavior; });
    }
    return CalculateLegsFromEntryPoint(entryPoint, angles, totalRayLength,
                                       std::move(behaviorsAtInterfacesAsFunctions),
                                       std::move(lawsAtInterfaces));
}

std::vector<LineSegment> RayTracer::CalculateLegsFromEntryPoint(
    const Point& entryPoint, const BeamAngles& angles, unsigned int totalLegCount,
    std::vector<BehaviorAtInterface> behaviorsAtInterfaces, std::vector<LawAtInterface> lawsAtInterfaces)
{
    std::vector<BehaviorFunction> behaviorsAtInterfacesAsFunctions;
    behaviorsAtInterfacesAsFunctions.reserve(behaviorsAtInterfaces.size());
    for (const BehaviorAtInterface behavior : behaviorsAtInterfaces)
    {
        behaviorsAtInterfacesAsFunctions.emplace_back([behavior](const ISurface*) { return behavior; });
    }
    return CalculateLegsFromEntryPoint(entryPoint, angles, totalLegCount,
                                       std::move(behaviorsAtInterfacesAsFunctions),
                                       std::move(lawsAtInterfaces));
}

std::vector<LineSegment> RayTracer::CalculateLegsFromEntryPoint(
    const Point& entryPoint, const BeamAngles& angles, double totalRayLength,
    std::vector<BehaviorFunction> behaviorsAtInterfaces, std::vector<LawAtInterface> lawsAtInterfaces)
{
    // A NaN length passes both tests and never meets the stop condition.
    if (totalRayLength < 0.0)
    {
        throw std::invalid_argument(
            "RayTracer::CalculateLegsFromEntryPoint : Requested total ray length must be larger than 0.");
    }
    if (totalRayLength == 0.0)
    {
        return std::vector<LineSegment>();
    }
    // Every copy of the condition counts down the same remainder. The last leg
    // is never shortened: the legs reach or pass the length.
    double remainingLength = totalRayLength;
    const StopCondition stopCondition = [&remainingLength](LineSegment leg)
    {
        remainingLength -= leg.Length();
        return remainingLength <= 0.0;
    };
    return CalculateLegs(entryPoint, angles, stopCondition, behaviorsAtInterfaces, lawsAtInterfaces);
}

std::vector<LineSegment> RayTracer::CalculateLegsFromEntryPoint(
    const Point& entryPoint, const BeamAngles& angles, unsigned int totalLegCount,
    std::vector<BehaviorFunction> behaviorsAtInterfaces, std::vector<LawAtInterface> lawsAtInterfaces)
{
    if (totalLegCount == 0)
    {
        return std::vector<LineSegment>();
    }
    std::uint32_t legCount = 0;
    const StopCondition stopCondition = [&legCount, totalLegCount](LineSegment)
    {
        ++legCount;
        return legCount >= totalLegCount;
    };
    return CalculateLegs(entryPoint, angles, stopCondition, behaviorsAtInterfaces, lawsAtInterfaces);
}

std::vector<const ISolid*> RayTracer::GetConfiguration() const
{
    return configuration;
}

std::vector<LineSegment> RayTracer::CalculateLegs(const Point& entryPoint, const BeamAngles& angles,
                                                  const StopCondition& stopCondition,
                                                  const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
                                                  const std::vector<LawAtInterface>& lawsAtInterfaces)
{
    // Both bounds are excluded. A NaN angle passes and gives a beam that
    // meets nothing, hence no legs.
    if (angles.refractionAngle <= -HalfPi || angles.refractionAngle >= HalfPi)
    {
        throw std::invalid_argument("RayTracer::CalculateLegsFromEntryPoint : Beam refraction angle must be "
                                    "contained within ]-90\xB0"
                                    ", 90\xB0"
                                    "[.");
    }
    const ISurface* entrySurface = FindEntrySurface(entryPoint);
    if (IsOnSeveralSurfaces(entryPoint))
    {
        throw std::invalid_argument(EntryPointMessage);
    }
    const Line firstRay(entryPoint, ComputeBeamDirection(entrySurface, entryPoint, angles));
    std::vector<LineSegment> legs;
    TraceRay(firstRay, stopCondition, behaviorsAtInterfaces, lawsAtInterfaces, legs);
    return legs;
}

const ISurface* RayTracer::FindEntrySurface(const Point& entryPoint)
{
    // On a face shared by two solids the beam enters the one listed first.
    for (const ISolid* solid : configuration)
    {
        currentSolid = solid;
        if (const ISurface* surface = FindSurfaceContainingPoint(entryPoint))
        {
            return surface;
        }
    }
    throw std::invalid_argument(EntryPointMessage);
}

const ISurface* RayTracer::FindSurfaceContainingPoint(const Point& point) const
{
    for (const ISurface* surface : currentSolid->GetSurfaces())
    {
        if (surface->Contains(point))
        {
            return surface;
        }
    }
    return nullptr;
}

bool RayTracer::IsOnSeveralSurfaces(const Point& point) const
{
    int containingSurfaceCount = 0;
    for (const ISurface* surface : currentSolid->GetSurfaces())
    {
        if (surface->Contains(point) && ++containingSurfaceCount >= 2)
        {
            return true;
        }
    }
    return false;
}

Vector RayTracer::ComputeBeamDirection(const ISurface* entrySurface, const Point& entryPoint,
                                       const BeamAngles& angles)
{
    const Vector normalAtStartPoint = entrySurface->GetNormal(entryPoint) * -1.0;
    const Vector xAxis(1.0, 0.0, 0.0);
    // Tilting about normal x X sends a positive refraction angle towards +X.
    // For a normal along X this axis stays null and the rotation leaves the
    // beam on the normal, only scaled.
    Vector perpendicularToNormalAndXAxis = normalAtStartPoint.Cross(xAxis);
    perpendicularToNormalAndXAxis.Normalize();
    const Vector temporaryBeamDirection =
        normalAtStartPoint.Rotate(angles.refractionAngle, perpendicularToNormalAndXAxis);
    return temporaryBeamDirection.Rotate(angles.skewAngle, normalAtStartPoint);
}

void RayTracer::TraceRay(Line ray, const StopCondition& stopCondition,
                         const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
                         const std::vector<LawAtInterface>& lawsAtInterfaces, std::vector<LineSegment>& legs)
{
    for (;;)
    {
        const Intersections intersections = ComputeIntersections(ray);
        const Intersections::const_iterator closest = FindClosestIntersection(ray, intersections);
        // Nothing ahead. A closed solid always has a face ahead of a ray that
        // leaves its boundary inwards, but a beam transmitted onto the rim of
        // the next solid may have none: there is no way on, so the legs so far
        // are the answer.
        if (closest == intersections.end())
        {
            return;
        }
        const ISurface* surfaceHit = closest->first;
        const Point interfacePoint = closest->second;

        legs.emplace_back(ray.GetPoint(), interfacePoint);
        if (stopCondition(legs.back()))
        {
            return;
        }
        // A leg may end on an edge or a corner but is never continued from it.
        if (IsOnSeveralSurfaces(interfacePoint))
        {
            return;
        }
        if (legs.size() >= MaximumLegCount)
        {
            return;
        }

        const std::size_t legCount = legs.size();
        // Calling an empty behaviour function throws std::bad_function_call,
        // which reaches the caller like any exception of a behaviour.
        const BehaviorAtInterface behavior = behaviorsAtInterfaces.size() >= legCount
                                                 ? behaviorsAtInterfaces[legCount - 1](surfaceHit)
                                                 : Reflect;
        Vector nextLineDirection;
        if (behavior == Reflect)
        {
            nextLineDirection = ReflectDirection(ray.GetDirection(), surfaceHit->GetNormal(interfacePoint));
        }
        else if (behavior == Transmit)
        {
            nextLineDirection = ray.GetDirection();
            if (!FindAdjacentSolid(interfacePoint))
            {
                return;
            }
        }
        else
        {
            return;
        }

        // The normal is that of the solid the leg travelled in, even after a
        // transmission.
        const LawAtInterface noLaw;
        const LawAtInterface& law =
            lawsAtInterfaces.size() >= legCount ? lawsAtInterfaces[legCount - 1] : noLaw;
        nextLineDirection =
            ApplyLawAtInterface(nextLineDirection, surfaceHit->GetNormal(interfacePoint), law);

        // The next ray meets its start surface again at distance 0; the closest
        // intersection skips it.
        ray = Line(interfacePoint, nextLineDirection);
    }
}

RayTracer::Intersections RayTracer::ComputeIntersections(const Line& ray) const
{
    // A ray lying in a flat face meets nothing there: the infinite flag is
    // ignored. The points are grouped by surface, in the solid's surface
    // order, so that the walk below does not depend on where the surfaces
    // happen to sit in memory.
    Intersections intersections;
    for (const ISurface* surface : currentSolid->GetSurfaces())
    {
        const Tessam::Geometry3D::Intersection intersection = surface->GetIntersection(ray);
        for (const Point& point : intersection.GetPoints())
        {
            intersections.emplace_back(surface, point);
        }
    }
    return intersections;
}

RayTracer::Intersections::const_iterator
RayTracer::FindClosestIntersection(const Line& ray, const Intersections& intersections)
{
    // The order only decides between exactly equal distances, where the
    // first pair met stays; the same distance on two surfaces means a point
    // on both, and the trace ends there on the edge test whichever surface is
    // kept.
    const Point& origin = ray.GetPoint();
    const Vector& direction = ray.GetDirection();
    Intersections::const_iterator closest = intersections.end();
    double smallestDistance = std::numeric_limits<double>::max();
    for (Intersections::const_iterator candidate = intersections.begin(); candidate != intersections.end();
         ++candidate)
    {
        const Vector toPoint = candidate->second - origin;
        const double distance = toPoint.Length();
        // The point the ray starts from.
        if (RelativeCheckEqual(0.0, distance, 1e-11))
        {
            continue;
        }
        // Behind the start: the line is infinite, the ray is not.
        if (!RelativeCheckEqual(toPoint.Normalized().Dot(direction), 1.0, 1e-11))
        {
            continue;
        }
        if (distance < smallestDistance)
        {
            smallestDistance = distance;
            closest = candidate;
        }
    }
    return closest;
}

bool RayTracer::FindAdjacentSolid(const Point& point)
{
    // The last candidate in configuration order wins.
    const ISolid* solidBeingLeft = currentSolid;
    for (const ISolid* solid : configuration)
    {
        if (solid == solidBeingLeft)
        {
            continue;
        }
        for (const ISurface* surface : solid->GetSurfaces())
        {
            if (surface->Contains(point))
            {
                currentSolid = solid;
                break;
            }
        }
    }
    return currentSolid != solidBeingLeft;
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

} // namespace Quoria
