#include "DifferenceOnSets.h"

namespace Tessam
{
namespace Geometry3D
{

DifferenceOnSets::DifferenceOnSets(const FlatSurface* first, const FlatSurface* second)
    : BooleanOperatorOnSets(
          first, second, "DifferenceOnSets::DifferenceOnSets : Both surfaces must be in the same plane.",
          "DifferenceOnSets::DifferenceOnSets : The copy of an operand is not a flat surface.")
{
}

DifferenceOnSets::~DifferenceOnSets() = default;

bool DifferenceOnSets::Contains(const Point& point) const
{
    return FirstOperand().Contains(point) && !SecondOperand().Contains(point);
}

BooleanOperatorOnSets* DifferenceOnSets::Clone() const
{
    return new DifferenceOnSets(&FirstOperand(), &SecondOperand());
}

bool DifferenceOnSets::operator==(const BooleanOperatorOnSets& other) const
{
    return dynamic_cast<const DifferenceOnSets*>(&other) != nullptr && HasEqualOperands(other);
}

} // namespace Geometry3D
} // namespace Tessam
