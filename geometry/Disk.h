#pragma once

#include "PrimitiveFlatSurface.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// A flat circular face; its centroid is its center and its rim belongs to it.
class QUORIA_API Disk : public PrimitiveFlatSurface
{
public:
    Disk(const Point& center, double radius, const Vector& normal);
    ~Disk() override = default;

    double GetRadius() const;

    bool Contains(const Point& point) const override;
    IContour* GetContour() const override;
    ISurface* Clone() const override;
    bool operator==(const ISurface& other) const override;

private:
    double radius;
};

} // namespace Geometry3D
} // namespace Tessam
