#pragma once

#include "ISurface.h"
#include "Intersection.h"
#include "Line.h"
#include "PlaneLineCandidates.h"
#include "Point.h"
#include "QuadraticRoots.h"
#include "RelativeCheckEqual.h"
#include "Vector.h"

#include <cmath>
#include <vector>

// The line candidates of the cylinder and the cone, built on the record and
// the plane's candidates of PlaneLineCandidates.h.
namespace Tessam
{
namespace Geometry3D
{

// What a face's GetIntersection answers: the candidates it contains, in
// order.
inline Intersection ContainedCandidates(const LineCandidates& candidates, const ISurface& face)
{
    std::vector<Point> points;
    for (int i = 0; i < candidates.count; ++i)
    {
        if (face.Contains(candidates.points[i]))
        {
            points.push_back(candidates.points[i]);
        }
    }
    return Intersection(points, candidates.isInfinite);
}

// The line's points at the roots of a t^2 + b t + k, in the roots' order.
inline void AddQuadraticCandidates(double a, double b, double k, const Point& linePoint,
                                   const Vector& direction, LineCandidates& candidates)
{
    double roots[2];
    candidates.count = QuadraticRoots(a, b, k, roots);
    for (int i = 0; i < candidates.count; ++i)
    {
        candidates.points[i] = linePoint + roots[i] * direction;
        candidates.parameters[i] = roots[i];
    }
}

inline LineCandidates CylinderLineCandidates(const Point& centroid, const Vector& orientation, double radius,
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
        AddQuadraticCandidates(a, b, k, linePoint, direction, candidates);
    }
    return candidates;
}

// The double cone: the caller's Contains drops the far nappe. The cosine of
// the half angle is the caller's, so that a tracer works it out once.
inline LineCandidates ConeLineCandidates(const Point& apex, const Vector& orientation, double cosine,
                                         const Line& line)
{
    const Vector& direction = line.GetDirection();
    const Point& linePoint = line.GetPoint();
    const Vector fromApex = linePoint - apex;
    const double cosineSquared = cosine * cosine;

    // ((w + t d) . o)^2 = |w + t d|^2 cos^2(half angle): the double cone.
    const double directionAlongAxis = direction.Dot(orientation);
    const double fromApexAlongAxis = fromApex.Dot(orientation);
    const double a = directionAlongAxis * directionAlongAxis - cosineSquared;
    const double b = 2.0 * (directionAlongAxis * fromApexAlongAxis - direction.Dot(fromApex) * cosineSquared);
    const double k = fromApexAlongAxis * fromApexAlongAxis - fromApex.Dot(fromApex) * cosineSquared;

    LineCandidates candidates;
    if (RelativeCheckEqual(a, 0.0) && RelativeCheckEqual(b, 0.0) && RelativeCheckEqual(k, 0.0))
    {
        candidates.isInfinite = true;
        return candidates;
    }
    // With a exactly 0 the line runs parallel to a generatrix.
    if (a != 0.0)
    {
        AddQuadraticCandidates(a, b, k, linePoint, direction, candidates);
    }
    return candidates;
}

} // namespace Geometry3D
} // namespace Tessam
