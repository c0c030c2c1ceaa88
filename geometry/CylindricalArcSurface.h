#pragma once

#include "Angle.h"
#include "Point.h"
#include "QuoriaExport.h"
#include "Surface.h"
#include "Vector.h"

#include <memory>

namespace Tessam
{
namespace Geometry3D
{

class CylindricalSurface;

// An angular band of a cylinder mantle, from the first angle to the last,
// both measured about the orientation (right-hand rule) from the radial
// orientation. The angles are kept in [0, 2*pi); when the last is not above
// the first the band wraps through angle 0. Its edges belong to it.
class QUORIA_API CylindricalArcSurface : public Surface
{
public:
    CylindricalArcSurface(const Point& centroid, double radius, double height, const Vector& orientation,
                          const Vector& radialOrientation, const Angle& firstAngle, const Angle& lastAngle,
                          bool outwardNormal);
    CylindricalArcSurface(const CylindricalArcSurface&) = delete;
    CylindricalArcSurface& operator=(const CylindricalArcSurface&) = delete;
    ~CylindricalArcSurface() override;

    const Point& GetCentroid() const;
    double GetRadius() const;
    double GetHeight() const;
    const Vector& GetOrientation() const;
    bool IsNormalOutward() const;
    const Vector& GetRadialOrientation() const;
    Angle GetFirstAngle() const;
    Angle GetLastAngle() const;

    // Throws for a point off the band.
    Vector GetNormal(const Point& point) const override;
    bool Contains(const Point& point) const override;
    using Surface::GetIntersection;
    Intersection GetIntersection(const Line& line) const override;
    // A closed chain: top arc, the generatrix at the last angle, bottom arc
    // run back, the generatrix at the first angle. Not oriented.
    IContour* GetContour() const override;
    ISurface* Clone() const override;
    bool operator==(const ISurface& other) const override;

private:
    std::unique_ptr<const CylindricalSurface> cylinder;
    Vector radialOrientation;
    Angle firstAngle;
    Angle lastAngle;
};

} // namespace Geometry3D
} // namespace Tessam
