#include "UnionOnSets.h"

namespace Tessam
{
namespace Geometry3D
{

UnionOnSets::UnionOnSets(const FlatSurface* first, const FlatSurface* second)
    : BooleanOperatorOnSets(first, second,
                            "UnionOnSets::UnionOnSets : Both surfaces must be in the same plane.",
                            "UnionOnSets::UnionOnSets : The copy of an operand is not a flat surface.")
{
}

UnionOnSets::~UnionOnSets() = default;

bool UnionOnSets::Contains(const Point& point) const
{
    return FirstOperand().Contains(point) || SecondOperand().Contains(point);
}

BooleanOperatorOnSets* UnionOnSets::Clone() const
{
    return new UnionOnSets(&FirstOperand(), &SecondOperand());
}

bool UnionOnSets::operator==(const BooleanOperatorOnSets& other) const
{
    return dynamic_cast<const UnionOnSets*>(&other) != nullptr && HasEqualOperands(other);
}

} // namespace Geometry3D
} // namespace Tessam
