#pragma once

#include "BeamAngles.h"
#include "BehaviorAtInterface.h"
#include "IRayTracer.h"
#include "ISurface.h"
#include "LineSegment.h"
#include "Point.h"
#include "QuoriaExport.h"
#include "TraceEnding.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace Quoria
{

// The face index of a leg that ends on no face.
constexpr std::size_t NoFace = static_cast<std::size_t>(-1);

// One leg of a trace and what happened where it ends.
struct TraceLeg
{
    Tessam::Geometry3D::LineSegment segment;
    // The solid the leg runs in: its index in the tracer's configuration.
    std::size_t solid;
    // The face where the leg ends: its index in that solid's GetSurfaces(),
    // or NoFace. Every leg of the library's closed solids ends on a face.
    std::size_t face;
    // What the beam did there. The last leg of a trace carries Stop when the
    // trace ended before a behaviour was asked for (legs, length, edge,
    // limit); otherwise the value the behaviour gave, even where it could
    // not be carried out (Transmit for an exit).
    BehaviorAtInterface behavior;
};

// The legs of one trace, in the order travelled, and how it ended. The
// segments are exactly those CalculateLegsFromEntryPoint returns for the
// same arguments.
struct TraceReport
{
    std::vector<TraceLeg> legs;
    TraceEnding ending = TraceEnding::Legs;
};

// CalculateLegsFromEntryPoint with the whole story: the same arguments,
// checks, messages and legs, from a tracer made by CreateRayTracer (any
// other throws std::invalid_argument). A zero length or leg count gives no
// leg and the ending Length or Legs before the beam is checked. Exceptions of
// the behaviours and laws reach the caller.
QUORIA_API TraceReport CalculateTrace(IRayTracer* tracer, const Tessam::Geometry3D::Point& entryPoint,
                                      const BeamAngles& angles, double totalRayLength,
                                      std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                                      std::vector<std::function<double(double)>> lawsAtInterfaces = {});
QUORIA_API TraceReport CalculateTrace(IRayTracer* tracer, const Tessam::Geometry3D::Point& entryPoint,
                                      const BeamAngles& angles, unsigned int totalLegCount,
                                      std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                                      std::vector<std::function<double(double)>> lawsAtInterfaces = {});
QUORIA_API TraceReport
CalculateTrace(IRayTracer* tracer, const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
               double totalRayLength,
               std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>
                   behaviorsAtInterfaces,
               std::vector<std::function<double(double)>> lawsAtInterfaces = {});
QUORIA_API TraceReport
CalculateTrace(IRayTracer* tracer, const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
               unsigned int totalLegCount,
               std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>
                   behaviorsAtInterfaces,
               std::vector<std::function<double(double)>> lawsAtInterfaces = {});

} // namespace Quoria
