#include "Ring.h"

#include "DifferenceOnSets.h"
#include "Rejection.h"

#include <utility>

namespace Tessam
{
namespace Geometry3D
{

Ring::Ring(const Point& center, double innerRadius, double outerRadius, const Vector& normal)
    : Ring(center, innerRadius, outerRadius, CreateDisks(center, innerRadius, outerRadius, normal))
{
}

Ring::Ring(const Point& center, double innerRadius, double outerRadius, Disks disks)
    : ComplexFlatSurface(new DifferenceOnSets(disks.outer.get(), disks.inner.get())), center(center),
      innerRadius(innerRadius), outerRadius(outerRadius), innerDisk(std::move(disks.inner)),
      outerDisk(std::move(disks.outer))
{
    RejectIf(innerRadius >= outerRadius, "Ring::Ring : Inner radius must be smaller than outer radius.");
}

Ring::~Ring() = default;

Ring::Disks Ring::CreateDisks(const Point& center, double innerRadius, double outerRadius,
                              const Vector& normal)
{
    // The inner disk first: its errors are the ones reported.
    Disks disks;
    disks.inner = std::make_unique<Disk>(center, innerRadius, normal);
    disks.outer = std::make_unique<Disk>(center, outerRadius, normal);
    return disks;
}

const Point& Ring::GetCenter() const
{
    return center;
}

double Ring::GetInnerRadius() const
{
    return innerRadius;
}

double Ring::GetOuterRadius() const
{
    return outerRadius;
}

ISurface* Ring::Clone() const
{
    return new Ring(center, innerRadius, outerRadius, GetNormal(center));
}

} // namespace Geometry3D
} // namespace Tessam
