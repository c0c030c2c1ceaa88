// The tracer computes the points where a ray meets the library's own faces
// itself and asks a face's Contains only when it matters. A plain tracer
// written here from the documented steps, using nothing but each face's
// public GetIntersection, Contains and GetNormal, must give the very same
// legs, bit for bit, from many random entry points and angles.

#include "CylindricalSurface.h"
#include "Factories.h"
#include "IRayTracer.h"
#include "Polygon.h"
#include "Quoria.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Tessam::Geometry3D;
using Quoria::BeamAngles;
using Quoria::BehaviorAtInterface;
using Quoria::IRayTracer;
using Quoria::SlopeConfiguration;

namespace
{
using SolidPointer = std::unique_ptr<const Solid>;

struct NoEntry
{
};

class ReferenceTracer
{
public:
    explicit ReferenceTracer(std::vector<const ISolid*> solids) : solids(std::move(solids)) {}

    // Transmits at the first interface when `transmitFirst`, reflects
    // everywhere else, and stops after `legCount` legs.
    Legs Trace(const Point& entry, double refraction, double skew, std::size_t legCount, bool transmitFirst)
    {
        const ISurface* entrySurface = nullptr;
        for (auto solid = solids.begin(); entrySurface == nullptr && solid != solids.end(); ++solid)
            entrySurface = FirstContaining(entry, current = *solid);
        if (entrySurface == nullptr || ContainingCount(entry) >= 2)
            throw NoEntry();
        const Vector inward = entrySurface->GetNormal(entry) * -1.0;
        Vector across = inward.Cross(Vector(1, 0, 0));
        across.Normalize();
        Line ray(entry, inward.Rotate(refraction, across).Rotate(skew, inward));
        Legs legs;
        for (;;)
        {
            const ISurface* hit = nullptr;
            Point end;
            double smallest = std::numeric_limits<double>::max();
            for (const ISurface* surface : current->GetSurfaces())
            {
                const Intersection intersection = surface->GetIntersection(ray);
                for (const Point& p : intersection.GetPoints())
                {
                    // The nearest point strictly ahead.
                    const Vector toPoint = p - ray.GetPoint();
                    const double distance = toPoint.Length();
                    if (!RelativeCheckEqual(0.0, distance, 1e-11) &&
                        RelativeCheckEqual(toPoint.Normalized().Dot(ray.GetDirection()), 1.0, 1e-11) &&
                        distance < smallest)
                    {
                        smallest = distance;
                        hit = surface;
                        end = p;
                    }
                }
            }
            if (hit != nullptr)
                legs.emplace_back(ray.GetPoint(), end);
            if (hit == nullptr || legs.size() >= legCount || ContainingCount(end) >= 2)
                return legs;
            Vector direction = ray.GetDirection();
            if (transmitFirst && legs.size() == 1)
            {
                const ISolid* left = current;
                for (const ISolid* solid : solids)
                    current = solid != left && FirstContaining(end, solid) != nullptr ? solid : current;
                if (current == left)
                    return legs;
            }
            else
            {
                const Vector normal = hit->GetNormal(end);
                direction = (direction - normal * (2.0 * direction.Dot(normal))).Normalized();
            }
            ray = Line(end, direction);
        }
    }

private:
    static const ISurface* FirstContaining(const Point& point, const ISolid* solid)
    {
        const auto& surfaces = solid->GetSurfaces();
        const auto found =
            std::find_if(surfaces.begin(), surfaces.end(),
                         [&point](const ISurface* surface) { return surface->Contains(point); });
        return found == surfaces.end() ? nullptr : *found;
    }

    long ContainingCount(const Point& point) const
    {
        const auto& surfaces = current->GetSurfaces();
        return std::count_if(surfaces.begin(), surfaces.end(),
                             [&point](const ISurface* surface) { return surface->Contains(point); });
    }

    std::vector<const ISolid*> solids;
    const ISolid* current = nullptr;
};

std::string Hex(const Point& p)
{
    char text[160];
    std::snprintf(text, sizeof text, "(%a, %a, %a)", p.X(), p.Y(), p.Z());
    return text;
}

// Entry points are drawn by the scenario; the first solid is the one entered.
struct Scenario
{
    std::string name;
    std::vector<const Solid*> solids;
    bool transmitFirst;
    std::function<Point(std::mt19937_64&)> entry;
};

void CompareOnRandomBeams(const Scenario& scenario, unsigned seed, int beamCount, std::size_t legCount)
{
    const std::unique_ptr<IRayTracer> tracer(Quoria::CreateRayTracer(scenario.solids));
    ReferenceTracer reference(tracer->GetConfiguration());
    std::mt19937_64 engine(seed);
    std::uniform_real_distribution<double> refraction(-1.45, 1.45);
    std::uniform_real_distribution<double> skew(-Pi, Pi);
    int traced = 0;
    for (int beam = 0; beam < beamCount; ++beam)
    {
        const Point entry = scenario.entry(engine);
        BeamAngles angles;
        angles.refractionAngle = refraction(engine);
        angles.skewAngle = skew(engine);
        const auto trace = [&]
        {
            return tracer->CalculateLegsFromEntryPoint(
                entry, angles, static_cast<unsigned>(legCount),
                std::vector<BehaviorAtInterface>(scenario.transmitFirst ? 1 : 0,
                                                 BehaviorAtInterface::Transmit),
                {});
        };
        const std::string where = scenario.name + " beam " + std::to_string(beam) + " from " + Hex(entry);
        Legs expected;
        try
        {
            expected = reference.Trace(entry, angles.refractionAngle, angles.skewAngle, legCount,
                                       scenario.transmitFirst);
        }
        catch (const NoEntry&)
        {
            EXPECT_THROW(trace(), std::invalid_argument) << where;
            continue;
        }
        ++traced;
        const Legs actual = trace();
        ASSERT_EQ(actual.size(), expected.size()) << where;
        for (std::size_t i = 0; i < actual.size(); ++i)
        {
            ASSERT_TRUE(actual[i].GetSecondPoint() == expected[i].GetSecondPoint())
                << where << " leg " << i << ": " << Hex(actual[i].GetSecondPoint()) << " instead of "
                << Hex(expected[i].GetSecondPoint());
        }
    }
    EXPECT_GT(traced, beamCount / 2) << scenario.name;
}

double Draw(std::mt19937_64& engine, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(engine);
}

// A random point inside a face with straight edges: a weighted mean of its
// vertices.
Point InsidePolygon(const Solid& solid, std::size_t face, std::mt19937_64& engine)
{
    const std::vector<Point>& vertices =
        dynamic_cast<const Polygon&>(*solid.GetSurfaces().at(face)).GetPoints();
    double total = 0.0, x = 0.0, y = 0.0, z = 0.0;
    for (const Point& vertex : vertices)
    {
        const double weight = Draw(engine, 0.05, 1.0);
        total += weight;
        x += weight * vertex.X();
        y += weight * vertex.Y();
        z += weight * vertex.Z();
    }
    return Point(x / total, y / total, z / total);
}
// A random point on one of a solid's cylindrical faces, away from its rims.
Point OnSomeMantle(const Solid& solid, std::mt19937_64& engine)
{
    std::vector<const CylindricalSurface*> mantles;
    for (const ISurface* surface : solid.GetSurfaces())
    {
        if (const auto* cylinder = dynamic_cast<const CylindricalSurface*>(surface))
            mantles.push_back(cylinder);
    }
    const CylindricalSurface& mantle =
        *mantles.at(std::uniform_int_distribution<std::size_t>(0, mantles.size() - 1)(engine));
    const Vector& axis = mantle.GetOrientation();
    const Vector across = axis.Cross(Vector(0, 0, 1)).Length() > 0.5 ? Vector(0, 0, 1) : Vector(1, 0, 0);
    const Vector second = axis.Cross(across);
    const double angle = Draw(engine, 0, 2 * Pi);
    return mantle.GetCentroid() + Draw(engine, -0.45, 0.45) * mantle.GetHeight() * axis +
           (mantle.GetRadius() * std::cos(angle)) * across + (mantle.GetRadius() * std::sin(angle)) * second;
}
} // namespace

TEST(TraceReference, CounterboredPlateAndWedgeOnPlateGiveTheLegsOfThePlainTracer)
{
    // A plain box is left to the mirror-unfolding model of the tracer's own tests.
    using S = SlopeConfiguration;
    const SolidPointer counterbored(Quoria::CreateAxisAlignedCounterboredPlate(
        Point(0, 0, 0), 200, 200, 20, {S(5, 10, 3), S(4, 8, 2), S(6, 5, 4), S(3, 12, 1)}));
    const Solid& counterboredSolid = *counterbored;
    CompareOnRandomBeams({"counterbored plate",
                          {counterbored.get()},
                          false,
                          [&counterboredSolid](std::mt19937_64& e)
                          { return InsidePolygon(counterboredSolid, 1, e); }},
                         2, 40, 120);

    const SolidPointer wedge(Quoria::CreateWedgeOnAxisAlignedPlate(Point(0, 0, 0), 40, 30, 10, 0.3, 0, 0));
    const SolidPointer underPlate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 12.5), 200, 100, 25));
    const Solid& wedgeSolid = *wedge;
    CompareOnRandomBeams({"wedge on plate",
                          {wedge.get(), underPlate.get()},
                          true,
                          [&wedgeSolid](std::mt19937_64& e) { return InsidePolygon(wedgeSolid, 0, e); }},
                         3, 40, 60);
}

TEST(TraceReference, CurvedSpecimensGiveTheLegsOfThePlainTracer)
{
    const auto onXMantle = [](double radius)
    {
        return [radius](std::mt19937_64& e)
        {
            const double angle = Draw(e, 0, 2 * Pi);
            return Point(Draw(e, -140, 140), radius * std::cos(angle), radius * std::sin(angle));
        };
    };
    const SolidPointer xPipe(Quoria::CreateXOrientedPipe(Point(0, 0, 0), 20, 25, 300));
    CompareOnRandomBeams({"x pipe", {xPipe.get()}, false, onXMantle(25)}, 4, 40, 120);

    const SolidPointer xBar(Quoria::CreateXOrientedBar(Point(0, 0, 0), 15, 300));
    CompareOnRandomBeams({"x bar", {xBar.get()}, false, onXMantle(15)}, 5, 30, 120);

    using S = SlopeConfiguration;
    const SolidPointer yPipe(Quoria::CreateYOrientedCounterboredPipe(
        Point(0, 0, 0), 20, 25, 200, {S(3, 10, 5), S(4, 8, 6), S(2, 6, 4), S(3, 0, 7)}));
    const Solid& yPipeSolid = *yPipe;
    CompareOnRandomBeams({"y counterbored pipe",
                          {yPipe.get()},
                          false,
                          [&yPipeSolid](std::mt19937_64& e) { return OnSomeMantle(yPipeSolid, e); }},
                         6, 60, 120);

    const SolidPointer wedge(
        Quoria::CreateWedgeOnXOrientedCylinder(Point(10, 0, 0), 30, 16, 8, 0.35, 0, Point(0, 0, 30)));
    const SolidPointer pipe(Quoria::CreateXOrientedPipe(Point(0, 0, 30), 20, 30, 200));
    const Solid& wedgeSolid = *wedge;
    CompareOnRandomBeams({"wedge on x pipe",
                          {wedge.get(), pipe.get()},
                          true,
                          [&wedgeSolid](std::mt19937_64& e) { return InsidePolygon(wedgeSolid, 0, e); }},
                         7, 40, 60);
}
