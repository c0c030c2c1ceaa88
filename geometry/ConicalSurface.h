#pragma once

#include "Angle.h"
#include "Point.h"
#include "QuoriaExport.h"
#include "Surface.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

// The lateral surface of a finite right circular cone, from its apex along
// the orientation to the base circle at `height`. The apex and the base rim
// belong to it.
class QUORIA_API ConicalSurface : public Surface
{
public:
    ConicalSurface(const Point& apex, double radius, double height, const Vector& orientation,
                   bool outwardNormal);
    ~ConicalSurface() override = default;

    const Point& GetApex() const;
    double GetRadius() const;
    double GetHeight() const;
    const Vector& GetOrientation() const;
    bool IsNormalOutward() const;
    Angle GetHalfAngle() const;

    // Throws for a point off the cone.
    Vector GetNormal(const Point& point) const override;
    bool Contains(const Point& point) const override;
    using Surface::GetIntersection;
    // A line through the apex along a generatrix is reported as infinite.
    Intersection GetIntersection(const Line& line) const override;
    // The base circle alone; not oriented.
    IContour* GetContour() const override;
    ISurface* Clone() const override;
    bool operator==(const ISurface& other) const override;

private:
    Point apex;
    double radius;
    double height;
    Vector orientation;
    bool outwardNormal;
    Angle halfAngle;
};

} // namespace Geometry3D
} // namespace Tessam
