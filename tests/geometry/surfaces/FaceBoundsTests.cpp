// Each face's shape carries a box that must hold every point its Contains
// accepts, and for convex polygons a test that says yes only where Contains
// does. Both are checked here on points a hair's breadth from the faces'
// edges, rims and surfaces, found by bisecting Contains itself.

#include "ConicalSurface.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "DiskSector.h"
#include "Factories.h"
#include "Polygon.h"
#include "Quoria.h"
#include "SurfaceShape.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace Tessam::Geometry3D;
using Quoria::SlopeConfiguration;

namespace
{
using SolidPointer = std::unique_ptr<const Solid>;

double Draw(std::mt19937_64& engine, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(engine);
}

Vector RandomDirection(std::mt19937_64& engine)
{
    Vector v;
    do
    {
        v = Vector(Draw(engine, -1, 1), Draw(engine, -1, 1), Draw(engine, -1, 1));
    } while (v.Length() < 0.1);
    return v.Normalized();
}

std::string Hex(const Point& p)
{
    char text[160];
    std::snprintf(text, sizeof text, "(%a, %a, %a)", p.X(), p.Y(), p.Z());
    return text;
}

// A direction along which a point of the face stays on its carrying
// surface: in the plane, along the axis, along the generatrix.
Vector AlongSurface(const SurfaceShape& shape, const Point& point, std::mt19937_64& engine)
{
    switch (shape.kind)
    {
    case ShapeKind::Plane:
        return shape.plane->GetNormal().Cross(RandomDirection(engine)).Normalized();
    case ShapeKind::Cylinder:
        return shape.axis * (Draw(engine, 0, 1) < 0.5 ? -1.0 : 1.0);
    case ShapeKind::Cone:
        return (point - shape.origin).Normalized() * (Draw(engine, 0, 1) < 0.5 ? -1.0 : 1.0);
    case ShapeKind::Other:
        break;
    }
    return RandomDirection(engine);
}

// How many nudged points the faces accepted and rejected, and the first
// point where a claim failed.
struct Tally
{
    int accepted = 0;
    int rejected = 0;
    int failures = 0;
    std::string firstFailure;

    void Fail(const std::string& what)
    {
        if (failures++ == 0)
            firstFailure = what;
    }
};

// Checks, around `sampleCount` points where the face's Contains changes its
// answer, that every accepted point is in the box and that IsCertainlyOn
// never says yes where Contains says no.
void CheckFace(const SurfaceShape& shape, const std::string& name, std::mt19937_64& engine, int sampleCount,
               Tally& tally)
{
    ASSERT_TRUE(shape.bounded) << name;
    const double size = std::max(shape.high[0] - shape.low[0],
                                 std::max(shape.high[1] - shape.low[1], shape.high[2] - shape.low[2]));
    int accepted = 0;
    int rejected = 0;
    for (int sample = 0; sample < sampleCount; ++sample)
    {
        // A point of the face, where a random line through its box meets it.
        const Point through(Draw(engine, shape.low[0], shape.high[0]),
                            Draw(engine, shape.low[1], shape.high[1]),
                            Draw(engine, shape.low[2], shape.high[2]));
        const std::vector<Point> points =
            shape.surface->GetIntersection(Line(through, RandomDirection(engine))).GetPoints();
        if (points.empty())
            continue;
        // Bisected towards a point beyond the face, along its surface.
        Point inside = points.front();
        Point outside = inside + AlongSurface(shape, inside, engine) * (2.0 * size);
        if (!shape.surface->Contains(inside) || shape.surface->Contains(outside))
            continue;
        for (int step = 0; step < 80; ++step)
        {
            const Point middle = inside + (outside - inside) * 0.5;
            (shape.surface->Contains(middle) ? inside : outside) = middle;
        }
        for (int nudge = 0; nudge < 20; ++nudge)
        {
            const double reach = size * std::pow(10.0, Draw(engine, -16, -2));
            const Point point = inside + RandomDirection(engine) * reach;
            const bool contains = shape.surface->Contains(point);
            (contains ? accepted : rejected) += 1;
            if (contains && IsOutsideBounds(shape, point))
                tally.Fail(name + " accepts " + Hex(point) + " outside its box");
            if (!contains && IsCertainlyOn(shape, point))
                tally.Fail(name + " rejects " + Hex(point) + " that it is certainly on");
        }
    }
    EXPECT_GT(accepted, 0) << name;
    tally.accepted += accepted;
    tally.rejected += rejected;
}

void CheckSolid(const Solid& solid, const std::string& name, unsigned seed, Tally& tally)
{
    std::mt19937_64 engine(seed);
    for (std::size_t face = 0; face < solid.GetSurfaces().size(); ++face)
    {
        const SurfaceShape shape = DescribeSurface(solid.GetSurfaces()[face]);
        if (shape.bounded)
            CheckFace(shape, name + " face " + std::to_string(face), engine, 60, tally);
    }
}

// The unsigned angles subtended by the edges, as the documented test adds
// them up, less a full turn.
double AngleSumExcess(const std::vector<Point>& vertices, const Point& point)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < vertices.size(); ++i)
        sum += (vertices[i] - point).AngleTo(vertices[(i + 1) % vertices.size()] - point).Radians();
    return sum - 2 * Pi;
}
} // namespace

TEST(FaceBounds, EveryPointAFaceAcceptsLiesInItsBox)
{
    using S = SlopeConfiguration;
    Tally tally;
    const SolidPointer plate(Quoria::CreateAxisAlignedPlate(Point(3, -2, 1), 200, 120, 25));
    CheckSolid(*plate, "plate", 1, tally);
    const SolidPointer counterbored(Quoria::CreateAxisAlignedCounterboredPlate(
        Point(0, 0, 0), 200, 200, 20, {S(5, 10, 3), S(4, 8, 2), S(6, 5, 4), S(3, 12, 1)}));
    CheckSolid(*counterbored, "counterbored plate", 2, tally);
    const SolidPointer pipe(Quoria::CreateYOrientedCounterboredPipe(
        Point(1, 2, 3), 20, 25, 200, {S(3, 10, 5), S(4, 8, 6), S(2, 6, 4), S(3, 0, 7)}));
    CheckSolid(*pipe, "counterbored pipe", 3, tally);
    const SolidPointer wedge(
        Quoria::CreateWedgeOnXOrientedCylinder(Point(10, 0, 0), 30, 16, 8, 0.35, 0, Point(0, 0, 30)));
    CheckSolid(*wedge, "wedge on cylinder", 4, tally);
    const SolidPointer xPipe(Quoria::CreateXOrientedCounterboredPipe(
        Point(0, 0, 0), 20, 25, 200, {S(2, 6, 3), S(2, 5, 2), S(2, 7, 1), S(2, 4, 2)}));
    CheckSolid(*xPipe, "x-oriented counterbored pipe", 5, tally);
    const SolidPointer bar(Quoria::CreateYOrientedBar(Point(-5, 0, 2), 0.5, 40));
    CheckSolid(*bar, "thin bar", 6, tally);

    // Tilted, which the factories' faces never are.
    std::mt19937_64 engine(7);
    const Vector axis = Vector(1, 2, -0.5).Normalized();
    const Vector radial = axis.Cross(Vector(0, 0, 1)).Normalized();
    const CylindricalSurface cylinder(Point(4, -3, 2), 2.5, 30, axis, true);
    CheckFace(DescribeSurface(&cylinder), "tilted cylinder", engine, 60, tally);
    const ConicalSurface cone(Point(1, 1, 1), 7, 3, axis, false);
    CheckFace(DescribeSurface(&cone), "tilted cone", engine, 60, tally);
    const Disk disk(Point(-2, 5, 1), 3, axis);
    CheckFace(DescribeSurface(&disk), "tilted disk", engine, 60, tally);
    const DiskSector sector(Point(-2, 5, 1), 3, axis, radial, Angle::FromRadians(0.5),
                            Angle::FromRadians(2.0));
    CheckFace(DescribeSurface(&sector), "tilted sector", engine, 60, tally);
    EXPECT_EQ(tally.failures, 0) << tally.firstFailure;
    // Both answers well represented, or the check says little.
    const int total = tally.accepted + tally.rejected;
    EXPECT_GT(tally.accepted, total / 10);
    EXPECT_GT(tally.rejected, total / 10);
}

TEST(FaceBounds, ANonConvexPolygonAcceptsPointsBeyondItsVerticesAndGetsNoBox)
{
    // A U open towards +y: above the top of its left arm the angle sum
    // exceeds a full turn, and farther up it falls short, so somewhere in
    // between Contains accepts a point well clear of the polygon.
    const std::vector<Point> vertices{Point(0, 0, 0), Point(3, 0, 0), Point(3, 3, 0), Point(2, 3, 0),
                                      Point(2, 1, 0), Point(1, 1, 0), Point(1, 3, 0), Point(0, 3, 0)};
    const Polygon polygon(vertices);
    double low = 3.01;
    double high = 3.6;
    ASSERT_GT(AngleSumExcess(vertices, Point(0.85, low, 0)), 0.0);
    ASSERT_LT(AngleSumExcess(vertices, Point(0.85, high, 0)), 0.0);
    for (int step = 0; step < 60; ++step)
    {
        const double middle = (low + high) / 2;
        (AngleSumExcess(vertices, Point(0.85, middle, 0)) > 0.0 ? low : high) = middle;
    }
    EXPECT_GT(low, 3.2);
    EXPECT_TRUE(polygon.Contains(Point(0.85, low, 0)));
    EXPECT_FALSE(DescribeSurface(&polygon).bounded);
    EXPECT_EQ(DescribeSurface(&polygon).innerEdgeCount, 0);

    // Convex, it has both.
    const Polygon square({Point(0, 0, 0), Point(3, 0, 0), Point(3, 3, 0), Point(0, 3, 0)});
    const SurfaceShape shape = DescribeSurface(&square);
    EXPECT_TRUE(shape.bounded);
    EXPECT_EQ(shape.innerEdgeCount, 4);
    EXPECT_TRUE(IsCertainlyOn(shape, Point(1.5, 1.5, 0)));
    EXPECT_FALSE(IsCertainlyOn(shape, Point(1.5, 1.5, 1e-9)));
}

TEST(FaceBounds, OnlyFacesApartOnParallelPlanesOrCoaxialMantlesAreKnownNotToShareAPoint)
{
    const SolidPointer plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 0), 200, 120, 25));
    std::vector<SurfaceShape> faces;
    for (const ISurface* surface : plate->GetSurfaces())
        faces.push_back(DescribeSurface(surface));
    // Faces 4 and 5 are the top and bottom, 0 to 3 the sides.
    EXPECT_TRUE(MayShareAPoint(faces[4], faces[0]));
    EXPECT_TRUE(MayShareAPoint(faces[0], faces[1]));
    EXPECT_FALSE(MayShareAPoint(faces[4], faces[5]));

    const SolidPointer pipe(Quoria::CreateXOrientedPipe(Point(0, 0, 0), 20, 25, 300));
    const SurfaceShape inner = DescribeSurface(pipe->GetSurfaces()[0]);
    const SurfaceShape outer = DescribeSurface(pipe->GetSurfaces()[1]);
    const SurfaceShape end = DescribeSurface(pipe->GetSurfaces()[2]);
    EXPECT_FALSE(MayShareAPoint(inner, outer));
    EXPECT_TRUE(MayShareAPoint(inner, end));
    EXPECT_TRUE(MayShareAPoint(end, outer));

    // Overlapping squares on parallel planes: apart by far more than the
    // plane tests allow, then by less.
    const Polygon low({Point(0, 0, 0), Point(3, 0, 0), Point(3, 3, 0), Point(0, 3, 0)});
    const Polygon high({Point(1, 1, 1e-6), Point(4, 1, 1e-6), Point(4, 4, 1e-6), Point(1, 4, 1e-6)});
    const Polygon touching({Point(1, 1, 1e-12), Point(4, 1, 1e-12), Point(4, 4, 1e-12), Point(1, 4, 1e-12)});
    EXPECT_FALSE(MayShareAPoint(DescribeSurface(&low), DescribeSurface(&high)));
    EXPECT_TRUE(MayShareAPoint(DescribeSurface(&low), DescribeSurface(&touching)));
    EXPECT_TRUE(low.Contains(Point(2, 2, 0.5e-12)) && touching.Contains(Point(2, 2, 0.5e-12)));
}
