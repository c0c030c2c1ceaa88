#include "SnellLaw.h"

#include <cmath>

namespace QuoriaTrace
{

SnellLaw::SnellLaw(double incidentSpeed, double transmittedSpeed) : ratio(transmittedSpeed / incidentSpeed) {}

bool SnellLaw::IsBeyondCriticalAngle(double incidence) const
{
    return ratio * std::fabs(std::sin(incidence)) > 1.0;
}

std::optional<double> SnellLaw::CriticalAngle() const
{
    if (ratio <= 1.0)
    {
        return std::nullopt;
    }
    return std::asin(1.0 / ratio);
}

double SnellLaw::operator()(double incidence) const
{
    return std::asin(ratio * std::sin(incidence));
}

} // namespace QuoriaTrace
