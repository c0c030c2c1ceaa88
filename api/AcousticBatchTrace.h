#pragma once

// The batch call of the acoustic tracer. A header of its own, so that
// neither BatchTrace.h nor AcousticTracer.h needs to include the other.

#include "AcousticTracer.h"
#include "BatchTrace.h"
#include "BehaviorAtInterface.h"
#include "ISurface.h"
#include "QuoriaExport.h"
#include "TraceStop.h"
#include "WaveMode.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Quoria
{

// The legs of a batch of sound: every array of BatchResult, with the same
// layout and meaning (lengths in mm), plus the wave of each leg and each
// beam's time of flight. Units as for AcousticTracer: mm, m/s, us.
struct AcousticBatchResult : BatchResult
{
    // Per leg: its WaveMode (L = 0, T = 1).
    std::vector<std::int32_t> modes;
    // Per leg: the speed of that mode in the leg's solid, in m/s.
    std::vector<double> speeds;
    // Per leg: its time of flight, in us.
    std::vector<double> times;
    // Per beam: the sum of its legs' times in order, as AcousticReport::time;
    // 0 for a beam without legs.
    std::vector<double> beamTimes;
};

// Traces every beam as AcousticTracer::Trace traces it, with one stop
// (TraceStop::Legs, Length in mm or Time in us), one list of behaviours (or
// of behaviour functions) and one list of modes, on every core, with the
// guarantees of the ray tracer's TraceBatch: the legs, ending, message and
// time of each beam are bit for bit those of AcousticTracer::Trace, in the
// order of the beams, whatever the number of threads; progress and
// cancellation as BatchOptions says. A stop of 0 gives every beam no leg and
// the stop's ending, before any beam is checked.
//
// Refused at once with std::invalid_argument, before any beam is traced, in
// this order:
// - a negative, NaN or infinite length or time: "TraceBatch : The total
//   length must be positive or zero, and finite.", "TraceBatch : The total
//   time must be positive or zero, and finite.";
// - a mode other than L and T: "TraceBatch : Every wave mode must be L or
//   T.".
// A beam fails alone, with the ending Error and a message in `messages`:
// - where AcousticTracer::Trace would throw for it (an entry point on no face
//   or on an edge, a refraction angle out of range): that message, no legs;
// - where Trace would end it with Error (a T leg in a liquid): Trace's
//   message, and the legs up to that interface, as Trace reports them;
// - where a behaviour function throws: what() of a std::exception, else
//   "TraceBatch : A behaviour function threw an exception that is not a
//   std::exception.", and no legs.
// No exception of a beam escapes.
//
// Threads: behaviour functions are called from several threads at once and
// must allow it. The tracer is only read, never its working state: it may
// trace, or run other batches, meanwhile, and must outlive the call.
QUORIA_API AcousticBatchResult TraceBatch(const AcousticTracer& tracer, const std::vector<BatchBeam>& beams,
                                          const TraceStop& stop,
                                          const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces,
                                          const std::vector<WaveMode>& modes = {},
                                          const BatchOptions& options = {});
QUORIA_API AcousticBatchResult
TraceBatch(const AcousticTracer& tracer, const std::vector<BatchBeam>& beams, const TraceStop& stop,
           const std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>&
               behaviorsAtInterfaces,
           const std::vector<WaveMode>& modes = {}, const BatchOptions& options = {});

} // namespace Quoria
