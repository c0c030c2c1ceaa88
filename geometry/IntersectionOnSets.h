#pragma once

#include "BooleanOperatorOnSets.h"
#include "FlatSurface.h"
#include "QuoriaExport.h"

#include <memory>

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
    const FlatSurface* GetFirstSurface() const override;
    const FlatSurface* GetSecondSurface() const override;
    BooleanOperatorOnSets* Clone() const override;
    bool operator==(const BooleanOperatorOnSets& other) const override;

private:
    std::unique_ptr<const FlatSurface> firstSurface;
    std::unique_ptr<const FlatSurface> secondSurface;
};

} // namespace Geometry3D
} // namespace Tessam
