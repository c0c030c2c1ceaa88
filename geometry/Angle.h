#pragma once

#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// Radians to degrees; computed once when the library is loaded.
QUORIA_API extern const double RadiansToDegrees;

// An angle in radians. The value is stored as given: it is never wrapped
// into [0, 2*pi) or (-pi, pi].
class QUORIA_API Angle
{
public:
    static Angle FromRadians(double radians) { return Angle(radians); }
    static Angle FromDegrees(double degrees);

    double Radians() const { return radians; }
    double Degrees() const;

    bool operator==(const Angle& other) const;
    bool operator!=(const Angle& other) const;

private:
    explicit Angle(double radians) : radians(radians) {}

    double radians;
};

} // namespace Geometry3D
} // namespace Tessam
