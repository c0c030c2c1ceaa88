#pragma once

#include "FlatSurface.h"
#include "QuoriaExport.h"

#include <memory>

namespace Tessam
{
namespace Geometry3D
{

// A union, intersection or difference of two coplanar flat surfaces. The kind
// of the operation is the concrete class. The order of the operations is the
// order of the virtual table.
class QUORIA_API BooleanOperatorOnSets
{
public:
    virtual bool Contains(const Point& point) const = 0;
    // The operator's own copies of its operands; it keeps them.
    virtual const FlatSurface* GetFirstSurface() const = 0;
    virtual const FlatSurface* GetSecondSurface() const = 0;
    // The caller owns the new operator.
    virtual BooleanOperatorOnSets* Clone() const = 0;
    // Same kind and pairwise equal operands, in order.
    virtual bool operator==(const BooleanOperatorOnSets& other) const = 0;
    virtual ~BooleanOperatorOnSets();

protected:
    // A copy of an operand for the operator to own. `errorMessage` reports a
    // clone that is not a flat surface, which only a faulty subclass makes.
    static std::unique_ptr<const FlatSurface> CopyOperand(const FlatSurface& operand,
                                                          const char* errorMessage);
    // Only the directions of the normals are compared, not the plane offsets.
    static bool AreInSamePlane(const FlatSurface& first, const FlatSurface& second);
};

} // namespace Geometry3D
} // namespace Tessam
