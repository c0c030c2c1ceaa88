#include "TraceEnding.h"

namespace Quoria
{

const char* TraceEndingName(TraceEnding ending)
{
    switch (ending)
    {
    case TraceEnding::Legs:
        return "legs";
    case TraceEnding::Length:
        return "length";
    case TraceEnding::Edge:
        return "edge";
    case TraceEnding::Stop:
        return "stop";
    case TraceEnding::Exit:
        return "exit";
    case TraceEnding::Limit:
        return "limit";
    case TraceEnding::Open:
        return "open";
    case TraceEnding::CriticalAngle:
        return "critical-angle";
    case TraceEnding::Error:
        return "error";
    case TraceEnding::Cancelled:
        return "cancelled";
    case TraceEnding::Time:
        return "time";
    }
    return "unknown";
}

} // namespace Quoria
