#pragma once

#include "IRayTracer.h"
#include "ISurface.h"
#include "TraceReport.h"
#include "TraceRules.h"
#include "TraceScene.h"
#include "TraceWalker.h"
#include "Vector.h"

#include <functional>
#include <vector>

namespace Quoria
{

// The rules of a trace of straight lines: the caller's behaviour and law at
// each interface (element i where leg i + 1 ends; missing elements mean
// Reflect and no law) and a leg-count or length stop.
class LineRules : public TraceRules
{
public:
    using BehaviorFunction = std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>;
    using LawAtInterface = std::function<double(double)>;

    // Keeps references: the behaviours and laws must outlive the rules.
    LineRules(const StopCondition& stopCondition, const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
              const std::vector<LawAtInterface>& lawsAtInterfaces);

    bool StopsAfter(const TraceLeg& leg) override;
    TraceEnding StopEnding() const override;
    BehaviorAtInterface BehaviorAt(std::size_t legCount,
                                   const Tessam::Geometry3D::ISurface* surface) override;
    bool Steer(const InterfaceCrossing& crossing, Tessam::Geometry3D::Vector& outgoing,
               TraceEnding& ending) override;

private:
    StopCondition stopCondition;
    const std::vector<BehaviorFunction>& behaviorsAtInterfaces;
    const std::vector<LawAtInterface>& lawsAtInterfaces;
};

// The tracer behind CreateRayTracer. It owns deep copies of the caller's
// solids and keeps the solid the beam travels in as working state, so one
// tracer runs one computation at a time.
class RayTracer : public IRayTracer
{
public:
    using BehaviorFunction = LineRules::BehaviorFunction;
    using LawAtInterface = LineRules::LawAtInterface;

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

    // Traces with the rules given; the legs stay in Walker() until the next
    // computation. Throws the tracer's messages for a refused beam.
    TraceEnding Run(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles, TraceRules& rules);
    const TraceWalker& Walker() const { return walker; }
    const TraceScene& Scene() const { return scene; }

    // The stop condition of a computation; the two early returns of a zero
    // length or leg count are the caller's.
    static StopCondition LengthStop(double totalRayLength);
    static StopCondition LegCountStop(unsigned int totalLegCount);
    static std::vector<BehaviorFunction>
    BehaviorsAsFunctions(const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces);

    static Tessam::Geometry3D::Vector ReflectDirection(const Tessam::Geometry3D::Vector& incidentRayDirection,
                                                       const Tessam::Geometry3D::Vector& surfaceNormal);
    static Tessam::Geometry3D::Vector ApplyLawAtInterface(const Tessam::Geometry3D::Vector& rayDirection,
                                                          const Tessam::Geometry3D::Vector& surfaceNormal,
                                                          const LawAtInterface& lawAtInterface);

private:
    std::vector<Tessam::Geometry3D::LineSegment> Legs() const;

    // The solid the beam is in, left where the last computation ended.
    const Tessam::Geometry3D::ISolid* currentSolid;
    TraceScene scene;
    TraceWalker walker;
};

} // namespace Quoria
