#include "AcousticRules.h"

#include "IRayTracer.h"
#include "SnellLaw.h"

#include <cmath>
#include <stdexcept>

using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

StopCondition AcousticRules::StopConditionOf(const TraceStop& stop, const char* method)
{
    const double amount = stop.GetAmount();
    const bool valid = std::isfinite(amount) && amount >= 0.0;
    switch (stop.GetKind())
    {
    case TraceStop::Kind::Legs:
        break;
    case TraceStop::Kind::Length:
        if (!valid)
        {
            throw std::invalid_argument(std::string(method) +
                                        " : The total length must be positive or zero, and finite.");
        }
        return StopCondition::AfterLength(amount);
    case TraceStop::Kind::Time:
        if (!valid)
        {
            throw std::invalid_argument(std::string(method) +
                                        " : The total time must be positive or zero, and finite.");
        }
        return StopCondition::AfterTime(amount);
    }
    return StopCondition::AfterLegs(stop.GetLegCount());
}

bool AcousticRules::StopsAtOnce(const TraceStop& stop)
{
    return stop.GetKind() == TraceStop::Kind::Legs ? stop.GetLegCount() == 0 : stop.GetAmount() == 0.0;
}

void AcousticRules::CheckModes(const std::vector<WaveMode>& modes, const char* method)
{
    for (const WaveMode mode : modes)
    {
        if (mode != WaveMode::L && mode != WaveMode::T)
        {
            throw std::invalid_argument(std::string(method) + " : Every wave mode must be L or T.");
        }
    }
}

AcousticRules::AcousticRules(const StopCondition& stopCondition,
                             const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
                             const std::vector<WaveMode>& modes, const std::vector<Material>& materials,
                             const char* method)
    : stopAtStart(stopCondition), stopCondition(stopCondition), behaviorsAtInterfaces(behaviorsAtInterfaces),
      modes(modes), materials(materials), method(method)
{
    waves.reserve(MaximumLegCount);
}

void AcousticRules::Restart()
{
    stopCondition = stopAtStart;
    mode = WaveMode::L;
    speed = 0.0;
    waves.clear();
    message.clear();
}

bool AcousticRules::Begin(std::size_t solid, TraceEnding& ending)
{
    if (!Enter(1, solid))
    {
        ending = TraceEnding::Error;
        return false;
    }
    return true;
}

bool AcousticRules::StopsAfter(const TraceLeg& leg)
{
    // Millimetres over metres per second: milliseconds, hence the 1000 for
    // microseconds.
    const double time = 1000.0 * leg.segment.Length() / speed;
    waves.push_back(Wave{mode, speed, time});
    return stopCondition.Reached(leg.segment, time);
}

TraceEnding AcousticRules::StopEnding() const
{
    return stopCondition.Ending();
}

BehaviorAtInterface AcousticRules::BehaviorAt(std::size_t legCount, const ISurface* surface)
{
    return behaviorsAtInterfaces.size() >= legCount ? behaviorsAtInterfaces[legCount - 1](surface) : Reflect;
}

bool AcousticRules::Steer(const InterfaceCrossing& crossing, Vector& outgoing, TraceEnding& ending)
{
    const double incidentSpeed = speed;
    if (!Enter(crossing.legCount + 1, crossing.toSolid))
    {
        ending = TraceEnding::Error;
        return false;
    }
    if (!SnellDirection(crossing.incident, crossing.normal, crossing.behavior, incidentSpeed, speed,
                        outgoing))
    {
        ending = TraceEnding::CriticalAngle;
        return false;
    }
    return true;
}

bool AcousticRules::Enter(std::size_t legCount, std::size_t solid)
{
    // A leg without a mode of its own keeps the previous leg's; the first
    // is L.
    if (legCount <= modes.size())
    {
        mode = modes[legCount - 1];
    }
    const Material& material = materials[solid];
    speed = material.GetSpeed(mode);
    if (speed > 0.0)
    {
        return true;
    }
    message = std::string(method) + " : Leg " + std::to_string(legCount) + " cannot be a T wave: \"" +
              material.GetName() + "\" carries no shear wave.";
    return false;
}

} // namespace Quoria
