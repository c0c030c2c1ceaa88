#include "TraceWalker.h"

#include "AngularPosition.h"
#include "LineCandidates.h"
#include "RelativeCheckEqual.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

using Tessam::Geometry3D::HalfPi;
using Tessam::Geometry3D::IsCertainlyOn;
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
    // Written in place, as many as the faces.
    deferredFaces.resize(scene.LargestFaceCount());
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
    const std::vector<SurfaceShape>& faces = scene.Faces(currentSolid);
    if (knownContainer != NoSurface)
    {
        // A second face holding the point must be one that may share a
        // point with the known container.
        for (const std::size_t index : scene.Neighbours(currentSolid, knownContainer))
        {
            const SurfaceShape& face = faces[index];
            if (!IsOutsideBounds(face, point) && !IsCertainlyOff(face, point) &&
                (IsCertainlyOn(face, point) || face.surface->Contains(point)))
            {
                return true;
            }
        }
        return false;
    }
    int containingSurfaceCount = 0;
    for (const SurfaceShape& face : faces)
    {
        if (!IsCertainlyOff(face, point) && face.surface->Contains(point) && ++containingSurfaceCount >= 2)
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
        const std::size_t closest = FindClosestIntersection(ray);
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
        const bool unitNormal = hitFace.kind == ShapeKind::Plane
                                    ? scene.HasUnitPlane(solidLeft, surfaceIndex)
                                    : IsUnitVector(surfaceNormal);
        if (!unitNormal || !IsUnitVector(ray.GetDirection()))
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

void TraceWalker::AddCrossing(const RaySpan& span, std::size_t surfaceIndex, const Point& point,
                              bool containmentPending, bool clearlyAhead)
{
    const Point& origin = span.ray.GetPoint();
    const Vector toPoint = point - origin;
    const double distance = toPoint.Length();
    if (!clearlyAhead)
    {
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
        if (!RelativeCheckEqual(unit.Dot(span.ray.GetDirection()), 1.0, 1e-11))
        {
            return;
        }
    }
    // Too far to be retained.
    if (distance < std::numeric_limits<double>::max())
    {
        crossings.emplace_back(distance, surfaceIndex, point, containmentPending);
    }
}

void TraceWalker::AddCurvedFaceCrossings(const RaySpan& span, std::size_t surfaceIndex)
{
    // Taken by reference: a copy of the candidates read back in wide loads
    // right after their narrow stores stalls.
    const SurfaceShape& face = scene.Faces(currentSolid)[surfaceIndex];
    const LineCandidates& candidates = Tessam::Geometry3D::ShapeLineCandidates(face, span.ray);
    for (int i = 0; i < candidates.count; ++i)
    {
        // Outside its face's box a point would fail Contains.
        if (candidates.parameters[i] > 0.0 && !IsOutsideBounds(face, candidates.points[i]))
        {
            AddCrossing(span, surfaceIndex, candidates.points[i], true,
                        candidates.parameters[i] >= span.ahead);
        }
    }
}

std::size_t TraceWalker::FindClosestIntersection(const Line& ray)
{
    // A ray lying in a flat face meets nothing there: the infinite flag is
    // ignored. Points at the ray's start, behind it, or too far to be
    // retained are dropped: they could never be the closest.
    crossings.clear();
    std::size_t deferredCount = 0;
    const Point& origin = ray.GetPoint();
    const Vector& direction = ray.GetDirection();
    const std::vector<SurfaceShape>& faces = scene.Faces(currentSolid);
    // A candidate origin + t * direction with t <= 0 never passes the tests
    // of AddCrossing: rounding moves each coordinate of the point from the
    // origin's, if at all, the way t * direction moves it, so the point is
    // the origin or lies behind it. A t above `ahead` leaves point - origin
    // within 1e-9 rad of the direction and longer than 1e-11, the point and
    // the difference being rounded by at most a few 1e-16 of |t| + the
    // largest coordinate of the origin: both tests pass.
    const double largestCoordinate =
        std::max(std::fabs(origin.X()), std::max(std::fabs(origin.Y()), std::fabs(origin.Z())));
    const RaySpan span{ray, 1e-6 * (1.0 + largestCoordinate)};

    // The products of the ray with each plane direction, shared by the faces
    // on parallel planes (see FlatFace). Written through plain pointers: the
    // buffers would otherwise be looked up again after every store.
    const std::vector<Vector>& directions = scene.PlaneDirections(currentSolid);
    const Vector originVector(origin.X(), origin.Y(), origin.Z());
    double* const alongNormals = directionProducts.data();
    double* const originNormals = originProducts.data();
    const std::size_t directionCount = directions.size();
    for (std::size_t i = 0; i < directionCount; ++i)
    {
        alongNormals[i] = direction.Dot(directions[i]);
        originNormals[i] = originVector.Dot(directions[i]);
    }
    for (const FlatFace& flat : scene.FlatFaces(currentSolid))
    {
        // PlaneLineCandidates step by step; a ray along the plane meets
        // nothing there.
        const double alongNormal = alongNormals[flat.direction];
        if (std::fabs(alongNormal) < 1e-11)
        {
            continue;
        }
        const double t = -(originNormals[flat.direction] + flat.directedOffset) / alongNormal;
        if (!(t > 0.0))
        {
            continue;
        }
        const Point point(origin.X() + t * direction.X(), origin.Y() + t * direction.Y(),
                          origin.Z() + t * direction.Z());
        // Outside its face's box the point would fail Contains. With t
        // finite no coordinate is NaN, so an infinite box holds it.
        // Integer '&' keeps the six comparisons free of branches.
        const int inside = int(flat.low[0] <= point.X()) & int(point.X() <= flat.high[0]) &
                           int(flat.low[1] <= point.Y()) & int(point.Y() <= flat.high[1]) &
                           int(flat.low[2] <= point.Z()) & int(point.Z() <= flat.high[2]);
        if (inside != 0)
        {
            AddCrossing(span, flat.face, point, true, t >= span.ahead);
        }
    }
    for (const std::size_t face : scene.CurvedFaces(currentSolid))
    {
        AddCurvedFaceCrossings(span, face);
    }
    for (const std::size_t face : scene.OtherFaces(currentSolid))
    {
        const Tessam::Geometry3D::Intersection intersection = faces[face].surface->GetIntersection(ray);
        for (const Point& point : intersection.GetPoints())
        {
            AddCrossing(span, face, point, false, false);
        }
    }
    // A deferred face's points lie where the ray's line crosses its box:
    // none ahead when the line misses the box or leaves it behind. Faces are
    // deferred only for rays from within the reach of the widened boxes and
    // along which all three coordinates change; otherwise they are worked
    // out at once.
    const std::vector<DeferredBox>& deferredBoxes = scene.DeferredBoxes(currentSolid);
    if (!deferredBoxes.empty())
    {
        const double inverse[3] = {1.0 / direction.X(), 1.0 / direction.Y(), 1.0 / direction.Z()};
        const bool deferring = largestCoordinate <= scene.BoundMagnitude(currentSolid) &&
                               std::isfinite(inverse[0]) && std::isfinite(inverse[1]) &&
                               std::isfinite(inverse[2]);
        // The side of each slab where the line enters it.
        const int x = inverse[0] < 0.0 ? 1 : 0;
        const int y = inverse[1] < 0.0 ? 1 : 0;
        const int z = inverse[2] < 0.0 ? 1 : 0;
        for (const DeferredBox& box : deferredBoxes)
        {
            if (!deferring)
            {
                AddCurvedFaceCrossings(span, box.face);
                continue;
            }
            const double entry = std::max((box.bounds[x][0] - origin.X()) * inverse[0],
                                          std::max((box.bounds[y][1] - origin.Y()) * inverse[1],
                                                   (box.bounds[z][2] - origin.Z()) * inverse[2]));
            const double exit = std::min((box.bounds[1 - x][0] - origin.X()) * inverse[0],
                                         std::min((box.bounds[1 - y][1] - origin.Y()) * inverse[1],
                                                  (box.bounds[1 - z][2] - origin.Z()) * inverse[2]));
            // Written whether kept or not, which spares a branch that
            // chance decides.
            deferredFaces[deferredCount] = DeferredFace{entry, box.face};
            deferredCount += entry <= exit && exit > 0.0 ? 1 : 0;
        }
    }
    const double deferralWidening = scene.DeferralWidening(currentSolid);

    // The nearest point ahead that its surface keeps. On equal distances the
    // point of the surface listed first stays, and of one surface the point
    // it gives first. The same distance on two surfaces means a point on
    // both, and the trace ends there on the edge test whichever surface is
    // kept. Points are offered to their surface's Contains nearest first, so
    // that most legs ask one surface only; a deferred face is worked out as
    // soon as a point of it could be as near as the nearest point so far.
    for (;;)
    {
        std::size_t closest = NoSurface;
        double smallestDistance = std::numeric_limits<double>::max();
        const Crossing* const found = crossings.data();
        const std::size_t crossingCount = crossings.size();
        for (std::size_t i = 0; i < crossingCount; ++i)
        {
            const Crossing& crossing = found[i];
            if (crossing.distance < smallestDistance ||
                (crossing.distance == smallestDistance && closest != NoSurface &&
                 crossing.surfaceIndex < found[closest].surfaceIndex))
            {
                smallestDistance = crossing.distance;
                closest = i;
            }
        }
        if (deferredCount > 0)
        {
            std::size_t next = 0;
            for (std::size_t i = 1; i < deferredCount; ++i)
            {
                next = deferredFaces[i].entry < deferredFaces[next].entry ? i : next;
            }
            // A point is as far as its line parameter to within a few 1e-16
            // of it and of the coordinates.
            const double entry = deferredFaces[next].entry;
            if (closest == NoSurface ||
                smallestDistance >= entry - (deferralWidening + 1e-12 * std::fabs(entry)))
            {
                const std::size_t surfaceIndex = deferredFaces[next].surfaceIndex;
                deferredFaces[next] = deferredFaces[--deferredCount];
                AddCurvedFaceCrossings(span, surfaceIndex);
                continue;
            }
        }
        if (closest == NoSurface)
        {
            return NoSurface;
        }
        Crossing& candidate = crossings[closest];
        const SurfaceShape& face = faces[candidate.surfaceIndex];
        if (!candidate.containmentPending || IsCertainlyOn(face, candidate.point) ||
            face.surface->Contains(candidate.point))
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
