#pragma once

#include "QuoriaExport.h"

#include <optional>

namespace Quoria
{

// Snell's law across an interface: sin(refracted) / refractedSpeed =
// sin(incidence) / incidentSpeed. Angles are in radians from the normal, in
// [-pi/2, pi/2]; the two speeds share any one unit and must be positive and
// finite. Each function throws std::invalid_argument otherwise, the angle
// checked first.

// The refracted angle, with the sign of the incidence; empty where no
// refracted wave exists (past the critical angle). At the critical angle
// itself the refracted wave grazes the interface: pi/2.
QUORIA_API std::optional<double> RefractedAngle(double incidenceAngle, double incidentSpeed,
                                                double refractedSpeed);
// The incidence beyond which no refracted wave exists, asin(incident /
// refracted speed); empty when the second medium is not faster.
QUORIA_API std::optional<double> CriticalAngle(double incidentSpeed, double refractedSpeed);
// The incidence that gives the wanted refracted angle, with its sign (the
// wedge angle a probe needs for 60 degrees of shear in steel); empty where
// none does.
QUORIA_API std::optional<double> IncidenceForRefractedAngle(double refractedAngle, double incidentSpeed,
                                                            double refractedSpeed);

} // namespace Quoria
