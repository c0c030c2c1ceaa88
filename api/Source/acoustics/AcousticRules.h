#pragma once

#include "Material.h"
#include "RayTracer.h"
#include "TraceRules.h"
#include "TraceStop.h"
#include "WaveMode.h"

#include <cstddef>
#include <string>
#include <vector>

namespace Quoria
{

// The rules of a trace of sound: the caller's behaviours (missing elements
// mean Reflect), the wave mode of each leg, and Snell's law between the
// speeds on either side of every interface.
class AcousticRules : public TraceRules
{
public:
    using BehaviorFunction = LineRules::BehaviorFunction;

    // What runs along one leg.
    struct Wave
    {
        WaveMode mode;
        // m/s
        double speed;
        // us
        double time;
    };

    // The stop condition of a TraceStop; throws std::invalid_argument,
    // beginning with `method`, for a length or time that is negative, NaN
    // or infinite.
    static StopCondition StopConditionOf(const TraceStop& stop, const char* method);
    // True for a stop that no leg can precede: 0 legs, a length or time of 0.
    static bool StopsAtOnce(const TraceStop& stop);
    // Throws std::invalid_argument, beginning with `method`, for a mode
    // that is neither L nor T.
    static void CheckModes(const std::vector<WaveMode>& modes, const char* method);

    // Keeps references: the arguments must outlive the rules. `method`
    // begins the message of an Error ending.
    AcousticRules(const StopCondition& stopCondition,
                  const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
                  const std::vector<WaveMode>& modes, const std::vector<Material>& materials,
                  const char* method);

    // Ready for another trace with the same arguments, as if new, keeping
    // the room for the waves: a batch makes one set of rules per thread.
    void Restart();

    bool Begin(std::size_t solid, TraceEnding& ending) override;
    bool StopsAfter(const TraceLeg& leg) override;
    TraceEnding StopEnding() const override;
    BehaviorAtInterface BehaviorAt(std::size_t legCount,
                                   const Tessam::Geometry3D::ISurface* surface) override;
    bool Steer(const InterfaceCrossing& crossing, Tessam::Geometry3D::Vector& outgoing,
               TraceEnding& ending) override;

    // One per leg traced, in order.
    const std::vector<Wave>& Waves() const { return waves; }
    // Why the trace ended with Error; empty otherwise.
    const std::string& Message() const { return message; }

private:
    // Makes leg `legCount` run in `solid` with its mode; false, with the
    // message, where that medium has no wave of the mode.
    bool Enter(std::size_t legCount, std::size_t solid);

    const StopCondition& stopAtStart;
    StopCondition stopCondition;
    const std::vector<BehaviorFunction>& behaviorsAtInterfaces;
    const std::vector<WaveMode>& modes;
    const std::vector<Material>& materials;
    const char* method;
    // The wave of the leg being traced.
    WaveMode mode = WaveMode::L;
    double speed = 0.0;
    std::vector<Wave> waves;
    std::string message;
};

} // namespace Quoria
