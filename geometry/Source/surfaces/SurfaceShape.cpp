#include "SurfaceShape.h"

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

#include <cmath>
#include <typeinfo>

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
    return shape;
}

Vector NormalAt(const SurfaceShape& shape, const Point& point)
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
