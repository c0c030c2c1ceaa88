#pragma once

#include "Point.h"
#include "QuoriaExport.h"
#include "Vector.h"

namespace Tessam
{
namespace Geometry3D
{

// An infinite straight line: a point and a unit direction.
class QUORIA_API Line
{
public:
    Line(const Point& point, const Vector& direction);
    Line(const Point& first, const Point& second);
    Line(const Line& other) = default;
    Line& operator=(const Line& other) = default;

    const Point& GetPoint() const { return point; }
    const Vector& GetDirection() const { return direction; }

    // Exact membership, without tolerance: reliable for lines parallel to an
    // axis or a coordinate plane; callers that need tolerance test cross
    // products instead.
    bool Contains(const Point& p) const;

    bool operator==(const Line& other) const;

    static void ValidateDirection(const Vector& direction);

private:
    Point point;
    Vector direction;
};

} // namespace Geometry3D
} // namespace Tessam
