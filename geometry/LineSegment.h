#pragma once

#include "ISegment.h"
#include "Line.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// A straight segment; also each leg of a traced beam.
class QUORIA_API LineSegment : public ISegment
{
public:
    LineSegment(const Point& first, const Point& second);
    LineSegment(const LineSegment& other) = default;
    LineSegment& operator=(const LineSegment& other) = default;
    ~LineSegment() override = default;

    const Point& GetFirstPoint() const override;
    const Point& GetSecondPoint() const override;
    Point GetMiddlePoint() const override;
    double Length() const override;
    bool Contains(const Point& point) const override;
    Intersection Intersect(const ISegment& other) const override;
    Vector GetTangent(const Point& point) const override;
    bool operator==(const ISegment& other) const override;
    ISegment* Inverse() const override;

    const Line& GetLine() const;
    const Vector& GetDirection() const;

private:
    Intersection IntersectLineSegment(const LineSegment& other) const;

    Point firstPoint;
    Point secondPoint;
    Line line;
};

} // namespace Geometry3D
} // namespace Tessam
