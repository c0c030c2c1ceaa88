#pragma once

// Turns the fuzzer's bytes into the values the harnesses need. Doubles are
// drawn mostly from the places where geometry code breaks: zero of both signs,
// the limits of the documented ranges and one step either side of them, NaN,
// infinities, denormals, huge and tiny values, and small multiples of 1/4 that
// make vertices, tangencies and shared edges coincide exactly.

#include "DocumentedMessages.h"
#include "Pi.h"
#include "Point.h"
#include "Vector.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace QuoriaFuzz
{

using QuoriaTesting::HalfPi;
using QuoriaTesting::IsDocumentedMessage;
using QuoriaTesting::Pi;

class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : provider(data, size) {}

    bool Empty() { return provider.remaining_bytes() == 0; }

    int Choose(int count) { return provider.ConsumeIntegralInRange<int>(0, count - 1); }

    bool Flag() { return provider.ConsumeBool(); }

    std::uint32_t Word() { return provider.ConsumeIntegral<std::uint32_t>(); }

    // Any double at all, special values much more often than chance.
    double AnyDouble()
    {
        switch (Choose(4))
        {
        case 0:
            return Special();
        case 1:
            return Grid(64.0);
        case 2:
            return provider.ConsumeFloatingPointInRange<double>(-1000.0, 1000.0);
        default:
            return RawBits();
        }
    }

    // Lengths for solids that must exist: no NaN, zero, negative or tiny
    // sizes. A cylinder thinner than the 1e-11 tolerance contains its own
    // axis, where its normal is the null vector, so it cannot be traced.
    void TameLengths() { tame = true; }

    // A length meant to be valid, now and then replaced by any double.
    double Length(double largest)
    {
        if (Choose(16) == 0)
        {
            if (tame)
            {
                static const double extremes[] = {1e-3, 1e3, 1e6, 1e9};
                return extremes[Choose(4)];
            }
            return AnyDouble();
        }
        largest = Bounded(largest);
        if (Flag())
        {
            return 0.25 * (1 + Choose(static_cast<int>(4.0 * largest)));
        }
        return provider.ConsumeFloatingPointInRange<double>(1e-3, largest);
    }

    // An angle in radians, near the limits of [-pi/2, pi/2] often.
    double AngleValue()
    {
        switch (Choose(6))
        {
        case 0:
            return AnyDouble();
        case 1:
        {
            const double limit = Flag() ? HalfPi : -HalfPi;
            return Choose(3) == 0 ? limit : std::nextafter(limit, Flag() ? 10.0 : -10.0);
        }
        case 2:
            return Pi / 12.0 * (Choose(25) - 12);
        default:
            return provider.ConsumeFloatingPointInRange<double>(-HalfPi, HalfPi);
        }
    }

    // A multiple of 1/4 in [-limit, limit].
    double Grid(double limit)
    {
        const int steps = static_cast<int>(4.0 * Bounded(limit));
        return 0.25 * provider.ConsumeIntegralInRange<int>(-steps, steps);
    }

    double Fraction() { return provider.ConsumeProbability<double>(); }

    Tessam::Geometry3D::Point AnyPoint()
    {
        return Tessam::Geometry3D::Point(AnyDouble(), AnyDouble(), AnyDouble());
    }

    Tessam::Geometry3D::Point GridPoint(double limit)
    {
        return Tessam::Geometry3D::Point(Grid(limit), Grid(limit), Grid(limit));
    }

    // A direction that is usually a unit-length-ish vector, sometimes anything.
    Tessam::Geometry3D::Vector Direction()
    {
        if (Choose(8) == 0)
        {
            return Tessam::Geometry3D::Vector(AnyDouble(), AnyDouble(), AnyDouble());
        }
        return Tessam::Geometry3D::Vector(provider.ConsumeFloatingPointInRange<double>(-1.0, 1.0),
                                          provider.ConsumeFloatingPointInRange<double>(-1.0, 1.0),
                                          provider.ConsumeFloatingPointInRange<double>(-1.0, 1.0));
    }

private:
    // The harnesses derive ranges from drawn values; keep them usable.
    static double Bounded(double limit)
    {
        return limit >= 0.25 && limit <= 1e6 ? limit : (limit > 1e6 ? 1e6 : 0.25);
    }

    double Special()
    {
        static const double values[] = {0.0,
                                        -0.0,
                                        1.0,
                                        -1.0,
                                        0.5,
                                        2.0,
                                        std::numeric_limits<double>::quiet_NaN(),
                                        -std::numeric_limits<double>::quiet_NaN(),
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity(),
                                        std::numeric_limits<double>::max(),
                                        -std::numeric_limits<double>::max(),
                                        std::numeric_limits<double>::min(),
                                        std::numeric_limits<double>::denorm_min(),
                                        -std::numeric_limits<double>::denorm_min(),
                                        std::numeric_limits<double>::epsilon(),
                                        1e-300,
                                        -1e-300,
                                        1e-12,
                                        1e-11,
                                        1e-9,
                                        1e-6,
                                        1e6,
                                        1e12,
                                        1e150,
                                        1e300,
                                        -1e300,
                                        HalfPi,
                                        -HalfPi,
                                        std::nextafter(HalfPi, 0.0),
                                        std::nextafter(-HalfPi, 0.0),
                                        std::nextafter(HalfPi, 10.0),
                                        Pi,
                                        -Pi,
                                        2.0 * Pi,
                                        4294967296.0,
                                        -2147483649.0};
        return values[Choose(static_cast<int>(sizeof(values) / sizeof(values[0])))];
    }

    double RawBits()
    {
        const std::uint64_t bits = provider.ConsumeIntegral<std::uint64_t>();
        double value;
        static_assert(sizeof(value) == sizeof(bits), "a double is 64 bits");
        std::memcpy(&value, &bits, sizeof(value));
        return value;
    }

    FuzzedDataProvider provider;
    bool tame = false;
};

// Set QUORIA_FUZZ_VERBOSE to see what the inputs did while replaying them.
inline bool Verbose()
{
    static const bool verbose = std::getenv("QUORIA_FUZZ_VERBOSE") != nullptr;
    return verbose;
}

// A rejected argument is fine; any other text is a finding.
inline void RequireDocumented(const std::invalid_argument& error)
{
    if (Verbose())
    {
        std::fprintf(stderr, "rejected: %s\n", error.what());
    }
    if (!IsDocumentedMessage(error.what()))
    {
        std::fprintf(stderr, "undocumented message: \"%s\"\n", error.what());
        std::abort();
    }
}

} // namespace QuoriaFuzz
