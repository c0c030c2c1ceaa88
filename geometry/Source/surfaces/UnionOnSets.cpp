#include "UnionOnSets.h"

#include <stdexcept>

namespace Tessam
{
namespace Geometry3D
{

namespace
{
const char* const NotAFlatCopy = "UnionOnSets::UnionOnSets : The copy of an operand is not a flat surface.";
} // namespace

UnionOnSets::UnionOnSets(const FlatSurface* first, const FlatSurface* second)
    : firstSurface(CopyOperand(*first, NotAFlatCopy)), secondSurface(CopyOperand(*second, NotAFlatCopy))
{
    if (!AreInSamePlane(*firstSurface, *secondSurface))
    {
        throw std::invalid_argument("UnionOnSets::UnionOnSets : Both surfaces must be in the same plane.");
    }
}

UnionOnSets::~UnionOnSets() = default;

bool UnionOnSets::Contains(const Point& point) const
{
    return firstSurface->Contains(point) || secondSurface->Contains(point);
}

const FlatSurface* UnionOnSets::GetFirstSurface() const
{
    return firstSurface.get();
}

const FlatSurface* UnionOnSets::GetSecondSurface() const
{
    return secondSurface.get();
}

BooleanOperatorOnSets* UnionOnSets::Clone() const
{
    return new UnionOnSets(firstSurface.get(), secondSurface.get());
}

bool UnionOnSets::operator==(const BooleanOperatorOnSets& other) const
{
    const auto* otherOperator = dynamic_cast<const UnionOnSets*>(&other);
    return otherOperator != nullptr && *firstSurface == *otherOperator->firstSurface &&
           *secondSurface == *otherOperator->secondSurface;
}

} // namespace Geometry3D
} // namespace Tessam
