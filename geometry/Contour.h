#pragma once

#include "IContour.h"
#include "QuoriaExport.h"

#include <memory>
#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// A chain of line and arc segments. A closed chain with a non-null plane
// normal is oriented and knows its winding direction about that normal.
class QUORIA_API Contour : public IContour
{
public:
    // Copies every segment; pass the null vector for a contour that is not
    // oriented (and then need not be closed).
    Contour(std::vector<const ISegment*> segments, const Vector& planeNormal);
    Contour(const Contour&) = delete;
    Contour& operator=(const Contour&) = delete;
    ~Contour() override;

    std::vector<const ISegment*> GetSegments() const override;
    std::vector<const LineSegment*> GetLineSegments() const override;
    std::vector<const ArcSegment*> GetArcSegments() const override;
    const Vector& GetPlaneNormal() const override;
    WindingDirection GetWindingDirection() const override;
    bool IsClosed() const override;
    bool IsOriented() const override;
    IContour* Sort(const Point& start, WindingDirection direction) const override;
    IContour* Sort(const Point& start) const override;
    bool operator==(const IContour& other) const override;

private:
    WindingDirection ComputeWindingDirection() const;

    std::vector<std::unique_ptr<const ISegment>> segments;
    std::vector<const LineSegment*> lineSegments;
    std::vector<const ArcSegment*> arcSegments;
    Vector planeNormal;
    WindingDirection windingDirection;
};

} // namespace Geometry3D
} // namespace Tessam
