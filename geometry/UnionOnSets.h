#pragma once

#include "BooleanOperatorOnSets.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// The points of either operand.
class QUORIA_API UnionOnSets : public BooleanOperatorOnSets
{
public:
    // Works on copies of the operands; the caller keeps its surfaces.
    UnionOnSets(const FlatSurface* first, const FlatSurface* second);
    UnionOnSets(const UnionOnSets&) = delete;
    UnionOnSets& operator=(const UnionOnSets&) = delete;
    ~UnionOnSets() override;

    bool Contains(const Point& point) const override;
    BooleanOperatorOnSets* Clone() const override;
    bool operator==(const BooleanOperatorOnSets& other) const override;
};

} // namespace Geometry3D
} // namespace Tessam
