#pragma once

#include "QuoriaExport.h"

#include <cstdint>

namespace Quoria
{

// How a trace ended; shared by every call that reports endings.
enum class TraceEnding : std::int32_t
{
    // The leg count asked for was reached.
    Legs = 0,
    // The total length asked for was reached.
    Length = 1,
    // A leg ended on an edge or a corner (on two faces of its solid), or
    // where its face has no normal to continue from (a cone's apex, the
    // axis of a bore thinner than the tolerance).
    Edge = 2,
    // A Stop behaviour, or any value other than Reflect and Transmit.
    Stop = 3,
    // Transmit with no solid beyond the face.
    Exit = 4,
    // The tracer's limit of MaximumLegCount legs.
    Limit = 5,
    // No face ahead of the beam.
    Open = 6,
    // No outgoing wave exists at the interface: past a critical angle.
    CriticalAngle = 7,
    // The beam could not be traced; a message says why.
    Error = 8,
    // The caller cancelled a batch before this beam was traced.
    Cancelled = 9,
    // The travel time asked for was reached.
    Time = 10
};

// The ending's name as reports print it: "legs", "length", "edge", "stop",
// "exit", "limit", "open", "critical-angle", "error", "cancelled", "time";
// "unknown" for any other value.
QUORIA_API const char* TraceEndingName(TraceEnding ending);

} // namespace Quoria
