#include "LineCandidates.h"

#include "QuadraticRoots.h"
#include "RelativeCheckEqual.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

LineCandidates CylinderLineCandidates(const Point& centroid, const Vector& orientation, double radius,
                                      const Line& line)
{
    const Vector& direction = line.GetDirection();
    const Point& linePoint = line.GetPoint();

    // Work in the plane across the axis: the line's parts orthogonal to it.
    const Vector directionAcross = direction - direction.Dot(orientation) * orientation;
    const Vector fromCentroid = linePoint - centroid;
    const Vector fromAxis = fromCentroid - fromCentroid.Dot(orientation) * orientation;

    // |fromAxis + t * directionAcross|^2 = radius^2
    const double a = directionAcross.Dot(directionAcross);
    const double b = 2.0 * directionAcross.Dot(fromAxis);
    const double k = fromAxis.Dot(fromAxis) - radius * radius;

    LineCandidates candidates;
    if (a == 0.0 && b == 0.0 && k == 0.0)
    {
        candidates.isInfinite = true;
        return candidates;
    }
    // With a == 0 the line runs parallel to the axis, off the mantle.
    if (a != 0.0)
    {
        double roots[2];
        candidates.count = QuadraticRoots(a, b, k, roots);
        for (int i = 0; i < candidates.count; ++i)
        {
            candidates.points[i] = linePoint + roots[i] * direction;
            candidates.parameters[i] = roots[i];
        }
    }
    return candidates;
}

LineCandidates ConeLineCandidates(const Point& apex, const Vector& orientation, const Angle& halfAngle,
                                  const Line& line)
{
    const Vector& direction = line.GetDirection();
    const Point& linePoint = line.GetPoint();
    const Vector fromApex = linePoint - apex;
    const double cosine = std::cos(halfAngle.Radians());
    const double cosineSquared = cosine * cosine;

    // ((w + t d) . o)^2 = |w + t d|^2 cos^2(half angle): the double cone.
    const double directionAlongAxis = direction.Dot(orientation);
    const double fromApexAlongAxis = fromApex.Dot(orientation);
    const double a = directionAlongAxis * directionAlongAxis - cosineSquared;
    const double b = 2.0 * (directionAlongAxis * fromApexAlongAxis - direction.Dot(fromApex) * cosineSquared);
    const double k = fromApexAlongAxis * fromApexAlongAxis - fromApex.Dot(fromApex) * cosineSquared;

    LineCandidates candidates;
    if (RelativeCheckEqual(a, 0.0, 1e-11) && RelativeCheckEqual(b, 0.0, 1e-11) &&
        RelativeCheckEqual(k, 0.0, 1e-11))
    {
        candidates.isInfinite = true;
        return candidates;
    }
    // With a exactly 0 the line runs parallel to a generatrix.
    if (a != 0.0)
    {
        double roots[2];
        candidates.count = QuadraticRoots(a, b, k, roots);
        for (int i = 0; i < candidates.count; ++i)
        {
            candidates.points[i] = linePoint + roots[i] * direction;
            candidates.parameters[i] = roots[i];
        }
    }
    return candidates;
}

} // namespace Geometry3D
} // namespace Tessam
