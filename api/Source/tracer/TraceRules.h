#pragma once

#include "BehaviorAtInterface.h"
#include "ISurface.h"
#include "RelativeCheckEqual.h"
#include "TraceEnding.h"
#include "TraceReport.h"
#include "Vector.h"

#include <cstddef>
#include <cstdint>

namespace Quoria
{

// An interface where the beam goes on, as the rules see it when they choose
// the next direction.
struct InterfaceCrossing
{
    // The leg that ends here is leg `legCount`, counted from 1.
    std::size_t legCount;
    // Reflect or Transmit.
    BehaviorAtInterface behavior;
    // The unit direction of that leg.
    Tessam::Geometry3D::Vector incident;
    // The unit outward normal of the face hit, of the solid the leg ran in.
    Tessam::Geometry3D::Vector normal;
    // Where the leg ran and where the next one runs: the same solid for a
    // reflection.
    std::size_t fromSolid;
    std::size_t toSolid;
};

// The stop condition of one trace: a leg count, a total length or a total
// travel time, counted down leg by leg. A copy starts a new count.
class StopCondition
{
public:
    static StopCondition AfterLegs(unsigned int totalLegCount);
    static StopCondition AfterLength(double totalRayLength);
    static StopCondition AfterTime(double totalTime);

    // Counts one more leg; true once the total is reached. The last leg is
    // never shortened: the legs reach or pass the total.
    bool Reached(const Tessam::Geometry3D::LineSegment& leg, double legTime)
    {
        switch (kind)
        {
        case Kind::Legs:
            ++legCount;
            return legCount >= totalLegCount;
        case Kind::Length:
            remaining -= leg.Length();
            return remaining <= 0.0;
        case Kind::Time:
            remaining -= legTime;
            return remaining <= 0.0;
        }
        return true;
    }
    TraceEnding Ending() const;
    // For a condition that counts time, the rules must work out each leg's.
    bool CountsTime() const { return kind == Kind::Time; }

private:
    enum class Kind
    {
        Legs,
        Length,
        Time
    };
    StopCondition(Kind kind, unsigned int totalLegCount, double remaining)
        : kind(kind), totalLegCount(totalLegCount), remaining(remaining)
    {
    }

    Kind kind;
    std::uint32_t legCount = 0;
    std::uint32_t totalLegCount;
    // A NaN remainder never reaches 0: such a trace runs to another ending.
    double remaining;
};

// What a trace does at its ends and interfaces: the tracing core walks the
// beam from face to face and asks these, in this order, for each leg.
class TraceRules
{
public:
    virtual ~TraceRules() = default;

    // Before the first leg, in the solid the beam enters: false ends the
    // trace there with `ending`.
    virtual bool Begin(std::size_t solid, TraceEnding& ending);
    // After each leg, whose behaviour is not known yet: true ends the trace
    // with StopEnding().
    virtual bool StopsAfter(const TraceLeg& leg) = 0;
    virtual TraceEnding StopEnding() const = 0;
    // What to do where leg `legCount` ends, on `surface`.
    virtual BehaviorAtInterface BehaviorAt(std::size_t legCount,
                                           const Tessam::Geometry3D::ISurface* surface) = 0;
    // The direction of the next leg: false ends the trace at the interface
    // with `ending`.
    virtual bool Steer(const InterfaceCrossing& crossing, Tessam::Geometry3D::Vector& outgoing,
                       TraceEnding& ending) = 0;
};

// The test that guards reflections and laws: a direction or a normal the
// beam can turn about.
inline bool IsUnitVector(const Tessam::Geometry3D::Vector& vector)
{
    return Tessam::Geometry3D::RelativeCheckEqual(vector.Length(), 1.0);
}

} // namespace Quoria
