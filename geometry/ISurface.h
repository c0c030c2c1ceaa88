#pragma once

#include "Intersection.h"
#include "QuoriaExport.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

class IContour;
class Line;
class LineSegment;
class Point;

// A bounded surface: a face of a solid. The order of the operations is the
// order of the virtual table.
class QUORIA_API ISurface
{
public:
    // Unit normal at a point; the faces of a solid point out of it.
    virtual Vector GetNormal(const Point& point) const = 0;
    // Boundary included, within the surface's tolerances.
    virtual bool Contains(const Point& point) const = 0;
    virtual Intersection GetIntersection(const LineSegment& segment) const = 0;
    virtual Intersection GetIntersection(const Line& line) const = 0;
    // The caller owns the new contour.
    virtual IContour* GetContour() const = 0;
    // A copy made by the concrete constructor; the caller owns it.
    virtual ISurface* Clone() const = 0;
    // Same concrete class and exactly equal defining data.
    virtual bool operator==(const ISurface& other) const = 0;
    virtual bool operator!=(const ISurface& other) const = 0;
    virtual ~ISurface();
};

} // namespace Geometry3D
} // namespace Tessam
