#pragma once

#include "CylindricalSolid.h"
#include "QuoriaExport.h"

#include <memory>
#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// A full circular cylinder. Its surfaces, in order: the mantle, the disk at
// the end along the orientation, the disk at the opposite end; every normal
// points out of the bar.
class QUORIA_API Bar : public CylindricalSolid
{
public:
    Bar(const Point& centroid, double radius, double height, const Vector& orientation);
    // A deep copy: the surfaces are cloned.
    Bar(const Bar& other);
    Bar& operator=(const Bar&) = delete;
    ~Bar() override;

    // New bars along a principal axis; the caller owns them.
    static Bar* CreateXOriented(const Point& centroid, double radius, double height);
    static Bar* CreateYOriented(const Point& centroid, double radius, double height);
    static Bar* CreateZOriented(const Point& centroid, double radius, double height);

    double GetRadius() const;

    const std::vector<const ISurface*>& GetSurfaces() const override;
    std::vector<const FlatSurface*> GetFlatSurfaces() const override;
    std::vector<const PrimitiveFlatSurface*> GetPrimitiveFlatSurfaces() const override;
    std::vector<const Disk*> GetDisks() const override;
    std::vector<const CylindricalSurface*> GetCylindricalSurfaces() const override;
    ISolid* Clone() const override;

private:
    std::vector<std::unique_ptr<const ISurface>> ownedSurfaces;
    std::vector<const ISurface*> surfaces;
    double radius;
};

} // namespace Geometry3D
} // namespace Tessam
