#include "ArcSegment.h"
#include "ComplexFlatSurface.h"
#include "Disk.h"
#include "DiskSector.h"
#include "LineSegment.h"
#include "Polygon.h"
#include "Quoria.h"
#include "Ring.h"
#include "TestSupport.h"
#include "UnionOnSets.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

using namespace Tessam::Geometry3D;

namespace
{

using Chain = std::vector<std::pair<Point, Point>>;

Point P(double x, double y)
{
    return Point(x, y, 0);
}

Polygon Square(double low, double high)
{
    return Polygon({P(low, low), P(high, low), P(high, high), P(low, high)});
}

// The pieces from each point to the next one, loop after loop.
Chain Path(const std::vector<std::vector<Point>>& loops)
{
    Chain chain;
    for (const std::vector<Point>& points : loops)
    {
        for (std::size_t i = 1; i < points.size(); ++i)
            chain.emplace_back(points[i - 1], points[i]);
    }
    return chain;
}

// Arcs end on their circle up to rounding.
void ExpectChain(const std::vector<const ISegment*>& segments, const Chain& expected)
{
    ASSERT_EQ(segments.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_TRUE(segments[i]->GetFirstPoint().IsAlmostEqual(expected[i].first, 1e-12) &&
                    segments[i]->GetSecondPoint().IsAlmostEqual(expected[i].second, 1e-12))
            << "segment " << i;
    }
}

void ExpectChain(const ISurface& surface, const Chain& expected, const Vector& planeNormal)
{
    const std::unique_ptr<IContour> contour(surface.GetContour());
    ExpectChain(contour->GetSegments(), expected);
    EXPECT_EQ(contour->GetPlaneNormal(), planeNormal);
}

// Exposes the steps of the contour computation.
class ContourSteps : public ComplexFlatSurface
{
public:
    using ComplexFlatSurface::OrderSegments;
    using ComplexFlatSurface::SegmentList;
    using ComplexFlatSurface::SplitSegments;
};

// An operator of no known kind.
class OtherUnion : public UnionOnSets
{
public:
    using UnionOnSets::UnionOnSets;
};

} // namespace

TEST(ComplexFlatSurface, SquaresOverlappingAtACorner)
{
    const Polygon first = Square(0, 2);
    const Polygon second = Square(1, 3);
    const Vector firstNormal(0, 0, -1);
    const std::unique_ptr<ComplexFlatSurface> common(ComplexFlatSurface::CreateIntersection(&first, &second));
    const std::unique_ptr<ComplexFlatSurface> both(ComplexFlatSurface::CreateUnion(&first, &second));
    const std::unique_ptr<ComplexFlatSurface> firstOnly(
        ComplexFlatSurface::CreateDifference(&first, &second));
    EXPECT_EQ(common->GetOperationType(), 0);
    EXPECT_EQ(both->GetOperationType(), 1);
    EXPECT_EQ(firstOnly->GetOperationType(), 2);
    EXPECT_EQ(both->GetNormal(Point(7, 7, 7)), firstNormal);

    ExpectChain(*both,
                Path({{P(0, 0), P(2, 0), P(2, 1), P(3, 1), P(3, 3), P(1, 3), P(1, 2), P(0, 2), P(0, 0)}}),
                firstNormal);
    ExpectChain(*common, Path({{P(2, 1), P(2, 2), P(1, 2), P(1, 1), P(2, 1)}}), firstNormal);
    // The two pieces of the second square inside the first are run backwards.
    ExpectChain(*firstOnly, Path({{P(0, 0), P(2, 0), P(2, 1), P(1, 1), P(1, 2), P(0, 2), P(0, 0)}}),
                firstNormal);
    // Counter-clockwise seen from +z, hence clockwise about the normal -z.
    EXPECT_EQ(std::unique_ptr<IContour>(firstOnly->GetContour())->GetWindingDirection(), Clockwise);
}

TEST(ComplexFlatSurface, SeparateAndContainedOperands)
{
    const Polygon first = Square(0, 1);
    const Polygon apart = Square(2, 3);
    const std::vector<Point> firstEdges{P(0, 0), P(1, 0), P(1, 1), P(0, 1), P(0, 0)};

    // Two loops one after the other make no single closed chain.
    const std::unique_ptr<ComplexFlatSurface> both(ComplexFlatSurface::CreateUnion(&first, &apart));
    ExpectChain(*both, Path({firstEdges, {P(2, 2), P(3, 2), P(3, 3), P(2, 3), P(2, 2)}}), Vector());
    const std::unique_ptr<ComplexFlatSurface> common(ComplexFlatSurface::CreateIntersection(&first, &apart));
    ExpectChain(*common, {}, Vector());
    const std::unique_ptr<ComplexFlatSurface> firstOnly(ComplexFlatSurface::CreateDifference(&first, &apart));
    ExpectChain(*firstOnly, Path({firstEdges}), Vector(0, 0, -1));

    const Polygon around = Square(-1, 2);
    const std::unique_ptr<ComplexFlatSurface> nothing(ComplexFlatSurface::CreateDifference(&first, &around));
    ExpectChain(*nothing, {}, Vector());
}

TEST(ComplexFlatSurface, SegmentsAreCutAtVerticesWithoutEmptyPieces)
{
    // The vertical segment passes through the corner where the other two meet.
    const LineSegment vertical(P(2, 1), P(2, -1));
    const LineSegment bottom(P(0, 0), P(2, 0));
    const LineSegment slanted(P(2, 0), P(0, 2));
    const ContourSteps::SegmentList pieces = ContourSteps::SplitSegments({&vertical}, {&bottom, &slanted});
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_TRUE(*pieces[0] == LineSegment(P(2, 1), P(2, 0)));
    EXPECT_TRUE(*pieces[1] == LineSegment(P(2, 0), P(2, -1)));
    // Meeting the other segment at an end cuts nothing.
    EXPECT_EQ(ContourSteps::SplitSegments({&bottom}, {&vertical}).size(), 1u);
}

TEST(ComplexFlatSurface, OrderingChainsPiecesAndReversesThoseRunningBackwards)
{
    const LineSegment a(P(0, 0), P(1, 0));
    const LineSegment b(P(1, 1), P(1, 0));
    const LineSegment c(P(0, 1), P(0, 0));
    const LineSegment d(P(1, 1), P(0, 1));
    const LineSegment elsewhere(P(5, 5), P(6, 5));
    ContourSteps::SegmentList created;
    const std::vector<const ISegment*> ordered =
        ContourSteps::OrderSegments({&a, &c, &elsewhere, &d, &b}, created);
    ExpectChain(ordered, Path({{P(0, 0), P(1, 0), P(1, 1), P(0, 1), P(0, 0)}, {P(5, 5), P(6, 5)}}));
    // Only the reversed piece is new.
    EXPECT_EQ(ordered[0], &a);
    EXPECT_EQ(ordered[2], &d);
    EXPECT_EQ(created.size(), 1u);
}

TEST(ComplexFlatSurface, NestedOperandsRecurse)
{
    // The upper half of a ring (the sector covers it; of its edges only the
    // first, along the x axis, meets the ring), on top of a rectangle.
    const Ring ring(Point(0, 0, 0), 1.0, 2.0, Vector(0, 0, 1));
    const DiskSector sector(Point(-3, 0, 0), 6.0, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(0),
                            Angle::FromDegrees(90));
    const std::unique_ptr<ComplexFlatSurface> halfRing(
        ComplexFlatSurface::CreateIntersection(&ring, &sector));
    const Polygon face({P(-2, -1), P(2, -1), P(2, 0), P(-2, 0)});
    const std::unique_ptr<ComplexFlatSurface> joined(ComplexFlatSurface::CreateUnion(&face, halfRing.get()));

    EXPECT_TRUE(joined->Contains(P(0, -0.5)) && joined->Contains(P(0, 1.5)) && joined->Contains(P(1.5, 0)));
    EXPECT_FALSE(joined->Contains(P(0, 0.5)) || joined->Contains(P(0, 1)));

    // The inner rim lies outside the ring, so it bounds nothing.
    const std::vector<Point> upperArc{P(2, 0), P(-2, 0)};
    ExpectChain(*halfRing, Path({upperArc, {P(-2, 0), P(-1, 0)}, {P(1, 0), P(2, 0)}}), Vector());
    // The ring's straight pieces lie in both operands but on one boundary only.
    ExpectChain(*joined, Path({{P(-2, -1), P(2, -1), P(2, 0), P(-2, 0), P(-2, -1)}, upperArc}), Vector());
    const std::unique_ptr<IContour> contour(joined->GetContour());
    EXPECT_TRUE(contour->GetArcSegments().at(0)->GetMiddlePoint().IsAlmostEqual(P(0, 2), 1e-12));

    const std::unique_ptr<ISurface> copy(joined->Clone());
    EXPECT_TRUE(*copy == *joined);
    EXPECT_NE(dynamic_cast<const ComplexFlatSurface&>(*copy).GetSecondSurface(), joined->GetSecondSurface());
    const std::unique_ptr<ComplexFlatSurface> swapped(ComplexFlatSurface::CreateUnion(halfRing.get(), &face));
    EXPECT_TRUE(*joined != *swapped);
}

TEST(ComplexFlatSurface, OperatorOfUnknownKind)
{
    const Polygon first = Square(0, 2);
    const Polygon second = Square(1, 3);
    const ComplexFlatSurface surface(new OtherUnion(&first, &second));
    EXPECT_TRUE(surface.Contains(P(2.5, 2.5)));
    EXPECT_THROW(delete surface.GetContour(), std::invalid_argument);
    ExpectRejections({
        {"The type of operation on sets is not known.", [&] { surface.GetOperationType(); }},
    });
}
