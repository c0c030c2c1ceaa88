#pragma once

#include "BeamAngles.h"
#include "BehaviorAtInterface.h"
#include "ISolid.h"
#include "LineSegment.h"
#include "Point.h"
#include "QuoriaExport.h"
#include "Solid.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace Quoria
{

// No computation returns more legs than this.
constexpr std::size_t MaximumLegCount = 250;

// Traces a beam through a configuration of solids, leg by leg. Element i of
// the behaviours and of the laws applies where leg i + 1 ends; missing
// elements mean Reflect and no law. A law receives and returns the angle, in
// radians, from the outward normal of the surface hit to the outgoing
// direction. The order of the operations is the order of the virtual table.
class QUORIA_API IRayTracer
{
public:
    virtual std::vector<Tessam::Geometry3D::LineSegment>
    CalculateLegsFromEntryPoint(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                                double totalRayLength, std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                                std::vector<std::function<double(double)>> lawsAtInterfaces) = 0;
    virtual std::vector<Tessam::Geometry3D::LineSegment>
    CalculateLegsFromEntryPoint(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                                unsigned int totalLegCount,
                                std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                                std::vector<std::function<double(double)>> lawsAtInterfaces) = 0;
    virtual std::vector<Tessam::Geometry3D::LineSegment> CalculateLegsFromEntryPoint(
        const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles, double totalRayLength,
        std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>
            behaviorsAtInterfaces,
        std::vector<std::function<double(double)>> lawsAtInterfaces) = 0;
    virtual std::vector<Tessam::Geometry3D::LineSegment> CalculateLegsFromEntryPoint(
        const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles, unsigned int totalLegCount,
        std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>
            behaviorsAtInterfaces,
        std::vector<std::function<double(double)>> lawsAtInterfaces) = 0;
    // The tracer's own copies of the solids, valid while the tracer lives.
    virtual std::vector<const Tessam::Geometry3D::ISolid*> GetConfiguration() const = 0;
    virtual ~IRayTracer();
};

// A tracer over deep copies of the given solids, in order; the caller may
// delete its solids at once and owns the tracer.
QUORIA_API IRayTracer* CreateRayTracer(const Tessam::Geometry3D::Solid* solid);
QUORIA_API IRayTracer* CreateRayTracer(std::vector<const Tessam::Geometry3D::Solid*> solids);

} // namespace Quoria
