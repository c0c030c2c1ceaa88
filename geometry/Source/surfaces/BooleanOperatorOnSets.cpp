#include "BooleanOperatorOnSets.h"

#include <stdexcept>

namespace Tessam
{
namespace Geometry3D
{

BooleanOperatorOnSets::~BooleanOperatorOnSets() = default;

std::unique_ptr<const FlatSurface> BooleanOperatorOnSets::CopyOperand(const FlatSurface& operand,
                                                                      const char* errorMessage)
{
    // Own the clone before converting it, so that a failed conversion leaks nothing.
    std::unique_ptr<const ISurface> copy(operand.Clone());
    if (dynamic_cast<const FlatSurface*>(copy.get()) == nullptr)
    {
        throw std::invalid_argument(errorMessage);
    }
    return std::unique_ptr<const FlatSurface>(static_cast<const FlatSurface*>(copy.release()));
}

bool BooleanOperatorOnSets::AreInSamePlane(const FlatSurface& first, const FlatSurface& second)
{
    return first.GetNormal(Point()).IsCollinear(second.GetNormal(Point()));
}

} // namespace Geometry3D
} // namespace Tessam
