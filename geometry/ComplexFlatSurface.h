#pragma once

#include "BooleanOperatorOnSets.h"
#include "FlatSurface.h"
#include "ISegment.h"
#include "QuoriaExport.h"

#include <memory>
#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// The flat region that a set operator defines over two coplanar surfaces.
// Containment is the operator's; the boundary is computed on demand by cutting
// both operands' contours at their crossings, keeping the pieces that bound
// the region and chaining them. Operands may themselves be complex surfaces.
class QUORIA_API ComplexFlatSurface : public FlatSurface
{
public:
    // Takes ownership of the operator; the plane is that of its first surface.
    explicit ComplexFlatSurface(BooleanOperatorOnSets* operatorOnSets);
    ComplexFlatSurface(const ComplexFlatSurface&) = delete;
    ComplexFlatSurface& operator=(const ComplexFlatSurface&) = delete;
    ~ComplexFlatSurface() override;

    // The caller owns the new surface and keeps its own two surfaces.
    static ComplexFlatSurface* CreateIntersection(const FlatSurface* first, const FlatSurface* second);
    static ComplexFlatSurface* CreateUnion(const FlatSurface* first, const FlatSurface* second);
    // First minus second.
    static ComplexFlatSurface* CreateDifference(const FlatSurface* first, const FlatSurface* second);

    const FlatSurface* GetFirstSurface() const;
    const FlatSurface* GetSecondSurface() const;
    // 0 for an intersection, 1 for a union, 2 for a difference.
    int GetOperationType() const;

    bool Contains(const Point& point) const override;
    // Several separate loops (a ring) make a contour that is not closed and
    // carries no normal; a single closed loop has the first surface's normal.
    IContour* GetContour() const override;
    ISurface* Clone() const override;
    bool operator==(const ISurface& other) const override;

protected:
    using SegmentList = std::vector<std::unique_ptr<const ISegment>>;
    using SegmentView = std::vector<const ISegment*>;

    // Every segment of A cut at its crossings with the segments of B; the
    // pieces of each segment run from its first point to its second.
    static SegmentList SplitSegments(const SegmentView& segmentsA, const SegmentView& segmentsB);
    // Pieces of the segment's kind between consecutive distinct points.
    static SegmentList CreateSubSegments(const ISegment& segment, const std::vector<Point>& orderedPoints);
    // Of several equal segments, either way round, only the last is kept.
    static SegmentView RemoveDuplicateSegments(const SegmentView& segments);
    static bool IsSegmentInList(const ISegment& segment, const SegmentView& list);
    // The pieces that bound the region, judged by their middle points.
    SegmentView SelectSubSegments(const SegmentView& unduplicatedSegments, const SegmentView& subSegments1,
                                  const SegmentView& subSegments2) const;
    // The pieces chained end to start, reversed where needed; a chain that
    // cannot be continued starts a new one. The reversed pieces are new and
    // are kept in `createdSegments`.
    static SegmentView OrderSegments(const SegmentView& segments, SegmentList& createdSegments);

private:
    std::unique_ptr<BooleanOperatorOnSets> operatorOnSets;
};

} // namespace Geometry3D
} // namespace Tessam
