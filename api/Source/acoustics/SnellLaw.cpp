#include "SnellLaw.h"

#include "RayTracer.h"

#include <cmath>

using Tessam::Geometry3D::Vector;

namespace Quoria
{

bool SnellDirection(const Vector& incident, const Vector& normal, BehaviorAtInterface behavior,
                    double incidentSpeed, double outgoingSpeed, Vector& outgoing)
{
    // The same speed on both sides: the plain tracer's straight line or
    // mirror, bit for bit.
    if (outgoingSpeed == incidentSpeed)
    {
        outgoing = behavior == Reflect ? RayTracer::ReflectDirection(incident, normal) : incident;
        return true;
    }
    // Split the incoming direction along the normal and across it. The part
    // across keeps its direction, which keeps the outgoing wave in the plane
    // of incidence on the far side of the normal, and takes the new sine as
    // its length.
    const double along = incident.Dot(normal);
    const Vector across = incident - normal * along;
    const double sine = OutgoingSine(across.Length(), incidentSpeed, outgoingSpeed);
    if (sine >= 1.0)
    {
        return false;
    }
    const double cosine = std::sqrt((1.0 - sine) * (1.0 + sine));
    // The leg left its solid along the normal's side of the face: a
    // transmission goes on that way, a reflection turns back.
    const bool onward = (along >= 0.0) == (behavior == Transmit);
    outgoing =
        across * OutgoingSine(1.0, incidentSpeed, outgoingSpeed) + normal * (onward ? cosine : -cosine);
    outgoing.Normalize();
    return true;
}

} // namespace Quoria
