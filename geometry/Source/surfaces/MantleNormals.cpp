#include "MantleNormals.h"

namespace Tessam
{
namespace Geometry3D
{

Vector CylinderNormal(const Point& centroid, const Vector& orientation, bool outwardNormal,
                      const Point& point)
{
    const Vector fromCentroid = point - centroid;
    Vector normal = fromCentroid - fromCentroid.Dot(orientation) * orientation;
    if (!outwardNormal)
    {
        normal *= -1.0;
    }
    return normal.Normalized();
}

Vector ConeNormal(const Point& apex, const Vector& orientation, bool outwardNormal, const Point& point)
{
    // Perpendicular to the generatrix through the point, in the plane of the
    // axis: away from the axis and leaning towards the apex.
    const Vector fromApex = point - apex;
    Vector normal = orientation.Cross(fromApex).Cross(fromApex);
    if (!outwardNormal)
    {
        normal *= -1.0;
    }
    return normal.Normalized();
}

} // namespace Geometry3D
} // namespace Tessam
