#include "SurfaceShape.h"

#include "AngularPosition.h"
#include "ComplexFlatSurface.h"
#include "ConicalSurface.h"
#include "CylindricalArcSurface.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "DiskSector.h"
#include "MantleNormals.h"
#include "Polygon.h"
#include "Rectangle.h"
#include "Ring.h"
#include "TruncatedConicalSurface.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <typeinfo>
#include <vector>

namespace Tessam
{
namespace Geometry3D
{

namespace
{

// A full cylinder and a cylinder band keep the same axial band around their
// centroid before anything else.
template <typename Mantle> void DescribeCylinder(const Mantle& mantle, SurfaceShape& shape)
{
    shape.kind = ShapeKind::Cylinder;
    shape.origin = mantle.GetCentroid();
    shape.axis = mantle.GetOrientation();
    shape.radius = mantle.GetRadius();
    shape.outwardNormal = mantle.IsNormalOutward();
    shape.bandTestedFirst = true;
    shape.bandLow = -mantle.GetHeight() / 2.0;
    shape.bandHigh = mantle.GetHeight() / 2.0;
}

// An axis-aligned box, grown piece by piece from empty.
struct Box
{
    double low[3] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::infinity()};
    double high[3] = {-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                      -std::numeric_limits<double>::infinity()};

    void Add(const Point& point)
    {
        const double coordinates[3] = {point.X(), point.Y(), point.Z()};
        for (int k = 0; k < 3; ++k)
        {
            low[k] = std::min(low[k], coordinates[k]);
            high[k] = std::max(high[k], coordinates[k]);
        }
    }

    // Along axis k a disc reaches radius * sqrt(1 - n_k^2) from its centre,
    // n being its unit normal.
    void AddDisc(const Point& centre, const Vector& normal, double radius)
    {
        const double coordinates[3] = {centre.X(), centre.Y(), centre.Z()};
        const double components[3] = {normal.X(), normal.Y(), normal.Z()};
        for (int k = 0; k < 3; ++k)
        {
            const double reach = radius * std::sqrt(std::max(0.0, 1.0 - components[k] * components[k]));
            low[k] = std::min(low[k], coordinates[k] - reach);
            high[k] = std::max(high[k], coordinates[k] + reach);
        }
    }

    // A face's exact extent widened by far more than the tolerances of its
    // test: 1e-3 of its largest side plus 1e-4, and 1e-9 of its farthest
    // coordinate for the rounding of large coordinates. False for a box
    // that is not finite.
    bool Pad()
    {
        double size = 0.0;
        double magnitude = 0.0;
        for (int k = 0; k < 3; ++k)
        {
            size = std::max(size, high[k] - low[k]);
            magnitude = std::max(magnitude, std::max(std::fabs(low[k]), std::fabs(high[k])));
        }
        const double pad = 1e-3 * size + 1e-4 + 1e-9 * magnitude;
        for (int k = 0; k < 3; ++k)
        {
            low[k] -= pad;
            high[k] += pad;
            if (!std::isfinite(low[k]) || !std::isfinite(high[k]))
            {
                return false;
            }
        }
        return true;
    }
};

// Whether the polygon is planar and convex, turning the same way at every
// corner and once round; `turn` is then +1 where it turns anticlockwise
// about its normal, -1 where clockwise. Up to 64 vertices.
bool IsConvexAndPlanar(const Polygon& polygon, double& turn)
{
    const std::vector<Point>& points = polygon.GetPoints();
    const std::size_t count = points.size();
    if (count < 3 || count > 64)
    {
        return false;
    }
    const Vector& normal = polygon.GetPlane().GetNormal();
    const double offset = polygon.GetPlane().GetOffset();
    Box vertices;
    for (const Point& point : points)
    {
        vertices.Add(point);
    }
    const double scale = std::max(
        1.0, std::max(vertices.high[0] - vertices.low[0],
                      std::max(vertices.high[1] - vertices.low[1], vertices.high[2] - vertices.low[2])));
    double sign = 0.0;
    double angle = 0.0;
    for (std::size_t i = 0; i < count; ++i)
    {
        const Point& vertex = points[i];
        if (!(std::fabs(normal.Dot(vertex - Point()) + offset) <= 1e-12 * scale))
        {
            return false;
        }
        const Vector edge = points[(i + 1) % count] - vertex;
        const Vector nextEdge = points[(i + 2) % count] - points[(i + 1) % count];
        const double bend = normal.Dot(edge.Cross(nextEdge));
        if (!(std::fabs(bend) > 1e-9 * edge.Length() * nextEdge.Length()) ||
            (sign != 0.0 && (bend > 0.0) != (sign > 0.0)))
        {
            return false;
        }
        sign = bend;
        angle += std::atan2(bend, edge.Dot(nextEdge));
    }
    // Once round, not twice as a star does.
    if (!(std::fabs(std::fabs(angle) - TwoPi) < 1e-3))
    {
        return false;
    }
    turn = sign > 0.0 ? 1.0 : -1.0;
    return true;
}

// From any point off a convex polygon, the polygon is seen under an angle
// short of pi, and the unsigned angles at its edges add up to twice that
// angle. A point 1e-3 of the polygon's size away from it, or farther, sees it
// under an angle short of pi by over 1e-4, beyond the 1e-6 of 2 pi that
// Contains allows, even with the point as far off the plane as the plane
// test lets through. A polygon that is not convex and planar may pass the
// angle sum anywhere near its plane: it gets no box.
bool PolygonBox(const Polygon& polygon, Box& box)
{
    double turn = 0.0;
    if (!IsConvexAndPlanar(polygon, turn))
    {
        return false;
    }
    for (const Point& point : polygon.GetPoints())
    {
        box.Add(point);
    }
    return box.Pad();
}

// Inside a convex polygon, farther from every edge than 1e-7 of its size
// (at least 1e-7), the angle sum is 2 pi to far better than its tolerance,
// even off the plane by as much as the plane test lets through; Contains
// then says yes whichever way it works the answer out. The margin kept here
// is ten times that, plus the rounding of large coordinates.
void DescribeInnerEdges(const Polygon& polygon, SurfaceShape& shape)
{
    double turn = 0.0;
    const std::vector<Point>& points = polygon.GetPoints();
    if (points.size() > MaximumInnerEdges || !IsConvexAndPlanar(polygon, turn))
    {
        return;
    }
    const Vector& normal = polygon.GetPlane().GetNormal();
    double largestVertexDistance = 0.0;
    double magnitude = 0.0;
    for (const Point& vertex : points)
    {
        largestVertexDistance = std::max(largestVertexDistance, vertex.DistanceTo(polygon.GetCentroid()));
        magnitude = std::max(magnitude, std::max(std::fabs(vertex.X()),
                                                 std::max(std::fabs(vertex.Y()), std::fabs(vertex.Z()))));
    }
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i)
    {
        // Anticlockwise about the normal, the inside lies to the left of each edge.
        const Vector inward = (normal.Cross(points[(i + 1) % count] - points[i]) * turn).Normalized();
        shape.innerNormals[i] = inward;
        shape.innerOffsets[i] = inward.Dot(points[i] - Point());
    }
    shape.innerMargin = 1e-6 * std::max(1.0, largestVertexDistance) + 1e-13 * magnitude;
    shape.innerEdgeCount = static_cast<int>(count);
}

bool DiscBox(const Point& centre, const Vector& normal, double radius, Box& box)
{
    box.AddDisc(centre, normal, radius);
    return box.Pad();
}

// The mantle's test is the distance to the axis against the radius, to
// 1e-11 of it, within the axial band. Its rounding grows with the height
// over the radius: beyond 1e6 the claim is not made.
template <typename Mantle> bool MantleBox(const Mantle& mantle, Box& box)
{
    const double radius = mantle.GetRadius();
    const double height = mantle.GetHeight();
    if (!(radius > 0.0 && height <= 1e6 * radius))
    {
        return false;
    }
    const Vector& axis = mantle.GetOrientation();
    box.AddDisc(mantle.GetCentroid() + (height / 2.0) * axis, axis, radius);
    box.AddDisc(mantle.GetCentroid() + (-height / 2.0) * axis, axis, radius);
    return box.Pad();
}

// The cone's test: points within 1e-6 of the apex, or at the half angle to
// 1e-11 of it and not beyond the base; the band, when given, is along the
// axis from the apex. Nearly flat cones, whose tolerance reaches round to
// the far side of the apex, get no box.
bool ConeBox(const Point& apex, const Vector& axis, double radius, double height, double bandLow, Box& box)
{
    if (!(radius > 0.0 && height > 0.0 && radius <= 1e6 * height))
    {
        return false;
    }
    const double low = std::max(0.0, bandLow);
    box.AddDisc(apex + low * axis, axis, radius * (low / height));
    box.AddDisc(apex + height * axis, axis, radius);
    return box.Pad();
}

bool ContainmentBox(const ISurface* surface, Box& box);

// A union holds its operands' points, an intersection and a difference
// only points of their first operand.
bool ComplexBox(const ComplexFlatSurface& surface, Box& box)
{
    int operation = 0;
    try
    {
        operation = surface.GetOperationType();
    }
    catch (const std::invalid_argument&)
    {
        return false;
    }
    Box first;
    if (!ContainmentBox(surface.GetFirstSurface(), first))
    {
        return false;
    }
    if (operation == 1)
    {
        Box second;
        if (!ContainmentBox(surface.GetSecondSurface(), second))
        {
            return false;
        }
        for (int k = 0; k < 3; ++k)
        {
            first.low[k] = std::min(first.low[k], second.low[k]);
            first.high[k] = std::max(first.high[k], second.high[k]);
        }
    }
    box = first;
    return true;
}

// A padded box holding every point the surface's Contains accepts; false
// where the surface's class allows no such claim. Only the exact classes:
// a class derived from them may answer Contains differently.
bool ContainmentBox(const ISurface* surface, Box& box)
{
    const std::type_info& type = typeid(*surface);
    if (type == typeid(Polygon) || type == typeid(Rectangle))
    {
        return PolygonBox(*static_cast<const Polygon*>(surface), box);
    }
    if (type == typeid(Disk))
    {
        const auto* disk = static_cast<const Disk*>(surface);
        return DiscBox(disk->GetCentroid(), disk->GetPlane().GetNormal(), disk->GetRadius(), box);
    }
    if (type == typeid(DiskSector))
    {
        // Its Contains begins with its whole disk's.
        const auto* sector = static_cast<const DiskSector*>(surface);
        return DiscBox(sector->GetCentroid(), sector->GetPlane().GetNormal(), sector->GetRadius(), box);
    }
    if (type == typeid(Ring) || type == typeid(ComplexFlatSurface))
    {
        return ComplexBox(*static_cast<const ComplexFlatSurface*>(surface), box);
    }
    if (type == typeid(CylindricalSurface))
    {
        return MantleBox(*static_cast<const CylindricalSurface*>(surface), box);
    }
    if (type == typeid(CylindricalArcSurface))
    {
        return MantleBox(*static_cast<const CylindricalArcSurface*>(surface), box);
    }
    if (type == typeid(ConicalSurface))
    {
        const auto* cone = static_cast<const ConicalSurface*>(surface);
        return ConeBox(cone->GetApex(), cone->GetOrientation(), cone->GetRadius(), cone->GetHeight(), 0.0,
                       box);
    }
    if (type == typeid(TruncatedConicalSurface))
    {
        const auto* cone = static_cast<const TruncatedConicalSurface*>(surface);
        return ConeBox(cone->GetApex(), cone->GetOrientation(), cone->GetRadius(), cone->GetHeight(),
                       cone->GetHeight() - cone->GetTruncatedHeight(), box);
    }
    return false;
}

template <typename Cone> void DescribeCone(const Cone& cone, SurfaceShape& shape)
{
    shape.kind = ShapeKind::Cone;
    shape.origin = cone.GetApex();
    shape.axis = cone.GetOrientation();
    shape.halfAngleCosine = std::cos(cone.GetHalfAngle().Radians());
    shape.outwardNormal = cone.IsNormalOutward();
}

} // namespace

SurfaceShape DescribeSurface(const ISurface* surface)
{
    SurfaceShape shape;
    shape.surface = surface;
    // Only the exact classes: a class derived from them may answer its
    // queries differently.
    const std::type_info& type = typeid(*surface);
    const bool primitiveFlat = type == typeid(Polygon) || type == typeid(Rectangle) || type == typeid(Disk) ||
                               type == typeid(DiskSector);
    if (primitiveFlat || type == typeid(Ring) || type == typeid(ComplexFlatSurface))
    {
        shape.kind = ShapeKind::Plane;
        shape.plane = &static_cast<const FlatSurface*>(surface)->GetPlane();
        // A complex face or a ring answers through its operands, whose
        // planes may differ from its own in the last bits.
        shape.planeTestedFirst = primitiveFlat;
        if (type == typeid(Polygon) || type == typeid(Rectangle))
        {
            DescribeInnerEdges(*static_cast<const Polygon*>(surface), shape);
        }
    }
    else if (type == typeid(CylindricalSurface))
    {
        DescribeCylinder(*static_cast<const CylindricalSurface*>(surface), shape);
    }
    else if (type == typeid(CylindricalArcSurface))
    {
        // Its Contains begins with its full mantle's.
        DescribeCylinder(*static_cast<const CylindricalArcSurface*>(surface), shape);
    }
    else if (type == typeid(ConicalSurface))
    {
        DescribeCone(*static_cast<const ConicalSurface*>(surface), shape);
    }
    else if (type == typeid(TruncatedConicalSurface))
    {
        const auto* cone = static_cast<const TruncatedConicalSurface*>(surface);
        DescribeCone(*cone, shape);
        shape.bandTestedFirst = true;
        shape.bandLow = cone->GetHeight() - cone->GetTruncatedHeight();
        shape.bandHigh = cone->GetHeight();
    }
    Box box;
    if (ContainmentBox(surface, box))
    {
        shape.bounded = true;
        std::copy(box.low, box.low + 3, shape.low);
        std::copy(box.high, box.high + 3, shape.high);
    }
    return shape;
}

namespace
{
double LargestMagnitude(const SurfaceShape& shape)
{
    double magnitude = 0.0;
    for (int k = 0; k < 3; ++k)
    {
        magnitude = std::max(magnitude, std::max(std::fabs(shape.low[k]), std::fabs(shape.high[k])));
    }
    return magnitude;
}

// How far from its radius a point of a mantle's box may lie off its axis
// and still be on it: the test allows 1e-11 of the radius or 1e-11, and the
// distance it works out errs by 64 eps (length + length^2 / radius) for a
// point at `length` from the centroid, which is less than the box's sides
// added up; all taken well above that.
double MantleTolerance(const SurfaceShape& shape)
{
    const double length =
        (shape.high[0] - shape.low[0]) + (shape.high[1] - shape.low[1]) + (shape.high[2] - shape.low[2]);
    return 1e-10 * (1.0 + shape.radius) + 1e-13 * (length + length * (length / shape.radius));
}
} // namespace

bool MayShareAPoint(const SurfaceShape& first, const SurfaceShape& second)
{
    if (!first.bounded || !second.bounded)
    {
        return true;
    }
    for (int k = 0; k < 3; ++k)
    {
        if (first.high[k] < second.low[k] || second.high[k] < first.low[k])
        {
            return false;
        }
    }
    const double rounding = 1e-9 * (1.0 + std::max(LargestMagnitude(first), LargestMagnitude(second)));
    // Each plane test allows 1e-11, whatever the coordinates.
    if (first.planeTestedFirst && second.planeTestedFirst)
    {
        const Vector& normal = first.plane->GetNormal();
        const Vector& otherNormal = second.plane->GetNormal();
        const double sign = normal == otherNormal ? 1.0 : normal == otherNormal * -1.0 ? -1.0 : 0.0;
        return sign == 0.0 ||
               std::fabs(first.plane->GetOffset() - sign * second.plane->GetOffset()) <= 2e-11 + rounding;
    }
    // A point on both mantles lies off each axis by about its radius; with
    // the axes that close, the radii must be that close.
    if (first.kind == ShapeKind::Cylinder && second.kind == ShapeKind::Cylinder &&
        (first.axis == second.axis || first.axis == second.axis * -1.0))
    {
        const Vector between = second.origin - first.origin;
        const double axesApart = (between - between.Dot(first.axis) * first.axis).Length();
        return std::fabs(first.radius - second.radius) <=
               axesApart + MantleTolerance(first) + MantleTolerance(second) + rounding;
    }
    return true;
}

Vector CurvedNormalAt(const SurfaceShape& shape, const Point& point)
{
    // GetNormal of these faces checks containment, then answers the same.
    switch (shape.kind)
    {
    case ShapeKind::Plane:
        return shape.plane->GetNormal();
    case ShapeKind::Cylinder:
        return CylinderNormal(shape.origin, shape.axis, shape.outwardNormal, point);
    case ShapeKind::Cone:
        return ConeNormal(shape.origin, shape.axis, shape.outwardNormal, point);
    case ShapeKind::Other:
        break;
    }
    return shape.surface->GetNormal(point);
}

} // namespace Geometry3D
} // namespace Tessam
