#pragma once

#include "BooleanOperatorOnSets.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// The points of the first operand that are not in the second; the boundary
// of the second operand is therefore outside.
class QUORIA_API DifferenceOnSets : public BooleanOperatorOnSets
{
public:
    // Works on copies of the operands; the caller keeps its surfaces.
    DifferenceOnSets(const FlatSurface* first, const FlatSurface* second);
    DifferenceOnSets(const DifferenceOnSets&) = delete;
    DifferenceOnSets& operator=(const DifferenceOnSets&) = delete;
    ~DifferenceOnSets() override;

    bool Contains(const Point& point) const override;
    BooleanOperatorOnSets* Clone() const override;
    bool operator==(const BooleanOperatorOnSets& other) const override;
};

} // namespace Geometry3D
} // namespace Tessam
