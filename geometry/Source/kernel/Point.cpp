#include "Point.h"

namespace Tessam
{
namespace Geometry3D
{

bool Point::operator==(const Point& other) const
{
    return x == other.x && y == other.y && z == other.z;
}

bool Point::operator!=(const Point& other) const
{
    return !(*this == other);
}

} // namespace Geometry3D
} // namespace Tessam
