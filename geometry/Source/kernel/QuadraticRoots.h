#pragma once

#include "RelativeCheckEqual.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

// How a caller reads a discriminant near zero and orders the roots. The
// curved surfaces and the arcs have always differed in both, and their
// results depend on it.
enum class QuadraticConvention
{
    // The curved surfaces: a negative discriminant is a miss even within the
    // tolerance of zero; (-b + sqrt(disc)) / 2a comes first.
    Surface,
    // Arcs: a discriminant within the tolerance of zero is a tangent even
    // when slightly negative, and one that is not above zero (NaN included)
    // is a miss; (-b - sqrt(disc)) / 2a comes first.
    Arc
};

// The real roots of a*t^2 + b*t + k = 0, a != 0: none, the double root once
// for a tangent line, or both, as the convention orders them.
// Returns how many roots were written to `roots`.
inline int QuadraticRoots(double a, double b, double k, double roots[2],
                          QuadraticConvention convention = QuadraticConvention::Surface)
{
    const double discriminant = b * b - 4.0 * a * k;
    const bool isArc = convention == QuadraticConvention::Arc;
    if (!isArc && discriminant < 0.0)
    {
        return 0;
    }
    if (RelativeCheckEqual(discriminant, 0.0))
    {
        roots[0] = -b / (2.0 * a);
        return 1;
    }
    if (isArc && !(0.0 < discriminant))
    {
        return 0;
    }
    const double root = std::sqrt(discriminant);
    const double plus = (-b + root) / (2.0 * a);
    const double minus = (-b - root) / (2.0 * a);
    roots[0] = isArc ? minus : plus;
    roots[1] = isArc ? plus : minus;
    return 2;
}

} // namespace Geometry3D
} // namespace Tessam
