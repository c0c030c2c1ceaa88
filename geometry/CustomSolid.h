#pragma once

#include "QuoriaExport.h"
#include "Solid.h"

#include <memory>
#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// A solid bounded by whatever surfaces the caller gives, in the given order.
// Nothing checks that they close a volume or that their normals point out
// of it. Each kind query lists the surfaces of that class or of a class
// derived from it.
class QUORIA_API CustomSolid : public Solid
{
public:
    // Copies the surfaces; the caller keeps its own.
    explicit CustomSolid(const std::vector<ISurface*>& surfaces);
    CustomSolid(const CustomSolid& other);
    CustomSolid& operator=(const CustomSolid&) = delete;
    ~CustomSolid() override;

    const std::vector<const ISurface*>& GetSurfaces() const override;
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
    ISolid* Clone() const override;

private:
    std::vector<std::unique_ptr<const ISurface>> ownedSurfaces;
    std::vector<const ISurface*> surfaces;
};

} // namespace Geometry3D
} // namespace Tessam
