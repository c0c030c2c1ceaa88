#pragma once

#include "IRayTracer.h"
#include "ISurface.h"
#include "Line.h"
#include "Vector.h"

#include <cstddef>
#include <functional>
#include <utility>
#include <memory>
#include <vector>

namespace Quoria
{

// The tracer behind CreateRayTracer. It owns deep copies of the caller's
// solids and keeps the solid the beam travels in as working state, so one
// tracer runs one computation at a time.
class RayTracer : public IRayTracer
{
public:
    static constexpr std::size_t MaximumLegCount = 250;

    // Throws for an empty configuration and for a null solid; nothing is
    // leaked when a Clone throws half-way.
    explicit RayTracer(std::vector<const Tessam::Geometry3D::Solid*> solids);
    RayTracer(const RayTracer&) = delete;
    RayTracer& operator=(const RayTracer&) = delete;
    ~RayTracer() override;

    std::vector<Tessam::Geometry3D::LineSegment>
    CalculateLegsFromEntryPoint(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                                double totalRayLength, std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                                std::vector<std::function<double(double)>> lawsAtInterfaces) override;
    std::vector<Tessam::Geometry3D::LineSegment>
    CalculateLegsFromEntryPoint(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                                unsigned int totalLegCount,
                                std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                                std::vector<std::function<double(double)>> lawsAtInterfaces) override;
    std::vector<Tessam::Geometry3D::LineSegment> CalculateLegsFromEntryPoint(
        const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles, double totalRayLength,
        std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>
            behaviorsAtInterfaces,
        std::vector<std::function<double(double)>> lawsAtInterfaces) override;
    std::vector<Tessam::Geometry3D::LineSegment> CalculateLegsFromEntryPoint(
        const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles, unsigned int totalLegCount,
        std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>
            behaviorsAtInterfaces,
        std::vector<std::function<double(double)>> lawsAtInterfaces) override;
    std::vector<const Tessam::Geometry3D::ISolid*> GetConfiguration() const override;

private:
    using StopCondition = std::function<bool(Tessam::Geometry3D::LineSegment)>;
    using BehaviorFunction = std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>;
    using LawAtInterface = std::function<double(double)>;
    // Grouped by surface in the solid's surface order, with the points of one
    // surface in the order it gave them.
    using Intersections = std::vector<std::pair<const Tessam::Geometry3D::ISurface*, Tessam::Geometry3D::Point>>;

    std::vector<Tessam::Geometry3D::LineSegment>
    CalculateLegs(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                  const StopCondition& stopCondition,
                  const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
                  const std::vector<LawAtInterface>& lawsAtInterfaces);

    const Tessam::Geometry3D::ISurface* FindEntrySurface(const Tessam::Geometry3D::Point& entryPoint);
    const Tessam::Geometry3D::ISurface*
    FindSurfaceContainingPoint(const Tessam::Geometry3D::Point& point) const;
    bool IsOnSeveralSurfaces(const Tessam::Geometry3D::Point& point) const;
    static Tessam::Geometry3D::Vector ComputeBeamDirection(const Tessam::Geometry3D::ISurface* entrySurface,
                                                           const Tessam::Geometry3D::Point& entryPoint,
                                                           const BeamAngles& angles);

    void TraceRay(Tessam::Geometry3D::Line ray, const StopCondition& stopCondition,
                  const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
                  const std::vector<LawAtInterface>& lawsAtInterfaces,
                  std::vector<Tessam::Geometry3D::LineSegment>& legs);
    Intersections ComputeIntersections(const Tessam::Geometry3D::Line& ray) const;
    static Intersections::const_iterator FindClosestIntersection(const Tessam::Geometry3D::Line& ray,
                                                                 const Intersections& intersections);
    bool FindAdjacentSolid(const Tessam::Geometry3D::Point& point);

    static Tessam::Geometry3D::Vector ReflectDirection(const Tessam::Geometry3D::Vector& incidentRayDirection,
                                                       const Tessam::Geometry3D::Vector& surfaceNormal);
    static Tessam::Geometry3D::Vector ApplyLawAtInterface(const Tessam::Geometry3D::Vector& rayDirection,
                                                          const Tessam::Geometry3D::Vector& surfaceNormal,
                                                          const LawAtInterface& lawAtInterface);

    const Tessam::Geometry3D::ISolid* currentSolid;
    std::vector<std::unique_ptr<const Tessam::Geometry3D::ISolid>> ownedSolids;
    // A view of ownedSolids, in the caller's order.
    std::vector<const Tessam::Geometry3D::ISolid*> configuration;
};

} // namespace Quoria
