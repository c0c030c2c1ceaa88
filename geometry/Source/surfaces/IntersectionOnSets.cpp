#include "IntersectionOnSets.h"

namespace Tessam
{
namespace Geometry3D
{

IntersectionOnSets::IntersectionOnSets(const FlatSurface* first, const FlatSurface* second)
    : BooleanOperatorOnSets(
          first, second, "IntersectionOnSets::IntersectionOnSets : Both surfaces must be in the same plane.",
          "IntersectionOnSets::IntersectionOnSets : The copy of an operand is not a flat surface.")
{
}

IntersectionOnSets::~IntersectionOnSets() = default;

bool IntersectionOnSets::Contains(const Point& point) const
{
    return FirstOperand().Contains(point) && SecondOperand().Contains(point);
}

BooleanOperatorOnSets* IntersectionOnSets::Clone() const
{
    return new IntersectionOnSets(&FirstOperand(), &SecondOperand());
}

bool IntersectionOnSets::operator==(const BooleanOperatorOnSets& other) const
{
    return dynamic_cast<const IntersectionOnSets*>(&other) != nullptr && HasEqualOperands(other);
}

} // namespace Geometry3D
} // namespace Tessam
