#pragma once

#include "ISolid.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// The base of every concrete solid. The kind queries answer empty: a class
// overrides those of the kinds it holds.
class QUORIA_API Solid : public ISolid
{
public:
    Solid() = default;
    ~Solid() override = default;

    const std::vector<const ISurface*>& GetSurfaces() const override = 0;
    std::vector<const FlatSurface*> GetFlatSurfaces() const override;
    std::vector<const ComplexFlatSurface*> GetComplexFlatSurfaces() const override;
    std::vector<const Ring*> GetRings() const override;
    std::vector<const PrimitiveFlatSurface*> GetPrimitiveFlatSurfaces() const override;
    std::vector<const Disk*> GetDisks() const override;
    std::vector<const DiskSector*> GetDiskSectors() const override;
    std::vector<const Polygon*> GetPolygons() const override;
    std::vector<const Rectangle*> GetRectangles() const override;
    std::vector<const CylindricalSurface*> GetCylindricalSurfaces() const override;
    std::vector<const CylindricalArcSurface*> GetCylindricalArcSurfaces() const override;
    std::vector<const ConicalSurface*> GetConicalSurfaces() const override;
    std::vector<const TruncatedConicalSurface*> GetTruncatedConicalSurfaces() const override;
    std::vector<const Torus*> GetTori() const override;
    std::vector<const TruncatedTorus*> GetTruncatedTori() const override;
    IContour* GetContour() const override;
    ISolid* Clone() const override = 0;
    bool operator==(const ISolid& other) const override;
    bool operator!=(const ISolid& other) const override;
};

} // namespace Geometry3D
} // namespace Tessam
