// Polygon, cylinder and truncated cone answer Contains through cheap
// pre-classifications before the documented tests. Here the library's answer
// is compared, over many random points a hair's breadth from edges, rims and
// planes, with the documented tests written out plainly.

#include "CylindricalSurface.h"
#include "LineSegment.h"
#include "Pi.h"
#include "Polygon.h"
#include "Quoria.h"
#include "TruncatedConicalSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace Tessam::Geometry3D;

namespace
{
using QuoriaTesting::TwoPi;

class Sampler
{
public:
    explicit Sampler(unsigned seed) : engine(seed) {}

    double Uniform(double low, double high)
    {
        return std::uniform_real_distribution<double>(low, high)(engine);
    }
    // A magnitude spread evenly over the decades from 10^low to 10^high.
    double Tiny(double low, double high) { return std::pow(10.0, Uniform(low, high)); }
    double Sign() { return Uniform(0.0, 1.0) < 0.5 ? -1.0 : 1.0; }
    bool Chance(double probability) { return Uniform(0.0, 1.0) < probability; }
    Vector Direction()
    {
        Vector v;
        do
        {
            v = Vector(Uniform(-1, 1), Uniform(-1, 1), Uniform(-1, 1));
        } while (v.Length() < 0.1);
        return v.Normalized();
    }

private:
    std::mt19937_64 engine;
};

// Two unit vectors orthogonal to `axis` and to each other.
void Across(const Vector& axis, Vector& first, Vector& second)
{
    first = axis.Cross(std::fabs(axis.X()) < 0.9 ? Vector(1, 0, 0) : Vector(0, 1, 0)).Normalized();
    second = axis.Cross(first).Normalized();
}

std::string Describe(const Point& p)
{
    char text[160];
    std::snprintf(text, sizeof text, "(%a, %a, %a)", p.X(), p.Y(), p.Z());
    return text;
}

// Counts the points where the two answers differ and names the first.
struct Disagreements
{
    int count = 0;
    int insideCount = 0;
    int sampleCount = 0;
    std::string first;

    void Check(bool actual, bool expected, const Point& point, const std::string& what)
    {
        ++sampleCount;
        insideCount += expected ? 1 : 0;
        if (actual != expected && count++ == 0)
            first = what + " at " + Describe(point) + (expected ? " should be inside" : " should be outside");
    }

    // Both answers must be well represented for the comparison to mean much.
    ~Disagreements()
    {
        EXPECT_EQ(count, 0) << first;
        EXPECT_GT(insideCount, sampleCount / 5);
        EXPECT_LT(insideCount, sampleCount * 4 / 5);
    }
};

bool ReferencePolygonContains(const Polygon& polygon, const Point& point)
{
    const Plane& plane = polygon.GetPlane();
    if (!RelativeCheckEqual(plane.GetNormal().Dot(point - Point()) + plane.GetOffset(), 0.0, 1e-11))
        return false;
    const std::vector<Point>& vertices = polygon.GetPoints();
    double sum = 0.0;
    for (std::size_t i = 0; i < vertices.size(); ++i)
    {
        const Point& current = vertices[i];
        const Point& next = vertices[(i + 1) % vertices.size()];
        const Vector u = current - point;
        const Vector w = next - point;
        if (u.IsCollinear(w) && LineSegment(current, next).Contains(point))
            return true;
        sum += u.AngleTo(w).Radians();
    }
    return RelativeCheckEqual(sum, TwoPi, 1e-6);
}

bool ReferenceCylinderContains(const CylindricalSurface& cylinder, const Point& point)
{
    const Vector v = point - cylinder.GetCentroid();
    const double length = v.Length();
    const double axial = v.Dot(cylinder.GetOrientation());
    const double distanceToAxis = length * std::sin(std::acos(axial / length));
    return RelativeCheckEqual(distanceToAxis, cylinder.GetRadius(), 1e-11) &&
           -cylinder.GetHeight() / 2.0 <= axial && axial <= cylinder.GetHeight() / 2.0;
}

// A full-revolution frustum: the cone's test, then the band along the axis.
bool ReferenceFrustumContains(const TruncatedConicalSurface& frustum, const Point& point)
{
    const Point& apex = frustum.GetApex();
    const Vector v = point - apex;
    const Vector& axis = frustum.GetOrientation();
    const bool onCone =
        point.IsAlmostEqual(apex, 1e-6) ||
        (RelativeCheckEqual(axis.AngleTo(v).Radians(), frustum.GetHalfAngle().Radians(), 1e-11) &&
         v.Dot(axis) <= frustum.GetHeight());
    const double h = v.Dot(axis);
    return onCone && frustum.GetHeight() - frustum.GetTruncatedHeight() <= h && h <= frustum.GetHeight();
}

// A convex polygon of `count` vertices on an ellipse, in a random plane,
// listed clockwise or anticlockwise.
std::vector<Point> ConvexPolygon(Sampler& sampler, int count, double scale)
{
    Vector e1, e2;
    Across(sampler.Direction(), e1, e2);
    const Point origin(sampler.Uniform(-3, 3) * scale, sampler.Uniform(-3, 3) * scale,
                       sampler.Uniform(-3, 3) * scale);
    const double stretch = sampler.Uniform(0.2, 1.0);
    const double turn = sampler.Sign();
    std::vector<Point> vertices;
    for (int i = 0; i < count; ++i)
    {
        const double angle = turn * TwoPi * (i + sampler.Uniform(-0.3, 0.3)) / count;
        vertices.push_back(origin + (scale * std::cos(angle)) * e1 +
                           (scale * stretch * std::sin(angle)) * e2);
    }
    return vertices;
}
} // namespace

TEST(ContainmentShortcuts, PolygonAgreesWithTheAngleSumNearEdgesCornersAndThePlane)
{
    Sampler sampler(20240611);
    Disagreements disagreements;
    for (int shape = 0; shape < 60; ++shape)
    {
        const double scale = std::pow(10.0, sampler.Uniform(-2, 3));
        const std::vector<Point> vertices = ConvexPolygon(sampler, 3 + shape % 5, scale);
        const Polygon polygon(vertices);
        const Vector& normal = polygon.GetPlane().GetNormal();
        const std::size_t count = vertices.size();
        for (int sample = 0; sample < 400; ++sample)
        {
            const std::size_t i = static_cast<std::size_t>(sample) % count;
            const Vector edge = vertices[(i + 1) % count] - vertices[i];
            // Along an edge or its extension, or at a corner.
            const double along = sample % 7 == 0 ? 0.0 : sampler.Uniform(-0.05, 1.05);
            Point point = vertices[i] + along * edge;
            if (sample % 5 != 0)
                point += (sampler.Sign() * sampler.Tiny(-13, -3) * scale) * normal.Cross(edge).Normalized();
            if (sample % 3 == 0)
                point += (sampler.Sign() * sampler.Tiny(-14, -9)) * normal;
            if (sample % 11 == 0)
            {
                // Well inside, or well outside across the edge.
                point = polygon.GetCentroid() + sampler.Uniform(0.0, 1.6) * (point - polygon.GetCentroid());
            }
            disagreements.Check(polygon.Contains(point), ReferencePolygonContains(polygon, point), point,
                                "polygon " + std::to_string(shape));
        }
    }
}

TEST(ContainmentShortcuts, CylinderAgreesWithTheDocumentedTestNearMantleRimsAndAxis)
{
    Sampler sampler(77);
    Disagreements disagreements;
    for (int shape = 0; shape < 40; ++shape)
    {
        const double radius = std::pow(10.0, sampler.Uniform(-2, 3));
        const double height = radius * std::pow(10.0, sampler.Uniform(-2, 3));
        const Vector axis = sampler.Direction();
        const Point centroid(sampler.Uniform(-5, 5) * radius, sampler.Uniform(-5, 5) * radius, 0.0);
        // Not normalised on purpose: the surface normalises it.
        const CylindricalSurface cylinder(centroid, radius, height, 3.0 * axis, sampler.Chance(0.5));
        Vector e1, e2;
        Across(cylinder.GetOrientation(), e1, e2);
        for (int sample = 0; sample < 500; ++sample)
        {
            double axial = sampler.Uniform(-0.5, 0.5) * height;
            if (sample % 3 == 0)
                axial = sampler.Sign() * height / 2.0 * (1.0 + sampler.Sign() * sampler.Tiny(-17, -5));
            double distance = radius;
            if (sample % 4 != 0)
                distance *= 1.0 + sampler.Sign() * sampler.Tiny(-17, -4);
            if (sample % 13 == 0)
                distance = radius * sampler.Tiny(-12, 0.5);
            const double angle = sampler.Uniform(0.0, TwoPi);
            const Point point = centroid + axial * cylinder.GetOrientation() +
                                (distance * std::cos(angle)) * e1 + (distance * std::sin(angle)) * e2;
            disagreements.Check(cylinder.Contains(point), ReferenceCylinderContains(cylinder, point), point,
                                "cylinder " + std::to_string(shape));
        }
        disagreements.Check(cylinder.Contains(centroid), false, centroid, "centroid");
    }
}

TEST(ContainmentShortcuts, FrustumAgreesWithTheConeTestThenTheBand)
{
    Sampler sampler(4242);
    Disagreements disagreements;
    for (int shape = 0; shape < 40; ++shape)
    {
        const double radiusBase = std::pow(10.0, sampler.Uniform(-1, 2));
        const double radiusTop = radiusBase * sampler.Uniform(0.05, 0.95);
        const double truncatedHeight = radiusBase * std::pow(10.0, sampler.Uniform(-1, 1));
        const Point apex(sampler.Uniform(-10, 10), sampler.Uniform(-10, 10), sampler.Uniform(-10, 10));
        const TruncatedConicalSurface frustum(apex, radiusBase, radiusTop, truncatedHeight,
                                              sampler.Direction(), sampler.Chance(0.5));
        const double coneHeight = frustum.GetHeight();
        const double slope = radiusBase / coneHeight;
        Vector e1, e2;
        Across(frustum.GetOrientation(), e1, e2);
        for (int sample = 0; sample < 500; ++sample)
        {
            double h = coneHeight - sampler.Uniform(-0.1, 1.1) * truncatedHeight;
            if (sample % 3 == 0)
            {
                const double rim = sampler.Chance(0.5) ? coneHeight : coneHeight - truncatedHeight;
                h = rim * (1.0 + sampler.Sign() * sampler.Tiny(-17, -5));
            }
            double distance = h * slope;
            if (sample % 4 != 0)
                distance *= 1.0 + sampler.Sign() * sampler.Tiny(-17, -4);
            const double angle = sampler.Uniform(0.0, TwoPi);
            const Point point = apex + h * frustum.GetOrientation() + (distance * std::cos(angle)) * e1 +
                                (distance * std::sin(angle)) * e2;
            disagreements.Check(frustum.Contains(point), ReferenceFrustumContains(frustum, point), point,
                                "frustum " + std::to_string(shape));
        }
    }
}
