#include "RelativeCheckEqual.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

bool RelativeCheckEqual(double a, double b, double tolerance)
{
    const double difference = std::fabs(a - b);
    if (tolerance > difference)
    {
        return true;
    }
    // Two equal infinities differ by NaN; they are still equal.
    if (a == b)
    {
        return true;
    }
    const double larger = std::fabs(b) > std::fabs(a) ? std::fabs(b) : std::fabs(a);
    return larger * tolerance > difference;
}

} // namespace Geometry3D
} // namespace Tessam
