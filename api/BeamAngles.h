#pragma once

namespace Quoria
{

// The entry angles of a beam, in radians. The refraction angle tilts the beam
// away from the inward normal of the entry face and must lie strictly inside
// (-pi/2, pi/2); the skew angle then turns it about that normal.
struct BeamAngles
{
    double skewAngle;
    double refractionAngle;
};

} // namespace Quoria
