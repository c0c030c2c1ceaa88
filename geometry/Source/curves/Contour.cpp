#include "Contour.h"

#include "ArcSegment.h"
#include "LineSegment.h"
#include "Point.h"
#include "Rejection.h"
#include "RelativeCheckEqual.h"
#include "Tolerances.h"

#include <stdexcept>

namespace Tessam
{
namespace Geometry3D
{

namespace
{
// The same number of segments, pairwise equal in order.
template <typename Owned, typename Segment>
bool AreEqualInOrder(const std::vector<Owned>& segments, const std::vector<const Segment*>& otherSegments)
{
    if (otherSegments.size() != segments.size())
    {
        return false;
    }
    for (std::size_t i = 0; i < segments.size(); ++i)
    {
        if (!(*segments[i] == *otherSegments[i]))
        {
            return false;
        }
    }
    return true;
}
} // namespace

Contour::Contour(std::vector<const ISegment*> segments, const Vector& planeNormal)
    : planeNormal(planeNormal), windingDirection(Clockwise)
{
    // The winding direction set above means nothing until the contour is oriented.
    const bool hasNormal = !planeNormal.IsNull();
    this->segments.reserve(segments.size());
    for (const ISegment* segment : segments)
    {
        if (const auto* lineSegment = dynamic_cast<const LineSegment*>(segment))
        {
            RejectIf(hasNormal && !lineSegment->GetDirection().IsOrthogonal(planeNormal),
                     "Contour::Contour : Plane normal is incoherent with one of the line segments");
            auto copy = std::make_unique<const LineSegment>(*lineSegment);
            lineSegments.push_back(copy.get());
            this->segments.push_back(std::move(copy));
        }
        else if (const auto* arcSegment = dynamic_cast<const ArcSegment*>(segment))
        {
            // An arc run the other way (opposite normal) is still coherent.
            RejectIf(hasNormal && !arcSegment->GetPlaneNormal().IsCollinear(planeNormal),
                     "Contour::Contour : Plane normal is incoherent with one of the arc segments");
            auto copy = std::make_unique<const ArcSegment>(*arcSegment);
            arcSegments.push_back(copy.get());
            this->segments.push_back(std::move(copy));
        }
        else
        {
            // Only the library's two kinds can be copied; a null or foreign
            // segment is rejected rather than dereferenced.
            throw std::invalid_argument(
                "Contour::Contour : Every segment must be a line segment or an arc segment");
        }
    }

    if (!hasNormal)
    {
        return;
    }
    RejectIf(!IsClosed(), "Contour::Contour : Plane normal cannot be defined if the contour is not closed");
    windingDirection = ComputeWindingDirection();
}

Contour::~Contour() = default;

std::vector<const ISegment*> Contour::GetSegments() const
{
    std::vector<const ISegment*> view;
    view.reserve(segments.size());
    for (const auto& segment : segments)
    {
        view.push_back(segment.get());
    }
    return view;
}

std::vector<const LineSegment*> Contour::GetLineSegments() const
{
    return lineSegments;
}

std::vector<const ArcSegment*> Contour::GetArcSegments() const
{
    return arcSegments;
}

const Vector& Contour::GetPlaneNormal() const
{
    return planeNormal;
}

WindingDirection Contour::GetWindingDirection() const
{
    RejectIf(
        !IsOriented(),
        "Contour::GetWindingDirection : Winding direction is not defined if the contour is not oriented");
    return windingDirection;
}

bool Contour::IsClosed() const
{
    if (segments.empty())
    {
        return false;
    }
    for (std::size_t i = 0; i + 1 < segments.size(); ++i)
    {
        if (!segments[i]->GetSecondPoint().IsAlmostEqual(segments[i + 1]->GetFirstPoint(), VertexTolerance))
        {
            return false;
        }
    }
    return segments.back()->GetSecondPoint().IsAlmostEqual(segments.front()->GetFirstPoint(),
                                                           VertexTolerance);
}

bool Contour::IsOriented() const
{
    return !planeNormal.IsNull();
}

IContour* Contour::Sort(const Point& start, WindingDirection direction) const
{
    RejectIf(!IsOriented(), "Contour::Sort : The contour must be oriented");
    if (direction == windingDirection)
    {
        return Sort(start);
    }

    // The chain run backwards turns the other way about the same normal.
    std::vector<std::unique_ptr<const ISegment>> inverseSegments;
    std::vector<const ISegment*> inverseView;
    inverseSegments.reserve(segments.size());
    inverseView.reserve(segments.size());
    for (auto segment = segments.rbegin(); segment != segments.rend(); ++segment)
    {
        inverseSegments.emplace_back((*segment)->Inverse());
        inverseView.push_back(inverseSegments.back().get());
    }
    const Contour inverse(inverseView, planeNormal);
    return inverse.Sort(start);
}

IContour* Contour::Sort(const Point& start) const
{
    RejectIf(!IsClosed(), "Contour::Sort : The contour must be closed");
    std::size_t startIndex = 0;
    while (startIndex < segments.size() &&
           !start.IsAlmostEqual(segments[startIndex]->GetFirstPoint(), VertexTolerance))
    {
        ++startIndex;
    }
    RejectIf(startIndex == segments.size(), "Contour::Sort : The point is not a vertex of the contour");

    std::vector<const ISegment*> sortedSegments;
    sortedSegments.reserve(segments.size());
    for (std::size_t i = 0; i < segments.size(); ++i)
    {
        sortedSegments.push_back(segments[(startIndex + i) % segments.size()].get());
    }
    return new Contour(sortedSegments, planeNormal);
}

bool Contour::operator==(const IContour& other) const
{
    // The winding direction means something only for an oriented contour.
    return AreEqualInOrder(segments, other.GetSegments()) &&
           AreEqualInOrder(lineSegments, other.GetLineSegments()) &&
           AreEqualInOrder(arcSegments, other.GetArcSegments()) && planeNormal == other.GetPlaneNormal() &&
           (planeNormal.IsNull() || windingDirection == other.GetWindingDirection());
}

WindingDirection Contour::ComputeWindingDirection() const
{
    // Arcs turn counter-clockwise about their own normal, so the first arc
    // decides.
    if (!arcSegments.empty())
    {
        const double angle = planeNormal.AngleTo(arcSegments.front()->GetPlaneNormal()).Radians();
        return RelativeCheckEqual(angle, 0.0) ? CounterClockwise : Clockwise;
    }

    // Signed area about the normal (shoelace), closing edge included.
    const Point origin(0.0, 0.0, 0.0);
    double signedArea = 0.0;
    for (std::size_t i = 0; i < segments.size(); ++i)
    {
        const Vector originToVertex = segments[i]->GetFirstPoint() - origin;
        const Vector originToNextVertex = segments[(i + 1) % segments.size()]->GetFirstPoint() - origin;
        signedArea += 0.5 * planeNormal.Dot(originToVertex.Cross(originToNextVertex));
    }
    // Zero and NaN areas count as clockwise.
    return signedArea > 0.0 ? CounterClockwise : Clockwise;
}

} // namespace Geometry3D
} // namespace Tessam
