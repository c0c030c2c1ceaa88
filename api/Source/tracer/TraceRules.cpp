#include "TraceRules.h"

namespace Quoria
{

StopCondition StopCondition::AfterLegs(unsigned int totalLegCount)
{
    return StopCondition(Kind::Legs, totalLegCount, 0.0);
}

StopCondition StopCondition::AfterLength(double totalRayLength)
{
    return StopCondition(Kind::Length, 0, totalRayLength);
}

StopCondition StopCondition::AfterTime(double totalTime)
{
    return StopCondition(Kind::Time, 0, totalTime);
}

TraceEnding StopCondition::Ending() const
{
    switch (kind)
    {
    case Kind::Legs:
        return TraceEnding::Legs;
    case Kind::Length:
        return TraceEnding::Length;
    case Kind::Time:
        break;
    }
    return TraceEnding::Time;
}

bool TraceRules::Begin(std::size_t, TraceEnding&)
{
    return true;
}

} // namespace Quoria
