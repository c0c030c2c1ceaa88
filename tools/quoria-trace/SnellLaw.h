#pragma once

#include <optional>

namespace QuoriaTrace
{

// Refraction from a medium of wave speed v1 into one of speed v2:
// sin(t2) = (v2 / v1) sin(t1), both angles measured from the normal. The
// library hands a law the angle between the outward normal of the face hit
// and the outgoing direction, which for a transmitted beam is exactly t1.
class SnellLaw
{
public:
    SnellLaw(double incidentSpeed, double transmittedSpeed);

    // No refracted beam exists: the wave is totally reflected, which a law
    // (that can only turn a direction) cannot express.
    bool IsBeyondCriticalAngle(double incidence) const;
    // Only when the second medium is faster.
    std::optional<double> CriticalAngle() const;
    // The refracted angle, with the sign of the incidence.
    double operator()(double incidence) const;

private:
    double ratio;
};

} // namespace QuoriaTrace
