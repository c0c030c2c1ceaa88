#include "RayTracer.h"

#include "AngularPosition.h"
#include "ComplexFlatSurface.h"
#include "ConicalSurface.h"
#include "CylindricalArcSurface.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "DiskSector.h"
#include "LineCandidates.h"
#include "MantleNormals.h"
#include "Polygon.h"
#include "Rectangle.h"
#include "RelativeCheckEqual.h"
#include "Ring.h"
#include "TruncatedConicalSurface.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <typeinfo>
#include <utility>

using Tessam::Geometry3D::ComplexFlatSurface;
using Tessam::Geometry3D::ConicalSurface;
using Tessam::Geometry3D::CylindricalArcSurface;
using Tessam::Geometry3D::CylindricalSurface;
using Tessam::Geometry3D::Disk;
using Tessam::Geometry3D::DiskSector;
using Tessam::Geometry3D::FlatSurface;
using Tessam::Geometry3D::HalfPi;
using Tessam::Geometry3D::ISolid;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Line;
using Tessam::Geometry3D::LineCandidates;
using Tessam::Geometry3D::LineSegment;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Polygon;
using Tessam::Geometry3D::RelativeCheckEqual;
using Tessam::Geometry3D::Ring;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::TruncatedConicalSurface;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

namespace
{
const char* const EntryPointMessage =
    "RayTracer::CalculateLegsFromEntryPoint : Entry point is not on the configuration or is on a corner.";
} // namespace

RayTracer::RayTracer(std::vector<const Solid*> solids) : currentSolid(nullptr), currentSolidIndex(0)
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
    std::size_t largestSurfaceCount = 0;
    for (const ISolid* solid : configuration)
    {
        std::vector<SurfaceEntry> entries;
        for (const ISurface* surface : solid->GetSurfaces())
        {
            entries.push_back(DescribeSurface(surface));
        }
        largestSurfaceCount = std::max(largestSurfaceCount, entries.size());
        surfaceEntries.push_back(std::move(entries));
    }
    // A plane, cylinder or cone gives at most two points; other surfaces
    // may need more room, which the first computations then make.
    crossings.reserve(2 * largestSurfaceCount);
    legBuffer.reserve(MaximumLegCount);
    currentSolid = configuration.front();
}

RayTracer::SurfaceEntry RayTracer::DescribeSurface(const ISurface* surface)
{
    SurfaceEntry entry{
        surface, SurfaceKind::Other, nullptr, Point(), Vector(), 0.0, 0.0, false, false, false, 0.0, 0.0};
    // Only the exact classes: a class derived from them may answer its
    // intersections differently.
    const std::type_info& type = typeid(*surface);
    if (type == typeid(Polygon) || type == typeid(Tessam::Geometry3D::Rectangle) || type == typeid(Disk) ||
        type == typeid(DiskSector) || type == typeid(Ring) || type == typeid(ComplexFlatSurface))
    {
        entry.kind = SurfaceKind::Plane;
        entry.plane = &static_cast<const FlatSurface*>(surface)->GetPlane();
        // A complex face or a ring answers through its operands, whose
        // planes may differ from its own in the last bits.
        entry.planeTestedFirst = type == typeid(Polygon) || type == typeid(Tessam::Geometry3D::Rectangle) ||
                                 type == typeid(Disk) || type == typeid(DiskSector);
    }
    else if (type == typeid(CylindricalSurface))
    {
        const auto* cylinder = static_cast<const CylindricalSurface*>(surface);
        entry.kind = SurfaceKind::Cylinder;
        entry.origin = cylinder->GetCentroid();
        entry.axis = cylinder->GetOrientation();
        entry.radius = cylinder->GetRadius();
        entry.outwardNormal = cylinder->IsNormalOutward();
        entry.bandTestedFirst = true;
        entry.bandLow = -cylinder->GetHeight() / 2.0;
        entry.bandHigh = cylinder->GetHeight() / 2.0;
    }
    else if (type == typeid(CylindricalArcSurface))
    {
        const auto* band = static_cast<const CylindricalArcSurface*>(surface);
        entry.kind = SurfaceKind::Cylinder;
        entry.origin = band->GetCentroid();
        entry.axis = band->GetOrientation();
        entry.radius = band->GetRadius();
        entry.outwardNormal = band->IsNormalOutward();
        // Its Contains begins with its full mantle's.
        entry.bandTestedFirst = true;
        entry.bandLow = -band->GetHeight() / 2.0;
        entry.bandHigh = band->GetHeight() / 2.0;
    }
    else if (type == typeid(ConicalSurface))
    {
        const auto* cone = static_cast<const ConicalSurface*>(surface);
        entry.kind = SurfaceKind::Cone;
        entry.origin = cone->GetApex();
        entry.axis = cone->GetOrientation();
        entry.halfAngleCosine = std::cos(cone->GetHalfAngle().Radians());
        entry.outwardNormal = cone->IsNormalOutward();
    }
    else if (type == typeid(TruncatedConicalSurface))
    {
        const auto* cone = static_cast<const TruncatedConicalSurface*>(surface);
        entry.kind = SurfaceKind::Cone;
        entry.origin = cone->GetApex();
        entry.axis = cone->GetOrientation();
        entry.halfAngleCosine = std::cos(cone->GetHalfAngle().Radians());
        entry.outwardNormal = cone->IsNormalOutward();
        entry.bandTestedFirst = true;
        entry.bandLow = cone->GetHeight() - cone->GetTruncatedHeight();
        entry.bandHigh = cone->GetHeight();
    }
    return entry;
}

bool RayTracer::IsCertainlyOff(const SurfaceEntry& entry, const Point& point)
{
    if (entry.planeTestedFirst)
    {
        return !entry.plane->Contains(point);
    }
    if (!entry.bandTestedFirst)
    {
        return false;
    }
    const Vector fromOrigin = point - entry.origin;
    const double axial = fromOrigin.Dot(entry.axis);
    if (!(entry.bandLow <= axial && axial <= entry.bandHigh))
    {
        return true;
    }
    if (entry.kind != SurfaceKind::Cylinder)
    {
        return false;
    }
    // 1% off the radius, while the mantle's Contains errs by under 1e-5 of
    // it (for points within 3e4 radii of the centroid) and its absolute
    // tolerance 1e-11 stays below 1% of a radius of 1e-6.
    const double radiusSquared = entry.radius * entry.radius;
    const Vector across = fromOrigin - axial * entry.axis;
    return entry.radius >= 1e-6 && fromOrigin.Dot(fromOrigin) < 1e9 * radiusSquared &&
           std::fabs(across.Dot(across) - radiusSquared) > 0.02 * radiusSquared;
}

Vector RayTracer::NormalAt(const SurfaceEntry& entry, const Point& point)
{
    // GetNormal of these faces checks containment, then answers the same.
    switch (entry.kind)
    {
    case SurfaceKind::Plane:
        return entry.plane->GetNormal();
    case SurfaceKind::Cylinder:
        return Tessam::Geometry3D::CylinderNormal(entry.origin, entry.axis, entry.outwardNormal, point);
    case SurfaceKind::Cone:
        return Tessam::Geometry3D::ConeNormal(entry.origin, entry.axis, entry.outwardNormal, point);
    case SurfaceKind::Other:
        break;
    }
    return entry.surface->GetNormal(point);
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
    const StopCondition stopCondition = [&remainingLength](const LineSegment& leg)
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
    const StopCondition stopCondition = [&legCount, totalLegCount](const LineSegment&)
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
    legBuffer.clear();
    TraceRay(firstRay, stopCondition, behaviorsAtInterfaces, lawsAtInterfaces, legBuffer);
    return std::vector<LineSegment>(legBuffer.begin(), legBuffer.end());
}

const ISurface* RayTracer::FindEntrySurface(const Point& entryPoint)
{
    // On a face shared by two solids the beam enters the one listed first.
    for (std::size_t index = 0; index < configuration.size(); ++index)
    {
        currentSolid = configuration[index];
        currentSolidIndex = index;
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

bool RayTracer::IsOnSeveralSurfaces(const Point& point, std::size_t knownContainer) const
{
    int containingSurfaceCount = 0;
    const std::vector<SurfaceEntry>& entries = surfaceEntries[currentSolidIndex];
    for (std::size_t index = 0; index < entries.size(); ++index)
    {
        const SurfaceEntry& entry = entries[index];
        const bool contains =
            index == knownContainer || (!IsCertainlyOff(entry, point) && entry.surface->Contains(point));
        if (contains && ++containingSurfaceCount >= 2)
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
        ComputeIntersections(ray);
        const std::size_t closest = FindClosestIntersection();
        // Nothing ahead. A closed solid always has a face ahead of a ray that
        // leaves its boundary inwards, but a beam transmitted onto the rim of
        // the next solid may have none: there is no way on, so the legs so far
        // are the answer.
        if (closest == NoSurface)
        {
            return;
        }
        const std::size_t surfaceIndex = crossings[closest].surfaceIndex;
        const SurfaceEntry& hitEntry = surfaceEntries[currentSolidIndex][surfaceIndex];
        const ISurface* surfaceHit = hitEntry.surface;
        const Point interfacePoint = crossings[closest].point;
        // Either the face's Contains has passed or its GetIntersection kept
        // the point, which it does only for points it contains.
        const bool containmentKnown = hitEntry.kind != SurfaceKind::Other;

        legs.emplace_back(ray.GetPoint(), interfacePoint);
        if (stopCondition(legs.back()))
        {
            return;
        }
        // A leg may end on an edge or a corner but is never continued from it.
        if (IsOnSeveralSurfaces(interfacePoint, containmentKnown ? surfaceIndex : NoSurface))
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
        Vector surfaceNormal;
        if (behavior == Reflect)
        {
            surfaceNormal = NormalAt(hitEntry, interfacePoint);
            nextLineDirection = ReflectDirection(ray.GetDirection(), surfaceNormal);
        }
        else if (behavior == Transmit)
        {
            nextLineDirection = ray.GetDirection();
            if (!FindAdjacentSolid(interfacePoint))
            {
                return;
            }
            surfaceNormal = NormalAt(hitEntry, interfacePoint);
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
        nextLineDirection = ApplyLawAtInterface(nextLineDirection, surfaceNormal, law);

        // The next ray meets its start surface again at distance 0; the closest
        // intersection skips it.
        ray = Line(interfacePoint, nextLineDirection);
    }
}

void RayTracer::ComputeIntersections(const Line& ray)
{
    // A ray lying in a flat face meets nothing there: the infinite flag is
    // ignored. The points are kept in the solid's surface order, so that the
    // walk below does not depend on where the surfaces happen to sit in
    // memory. Points at the ray's start, behind it, or too far to be
    // retained are dropped here: they could never be the closest.
    crossings.clear();
    const Point& origin = ray.GetPoint();
    const Vector& direction = ray.GetDirection();
    const auto add = [this, &origin, &direction](std::size_t surfaceIndex, const Point& point,
                                                 bool containmentPending, bool clearlyAhead)
    {
        const Vector toPoint = point - origin;
        const double distance = toPoint.Length();
        if (clearlyAhead)
        {
            if (distance < std::numeric_limits<double>::max())
            {
                crossings.emplace_back(distance, surfaceIndex, point, containmentPending);
            }
            return;
        }
        // The point the ray starts from.
        if (RelativeCheckEqual(0.0, distance, 1e-11))
        {
            return;
        }
        // Behind the start: the line is infinite, the ray is not. Dividing
        // by the distance is what Normalized does, without a second root.
        const Vector unit =
            distance > 0.0 ? Vector(toPoint.X() / distance, toPoint.Y() / distance, toPoint.Z() / distance)
                           : toPoint;
        if (!RelativeCheckEqual(unit.Dot(direction), 1.0, 1e-11))
        {
            return;
        }
        if (distance < std::numeric_limits<double>::max())
        {
            crossings.emplace_back(distance, surfaceIndex, point, containmentPending);
        }
    };
    // A candidate origin + t * direction with t below this is dropped by the
    // test above without working it out: the point and the difference are
    // rounded by at most a few 1e-16 of |t| + the largest coordinate of the
    // origin, so point - origin stays within 1e-9 of t * direction relative
    // to |t|, which points backwards.
    const double largestCoordinate =
        std::max(std::fabs(origin.X()), std::max(std::fabs(origin.Y()), std::fabs(origin.Z())));
    const double behindLimit = -1e-6 * (1.0 + largestCoordinate);
    // Likewise a t above the opposite bound leaves point - origin within
    // 1e-9 rad of the direction and longer than 1e-11: both tests pass.
    const double aheadLimit = -behindLimit;
    // Taken by reference: a copy of the candidates read back in wide loads
    // right after their narrow stores stalls.
    const auto addCandidates =
        [&add, behindLimit, aheadLimit](std::size_t index, const LineCandidates& candidates)
    {
        for (int i = 0; i < candidates.count; ++i)
        {
            if (candidates.parameters[i] >= behindLimit)
            {
                add(index, candidates.points[i], true, candidates.parameters[i] >= aheadLimit);
            }
        }
    };
    const std::vector<SurfaceEntry>& entries = surfaceEntries[currentSolidIndex];
    for (std::size_t index = 0; index < entries.size(); ++index)
    {
        const SurfaceEntry& entry = entries[index];
        switch (entry.kind)
        {
        case SurfaceKind::Plane:
            addCandidates(index, Tessam::Geometry3D::PlaneLineCandidates(*entry.plane, ray));
            break;
        case SurfaceKind::Cylinder:
            addCandidates(index, Tessam::Geometry3D::CylinderLineCandidates(entry.origin, entry.axis,
                                                                            entry.radius, ray));
            break;
        case SurfaceKind::Cone:
            addCandidates(index, Tessam::Geometry3D::ConeLineCandidates(entry.origin, entry.axis,
                                                                        entry.halfAngleCosine, ray));
            break;
        case SurfaceKind::Other:
        {
            const Tessam::Geometry3D::Intersection intersection = entry.surface->GetIntersection(ray);
            for (const Point& point : intersection.GetPoints())
            {
                add(index, point, false, false);
            }
            break;
        }
        }
    }
}

std::size_t RayTracer::FindClosestIntersection()
{
    // The nearest point ahead that its surface keeps; on equal distances the
    // pair met first stays. The same distance on two surfaces means a point
    // on both, and the trace ends there on the edge test whichever surface
    // is kept. Points are offered to their surface's Contains nearest first,
    // so that most legs ask one surface only.
    for (;;)
    {
        std::size_t closest = NoSurface;
        double smallestDistance = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i < crossings.size(); ++i)
        {
            if (crossings[i].distance < smallestDistance)
            {
                smallestDistance = crossings[i].distance;
                closest = i;
            }
        }
        if (closest == NoSurface)
        {
            return NoSurface;
        }
        Crossing& candidate = crossings[closest];
        if (!candidate.containmentPending ||
            surfaceEntries[currentSolidIndex][candidate.surfaceIndex].surface->Contains(candidate.point))
        {
            return closest;
        }
        // Not on its face: out of the running.
        candidate.distance = std::numeric_limits<double>::max();
    }
}

bool RayTracer::FindAdjacentSolid(const Point& point)
{
    // The last candidate in configuration order wins.
    const ISolid* solidBeingLeft = currentSolid;
    for (std::size_t index = 0; index < configuration.size(); ++index)
    {
        const ISolid* solid = configuration[index];
        if (solid == solidBeingLeft)
        {
            continue;
        }
        for (const SurfaceEntry& entry : surfaceEntries[index])
        {
            if (!IsCertainlyOff(entry, point) && entry.surface->Contains(point))
            {
                currentSolid = solid;
                currentSolidIndex = index;
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
