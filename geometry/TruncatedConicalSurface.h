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

class ConicalSurface;

// The part of a cone between its base circle and a smaller top circle (a
// frustum mantle), either the full revolution or an angular band from the
// first angle to the last about the orientation, counted from the radial
// orientation. The cone's height is derived from the two radii and the
// truncated height; the top circle lies truncatedHeight nearer the apex than
// the base. The edges belong to the surface.
class QUORIA_API TruncatedConicalSurface : public Surface
{
public:
    // The full revolution.
    TruncatedConicalSurface(const Point& apex, double radiusBase, double radiusTop, double truncatedHeight,
                            const Vector& orientation, bool outwardNormal);
    // An angular band; the angles are kept in [0, 2*pi) and a band whose last
    // angle is not above its first wraps through angle 0.
    TruncatedConicalSurface(const Point& apex, double radiusBase, double radiusTop, double truncatedHeight,
                            const Vector& orientation, const Vector& radialOrientation,
                            const Angle& firstAngle, const Angle& lastAngle, bool outwardNormal);
    TruncatedConicalSurface(const TruncatedConicalSurface&) = delete;
    TruncatedConicalSurface& operator=(const TruncatedConicalSurface&) = delete;
    ~TruncatedConicalSurface() override;

    const Point& GetApex() const;
    // The base radius.
    double GetRadius() const;
    // The height of the whole cone, from the apex to the base.
    double GetHeight() const;
    const Vector& GetOrientation() const;
    bool IsNormalOutward() const;
    Angle GetHalfAngle() const;
    double GetRadiusTop() const;
    double GetTruncatedHeight() const;
    // These three throw on a full revolution, which has no band.
    const Vector& GetRadialOrientation() const;
    Angle GetFirstAngle() const;
    Angle GetLastAngle() const;

    // Throws for a point off the surface.
    Vector GetNormal(const Point& point) const override;
    bool Contains(const Point& point) const override;
    using Surface::GetIntersection;
    Intersection GetIntersection(const Line& line) const override;
    // Full revolution: base circle, then top circle. Band: a closed chain of
    // base arc, generatrix at the last angle, top arc run back, generatrix at
    // the first angle. Not oriented either way.
    IContour* GetContour() const override;
    ISurface* Clone() const override;
    bool operator==(const ISurface& other) const override;

private:
    bool IsFullRevolution() const;

    std::unique_ptr<const ConicalSurface> cone;
    double radiusTop;
    double truncatedHeight;
    // Null for the full revolution.
    Vector radialOrientation;
    Angle firstAngle;
    Angle lastAngle;
};

} // namespace Geometry3D
} // namespace Tessam
