#include "Rectangle.h"

#include "AngularPosition.h"
#include "RelativeCheckEqual.h"
#include "Tolerances.h"

#include <stdexcept>

namespace Tessam
{
namespace Geometry3D
{

Rectangle::Rectangle(const std::vector<Point>& points) : Polygon(points)
{
    if (points.size() != 4)
    {
        throw std::invalid_argument("Rectangle::Rectangle : Invalid point collection.");
    }
    for (std::size_t i = 0; i < 4; ++i)
    {
        const Point& previous = points[(i + 3) % 4];
        const Point& next = points[(i + 1) % 4];
        const Vector incoming = points[i] - previous;
        const Vector outgoing = next - points[i];
        if (!RelativeCheckEqual(incoming.AngleTo(outgoing).Radians(), HalfPi, AngleTolerance))
        {
            throw std::invalid_argument("Rectangle::Rectangle : One of the angles is not a right angle.");
        }
    }
}

ISurface* Rectangle::Clone() const
{
    return new Rectangle(GetPoints());
}

} // namespace Geometry3D
} // namespace Tessam
