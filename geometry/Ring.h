#pragma once

#include "ComplexFlatSurface.h"
#include "Disk.h"
#include "QuoriaExport.h"

#include <memory>

namespace Tessam
{
namespace Geometry3D
{

// An annulus: the outer disk minus the inner one, so the inner rim is not
// part of it while the outer rim is.
class QUORIA_API Ring : public ComplexFlatSurface
{
public:
    Ring(const Point& center, double innerRadius, double outerRadius, const Vector& normal);
    Ring(const Ring&) = delete;
    Ring& operator=(const Ring&) = delete;
    ~Ring() override;

    const Point& GetCenter() const;
    double GetInnerRadius() const;
    double GetOuterRadius() const;

    ISurface* Clone() const override;

private:
    struct Disks
    {
        std::unique_ptr<const Disk> inner;
        std::unique_ptr<const Disk> outer;
    };

    // The disks must exist before the base part, which is built from them.
    static Disks CreateDisks(const Point& center, double innerRadius, double outerRadius,
                             const Vector& normal);
    Ring(const Point& center, double innerRadius, double outerRadius, Disks disks);

    Point center;
    double innerRadius;
    double outerRadius;
    // Declared in this order so that the outer disk goes first.
    std::unique_ptr<const Disk> innerDisk;
    std::unique_ptr<const Disk> outerDisk;
};

} // namespace Geometry3D
} // namespace Tessam
