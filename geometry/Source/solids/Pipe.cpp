#include "Pipe.h"

#include "CylindricalSurface.h"
#include "OwnedSurfaces.h"
#include "Rejection.h"
#include "Ring.h"

#include <cassert>

namespace Tessam
{
namespace Geometry3D
{

Pipe::Pipe(const Point& centroid, double innerRadius, double outerRadius, double height,
           const Vector& orientation)
    : CylindricalSolid(centroid, height, orientation), innerRadius(innerRadius), outerRadius(outerRadius)
{
    RejectIf(innerRadius <= 0.0 || outerRadius <= 0.0, "Pipe::Pipe : Radii must be positive.");
    RejectIf(innerRadius >= outerRadius, "Pipe::Pipe : Inner radius must be smaller than outer radius.");
    const std::vector<Point> facesCentroids = GetFacesCentroids();
    assert(facesCentroids.size() == 2);
    const Vector& axis = GetOrientation();
    // The bore's normal points towards the axis: out of the material.
    AppendOwnedSurface(
        ownedSurfaces, surfaces,
        std::make_unique<const CylindricalSurface>(GetCentroid(), innerRadius, GetHeight(), axis, false));
    AppendOwnedSurface(
        ownedSurfaces, surfaces,
        std::make_unique<const CylindricalSurface>(GetCentroid(), outerRadius, GetHeight(), axis, true));
    AppendOwnedSurface(ownedSurfaces, surfaces,
                       std::make_unique<const Ring>(facesCentroids[0], innerRadius, outerRadius, axis));
    AppendOwnedSurface(
        ownedSurfaces, surfaces,
        std::make_unique<const Ring>(facesCentroids[1], innerRadius, outerRadius, -1.0 * axis));
}

Pipe::Pipe(const Pipe& other)
    : CylindricalSolid(other.GetCentroid(), other.GetHeight(), other.GetOrientation()),
      innerRadius(other.innerRadius), outerRadius(other.outerRadius)
{
    AppendClones(ownedSurfaces, surfaces, other.surfaces);
}

Pipe::~Pipe() = default;

Pipe* Pipe::CreateXOriented(const Point& centroid, double innerRadius, double outerRadius, double height)
{
    return new Pipe(centroid, innerRadius, outerRadius, height, Vector(1.0, 0.0, 0.0));
}

Pipe* Pipe::CreateYOriented(const Point& centroid, double innerRadius, double outerRadius, double height)
{
    return new Pipe(centroid, innerRadius, outerRadius, height, Vector(0.0, 1.0, 0.0));
}

Pipe* Pipe::CreateZOriented(const Point& centroid, double innerRadius, double outerRadius, double height)
{
    return new Pipe(centroid, innerRadius, outerRadius, height, Vector(0.0, 0.0, 1.0));
}

double Pipe::GetInnerRadius() const
{
    return innerRadius;
}

double Pipe::GetOuterRadius() const
{
    return outerRadius;
}

const std::vector<const ISurface*>& Pipe::GetSurfaces() const
{
    return surfaces;
}

std::vector<const FlatSurface*> Pipe::GetFlatSurfaces() const
{
    return AsBaseKind<FlatSurface>(GetRings());
}

std::vector<const ComplexFlatSurface*> Pipe::GetComplexFlatSurfaces() const
{
    return AsBaseKind<ComplexFlatSurface>(GetRings());
}

std::vector<const Ring*> Pipe::GetRings() const
{
    return {static_cast<const Ring*>(surfaces[2]), static_cast<const Ring*>(surfaces[3])};
}

std::vector<const CylindricalSurface*> Pipe::GetCylindricalSurfaces() const
{
    return {static_cast<const CylindricalSurface*>(surfaces[0]),
            static_cast<const CylindricalSurface*>(surfaces[1])};
}

ISolid* Pipe::Clone() const
{
    return new Pipe(*this);
}

} // namespace Geometry3D
} // namespace Tessam
