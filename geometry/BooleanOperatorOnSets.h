#pragma once

#include "FlatSurface.h"
#include "QuoriaExport.h"

#include <memory>

namespace Tessam
{
namespace Geometry3D
{

// A union, intersection or difference of two coplanar flat surfaces. The kind
// of the operation is the concrete class; what the kinds share (owning copies
// of the operands, checking them, comparing them) lives here. The order of the
// operations is the order of the virtual table.
class QUORIA_API BooleanOperatorOnSets
{
public:
    BooleanOperatorOnSets(const BooleanOperatorOnSets&) = delete;
    BooleanOperatorOnSets& operator=(const BooleanOperatorOnSets&) = delete;

    virtual bool Contains(const Point& point) const = 0;
    // The operator's own copies of its operands; it keeps them.
    virtual const FlatSurface* GetFirstSurface() const;
    virtual const FlatSurface* GetSecondSurface() const;
    // The caller owns the new operator.
    virtual BooleanOperatorOnSets* Clone() const = 0;
    // Same kind and pairwise equal operands, in order.
    virtual bool operator==(const BooleanOperatorOnSets& other) const = 0;
    virtual ~BooleanOperatorOnSets();

protected:
    // Copies the first operand, then the second, and rejects them with the
    // kind's `notInSamePlane` message unless their normals are collinear (the
    // plane offsets are not compared). `notFlatCopy` reports a clone that is
    // not a flat surface, which only a faulty subclass of a surface makes.
    BooleanOperatorOnSets(const FlatSurface* first, const FlatSurface* second, const char* notInSamePlane,
                          const char* notFlatCopy);

    // Without a virtual call: containment runs on the tracer's path.
    const FlatSurface& FirstOperand() const { return *firstSurface; }
    const FlatSurface& SecondOperand() const { return *secondSurface; }
    // The first operands equal, then the second; the caller has checked the kind.
    bool HasEqualOperands(const BooleanOperatorOnSets& other) const;

private:
    std::unique_ptr<const FlatSurface> firstSurface;
    std::unique_ptr<const FlatSurface> secondSurface;
};

} // namespace Geometry3D
} // namespace Tessam
