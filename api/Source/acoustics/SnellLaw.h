#pragma once

#include "BehaviorAtInterface.h"
#include "Vector.h"

namespace Quoria
{

// Snell's law keeps sin(angle) / speed across an interface. This is the one
// place that applies it: the sine of the outgoing angle for that of the
// incoming one. Above 1 no outgoing wave exists.
inline double OutgoingSine(double incidentSine, double incidentSpeed, double outgoingSpeed)
{
    return outgoingSpeed / incidentSpeed * incidentSine;
}

// The unit direction of the wave that leaves an interface of outward unit
// normal `normal`, met along the unit direction `incident`: in the plane of
// incidence, onward through the face for Transmit, back for Reflect. False
// where no such wave runs through a medium: past the critical angle, or
// exactly at it, where it would graze the interface.
bool SnellDirection(const Tessam::Geometry3D::Vector& incident, const Tessam::Geometry3D::Vector& normal,
                    BehaviorAtInterface behavior, double incidentSpeed, double outgoingSpeed,
                    Tessam::Geometry3D::Vector& outgoing);

} // namespace Quoria
