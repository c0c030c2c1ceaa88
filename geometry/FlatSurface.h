#pragma once

#include "Plane.h"
#include "QuoriaExport.h"
#include "Surface.h"

namespace Tessam
{
namespace Geometry3D
{

// The base of every plane surface: it owns the supporting plane and answers
// the normal and the line intersection for all of them.
class QUORIA_API FlatSurface : public Surface
{
public:
    explicit FlatSurface(const Plane& plane);
    ~FlatSurface() override = default;

    // The plane's normal, whatever the point.
    Vector GetNormal(const Point& point) const override;
    using Surface::GetIntersection;
    Intersection GetIntersection(const Line& line) const override;

    const Plane& GetPlane() const;

private:
    Plane plane;
};

} // namespace Geometry3D
} // namespace Tessam
