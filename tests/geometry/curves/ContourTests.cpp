#include "ArcSegment.h"
#include "Contour.h"
#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Tessam::Geometry3D;

namespace
{

// Line segments through the vertices in order, closing back to the first.
std::vector<LineSegment> Chain(const std::vector<Point>& vertices)
{
    std::vector<LineSegment> edges;
    for (std::size_t i = 0; i < vertices.size(); ++i)
        edges.emplace_back(vertices[i], vertices[(i + 1) % vertices.size()]);
    return edges;
}

std::vector<const ISegment*> View(const std::vector<LineSegment>& segments)
{
    std::vector<const ISegment*> view;
    for (const LineSegment& segment : segments)
        view.push_back(&segment);
    return view;
}

std::vector<Point> FirstPoints(const IContour& contour)
{
    std::vector<Point> points;
    for (const ISegment* segment : contour.GetSegments())
        points.push_back(segment->GetFirstPoint());
    return points;
}

const std::vector<LineSegment> Square =
    Chain({Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0)});

const ArcSegment Circle(Point(0, 0, 0), 1.0, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(0.0),
                        Angle::FromRadians(0.0));

} // namespace

TEST(Contour, EmptyContour)
{
    const Contour empty({}, Vector(0, 0, 0));
    EXPECT_FALSE(empty.IsClosed());
    EXPECT_FALSE(empty.IsOriented());
    ExpectRejections({
        {"Contour::GetWindingDirection : Winding direction is", [&] { empty.GetWindingDirection(); }},
        {"Contour::Sort : The contour must be closed", [&] { delete empty.Sort(Point(0, 0, 0)); }},
        {"Contour::Sort : The contour must be oriented",
         [&] { delete empty.Sort(Point(0, 0, 0), CounterClockwise); }},
        {"Contour::Contour : Plane normal cannot", [] { Contour({}, Vector(0, 0, 1)); }},
    });
}

TEST(Contour, WindingDirection)
{
    const Contour up(View(Square), Vector(0, 0, 3));
    EXPECT_EQ(up.GetWindingDirection(), CounterClockwise);
    EXPECT_EQ(up.GetPlaneNormal(), Vector(0, 0, 3));
    EXPECT_EQ(Contour(View(Square), Vector(0, 0, -1)).GetWindingDirection(), Clockwise);
    const auto farAway = Chain(
        {Point(1e4, -2e4, 7), Point(1e4 + 1, -2e4, 7), Point(1e4 + 1, -2e4 + 1, 7), Point(1e4, -2e4 + 1, 7)});
    EXPECT_EQ(Contour(View(farAway), Vector(0, 0, 1)).GetWindingDirection(), CounterClockwise);
    // y then z turns counter-clockwise about +x.
    const auto wall = Chain({Point(2, 0, 0), Point(2, 1, 0), Point(2, 1, 1), Point(2, 0, 1)});
    EXPECT_EQ(Contour(View(wall), Vector(1, 0, 0)).GetWindingDirection(), CounterClockwise);
    // No area at all counts as clockwise.
    const auto flat = Chain({Point(0, 0, 0), Point(1, 0, 0)});
    EXPECT_EQ(Contour(View(flat), Vector(0, 0, 1)).GetWindingDirection(), Clockwise);

    EXPECT_EQ(Contour({&Circle}, Vector(0, 0, 1)).GetWindingDirection(), CounterClockwise);
    EXPECT_EQ(Contour({&Circle}, Vector(0, 0, -2)).GetWindingDirection(), Clockwise);
}

TEST(Contour, ClosureAndCoherenceChecks)
{
    const auto withGap = [](double gap)
    {
        return std::vector<LineSegment>{Square[0], Square[1], Square[2],
                                        LineSegment(Point(0, 1, 0), Point(0, gap, 0))};
    };
    EXPECT_TRUE(Contour(View(withGap(5e-7)), Vector(0, 0, 0)).IsClosed());
    EXPECT_FALSE(Contour(View(withGap(1e-6)), Vector(0, 0, 0)).IsClosed());
    ExpectRejections({
        {"Contour::Contour : Plane normal cannot", [&] { Contour(View(withGap(1e-6)), Vector(0, 0, 1)); }},
    });
    const std::vector<LineSegment> innerGap = {Square[0], LineSegment(Point(1, 1e-6, 0), Point(1, 1, 0)),
                                               LineSegment(Point(1, 1, 0), Point(0, 0, 0))};
    EXPECT_FALSE(Contour(View(innerGap), Vector(0, 0, 0)).IsClosed());

    const LineSegment vertical(Point(0, 0, 0), Point(0, 0, 1));
    const ArcSegment tilted(Point(0, 0, 0), 1.0, Vector(1, 0, 0), Vector(0, 1, 0), Angle::FromRadians(0.0),
                            Angle::FromRadians(0.0));
    ExpectRejections({
        {"Contour::Contour : Plane normal is incoherent with one of the arc",
         [&] {
             Contour({&tilted, &vertical}, Vector(0, 0, 1));
         }},
        {"Contour::Contour : Plane normal is incoherent with one of the line",
         [&] {
             Contour({&vertical, &tilted}, Vector(0, 0, 1));
         }},
    });
    EXPECT_NO_THROW(Contour({&vertical, &tilted}, Vector(0, 0, 0)));
    // The normal is used as given: a long one magnifies a slight tilt.
    const LineSegment slight(Point(0, 0, 0), Point(1, 0, 1e-12));
    ExpectRejections({
        {"Contour::Contour : Plane normal cannot", [&] { Contour({&slight}, Vector(0, 0, 1)); }},
        {"Contour::Contour : Plane normal is incoherent with one of the line",
         [&] { Contour({&slight}, Vector(0, 0, 100)); }},
        {"Contour::Contour : Every segment must", [] { Contour({nullptr}, Vector(0, 0, 0)); }},
    });
}

TEST(Contour, OwnsCopiesListedByKindInChainOrder)
{
    const ArcSegment half(Point(0, 0, 0), 1.0, Vector(0, 0, 1), Vector(1, 0, 0), Angle::FromRadians(0.0),
                          Angle::FromRadians(Pi));
    auto lines = std::make_unique<std::vector<LineSegment>>(std::vector<LineSegment>{
        LineSegment(half.GetSecondPoint(), Point(-1, -1, 0)), LineSegment(Point(-1, -1, 0), Point(1, -1, 0)),
        LineSegment(Point(1, -1, 0), half.GetFirstPoint())});
    const Contour contour({&(*lines)[0], &(*lines)[1], &(*lines)[2], &half}, Vector(0, 0, 1));
    const LineSegment firstLine = (*lines)[0];
    lines.reset();

    const std::vector<const ISegment*> segments = contour.GetSegments();
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_TRUE(*segments[0] == firstLine);
    EXPECT_NE(segments[3], static_cast<const ISegment*>(&half));
    EXPECT_EQ(contour.GetLineSegments(),
              (std::vector<const LineSegment*>{dynamic_cast<const LineSegment*>(segments[0]),
                                               dynamic_cast<const LineSegment*>(segments[1]),
                                               dynamic_cast<const LineSegment*>(segments[2])}));
    ASSERT_EQ(contour.GetArcSegments().size(), 1u);
    EXPECT_EQ(contour.GetArcSegments()[0], segments[3]);
    EXPECT_EQ(contour.GetWindingDirection(), CounterClockwise);
}

TEST(Contour, Sort)
{
    const Contour contour(View(Square), Vector(0, 0, 1));
    const std::unique_ptr<IContour> sorted(contour.Sort(Point(1 + 4e-7, 1, 0)));
    EXPECT_EQ(FirstPoints(*sorted),
              (std::vector<Point>{Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0), Point(1, 0, 0)}));
    EXPECT_EQ(sorted->GetWindingDirection(), CounterClockwise);
    ExpectRejections({
        {"Contour::Sort : The point is", [&] { delete contour.Sort(Point(0, 1e-6, 0)); }},
    });

    const std::unique_ptr<IContour> clockwise(contour.Sort(Point(0, 0, 0), Clockwise));
    EXPECT_EQ(FirstPoints(*clockwise),
              (std::vector<Point>{Point(0, 0, 0), Point(0, 1, 0), Point(1, 1, 0), Point(1, 0, 0)}));
    EXPECT_EQ(clockwise->GetWindingDirection(), Clockwise);
    EXPECT_EQ(clockwise->GetPlaneNormal(), Vector(0, 0, 1));
    const std::unique_ptr<IContour> same(contour.Sort(Point(0, 0, 0), CounterClockwise));
    EXPECT_TRUE(*same == contour);
    ExpectRejections({
        {"Contour::Sort : The point is", [&] { delete contour.Sort(Point(0.5, 0.5, 0), Clockwise); }},
        {"Contour::Sort : The contour must be oriented",
         [&] { delete Contour(View(Square), Vector(0, 0, 0)).Sort(Point(0, 0, 0), Clockwise); }},
    });

    // Two edges leave the origin: the earlier one starts the chain.
    const auto bowTie = Chain(
        {Point(0, 0, 0), Point(1, 0, 0), Point(1, 1, 0), Point(0, 0, 0), Point(-1, 0, 0), Point(-1, -1, 0)});
    const Contour figure(View(bowTie), Vector(0, 0, 0));
    const std::unique_ptr<IContour> fromOrigin(figure.Sort(Point(0, 0, 0)));
    EXPECT_TRUE(*fromOrigin == figure);

    const std::unique_ptr<IContour> reversed(
        Contour({&Circle}, Vector(0, 0, 1)).Sort(Point(1, 0, 0), Clockwise));
    EXPECT_EQ(reversed->GetWindingDirection(), Clockwise);
    EXPECT_EQ(reversed->GetArcSegments().at(0)->GetPlaneNormal(), Vector(0, 0, -1));
}

TEST(Contour, EqualityIsDeepAndExact)
{
    const Contour contour(View(Square), Vector(0, 0, 1));
    EXPECT_TRUE(contour == Contour(View(Square), Vector(0, 0, 1)));
    const auto rotated = Chain({Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), Point(0, 0, 0)});
    EXPECT_FALSE(contour == Contour(View(rotated), Vector(0, 0, 1)));
    EXPECT_FALSE(contour == Contour(View(Square), Vector(0, 0, 2)));
    EXPECT_FALSE(contour == Contour({&Square[0], &Square[1], &Square[2]}, Vector(0, 0, 0)));
    EXPECT_TRUE(Contour(View(Square), Vector(0, 0, 0)) == Contour(View(Square), Vector(0, 0, 0)));
    EXPECT_FALSE(Contour({&Circle}, Vector(0, 0, 0)) == Contour({&Square[0]}, Vector(0, 0, 0)));
}
