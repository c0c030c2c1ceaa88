#include "Bar.h"

#include "CylindricalSurface.h"
#include "Disk.h"
#include "OwnedSurfaces.h"
#include "Rejection.h"

#include <cassert>

namespace Tessam
{
namespace Geometry3D
{

Bar::Bar(const Point& centroid, double radius, double height, const Vector& orientation)
    : CylindricalSolid(centroid, height, orientation), radius(radius)
{
    RejectIf(radius <= 0.0, "Bar::Bar : Radius must be positive.");
    const std::vector<Point> facesCentroids = GetFacesCentroids();
    assert(facesCentroids.size() == 2);
    const Vector& axis = GetOrientation();
    AppendOwnedSurface(
        ownedSurfaces, surfaces,
        std::make_unique<const CylindricalSurface>(GetCentroid(), radius, GetHeight(), axis, true));
    AppendOwnedSurface(ownedSurfaces, surfaces,
                       std::make_unique<const Disk>(facesCentroids[0], radius, axis));
    AppendOwnedSurface(ownedSurfaces, surfaces,
                       std::make_unique<const Disk>(facesCentroids[1], radius, -1.0 * axis));
}

Bar::Bar(const Bar& other)
    : CylindricalSolid(other.GetCentroid(), other.GetHeight(), other.GetOrientation()), radius(other.radius)
{
    AppendClones(ownedSurfaces, surfaces, other.surfaces);
}

Bar::~Bar() = default;

Bar* Bar::CreateXOriented(const Point& centroid, double radius, double height)
{
    return new Bar(centroid, radius, height, Vector(1.0, 0.0, 0.0));
}

Bar* Bar::CreateYOriented(const Point& centroid, double radius, double height)
{
    return new Bar(centroid, radius, height, Vector(0.0, 1.0, 0.0));
}

Bar* Bar::CreateZOriented(const Point& centroid, double radius, double height)
{
    return new Bar(centroid, radius, height, Vector(0.0, 0.0, 1.0));
}

double Bar::GetRadius() const
{
    return radius;
}

const std::vector<const ISurface*>& Bar::GetSurfaces() const
{
    return surfaces;
}

std::vector<const FlatSurface*> Bar::GetFlatSurfaces() const
{
    return AsBaseKind<FlatSurface>(GetDisks());
}

std::vector<const PrimitiveFlatSurface*> Bar::GetPrimitiveFlatSurfaces() const
{
    return AsBaseKind<PrimitiveFlatSurface>(GetDisks());
}

std::vector<const Disk*> Bar::GetDisks() const
{
    return {static_cast<const Disk*>(surfaces[1]), static_cast<const Disk*>(surfaces[2])};
}

std::vector<const CylindricalSurface*> Bar::GetCylindricalSurfaces() const
{
    return {static_cast<const CylindricalSurface*>(surfaces[0])};
}

ISolid* Bar::Clone() const
{
    return new Bar(*this);
}

} // namespace Geometry3D
} // namespace Tessam
