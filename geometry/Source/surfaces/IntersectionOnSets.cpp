#include "IntersectionOnSets.h"

#include <stdexcept>

namespace Tessam
{
namespace Geometry3D
{

namespace
{
const char* const NotAFlatCopy =
    "IntersectionOnSets::IntersectionOnSets : The copy of an operand is not a flat surface.";
} // namespace

IntersectionOnSets::IntersectionOnSets(const FlatSurface* first, const FlatSurface* second)
    : firstSurface(CopyOperand(*first, NotAFlatCopy)), secondSurface(CopyOperand(*second, NotAFlatCopy))
{
    if (!AreInSamePlane(*firstSurface, *secondSurface))
    {
        throw std::invalid_argument(
            "IntersectionOnSets::IntersectionOnSets : Both surfaces must be in the same plane.");
    }
}

IntersectionOnSets::~IntersectionOnSets() = default;

bool IntersectionOnSets::Contains(const Point& point) const
{
    return firstSurface->Contains(point) && secondSurface->Contains(point);
}

const FlatSurface* IntersectionOnSets::GetFirstSurface() const
{
    return firstSurface.get();
}

const FlatSurface* IntersectionOnSets::GetSecondSurface() const
{
    return secondSurface.get();
}

BooleanOperatorOnSets* IntersectionOnSets::Clone() const
{
    return new IntersectionOnSets(firstSurface.get(), secondSurface.get());
}

bool IntersectionOnSets::operator==(const BooleanOperatorOnSets& other) const
{
    const auto* otherOperator = dynamic_cast<const IntersectionOnSets*>(&other);
    return otherOperator != nullptr && *firstSurface == *otherOperator->firstSurface &&
           *secondSurface == *otherOperator->secondSurface;
}

} // namespace Geometry3D
} // namespace Tessam
