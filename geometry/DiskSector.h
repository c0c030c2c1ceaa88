#pragma once

#include "Angle.h"
#include "Disk.h"
#include "PrimitiveFlatSurface.h"
#include "QuoriaExport.h"

#include <memory>

namespace Tessam
{
namespace Geometry3D
{

// A pie slice of a disk: the points whose angle, counter-clockwise about the
// normal from the radial orientation, runs from the first angle to the last.
// A last angle not above the first wraps through 0. Both edges belong to it.
class QUORIA_API DiskSector : public PrimitiveFlatSurface
{
public:
    // The angles are stored reduced to [0, 2*pi) and the radial orientation
    // normalised.
    DiskSector(const Point& center, double radius, const Vector& normal, const Vector& radialOrientation,
               const Angle& firstAngle, const Angle& lastAngle);
    DiskSector(const DiskSector&) = delete;
    DiskSector& operator=(const DiskSector&) = delete;
    ~DiskSector() override;

    double GetRadius() const;
    const Vector& GetRadialOrientation() const;
    Angle GetFirstAngle() const;
    Angle GetLastAngle() const;

    bool Contains(const Point& point) const override;
    // The radius to the first angle, the arc, then the radius back from the
    // last angle.
    IContour* GetContour() const override;
    ISurface* Clone() const override;
    bool operator==(const ISurface& other) const override;

private:
    std::unique_ptr<const Disk> disk;
    Vector radialOrientation;
    Angle firstAngle;
    Angle lastAngle;
};

} // namespace Geometry3D
} // namespace Tessam
