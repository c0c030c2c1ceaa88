#pragma once

namespace Quoria
{

// When a trace of the batch or acoustic calls ends: after a number of legs,
// once the legs reach a total length (the last leg is never shortened), or,
// for the acoustic tracer only, once they reach a total travel time in
// microseconds. The calls that take it check the amount.
class TraceStop
{
public:
    enum class Kind
    {
        Legs,
        Length,
        Time
    };

    static TraceStop Legs(unsigned int totalLegCount) { return TraceStop(Kind::Legs, totalLegCount, 0.0); }
    static TraceStop Length(double totalRayLength) { return TraceStop(Kind::Length, 0, totalRayLength); }
    static TraceStop Time(double totalMicroseconds) { return TraceStop(Kind::Time, 0, totalMicroseconds); }

    Kind GetKind() const { return kind; }
    unsigned int GetLegCount() const { return legCount; }
    // The length or the time.
    double GetAmount() const { return amount; }

private:
    TraceStop(Kind kind, unsigned int legCount, double amount)
        : kind(kind), legCount(legCount), amount(amount)
    {
    }

    Kind kind;
    unsigned int legCount;
    double amount;
};

} // namespace Quoria
