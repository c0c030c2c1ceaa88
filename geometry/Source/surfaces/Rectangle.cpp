#include "Rectangle.h"

#include "AngularPosition.h"
#include "Rejection.h"
#include "RelativeCheckEqual.h"
#include "Tolerances.h"

namespace Tessam
{
namespace Geometry3D
{

Rectangle::Rectangle(const std::vector<Point>& points) : Polygon(points)
{
    RejectIf(points.size() != 4, "Rectangle::Rectangle : Invalid point collection.");
    for (std::size_t i = 0; i < 4; ++i)
    {
        const Point& previous = points[(i + 3) % 4];
        const Point& next = points[(i + 1) % 4];
        const Vector incoming = points[i] - previous;
        const Vector outgoing = next - points[i];
        RejectIf(!RelativeCheckEqual(incoming.AngleTo(outgoing).Radians(), HalfPi, AngleTolerance),
                 "Rectangle::Rectangle : One of the angles is not a right angle.");
    }
}

ISurface* Rectangle::Clone() const
{
    return new Rectangle(GetPoints());
}

} // namespace Geometry3D
} // namespace Tessam
