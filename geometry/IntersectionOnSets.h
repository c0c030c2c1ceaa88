#pragma once

#include "BooleanOperatorOnSets.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// The points common to both operands, boundaries included.
class QUORIA_API IntersectionOnSets : public BooleanOperatorOnSets
{
public:
    // Works on copies of the operands; the caller keeps its surfaces.
    IntersectionOnSets(const FlatSurface* first, const FlatSurface* second);
    IntersectionOnSets(const IntersectionOnSets&) = delete;
    IntersectionOnSets& operator=(const IntersectionOnSets&) = delete;
    ~IntersectionOnSets() override;

    bool Contains(const Point& point) const override;
    BooleanOperatorOnSets* Clone() const override;
    bool operator==(const BooleanOperatorOnSets& other) const override;
};

} // namespace Geometry3D
} // namespace Tessam
