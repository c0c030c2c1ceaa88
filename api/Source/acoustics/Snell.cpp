#include "Snell.h"

#include "AngularPosition.h"
#include "SnellLaw.h"

#include <cmath>
#include <stdexcept>
#include <string>

using Tessam::Geometry3D::HalfPi;

namespace Quoria
{

namespace
{

void CheckSpeeds(const char* function, double firstSpeed, double secondSpeed)
{
    const auto valid = [](double speed) { return std::isfinite(speed) && speed > 0.0; };
    if (!valid(firstSpeed) || !valid(secondSpeed))
    {
        throw std::invalid_argument(std::string(function) + " : Speeds must be positive and finite.");
    }
}

// Both bounds included: a grazing wave has an angle of 90 degrees. NaN fails.
void CheckAngle(const char* function, const char* which, double angle)
{
    if (!(angle >= -HalfPi && angle <= HalfPi))
    {
        throw std::invalid_argument(std::string(function) + " : " + which +
                                    " angle must be contained within [-90\xB0"
                                    ", 90\xB0"
                                    "].");
    }
}

std::optional<double> AngleOfSine(double sine)
{
    if (std::fabs(sine) > 1.0)
    {
        return std::nullopt;
    }
    return std::asin(sine);
}

} // namespace

std::optional<double> RefractedAngle(double incidenceAngle, double incidentSpeed, double refractedSpeed)
{
    CheckAngle("RefractedAngle", "Incidence", incidenceAngle);
    CheckSpeeds("RefractedAngle", incidentSpeed, refractedSpeed);
    return AngleOfSine(OutgoingSine(std::sin(incidenceAngle), incidentSpeed, refractedSpeed));
}

std::optional<double> CriticalAngle(double incidentSpeed, double refractedSpeed)
{
    CheckSpeeds("CriticalAngle", incidentSpeed, refractedSpeed);
    if (refractedSpeed <= incidentSpeed)
    {
        return std::nullopt;
    }
    // The incidence whose refracted wave grazes the interface.
    return AngleOfSine(OutgoingSine(1.0, refractedSpeed, incidentSpeed));
}

std::optional<double> IncidenceForRefractedAngle(double refractedAngle, double incidentSpeed,
                                                 double refractedSpeed)
{
    CheckAngle("IncidenceForRefractedAngle", "Refracted", refractedAngle);
    CheckSpeeds("IncidenceForRefractedAngle", incidentSpeed, refractedSpeed);
    // The law read backwards, from the refracted side.
    return AngleOfSine(OutgoingSine(std::sin(refractedAngle), refractedSpeed, incidentSpeed));
}

} // namespace Quoria
