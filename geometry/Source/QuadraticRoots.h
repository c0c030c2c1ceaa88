#pragma once

#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// The real roots of a*t^2 + b*t + k = 0, a != 0, in the order in which the
// curved surfaces list their crossings with a line: none for a negative
// discriminant, the double root once when the discriminant is zero within
// the tolerance (a tangent line), otherwise (-b + sqrt(disc)) / 2a first and
// (-b - sqrt(disc)) / 2a second.
std::vector<double> QuadraticRoots(double a, double b, double k);

} // namespace Geometry3D
} // namespace Tessam
