#include "IRayTracer.h"

#include "RayTracer.h"

#include <utility>

namespace Quoria
{

IRayTracer::~IRayTracer() = default;

// A null solid is refused by the tracer's constructor like a null element of
// the vector.
IRayTracer* CreateRayTracer(const Tessam::Geometry3D::Solid* solid)
{
    return new RayTracer(std::vector<const Tessam::Geometry3D::Solid*>{solid});
}

IRayTracer* CreateRayTracer(std::vector<const Tessam::Geometry3D::Solid*> solids)
{
    return new RayTracer(std::move(solids));
}

} // namespace Quoria
