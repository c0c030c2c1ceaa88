#pragma once

#include "Intersection.h"
#include "Point.h"
#include "QuoriaExport.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

// A directed bounded curve, from its first point to its second point.
// The order of the operations is the order of the virtual table.
class QUORIA_API ISegment
{
public:
    virtual const Point& GetFirstPoint() const = 0;
    virtual const Point& GetSecondPoint() const = 0;
    virtual Point GetMiddlePoint() const = 0;
    virtual double Length() const = 0;
    virtual bool Contains(const Point& point) const = 0;
    virtual Intersection Intersect(const ISegment& other) const = 0;
    // Unit tangent in the direction of travel at a point of the segment.
    virtual Vector GetTangent(const Point& point) const = 0;
    virtual bool operator==(const ISegment& other) const = 0;
    // The same curve run the other way; the caller owns the new segment.
    virtual ISegment* Inverse() const = 0;
    virtual ~ISegment();
};

} // namespace Geometry3D
} // namespace Tessam
