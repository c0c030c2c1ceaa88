#include "Line.h"

#include "Rejection.h"

namespace Tessam
{
namespace Geometry3D
{

namespace
{
// What ValidateDirection then Normalize do, with the one square root.
Vector ValidatedUnit(const Vector& direction)
{
    const double length = direction.Length();
    if (length == 0.0)
    {
        Line::ValidateDirection(direction);
    }
    return length > 0.0 ? Vector(direction.X() / length, direction.Y() / length, direction.Z() / length)
                        : direction;
}
} // namespace

Line::Line(const Point& point, const Vector& direction) : point(point), direction(ValidatedUnit(direction)) {}

Line::Line(const Point& first, const Point& second)
    : point(first), direction(ValidatedUnit(Vector(second.X(), second.Y(), second.Z()) -
                                            Vector(first.X(), first.Y(), first.Z())))
{
}

bool Line::Contains(const Point& p) const
{
    const double coordinates[3] = {p.X(), p.Y(), p.Z()};
    const double origin[3] = {point.X(), point.Y(), point.Z()};
    const double components[3] = {direction.X(), direction.Y(), direction.Z()};

    // One line parameter per axis that the direction moves along; on the
    // other axes the coordinate must be the line's own.
    double parameters[3] = {0.0, 0.0, 0.0};
    bool hasParameter[3] = {false, false, false};
    for (int axis = 0; axis < 3; ++axis)
    {
        if (components[axis] != 0.0)
        {
            parameters[axis] = (coordinates[axis] - origin[axis]) / components[axis];
            hasParameter[axis] = true;
        }
        else if (coordinates[axis] != origin[axis])
        {
            return false;
        }
    }
    for (int first = 0; first < 3; ++first)
    {
        for (int second = first + 1; second < 3; ++second)
        {
            if (hasParameter[first] && hasParameter[second] && !(parameters[first] == parameters[second]))
            {
                return false;
            }
        }
    }
    return true;
}

bool Line::operator==(const Line& other) const
{
    return point == other.point && direction == other.direction;
}

void Line::ValidateDirection(const Vector& direction)
{
    RejectIf(direction.Length() == 0.0, "Line::ValidateDirection : Direction is a null vector.");
}

} // namespace Geometry3D
} // namespace Tessam
