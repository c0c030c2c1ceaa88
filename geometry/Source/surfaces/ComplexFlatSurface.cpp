#include "ComplexFlatSurface.h"

#include "ArcSegment.h"
#include "Contour.h"
#include "DifferenceOnSets.h"
#include "IntersectionOnSets.h"
#include "LineSegment.h"
#include "Tolerances.h"
#include "UnionOnSets.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <typeinfo>
#include <utility>

namespace Tessam
{
namespace Geometry3D
{

namespace
{

const int IntersectionOperation = 0;
const int UnionOperation = 1;
const int DifferenceOperation = 2;

// The pieces of an arc keep its circle and its angular reference.
ArcSegment ArcOnSameCircle(const ArcSegment& arc, const Point& firstPoint, const Point& secondPoint)
{
    return ArcSegment(arc.GetCenter(), arc.GetRadius(), arc.GetPlaneNormal(), arc.GetRadialOrientation(),
                      firstPoint, secondPoint);
}

// How far along the segment the point lies: straight for a line, along the
// circle for an arc (a full turn when the point is the arc's first point).
double DistanceAlong(const ISegment& segment, const Point& point)
{
    if (const auto* arc = dynamic_cast<const ArcSegment*>(&segment))
    {
        return ArcOnSameCircle(*arc, arc->GetFirstPoint(), point).Length();
    }
    return segment.GetFirstPoint().DistanceTo(point);
}

std::vector<const ISegment*> ViewOf(const std::vector<std::unique_ptr<const ISegment>>& segments)
{
    std::vector<const ISegment*> view;
    for (const auto& segment : segments)
    {
        view.push_back(segment.get());
    }
    return view;
}

} // namespace

ComplexFlatSurface::ComplexFlatSurface(BooleanOperatorOnSets* operatorOnSets)
    : FlatSurface(operatorOnSets->GetFirstSurface()->GetPlane()), operatorOnSets(operatorOnSets)
{
}

ComplexFlatSurface::~ComplexFlatSurface() = default;

ComplexFlatSurface* ComplexFlatSurface::CreateIntersection(const FlatSurface* first,
                                                           const FlatSurface* second)
{
    std::unique_ptr<BooleanOperatorOnSets> intersection(new IntersectionOnSets(first, second));
    return new ComplexFlatSurface(intersection.release());
}

ComplexFlatSurface* ComplexFlatSurface::CreateUnion(const FlatSurface* first, const FlatSurface* second)
{
    std::unique_ptr<BooleanOperatorOnSets> setUnion(new UnionOnSets(first, second));
    return new ComplexFlatSurface(setUnion.release());
}

ComplexFlatSurface* ComplexFlatSurface::CreateDifference(const FlatSurface* first, const FlatSurface* second)
{
    std::unique_ptr<BooleanOperatorOnSets> difference(new DifferenceOnSets(first, second));
    return new ComplexFlatSurface(difference.release());
}

const FlatSurface* ComplexFlatSurface::GetFirstSurface() const
{
    return operatorOnSets->GetFirstSurface();
}

const FlatSurface* ComplexFlatSurface::GetSecondSurface() const
{
    return operatorOnSets->GetSecondSurface();
}

int ComplexFlatSurface::GetOperationType() const
{
    // The exact class decides: a subclass of a known operator is not known.
    const BooleanOperatorOnSets& operation = *operatorOnSets;
    const std::type_info& kind = typeid(operation);
    if (kind == typeid(IntersectionOnSets))
    {
        return IntersectionOperation;
    }
    if (kind == typeid(UnionOnSets))
    {
        return UnionOperation;
    }
    if (kind == typeid(DifferenceOnSets))
    {
        return DifferenceOperation;
    }
    throw std::invalid_argument("The type of operation on sets is not known.");
}

bool ComplexFlatSurface::Contains(const Point& point) const
{
    return operatorOnSets->Contains(point);
}

IContour* ComplexFlatSurface::GetContour() const
{
    const std::unique_ptr<IContour> firstContour(GetFirstSurface()->GetContour());
    const std::unique_ptr<IContour> secondContour(GetSecondSurface()->GetContour());
    const SegmentView firstSegments = firstContour->GetSegments();
    const SegmentView secondSegments = secondContour->GetSegments();

    const SegmentList firstSubSegments = SplitSegments(firstSegments, secondSegments);
    const SegmentList secondSubSegments = SplitSegments(secondSegments, firstSegments);
    const SegmentView firstView = ViewOf(firstSubSegments);
    const SegmentView secondView = ViewOf(secondSubSegments);
    SegmentView unionOfSubSegments = firstView;
    unionOfSubSegments.insert(unionOfSubSegments.end(), secondView.begin(), secondView.end());

    const SegmentView unduplicatedSegments = RemoveDuplicateSegments(unionOfSubSegments);
    const SegmentView selectedSegments = SelectSubSegments(unduplicatedSegments, firstView, secondView);
    SegmentList reversedSegments;
    const SegmentView orderedSegments = OrderSegments(selectedSegments, reversedSegments);

    std::unique_ptr<IContour> contour(new Contour(orderedSegments, Vector()));
    if (contour->IsClosed())
    {
        contour.reset(new Contour(orderedSegments, GetFirstSurface()->GetNormal(Point())));
    }
    return contour.release();
}

ISurface* ComplexFlatSurface::Clone() const
{
    std::unique_ptr<BooleanOperatorOnSets> operatorCopy(operatorOnSets->Clone());
    return new ComplexFlatSurface(operatorCopy.release());
}

bool ComplexFlatSurface::operator==(const ISurface& other) const
{
    const auto* otherSurface = dynamic_cast<const ComplexFlatSurface*>(&other);
    return otherSurface != nullptr && *operatorOnSets == *otherSurface->operatorOnSets &&
           GetNormal(Point()) == otherSurface->GetNormal(Point());
}

ComplexFlatSurface::SegmentList ComplexFlatSurface::SplitSegments(const SegmentView& segmentsA,
                                                                  const SegmentView& segmentsB)
{
    SegmentList subSegments;
    for (const ISegment* segment : segmentsA)
    {
        std::vector<std::pair<double, Point>> pointsAlong;
        for (const ISegment* other : segmentsB)
        {
            const Intersection intersection = segment->Intersect(*other);
            for (const Point& point : intersection.GetPoints())
            {
                pointsAlong.emplace_back(DistanceAlong(*segment, point), point);
            }
        }
        pointsAlong.emplace_back(0.0, segment->GetFirstPoint());
        pointsAlong.emplace_back(segment->Length(), segment->GetSecondPoint());
        // std::sort, not stable: equal distances along one segment are one
        // point, and coinciding points make no piece whatever their order.
        std::sort(pointsAlong.begin(), pointsAlong.end(),
                  [](const std::pair<double, Point>& left, const std::pair<double, Point>& right)
                  { return left.first < right.first; });

        std::vector<Point> orderedIntersectionPoints;
        for (const auto& pointAlong : pointsAlong)
        {
            orderedIntersectionPoints.push_back(pointAlong.second);
        }
        SegmentList pieces = CreateSubSegments(*segment, orderedIntersectionPoints);
        std::move(pieces.begin(), pieces.end(), std::back_inserter(subSegments));
    }
    return subSegments;
}

ComplexFlatSurface::SegmentList ComplexFlatSurface::CreateSubSegments(const ISegment& segment,
                                                                      const std::vector<Point>& orderedPoints)
{
    const auto* arc = dynamic_cast<const ArcSegment*>(&segment);
    SegmentList pieces;
    Point firstPoint = orderedPoints.front();
    for (std::size_t i = 1; i < orderedPoints.size(); ++i)
    {
        const Point& lastPoint = orderedPoints[i];
        if (lastPoint.IsAlmostEqual(firstPoint, VertexTolerance))
        {
            // An uncut full circle is reproduced whole.
            if (arc != nullptr && orderedPoints.size() == 2)
            {
                pieces.push_back(std::make_unique<ArcSegment>(ArcOnSameCircle(*arc, firstPoint, firstPoint)));
            }
            continue;
        }
        if (arc != nullptr)
        {
            pieces.push_back(std::make_unique<ArcSegment>(ArcOnSameCircle(*arc, firstPoint, lastPoint)));
        }
        else
        {
            pieces.push_back(std::make_unique<LineSegment>(firstPoint, lastPoint));
        }
        firstPoint = lastPoint;
    }
    return pieces;
}

ComplexFlatSurface::SegmentView ComplexFlatSurface::RemoveDuplicateSegments(const SegmentView& segments)
{
    SegmentList reversedSegments;
    for (const ISegment* segment : segments)
    {
        std::unique_ptr<const ISegment> reversedSegment(segment->Inverse());
        reversedSegments.push_back(std::move(reversedSegment));
    }
    SegmentView unduplicatedSegments;
    for (std::size_t i = 0; i < segments.size(); ++i)
    {
        bool isDuplicate = false;
        for (std::size_t j = i + 1; j < segments.size() && !isDuplicate; ++j)
        {
            isDuplicate = *segments[i] == *segments[j] || *segments[i] == *reversedSegments[j];
        }
        if (!isDuplicate)
        {
            unduplicatedSegments.push_back(segments[i]);
        }
    }
    return unduplicatedSegments;
}

bool ComplexFlatSurface::IsSegmentInList(const ISegment& segment, const SegmentView& list)
{
    const std::unique_ptr<const ISegment> reversedSegment(segment.Inverse());
    return std::any_of(list.begin(), list.end(),
                       [&](const ISegment* member)
                       { return *member == segment || *member == *reversedSegment; });
}

ComplexFlatSurface::SegmentView ComplexFlatSurface::SelectSubSegments(const SegmentView& unduplicatedSegments,
                                                                      const SegmentView& subSegments1,
                                                                      const SegmentView& subSegments2) const
{
    const int operationType = GetOperationType();
    const FlatSurface* first = GetFirstSurface();
    const FlatSurface* second = GetSecondSurface();
    SegmentView selectedSegments;
    for (const ISegment* segment : unduplicatedSegments)
    {
        const Point middlePoint = segment->GetMiddlePoint();
        const bool inFirst = first->Contains(middlePoint);
        const bool inSecond = second->Contains(middlePoint);
        bool isSelected = false;
        if (operationType == IntersectionOperation)
        {
            isSelected = inFirst && inSecond;
        }
        else if (operationType == UnionOperation)
        {
            // A piece inside both operands bounds the union only where both
            // boundaries run along it.
            isSelected =
                inFirst != inSecond || (inFirst && inSecond && IsSegmentInList(*segment, subSegments1) &&
                                        IsSegmentInList(*segment, subSegments2));
        }
        else
        {
            // Inside both: only a piece of the second boundary bounds the hole.
            isSelected = inFirst && (!inSecond || (!IsSegmentInList(*segment, subSegments1) &&
                                                   IsSegmentInList(*segment, subSegments2)));
        }
        if (isSelected)
        {
            selectedSegments.push_back(segment);
        }
    }
    return selectedSegments;
}

ComplexFlatSurface::SegmentView ComplexFlatSurface::OrderSegments(const SegmentView& segments,
                                                                  SegmentList& createdSegments)
{
    if (segments.empty())
    {
        return segments;
    }
    std::vector<std::size_t> segmentIndexes;
    for (std::size_t i = 1; i < segments.size(); ++i)
    {
        segmentIndexes.push_back(i);
    }
    SegmentView orderedSegments{segments.front()};
    while (orderedSegments.size() < segments.size())
    {
        const Point& end = orderedSegments.back()->GetSecondPoint();
        auto next = segmentIndexes.begin();
        for (; next != segmentIndexes.end(); ++next)
        {
            const ISegment* candidate = segments[*next];
            if (candidate->GetFirstPoint().IsAlmostEqual(end, VertexTolerance))
            {
                orderedSegments.push_back(candidate);
                break;
            }
            if (candidate->GetSecondPoint().IsAlmostEqual(end, VertexTolerance))
            {
                std::unique_ptr<const ISegment> reversedCandidate(candidate->Inverse());
                createdSegments.push_back(std::move(reversedCandidate));
                orderedSegments.push_back(createdSegments.back().get());
                break;
            }
        }
        if (next == segmentIndexes.end())
        {
            // The current chain cannot be continued: a new one starts here.
            next = segmentIndexes.begin();
            orderedSegments.push_back(segments[*next]);
        }
        segmentIndexes.erase(next);
    }
    return orderedSegments;
}

} // namespace Geometry3D
} // namespace Tessam
