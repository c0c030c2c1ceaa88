#include "DifferenceOnSets.h"

#include <stdexcept>

namespace Tessam
{
namespace Geometry3D
{

namespace
{
const char* const NotAFlatCopy =
    "DifferenceOnSets::DifferenceOnSets : The copy of an operand is not a flat surface.";
} // namespace

DifferenceOnSets::DifferenceOnSets(const FlatSurface* first, const FlatSurface* second)
    : firstSurface(CopyOperand(*first, NotAFlatCopy)), secondSurface(CopyOperand(*second, NotAFlatCopy))
{
    if (!AreInSamePlane(*firstSurface, *secondSurface))
    {
        throw std::invalid_argument(
            "DifferenceOnSets::DifferenceOnSets : Both surfaces must be in the same plane.");
    }
}

DifferenceOnSets::~DifferenceOnSets() = default;

bool DifferenceOnSets::Contains(const Point& point) const
{
    return firstSurface->Contains(point) && !secondSurface->Contains(point);
}

const FlatSurface* DifferenceOnSets::GetFirstSurface() const
{
    return firstSurface.get();
}

const FlatSurface* DifferenceOnSets::GetSecondSurface() const
{
    return secondSurface.get();
}

BooleanOperatorOnSets* DifferenceOnSets::Clone() const
{
    return new DifferenceOnSets(firstSurface.get(), secondSurface.get());
}

bool DifferenceOnSets::operator==(const BooleanOperatorOnSets& other) const
{
    const auto* otherOperator = dynamic_cast<const DifferenceOnSets*>(&other);
    return otherOperator != nullptr && *firstSurface == *otherOperator->firstSurface &&
           *secondSurface == *otherOperator->secondSurface;
}

} // namespace Geometry3D
} // namespace Tessam
