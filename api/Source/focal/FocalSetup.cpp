#include "FocalSetup.h"

#include "SolidMembership.h"

#include <cmath>
#include <stdexcept>
#include <string>

using Tessam::Geometry3D::Point;

namespace Quoria
{

void CheckFinite(const std::vector<Point>& points, const char* what, const char* method)
{
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        const Point& point = points[i];
        if (!std::isfinite(point.X()) || !std::isfinite(point.Y()) || !std::isfinite(point.Z()))
        {
            throw std::invalid_argument(std::string(method) + " : " + what + " " + std::to_string(i) +
                                        " has a coordinate that is not finite.");
        }
    }
}

std::size_t LocateElements(const TraceScene& scene, const std::vector<Point>& elements, const char* method)
{
    const auto isIn = [&scene](std::size_t solid, const Point& point)
    { return LocatePoint(scene.Faces(solid), point) != Membership::Outside; };
    const auto outside = [method](std::size_t element)
    {
        return std::invalid_argument(std::string(method) + " : Element " + std::to_string(element) +
                                     " is outside every solid.");
    };
    std::size_t solid = 0;
    while (!isIn(solid, elements.front()))
    {
        if (++solid == scene.SolidCount())
        {
            throw outside(0);
        }
    }
    for (std::size_t element = 1; element < elements.size(); ++element)
    {
        if (isIn(solid, elements[element]))
        {
            continue;
        }
        for (std::size_t other = 0; other < scene.SolidCount(); ++other)
        {
            if (isIn(other, elements[element]))
            {
                throw std::invalid_argument(std::string(method) + " : Element " + std::to_string(element) +
                                            " is not in the solid of element 0.");
            }
        }
        throw outside(element);
    }
    return solid;
}

} // namespace Quoria
