#include "ArcSegment.h"
#include "Contour.h"
#include "Quoria.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Tessam::Geometry3D;

namespace
{

const double Pi = 3.141592653589793;

void ExpectThrowsWith(const std::function<void()>& action, const std::string& message)
{
    try
    {
        action();
        ADD_FAILURE() << "expected: " << message;
    }
    catch (const std::invalid_argument& error)
    {
        EXPECT_EQ(error.what(), message);
    }
}

// Line segments through the vertices in order, closing back to the first.
std::vector<LineSegment> Chain(const std::vector<Point>& vertices)
{
    std::vector<LineSegment> edges;
    for (std::size_t i = 0; i < vertices.size(); ++i)
    {
        edges.emplace_back(vertices[i], vertices[(i + 1) % vertices.size()]);
    }
    return edges;
}

template <typename Segment> std::vector<const ISegment*> View(const std::vector<Segment>& segments)
{
    std::vector<const ISegment*> view;
    for (const Segment& segment : segments)
    {
        view.push_back(&segment);
    }
    return view;
}

std::vector<Point> FirstPoints(const IContour& contour)
{
    std::vector<Point> points;
    for (const ISegment* segment : contour.GetSegments())
    {
        points.push_back(segment->GetFirstPoint());
    }
    return points;
}

const std::vector<Point> UnitSquare = {Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0)};

ArcSegment FullCircle(const Vector& normal)
{
    return ArcSegment(Point(0, 0, 0), 1.0, normal, Vector(1, 0, 0), Angle::FromRadians(0.0),
                      Angle::FromRadians(0.0));
}

} // namespace

TEST(Contour, EmptyContour)
{
    const Contour empty({}, Vector(0, 0, 0));
    EXPECT_FALSE(empty.IsClosed());
    EXPECT_FALSE(empty.IsOriented());
    EXPECT_TRUE(empty.GetSegments().empty());
    ExpectThrowsWith(
        [&] { empty.GetWindingDirection(); },
        "Contour::GetWindingDirection : Winding direction is not defined if the contour is not oriented");
    ExpectThrowsWith([&] { delete empty.Sort(Point(0, 0, 0)); },
                     "Contour::Sort : The contour must be closed");
    ExpectThrowsWith([&] { delete empty.Sort(Point(0, 0, 0), CounterClockwise); },
                     "Contour::Sort : The contour must be oriented");
    ExpectThrowsWith([] { Contour({}, Vector(0, 0, 1)); },
                     "Contour::Contour : Plane normal cannot be defined if the contour is not closed");
}

TEST(Contour, WindingOfLineSegmentsFollowsTheSignedArea)
{
    const auto square = Chain(UnitSquare);
    const Contour up(View(square), Vector(0, 0, 3));
    EXPECT_TRUE(up.IsClosed());
    EXPECT_TRUE(up.IsOriented());
    EXPECT_EQ(up.GetWindingDirection(), CounterClockwise);
    // The normal is kept as given.
    EXPECT_EQ(up.GetPlaneNormal(), Vector(0, 0, 3));
    EXPECT_EQ(Contour(View(square), Vector(0, 0, -1)).GetWindingDirection(), Clockwise);

    const auto farAway = Chain(
        {Point(1e4, -2e4, 7), Point(1e4 + 1, -2e4, 7), Point(1e4 + 1, -2e4 + 1, 7), Point(1e4, -2e4 + 1, 7)});
    EXPECT_EQ(Contour(View(farAway), Vector(0, 0, 1)).GetWindingDirection(), CounterClockwise);
    const auto otherStart = Chain({Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0), Point(1, 0, 0)});
    EXPECT_EQ(Contour(View(otherStart), Vector(0, 0, 1)).GetWindingDirection(), CounterClockwise);

    // y then z turns counter-clockwise about +x.
    const auto wall = Chain({Point(2, 0, 0), Point(2, 1, 0), Point(2, 1, 1), Point(2, 0, 1)});
    EXPECT_EQ(Contour(View(wall), Vector(1, 0, 0)).GetWindingDirection(), CounterClockwise);

    // No area at all counts as clockwise.
    const auto flat = Chain({Point(0, 0, 0), Point(1, 0, 0)});
    EXPECT_EQ(Contour(View(flat), Vector(0, 0, 1)).GetWindingDirection(), Clockwise);
}

TEST(Contour, WindingOfArcsFollowsTheirNormal)
{
    const ArcSegment circle = FullCircle(Vector(0, 0, 1));
    EXPECT_EQ(Contour({&circle}, Vector(0, 0, 1)).GetWindingDirection(), CounterClockwise);
    EXPECT_EQ(Contour({&circle}, Vector(0, 0, -2)).GetWindingDirection(), Clockwise);

    // A half disk: the arc decides, and the lines agree.
    const ArcSegment half(Point(0, 0, 0), 1.0, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(0.0),
                          Angle::FromRadians(Pi));
    const LineSegment diameter(half.GetSecondPoint(), half.GetFirstPoint());
    const Contour halfDisk({&half, &diameter}, Vector(0, 0, 1));
    EXPECT_EQ(halfDisk.GetWindingDirection(), CounterClockwise);
}

TEST(Contour, ClosureToleranceIsStrict)
{
    const auto withGap = [](double gap)
    {
        return std::vector<LineSegment>{
            LineSegment(Point(0, 0, 0), Point(1, 0, 0)), LineSegment(Point(1, 0, 0), Point(1, 1, 0)),
            LineSegment(Point(1, 1, 0), Point(0, 1, 0)), LineSegment(Point(0, 1, 0), Point(0, gap, 0))};
    };
    EXPECT_TRUE(Contour(View(withGap(5e-7)), Vector(0, 0, 0)).IsClosed());
    EXPECT_FALSE(Contour(View(withGap(1e-6)), Vector(0, 0, 0)).IsClosed());
    EXPECT_EQ(Contour(View(withGap(5e-7)), Vector(0, 0, 1)).GetWindingDirection(), CounterClockwise);
    ExpectThrowsWith([&] { Contour(View(withGap(1e-6)), Vector(0, 0, 1)); },
                     "Contour::Contour : Plane normal cannot be defined if the contour is not closed");

    // A gap between two inner segments opens the chain as well.
    const std::vector<LineSegment> innerGap = {LineSegment(Point(0, 0, 0), Point(1, 0, 0)),
                                               LineSegment(Point(1, 1e-6, 0), Point(1, 1, 0)),
                                               LineSegment(Point(1, 1, 0), Point(0, 0, 0))};
    EXPECT_FALSE(Contour(View(innerGap), Vector(0, 0, 0)).IsClosed());

    // One open segment, or one full circle.
    const LineSegment lone(Point(0, 0, 0), Point(1, 0, 0));
    EXPECT_FALSE(Contour({&lone}, Vector(0, 0, 0)).IsClosed());
    const ArcSegment circle = FullCircle(Vector(0, 0, 1));
    EXPECT_TRUE(Contour({&circle}, Vector(0, 0, 0)).IsClosed());
}

TEST(Contour, SegmentsMustLieAcrossThePlaneNormal)
{
    const LineSegment vertical(Point(0, 0, 0), Point(0, 0, 1));
    const ArcSegment tilted(Point(0, 0, 0), 1.0, Vector(1, 0, 0), Vector(0, 1, 0), Angle::FromRadians(0.0),
                            Angle::FromRadians(0.0));
    ExpectThrowsWith([&] { Contour({&vertical}, Vector(0, 0, 1)); },
                     "Contour::Contour : Plane normal is incoherent with one of the line segments");
    ExpectThrowsWith(
        [&] {
            Contour({&tilted, &vertical}, Vector(0, 0, 1));
        },
        "Contour::Contour : Plane normal is incoherent with one of the arc segments");
    ExpectThrowsWith(
        [&] {
            Contour({&vertical, &tilted}, Vector(0, 0, 1));
        },
        "Contour::Contour : Plane normal is incoherent with one of the line segments");
    // A null normal asks for nothing.
    EXPECT_NO_THROW(Contour({&vertical, &tilted}, Vector(0, 0, 0)));

    // The test uses the normal as given: a long normal magnifies a slight tilt.
    const LineSegment slight(Point(0, 0, 0), Point(1, 0, 1e-12));
    ExpectThrowsWith([&] { Contour({&slight}, Vector(0, 0, 1)); },
                     "Contour::Contour : Plane normal cannot be defined if the contour is not closed");
    ExpectThrowsWith([&] { Contour({&slight}, Vector(0, 0, 100)); },
                     "Contour::Contour : Plane normal is incoherent with one of the line segments");

    ExpectThrowsWith([] { Contour({nullptr}, Vector(0, 0, 0)); },
                     "Contour::Contour : Every segment must be a line segment or an arc segment");
}

TEST(Contour, OwnsCopiesAndListsThemByKind)
{
    const ArcSegment half(Point(0, 0, 0), 1.0, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(0.0),
                          Angle::FromRadians(Pi));
    auto lines = std::make_unique<std::vector<LineSegment>>(std::vector<LineSegment>{
        LineSegment(half.GetSecondPoint(), Point(-1, -1, 0)), LineSegment(Point(-1, -1, 0), Point(1, -1, 0)),
        LineSegment(Point(1, -1, 0), half.GetFirstPoint())});
    const Contour contour({&(*lines)[0], &(*lines)[1], &(*lines)[2], &half}, Vector(0, 0, 1));
    const std::vector<LineSegment> originals = *lines;
    lines.reset();

    const std::vector<const ISegment*> segments = contour.GetSegments();
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_NE(segments[3], static_cast<const ISegment*>(&half));
    EXPECT_TRUE(*segments[0] == originals[0]);
    EXPECT_TRUE(*segments[2] == originals[2]);
    const std::vector<const LineSegment*> lineSegments = contour.GetLineSegments();
    const std::vector<const ArcSegment*> arcSegments = contour.GetArcSegments();
    ASSERT_EQ(lineSegments.size(), 3u);
    ASSERT_EQ(arcSegments.size(), 1u);
    EXPECT_EQ(lineSegments[0], segments[0]);
    EXPECT_EQ(lineSegments[1], segments[1]);
    EXPECT_EQ(lineSegments[2], segments[2]);
    EXPECT_EQ(arcSegments[0], segments[3]);
    EXPECT_TRUE(*arcSegments[0] == half);
}

TEST(Contour, SortStartsAtTheFirstMatchingVertex)
{
    const auto square = Chain(UnitSquare);
    const Contour contour(View(square), Vector(0, 0, 1));

    const std::unique_ptr<IContour> sorted(contour.Sort(Point(1 + 4e-7, 1, 0)));
    EXPECT_EQ(FirstPoints(*sorted),
              (std::vector<Point>{Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0), Point(1, 0, 0)}));
    EXPECT_EQ(sorted->GetPlaneNormal(), Vector(0, 0, 1));
    EXPECT_EQ(sorted->GetWindingDirection(), CounterClockwise);

    ExpectThrowsWith([&] { delete contour.Sort(Point(0.5, 0, 0)); },
                     "Contour::Sort : The point is not a vertex of the contour");
    ExpectThrowsWith([&] { delete contour.Sort(Point(0, 1e-6, 0)); },
                     "Contour::Sort : The point is not a vertex of the contour");

    // Two edges leave the origin: the earlier one starts the chain.
    const auto bowTie = std::vector<LineSegment>{
        LineSegment(Point(0, 0, 0), Point(1, 0, 0)),    LineSegment(Point(1, 0, 0), Point(1, 1, 0)),
        LineSegment(Point(1, 1, 0), Point(0, 0, 0)),    LineSegment(Point(0, 0, 0), Point(-1, 0, 0)),
        LineSegment(Point(-1, 0, 0), Point(-1, -1, 0)), LineSegment(Point(-1, -1, 0), Point(0, 0, 0))};
    const Contour figure(View(bowTie), Vector(0, 0, 0));
    const std::unique_ptr<IContour> fromOrigin(figure.Sort(Point(0, 0, 0)));
    EXPECT_TRUE(*fromOrigin == figure);
    EXPECT_FALSE(fromOrigin->IsOriented());

    const Contour open({&square[0], &square[1]}, Vector(0, 0, 0));
    ExpectThrowsWith([&] { delete open.Sort(Point(0, 0, 0)); }, "Contour::Sort : The contour must be closed");
}

TEST(Contour, SortInADirectionReversesTheChainWhenNeeded)
{
    const auto square = Chain(UnitSquare);
    const Contour contour(View(square), Vector(0, 0, 1));

    const std::unique_ptr<IContour> clockwise(contour.Sort(Point(0, 0, 0), Clockwise));
    EXPECT_EQ(FirstPoints(*clockwise),
              (std::vector<Point>{Point(0, 0, 0), Point(0, 1, 0), Point(1, 1, 0), Point(1, 0, 0)}));
    EXPECT_EQ(clockwise->GetSegments().back()->GetSecondPoint(), Point(0, 0, 0));
    EXPECT_EQ(clockwise->GetWindingDirection(), Clockwise);
    EXPECT_EQ(clockwise->GetPlaneNormal(), Vector(0, 0, 1));

    const std::unique_ptr<IContour> same(contour.Sort(Point(0, 0, 0), CounterClockwise));
    EXPECT_TRUE(*same == contour);

    // Error paths of the reversed sort leave nothing behind.
    ExpectThrowsWith([&] { delete contour.Sort(Point(0.5, 0.5, 0), Clockwise); },
                     "Contour::Sort : The point is not a vertex of the contour");
    ExpectThrowsWith([&] { delete Contour(View(square), Vector(0, 0, 0)).Sort(Point(0, 0, 0), Clockwise); },
                     "Contour::Sort : The contour must be oriented");

    // A circle run the other way turns about the opposite arc normal.
    const ArcSegment circle = FullCircle(Vector(0, 0, 1));
    const Contour disk({&circle}, Vector(0, 0, 1));
    const std::unique_ptr<IContour> reversed(disk.Sort(Point(1, 0, 0), Clockwise));
    EXPECT_EQ(reversed->GetWindingDirection(), Clockwise);
    ASSERT_EQ(reversed->GetArcSegments().size(), 1u);
    EXPECT_EQ(reversed->GetArcSegments()[0]->GetPlaneNormal(), Vector(0, 0, -1));
}

TEST(Contour, EqualityIsDeepAndExact)
{
    const auto square = Chain(UnitSquare);
    const Contour contour(View(square), Vector(0, 0, 1));
    EXPECT_TRUE(contour == Contour(View(square), Vector(0, 0, 1)));

    const auto rotated = Chain({Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0)});
    EXPECT_FALSE(contour == Contour(View(rotated), Vector(0, 0, 1)));
    EXPECT_FALSE(contour == Contour(View(square), Vector(0, 0, 2)));
    EXPECT_FALSE(contour == Contour(View(square), Vector(0, 0, 0)));
    EXPECT_FALSE(contour == Contour({&square[0], &square[1], &square[2]}, Vector(0, 0, 0)));
    EXPECT_TRUE(Contour(View(square), Vector(0, 0, 0)) == Contour(View(square), Vector(0, 0, 0)));

    const ArcSegment circle = FullCircle(Vector(0, 0, 1));
    EXPECT_TRUE(Contour({&circle}, Vector(0, 0, 1)) == Contour({&circle}, Vector(0, 0, 1)));
    EXPECT_FALSE(Contour({&circle}, Vector(0, 0, 1)) == Contour({&square[0]}, Vector(0, 0, 0)));
}
