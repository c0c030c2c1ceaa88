#include "CustomSolid.h"

#include "ComplexFlatSurface.h"
#include "ConicalSurface.h"
#include "CylindricalArcSurface.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "DiskSector.h"
#include "FlatSurface.h"
#include "OwnedSurfaces.h"
#include "Polygon.h"
#include "PrimitiveFlatSurface.h"
#include "Rectangle.h"
#include "Rejection.h"
#include "Ring.h"
#include "Torus.h"
#include "TruncatedConicalSurface.h"
#include "TruncatedTorus.h"

namespace Tessam
{
namespace Geometry3D
{

namespace
{
template <typename Kind> std::vector<const Kind*> SurfacesOfKind(const std::vector<const ISurface*>& surfaces)
{
    std::vector<const Kind*> ofKind;
    for (const ISurface* surface : surfaces)
    {
        if (const auto* match = dynamic_cast<const Kind*>(surface))
        {
            ofKind.push_back(match);
        }
    }
    return ofKind;
}
} // namespace

CustomSolid::CustomSolid(const std::vector<ISurface*>& surfaces)
{
    RejectIf(surfaces.empty(), "CustomSolid::CustomSolid : Surface collection is invalid. A minimal "
                               "surface quantity of 1 is required.");
    AppendClones(ownedSurfaces, this->surfaces, surfaces);
}

CustomSolid::CustomSolid(const CustomSolid& other) : Solid()
{
    AppendClones(ownedSurfaces, surfaces, other.surfaces);
}

CustomSolid::~CustomSolid() = default;

const std::vector<const ISurface*>& CustomSolid::GetSurfaces() const
{
    return surfaces;
}

std::vector<const FlatSurface*> CustomSolid::GetFlatSurfaces() const
{
    return SurfacesOfKind<FlatSurface>(surfaces);
}

std::vector<const ComplexFlatSurface*> CustomSolid::GetComplexFlatSurfaces() const
{
    return SurfacesOfKind<ComplexFlatSurface>(surfaces);
}

std::vector<const Ring*> CustomSolid::GetRings() const
{
    return SurfacesOfKind<Ring>(surfaces);
}

std::vector<const PrimitiveFlatSurface*> CustomSolid::GetPrimitiveFlatSurfaces() const
{
    return SurfacesOfKind<PrimitiveFlatSurface>(surfaces);
}

std::vector<const Disk*> CustomSolid::GetDisks() const
{
    return SurfacesOfKind<Disk>(surfaces);
}

std::vector<const DiskSector*> CustomSolid::GetDiskSectors() const
{
    return SurfacesOfKind<DiskSector>(surfaces);
}

std::vector<const Polygon*> CustomSolid::GetPolygons() const
{
    return SurfacesOfKind<Polygon>(surfaces);
}

std::vector<const Rectangle*> CustomSolid::GetRectangles() const
{
    return SurfacesOfKind<Rectangle>(surfaces);
}

std::vector<const CylindricalSurface*> CustomSolid::GetCylindricalSurfaces() const
{
    return SurfacesOfKind<CylindricalSurface>(surfaces);
}

std::vector<const CylindricalArcSurface*> CustomSolid::GetCylindricalArcSurfaces() const
{
    return SurfacesOfKind<CylindricalArcSurface>(surfaces);
}

std::vector<const ConicalSurface*> CustomSolid::GetConicalSurfaces() const
{
    return SurfacesOfKind<ConicalSurface>(surfaces);
}

std::vector<const TruncatedConicalSurface*> CustomSolid::GetTruncatedConicalSurfaces() const
{
    return SurfacesOfKind<TruncatedConicalSurface>(surfaces);
}

std::vector<const Torus*> CustomSolid::GetTori() const
{
    return SurfacesOfKind<Torus>(surfaces);
}

std::vector<const TruncatedTorus*> CustomSolid::GetTruncatedTori() const
{
    return SurfacesOfKind<TruncatedTorus>(surfaces);
}

ISolid* CustomSolid::Clone() const
{
    return new CustomSolid(*this);
}

} // namespace Geometry3D
} // namespace Tessam
