#pragma once

#include "RelativeCheckEqual.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

// The real roots of a*t^2 + b*t + k = 0, a != 0, in the order in which the
// curved surfaces list their crossings with a line: none for a negative
// discriminant, the double root once when the discriminant is zero within
// the tolerance (a tangent line), otherwise (-b + sqrt(disc)) / 2a first and
// (-b - sqrt(disc)) / 2a second.
// Returns how many roots were written to `roots`.
inline int QuadraticRoots(double a, double b, double k, double roots[2])
{
    const double discriminant = b * b - 4.0 * a * k;
    // The sign is tested before the tolerance: a slightly negative
    // discriminant is a miss, not a tangent.
    if (discriminant < 0.0)
    {
        return 0;
    }
    if (RelativeCheckEqual(discriminant, 0.0, 1e-11))
    {
        roots[0] = -b / (2.0 * a);
        return 1;
    }
    const double root = std::sqrt(discriminant);
    roots[0] = (-b + root) / (2.0 * a);
    roots[1] = (-b - root) / (2.0 * a);
    return 2;
}

} // namespace Geometry3D
} // namespace Tessam
