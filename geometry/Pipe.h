#pragma once

#include "CylindricalSolid.h"
#include "QuoriaExport.h"

#include <memory>
#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// A thick-walled tube: the material lies between the inner and the outer
// cylinder. Its surfaces, in order: the bore (normal towards the axis), the
// outer mantle, the ring at the end along the orientation, the ring at the
// opposite end; every normal points out of the material.
class QUORIA_API Pipe : public CylindricalSolid
{
public:
    Pipe(const Point& centroid, double innerRadius, double outerRadius, double height,
         const Vector& orientation);
    // A deep copy: the surfaces are cloned.
    Pipe(const Pipe& other);
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() override;

    // New pipes along a principal axis; the caller owns them.
    static Pipe* CreateXOriented(const Point& centroid, double innerRadius, double outerRadius,
                                 double height);
    static Pipe* CreateYOriented(const Point& centroid, double innerRadius, double outerRadius,
                                 double height);
    static Pipe* CreateZOriented(const Point& centroid, double innerRadius, double outerRadius,
                                 double height);

    double GetInnerRadius() const;
    double GetOuterRadius() const;

    const std::vector<const ISurface*>& GetSurfaces() const override;
    std::vector<const FlatSurface*> GetFlatSurfaces() const override;
    std::vector<const ComplexFlatSurface*> GetComplexFlatSurfaces() const override;
    std::vector<const Ring*> GetRings() const override;
    std::vector<const CylindricalSurface*> GetCylindricalSurfaces() const override;
    ISolid* Clone() const override;

private:
    std::vector<std::unique_ptr<const ISurface>> ownedSurfaces;
    std::vector<const ISurface*> surfaces;
    double innerRadius;
    double outerRadius;
};

} // namespace Geometry3D
} // namespace Tessam
