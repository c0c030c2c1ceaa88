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

// Many beams through one configuration in one call, on every core, with the
// legs of all of them in flat arrays (one array per quantity, in the order of
// the beams) that a binding hands to numpy, a plot or a GPU buffer as they
// are. Coordinates and lengths are in the configuration's unit, angles in
// radians, as everywhere in the library.

// One beam: where it enters and at which angles, as for
// CalculateLegsFromEntryPoint.
struct BatchBeam
{
    Tessam::Geometry3D::Point entryPoint;
    BeamAngles angles;
};

// Nothing here needs setting.
struct BatchOptions
{
    // The threads that trace, the caller's own included (it traces too); 0
    // means one per hardware thread. No more threads are used than there are
    // beams; if the system refuses to start some, the others trace every beam.
    // Starting a thread costs tens of microseconds, about a hundred legs.
    unsigned int threadCount = 0;
    // Optional. Called on the caller's thread with the number of beams done
    // and the total: at most about every 50 ms while the batch runs, and once
    // at the end with done == total. Returning false cancels the batch: the
    // beams being traced are finished, with the few after them that their
    // thread had taken (usually tens of microseconds of tracing: threads take
    // quick beams several at a time), no other is started, and the callback
    // is not called again. An exception it throws cancels the batch too, and
    // reaches the caller of TraceBatch once every thread has stopped.
    std::function<bool(std::size_t done, std::size_t total)> progress;
};

// The legs of a batch of N beams, L legs in all. Arrays "per leg" hold the
// legs of beam 0, then those of beam 1, and so on; they are reserved from the
// stop condition, so they may have room for more legs than they hold
// (shrink_to_fit gives it back).
struct BatchResult
{
    // N + 1 offsets: the legs of beam i are those from legOffsets[i] to
    // legOffsets[i + 1] (excluded); legOffsets[N] == L. Signed, like numpy's
    // indices.
    std::vector<std::int64_t> legOffsets;
    // Per leg, shape (L, 3), row by row: x, y, z of its start and of its end.
    // A leg starts where the previous leg of its beam ends.
    std::vector<double> starts;
    std::vector<double> ends;
    // Per leg: the distance from its start to its end (LineSegment::Length).
    std::vector<double> lengths;
    // Per leg: the index in the configuration of the solid it runs in.
    std::vector<std::int32_t> solids;
    // Per leg: the index in that solid's GetSurfaces() of the face where it
    // ends, -1 for none (which the library's solids never give).
    std::vector<std::int32_t> faces;
    // Per leg: the BehaviorAtInterface value where it ends, as in TraceLeg:
    // Stop on the last leg of a beam that ended before a behaviour was asked.
    std::vector<std::int32_t> behaviors;
    // Per beam: how it ended, as CalculateTrace reports it; Error for a beam
    // that failed and Cancelled for one that was not traced because the
    // caller cancelled. Neither has legs.
    std::vector<TraceEnding> endings;
    // Per beam: why it failed, empty unless its ending is Error:
    // - the message CalculateLegsFromEntryPoint throws for a beam it refuses,
    //   for example "RayTracer::CalculateLegsFromEntryPoint : Entry point is
    //   not on the configuration or is on a corner.";
    // - what() of a std::exception thrown by a behaviour function or a law;
    // - "TraceBatch : A behaviour function or a law threw an exception that
    //   is not a std::exception." for anything else they throw.
    std::vector<std::string> messages;

    std::size_t BeamCount() const { return endings.size(); }
    std::size_t LegCount() const { return lengths.size(); }
};

// Traces every beam with one stop condition (TraceStop::Legs or
// TraceStop::Length, never Time), one list of behaviours (or of behaviour
// functions) and one list of laws, which apply to each beam as they do to a
// call of CalculateLegsFromEntryPoint: element i where leg i + 1 ends. The
// configuration is that of a tracer made by CreateRayTracer, or copies of the
// given solids, made as CreateRayTracer makes them and dropped on return.
//
// Results: the legs of each beam are bit for bit those that
// CalculateLegsFromEntryPoint returns for it, and its ending the one
// CalculateTrace reports, in the order of the beams, whatever the number of
// threads and however they share the beams. A length or leg count of 0 gives every beam no leg and the ending
// Length or Legs, before any beam is checked. After a cancellation the beams
// traced are always the first ones: beam i is Cancelled only if every beam
// after it is too.
//
// Refused at once with std::invalid_argument, before any beam is traced, in
// this order:
// - a tracer not made by CreateRayTracer: "TraceBatch : The tracer must be
//   one made by CreateRayTracer."; an empty list of solids or a null solid:
//   "TraceBatch : The configuration must contain at least one solid.",
//   "TraceBatch : The configuration must not contain a null solid.";
// - a Time stop: "TraceBatch : The stop condition must be a leg count or a
//   length.";
// - a negative length: "TraceBatch : Requested total ray length must be
//   larger than 0." (a NaN length is never reached, as for the single call).
// A beam that CalculateLegsFromEntryPoint would refuse (entry point on no
// face or on an edge, refraction angle out of range), or whose behaviour
// function or law throws, fails alone (see BatchResult::messages); every
// other beam is traced. No exception of a beam escapes.
//
// Threads: behaviour functions and laws are called from several threads at
// once and must allow it (a function of its argument alone does). The tracer
// is only read, never its working state: several batches may run over one
// tracer at once, and it must outlive the call. The progress callback runs on
// the caller's thread only.
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
