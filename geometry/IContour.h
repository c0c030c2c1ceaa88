#pragma once

#include "QuoriaExport.h"
#include "Vector.h"
#include "WindingDirection.h"

#include <vector>

namespace Tessam
{
namespace Geometry3D
{

class ISegment;
class LineSegment;
class ArcSegment;
class Point;

// An ordered chain of segments. The order of the operations is the order of
// the virtual table.
class QUORIA_API IContour
{
public:
    // The contour keeps ownership of the segments it hands out.
    virtual std::vector<const ISegment*> GetSegments() const = 0;
    virtual std::vector<const LineSegment*> GetLineSegments() const = 0;
    virtual std::vector<const ArcSegment*> GetArcSegments() const = 0;
    virtual const Vector& GetPlaneNormal() const = 0;
    virtual WindingDirection GetWindingDirection() const = 0;
    virtual bool IsClosed() const = 0;
    virtual bool IsOriented() const = 0;
    // The caller owns the contours returned by both Sorts.
    virtual IContour* Sort(const Point& start, WindingDirection direction) const = 0;
    virtual IContour* Sort(const Point& start) const = 0;
    virtual bool operator==(const IContour& other) const = 0;
    virtual ~IContour();
};

} // namespace Geometry3D
} // namespace Tessam
