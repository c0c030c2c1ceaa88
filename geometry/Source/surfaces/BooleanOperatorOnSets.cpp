#include "BooleanOperatorOnSets.h"

#include "Rejection.h"

namespace Tessam
{
namespace Geometry3D
{

namespace
{
std::unique_ptr<const FlatSurface> CopyOperand(const FlatSurface& operand, const char* notFlatCopy)
{
    // Own the clone before converting it, so that a failed conversion leaks nothing.
    std::unique_ptr<const ISurface> copy(operand.Clone());
    RejectIf(dynamic_cast<const FlatSurface*>(copy.get()) == nullptr, notFlatCopy);
    return std::unique_ptr<const FlatSurface>(static_cast<const FlatSurface*>(copy.release()));
}
} // namespace

BooleanOperatorOnSets::BooleanOperatorOnSets(const FlatSurface* first, const FlatSurface* second,
                                             const char* notInSamePlane, const char* notFlatCopy)
    : firstSurface(CopyOperand(*first, notFlatCopy)), secondSurface(CopyOperand(*second, notFlatCopy))
{
    RejectIf(!firstSurface->GetNormal(Point()).IsCollinear(secondSurface->GetNormal(Point())),
             notInSamePlane);
}

BooleanOperatorOnSets::~BooleanOperatorOnSets() = default;

const FlatSurface* BooleanOperatorOnSets::GetFirstSurface() const
{
    return firstSurface.get();
}

const FlatSurface* BooleanOperatorOnSets::GetSecondSurface() const
{
    return secondSurface.get();
}

bool BooleanOperatorOnSets::HasEqualOperands(const BooleanOperatorOnSets& other) const
{
    return *firstSurface == *other.firstSurface && *secondSurface == *other.secondSurface;
}

} // namespace Geometry3D
} // namespace Tessam
