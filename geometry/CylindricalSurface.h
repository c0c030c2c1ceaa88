#pragma once

#include "Point.h"
#include "QuoriaExport.h"
#include "Surface.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

// The lateral surface of a finite right circular cylinder: the mantle runs
// from -height/2 to +height/2 along the orientation, measured from the
// centroid on the axis. The end circles belong to it.
class QUORIA_API CylindricalSurface : public Surface
{
public:
    CylindricalSurface(const Point& centroid, double radius, double height, const Vector& orientation,
                       bool outwardNormal);
    ~CylindricalSurface() override = default;

    // New surfaces along a principal axis, with the normal pointing away
    // from the axis; the caller owns them.
    static CylindricalSurface* CreateXOriented(const Point& centroid, double radius, double height);
    static CylindricalSurface* CreateYOriented(const Point& centroid, double radius, double height);
    static CylindricalSurface* CreateZOriented(const Point& centroid, double radius, double height);

    const Point& GetCentroid() const;
    double GetRadius() const;
    double GetHeight() const;
    const Vector& GetOrientation() const;
    bool IsNormalOutward() const;

    // Throws for a point off the mantle.
    Vector GetNormal(const Point& point) const override;
    bool Contains(const Point& point) const override;
    using Surface::GetIntersection;
    // A line lying on the mantle is reported as infinite.
    Intersection GetIntersection(const Line& line) const override;
    // The two end circles, top (along the orientation) first; not one chain,
    // hence not oriented.
    IContour* GetContour() const override;
    ISurface* Clone() const override;
    bool operator==(const ISurface& other) const override;

private:
    Point centroid;
    double radius;
    double height;
    Vector orientation;
    bool outwardNormal;
};

} // namespace Geometry3D
} // namespace Tessam
