#pragma once

#include "Angle.h"
#include "ISegment.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

class LineSegment;

// A circular arc run counter-clockwise about its plane normal, from the
// first angle to the second, both measured from the radial orientation.
// The first angle lies in [0, 2*pi) and the second in (first, first + 2*pi];
// equal angles give the full circle.
class QUORIA_API ArcSegment : public ISegment
{
public:
    ArcSegment(const Point& centre, double radius, const Vector& planeNormal, const Vector& radialOrientation,
               Angle firstAngle, Angle secondAngle);
    ArcSegment(const Point& centre, double radius, const Vector& planeNormal, const Vector& radialOrientation,
               const Point& firstPoint, const Point& secondPoint);
    ArcSegment(const ArcSegment& other) = default;
    ArcSegment& operator=(const ArcSegment& other) = default;
    ~ArcSegment() override = default;

    const Point& GetFirstPoint() const override;
    const Point& GetSecondPoint() const override;
    Point GetMiddlePoint() const override;
    double Length() const override;
    bool Contains(const Point& point) const override;
    Intersection Intersect(const ISegment& other) const override;
    Vector GetTangent(const Point& point) const override;
    bool operator==(const ISegment& other) const override;
    ISegment* Inverse() const override;

    const Point& GetCenter() const;
    double GetRadius() const;
    const Vector& GetPlaneNormal() const;
    const Vector& GetRadialOrientation() const;
    Angle GetFirstAngle() const;
    Angle GetSecondAngle() const;

private:
    Point PointAtAngle(double angle) const;
    Intersection IntersectLineSegment(const LineSegment& segment) const;
    Intersection IntersectArcSegment(const ArcSegment& sphere) const;

    Point centre;
    double radius;
    Vector planeNormal;
    Vector radialOrientation;
    Angle firstAngle;
    Angle secondAngle;
    Point firstPoint;
    Point secondPoint;
};

} // namespace Geometry3D
} // namespace Tessam
