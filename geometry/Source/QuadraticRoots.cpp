#include "QuadraticRoots.h"

#include "RelativeCheckEqual.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

std::vector<double> QuadraticRoots(double a, double b, double k)
{
    const double discriminant = b * b - 4.0 * a * k;
    // The sign is tested before the tolerance: a slightly negative
    // discriminant is a miss, not a tangent.
    if (discriminant < 0.0)
    {
        return {};
    }
    if (RelativeCheckEqual(discriminant, 0.0, 1e-11))
    {
        return {-b / (2.0 * a)};
    }
    const double root = std::sqrt(discriminant);
    return {(-b + root) / (2.0 * a), (-b - root) / (2.0 * a)};
}

} // namespace Geometry3D
} // namespace Tessam
