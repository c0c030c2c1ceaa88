#pragma once

#include "BeamAngles.h"
#include "BehaviorAtInterface.h"
#include "IRayTracer.h"
#include "ISurface.h"
#include "Point.h"
#include "QuoriaExport.h"
#include "Solid.h"
#include "TraceEnding.h"
#include "TraceStop.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Quoria
{

// One beam of a batch: where it enters and at which angles.
struct BatchBeam
{
    Tessam::Geometry3D::Point entryPoint;
    BeamAngles angles;
};

struct BatchOptions
{
    // Worker threads; 0 means one per hardware thread.
    unsigned int threadCount = 0;
    // Called on the caller's thread, at most about every 50 ms while the
    // batch runs and once at the end, with the beams done and the total.
    // Returning false cancels: the beams not yet traced are marked Cancelled.
    std::function<bool(std::size_t done, std::size_t total)> progress;
};

// The legs of every beam of a batch as flat arrays, in the order of the
// beams: the legs of beam i are those from legOffsets[i] to
// legOffsets[i + 1] (excluded).
struct BatchResult
{
    // N + 1 offsets into the per-leg arrays.
    std::vector<std::size_t> legOffsets;
    // Per leg: x, y, z of its start and of its end (three per leg), its
    // length, the index of the solid it runs in, the index in that solid's
    // GetSurfaces() of the face where it ends (-1 for none), and the
    // behaviour there (as in TraceLeg).
    std::vector<double> starts;
    std::vector<double> ends;
    std::vector<double> lengths;
    std::vector<std::int32_t> solids;
    std::vector<std::int32_t> faces;
    std::vector<std::int32_t> behaviors;
    // Per beam: how it ended (Error for a beam refused or failed, Cancelled
    // for one not traced), and for a failed beam the message of its
    // exception (empty otherwise).
    std::vector<TraceEnding> endings;
    std::vector<std::string> messages;

    std::size_t BeamCount() const { return endings.size(); }
    std::size_t LegCount() const { return lengths.size(); }
};

// Traces every beam with the same stop condition (Legs or Length),
// behaviours and laws, on several threads, through a tracer made by
// CreateRayTracer or through copies of the given solids. The legs of each
// beam are bit for bit those that CalculateLegsFromEntryPoint returns for
// it, whatever the thread count. A beam that the tracer refuses, or whose
// behaviour or law throws, fails alone with that message; the others are
// traced. Behaviour functions and laws may be called from several threads
// at once and must allow it. The tracer is only read: it must not trace
// meanwhile.
QUORIA_API BatchResult TraceBatch(IRayTracer* tracer, const std::vector<BatchBeam>& beams,
                                  const TraceStop& stop,
                                  const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces,
                                  const std::vector<std::function<double(double)>>& lawsAtInterfaces = {},
                                  const BatchOptions& options = {});
QUORIA_API BatchResult
TraceBatch(IRayTracer* tracer, const std::vector<BatchBeam>& beams, const TraceStop& stop,
           const std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>&
               behaviorsAtInterfaces,
           const std::vector<std::function<double(double)>>& lawsAtInterfaces = {},
           const BatchOptions& options = {});
QUORIA_API BatchResult TraceBatch(const std::vector<const Tessam::Geometry3D::Solid*>& solids,
                                  const std::vector<BatchBeam>& beams, const TraceStop& stop,
                                  const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces,
                                  const std::vector<std::function<double(double)>>& lawsAtInterfaces = {},
                                  const BatchOptions& options = {});
QUORIA_API BatchResult
TraceBatch(const std::vector<const Tessam::Geometry3D::Solid*>& solids, const std::vector<BatchBeam>& beams,
           const TraceStop& stop,
           const std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>&
               behaviorsAtInterfaces,
           const std::vector<std::function<double(double)>>& lawsAtInterfaces = {},
           const BatchOptions& options = {});

} // namespace Quoria
