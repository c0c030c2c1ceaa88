#include "Angle.h"
#include "AngularPosition.h"

namespace Tessam
{
namespace Geometry3D
{

const double RadiansToDegrees = 180.0 / Pi;

Angle Angle::FromDegrees(double degrees)
{
    return Angle(degrees * 0.017453292519943295);
}

double Angle::Degrees() const
{
    return radians * RadiansToDegrees;
}

bool Angle::operator==(const Angle& other) const
{
    return radians == other.radians;
}

bool Angle::operator!=(const Angle& other) const
{
    return !(*this == other);
}

} // namespace Geometry3D
} // namespace Tessam
