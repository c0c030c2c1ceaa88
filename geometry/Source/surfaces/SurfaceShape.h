#pragma once

#include "ISurface.h"
#include "LineCandidates.h"
#include "Plane.h"
#include "Point.h"
#include "Vector.h"

#include <cmath>

namespace Tessam
{
namespace Geometry3D
{

// The unbounded surface that carries a face: a plane, a cylinder or a cone.
// Faces of any other class (or of a class derived from the library's) are
// `Other` and answer every question themselves.
enum class ShapeKind
{
    Plane,
    Cylinder,
    Cone,
    Other
};

// Convex polygons of up to this many edges carry them for IsCertainlyOn.
constexpr int MaximumInnerEdges = 8;

// What the library knows of one face's shape, read once from its class:
// the carrying surface, which way its normal points, and the axial band its
// Contains keeps. The only place that tells the face classes apart, so that
// shortcuts taken around a face's own queries all rest on the same data.
struct SurfaceShape
{
    const ISurface* surface = nullptr;
    ShapeKind kind = ShapeKind::Other;
    // Plane: the face's own plane, owned by the face.
    const Plane* plane = nullptr;
    // Cylinder: a point of the axis (the centroid); cone: the apex.
    Point origin;
    Vector axis;
    double radius = 0.0;
    double halfAngleCosine = 0.0;
    bool outwardNormal = false;
    // The face's Contains is false wherever its plane's is.
    bool planeTestedFirst = false;
    // The face's Contains is false outside this band of
    // (point - origin) . axis, worked out the same way.
    bool bandTestedFirst = false;
    double bandLow = 0.0;
    double bandHigh = 0.0;
    // The face's Contains is false outside this axis-aligned box (bounds
    // included), which allows for every tolerance of its test. Without
    // `bounded` the class allows no such claim.
    bool bounded = false;
    double low[3] = {0.0, 0.0, 0.0};
    double high[3] = {0.0, 0.0, 0.0};
    // A point of the plane that lies farther than `innerMargin` inside each
    // of these half-planes, n . p > offset, is certainly on the face. None
    // where the face allows no such claim.
    int innerEdgeCount = 0;
    double innerMargin = 0.0;
    Vector innerNormals[MaximumInnerEdges];
    double innerOffsets[MaximumInnerEdges] = {};
};

SurfaceShape DescribeSurface(const ISurface* surface);

// False only where no point can be on both faces: their boxes are apart,
// or they lie on parallel planes, or on coaxial mantles, too far apart for
// their tolerances.
bool MayShareAPoint(const SurfaceShape& first, const SurfaceShape& second);

// Where the line meets the carrying surface: the points among which the
// face's GetIntersection keeps those it contains. Only for the three known
// kinds. Inline, like the next: the tracer asks them of every face for
// every leg.
inline LineCandidates ShapeLineCandidates(const SurfaceShape& shape, const Line& line)
{
    switch (shape.kind)
    {
    case ShapeKind::Plane:
        return PlaneLineCandidates(*shape.plane, line);
    case ShapeKind::Cylinder:
        return CylinderLineCandidates(shape.origin, shape.axis, shape.radius, line);
    case ShapeKind::Cone:
        return ConeLineCandidates(shape.origin, shape.axis, shape.halfAngleCosine, line);
    case ShapeKind::Other:
        break;
    }
    return LineCandidates();
}

// True only where the face's Contains is certainly false, by the box alone.
// A NaN coordinate is outside, as it is for every bounded face's Contains.
inline bool IsOutsideBounds(const SurfaceShape& shape, const Point& point)
{
    return shape.bounded &&
           !(shape.low[0] <= point.X() && point.X() <= shape.high[0] && shape.low[1] <= point.Y() &&
             point.Y() <= shape.high[1] && shape.low[2] <= point.Z() && point.Z() <= shape.high[2]);
}

// True only where the face's Contains is certainly false; cheap enough to
// spare the call for the faces far from a point.
inline bool IsCertainlyOff(const SurfaceShape& shape, const Point& point)
{
    if (IsOutsideBounds(shape, point))
    {
        return true;
    }
    if (shape.planeTestedFirst)
    {
        return !shape.plane->Contains(point);
    }
    if (!shape.bandTestedFirst)
    {
        return false;
    }
    const Vector fromOrigin = point - shape.origin;
    const double axial = fromOrigin.Dot(shape.axis);
    if (!(shape.bandLow <= axial && axial <= shape.bandHigh))
    {
        return true;
    }
    if (shape.kind != ShapeKind::Cylinder)
    {
        return false;
    }
    // 1% off the radius, while the mantle's Contains errs by under 1e-5 of
    // it (for points within 3e4 radii of the centroid) and its absolute
    // tolerance 1e-11 stays below 1% of a radius of 1e-6.
    const double radiusSquared = shape.radius * shape.radius;
    const Vector across = fromOrigin - axial * shape.axis;
    return shape.radius >= 1e-6 && fromOrigin.Dot(fromOrigin) < 1e9 * radiusSquared &&
           std::fabs(across.Dot(across) - radiusSquared) > 0.02 * radiusSquared;
}

// True only where the face's Contains is certainly true: cheaper than
// asking it, for the points well inside a convex polygon.
inline bool IsCertainlyOn(const SurfaceShape& shape, const Point& point)
{
    if (shape.innerEdgeCount == 0 || !shape.plane->Contains(point))
    {
        return false;
    }
    const Vector position(point.X(), point.Y(), point.Z());
    for (int i = 0; i < shape.innerEdgeCount; ++i)
    {
        if (!(shape.innerNormals[i].Dot(position) - shape.innerOffsets[i] > shape.innerMargin))
        {
            return false;
        }
    }
    return true;
}

// The normal of a face that is not flat; see NormalAt.
Vector CurvedNormalAt(const SurfaceShape& shape, const Point& point);

// What the face's GetNormal answers at a point it contains, without asking
// Contains again. Null where the face has no normal at the point (a cone's
// apex, the axis of a cylinder too thin to tell from it).
inline Vector NormalAt(const SurfaceShape& shape, const Point& point)
{
    // A flat face's GetNormal checks nothing and answers its plane's.
    return shape.kind == ShapeKind::Plane ? shape.plane->GetNormal() : CurvedNormalAt(shape, point);
}

} // namespace Geometry3D
} // namespace Tessam
