#include "TraceWalker.h"

#include "AngularPosition.h"
#include "LineCandidates.h"
#include "RelativeCheckEqual.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

using Tessam::Geometry3D::HalfPi;
using Tessam::Geometry3D::ISolid;
using Tessam::Geometry3D::IsOutsideBounds;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Line;
using Tessam::Geometry3D::LineCandidates;
using Tessam::Geometry3D::LineSegment;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::RelativeCheckEqual;
using Tessam::Geometry3D::ShapeKind;
using Tessam::Geometry3D::SurfaceShape;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

TraceWalker::TraceWalker(const TraceScene& scene, const char* method)
    : scene(scene), refractionAngleMessage(std::string(method) +
                                           " : Beam refraction angle must be contained within ]-90\xB0"
                                           ", 90\xB0"
                                           "[."),
      entryPointMessage(std::string(method) + " : Entry point is not on the configuration or is on a corner.")
{
    // A plane, cylinder or cone gives at most two points; other surfaces
    // may need more room, which the first traces then make.
    crossings.reserve(2 * scene.LargestFaceCount());
    legs.reserve(MaximumLegCount);
    directionProducts.resize(scene.LargestPlaneDirectionCount());
    originProducts.resize(scene.LargestPlaneDirectionCount());
}

TraceEnding TraceWalker::Trace(const Point& entryPoint, const BeamAngles& angles, TraceRules& rules)
{
    legs.clear();
    // Both bounds are excluded. A NaN angle passes and gives a beam that
    // meets nothing, hence no legs.
    if (angles.refractionAngle <= -HalfPi || angles.refractionAngle >= HalfPi)
    {
        throw std::invalid_argument(refractionAngleMessage);
    }
    const ISurface* entrySurface = FindEntrySurface(entryPoint);
    if (IsOnSeveralSurfaces(entryPoint))
    {
        throw std::invalid_argument(entryPointMessage);
    }
    const Line firstRay(entryPoint, ComputeBeamDirection(entrySurface, entryPoint, angles));
    TraceEnding ending = TraceEnding::Open;
    if (!rules.Begin(currentSolid, ending))
    {
        return ending;
    }
    return TraceRay(firstRay, rules);
}

const ISurface* TraceWalker::FindEntrySurface(const Point& entryPoint)
{
    // On a face shared by two solids the beam enters the one listed first.
    const std::vector<const ISolid*>& configuration = scene.Configuration();
    for (std::size_t index = 0; index < configuration.size(); ++index)
    {
        currentSolid = index;
        for (const ISurface* surface : configuration[index]->GetSurfaces())
        {
            if (surface->Contains(entryPoint))
            {
                return surface;
            }
        }
    }
    throw std::invalid_argument(entryPointMessage);
}

bool TraceWalker::IsOnSeveralSurfaces(const Point& point, std::size_t knownContainer) const
{
    int containingSurfaceCount = 0;
    const std::vector<SurfaceShape>& faces = scene.Faces(currentSolid);
    for (std::size_t index = 0; index < faces.size(); ++index)
    {
        const SurfaceShape& face = faces[index];
        const bool contains =
            index == knownContainer || (!IsCertainlyOff(face, point) && face.surface->Contains(point));
        if (contains && ++containingSurfaceCount >= 2)
        {
            return true;
        }
    }
    return false;
}

Vector TraceWalker::ComputeBeamDirection(const ISurface* entrySurface, const Point& entryPoint,
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

TraceEnding TraceWalker::TraceRay(Line ray, TraceRules& rules)
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
            return TraceEnding::Open;
        }
        const std::size_t surfaceIndex = crossings[closest].surfaceIndex;
        const SurfaceShape& hitFace = scene.Faces(currentSolid)[surfaceIndex];
        const Point interfacePoint = crossings[closest].point;
        // Either the face's Contains has passed or its GetIntersection kept
        // the point, which it does only for points it contains.
        const bool containmentKnown = hitFace.kind != ShapeKind::Other;

        legs.push_back(
            TraceLeg{LineSegment(ray.GetPoint(), interfacePoint), currentSolid, surfaceIndex, Stop});
        if (rules.StopsAfter(legs.back()))
        {
            return rules.StopEnding();
        }
        // A leg may end on an edge or a corner but is never continued from it.
        if (IsOnSeveralSurfaces(interfacePoint, containmentKnown ? surfaceIndex : NoSurface))
        {
            return TraceEnding::Edge;
        }
        if (legs.size() >= MaximumLegCount)
        {
            return TraceEnding::Limit;
        }

        const std::size_t legCount = legs.size();
        // Calling an empty behaviour function throws std::bad_function_call,
        // which reaches the caller like any exception of a behaviour.
        const BehaviorAtInterface behavior = rules.BehaviorAt(legCount, hitFace.surface);
        legs.back().behavior = behavior;
        const std::size_t solidLeft = currentSolid;
        if (behavior == Transmit)
        {
            if (!FindAdjacentSolid(interfacePoint))
            {
                return TraceEnding::Exit;
            }
        }
        else if (behavior != Reflect)
        {
            return TraceEnding::Stop;
        }
        // The normal is that of the solid the leg travelled in, even after a
        // transmission. Where the face has none (a cone's apex, the axis of a
        // bore thinner than the tolerance) there is nothing to turn about:
        // like an edge, the point ends the trace.
        const Vector surfaceNormal = NormalAt(hitFace, interfacePoint);
        if (!IsUnitVector(surfaceNormal) || !IsUnitVector(ray.GetDirection()))
        {
            return TraceEnding::Edge;
        }
        const InterfaceCrossing crossing{legCount,      behavior,  ray.GetDirection(),
                                         surfaceNormal, solidLeft, currentSolid};
        Vector nextLineDirection;
        TraceEnding ending = TraceEnding::Open;
        if (!rules.Steer(crossing, nextLineDirection, ending))
        {
            return ending;
        }
        // The next ray meets its start surface again at distance 0; the closest
        // intersection skips it.
        ray = Line(interfacePoint, nextLineDirection);
    }
}

void TraceWalker::ComputeIntersections(const Line& ray)
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
    // The products of the ray with each plane direction, shared by the faces
    // on parallel planes. For a face whose normal is the direction times
    // -1, negating them is exact, and so gives the face's own products.
    const std::vector<Vector>& directions = scene.PlaneDirections(currentSolid);
    const Vector originVector(origin.X(), origin.Y(), origin.Z());
    for (std::size_t i = 0; i < directions.size(); ++i)
    {
        directionProducts[i] = direction.Dot(directions[i]);
        originProducts[i] = originVector.Dot(directions[i]);
    }
    const std::vector<SurfaceShape>& faces = scene.Faces(currentSolid);
    const std::vector<FacePlane>& planes = scene.FacePlanes(currentSolid);
    for (std::size_t index = 0; index < faces.size(); ++index)
    {
        const SurfaceShape& face = faces[index];
        if (face.kind == ShapeKind::Plane)
        {
            // PlaneLineCandidates step by step; a ray along the plane meets
            // nothing there.
            const FacePlane& plane = planes[index];
            const double alongNormal = plane.sign * directionProducts[plane.direction];
            if (std::fabs(alongNormal) < 1e-11)
            {
                continue;
            }
            const double t = -(plane.sign * originProducts[plane.direction] + plane.offset) / alongNormal;
            if (!(t >= behindLimit))
            {
                continue;
            }
            const Point point(origin.X() + t * direction.X(), origin.Y() + t * direction.Y(),
                              origin.Z() + t * direction.Z());
            // Outside its face's box the point would fail Contains.
            if (!IsOutsideBounds(face, point))
            {
                add(index, point, true, t >= aheadLimit);
            }
            continue;
        }
        if (face.kind == ShapeKind::Other)
        {
            const Tessam::Geometry3D::Intersection intersection = face.surface->GetIntersection(ray);
            for (const Point& point : intersection.GetPoints())
            {
                add(index, point, false, false);
            }
            continue;
        }
        // Taken by reference: a copy of the candidates read back in wide
        // loads right after their narrow stores stalls.
        const LineCandidates& candidates = Tessam::Geometry3D::ShapeLineCandidates(face, ray);
        for (int i = 0; i < candidates.count; ++i)
        {
            if (candidates.parameters[i] >= behindLimit && !IsOutsideBounds(face, candidates.points[i]))
            {
                add(index, candidates.points[i], true, candidates.parameters[i] >= aheadLimit);
            }
        }
    }
}

std::size_t TraceWalker::FindClosestIntersection()
{
    // The nearest point ahead that its surface keeps; on equal distances the
    // pair met first stays. The same distance on two surfaces means a point
    // on both, and the trace ends there on the edge test whichever surface
    // is kept. Points are offered to their surface's Contains nearest first,
    // so that most legs ask one surface only.
    const std::vector<SurfaceShape>& faces = scene.Faces(currentSolid);
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
        if (!candidate.containmentPending || faces[candidate.surfaceIndex].surface->Contains(candidate.point))
        {
            return closest;
        }
        // Not on its face: out of the running.
        candidate.distance = std::numeric_limits<double>::max();
    }
}

bool TraceWalker::FindAdjacentSolid(const Point& point)
{
    // The last candidate in configuration order wins.
    const std::size_t solidBeingLeft = currentSolid;
    for (std::size_t index = 0; index < scene.SolidCount(); ++index)
    {
        if (index == solidBeingLeft)
        {
            continue;
        }
        for (const SurfaceShape& face : scene.Faces(index))
        {
            if (!IsCertainlyOff(face, point) && face.surface->Contains(point))
            {
                currentSolid = index;
                break;
            }
        }
    }
    return currentSolid != solidBeingLeft;
}

} // namespace Quoria
