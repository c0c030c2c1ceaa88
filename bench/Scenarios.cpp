#include "Scenarios.h"

#include "Factories.h"
#include "Polygon.h"
#include "SlopeConfiguration.h"

#include <array>
#include <stdexcept>

using Quoria::BeamAngles;
using Quoria::BehaviorAtInterface;
using Quoria::SlopeConfiguration;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Polygon;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::Vector;

namespace QuoriaBench
{

namespace
{
using Solids = std::vector<std::unique_ptr<const Solid>>;
using Slopes = std::array<const SlopeConfiguration, 4>;

const unsigned int AllLegs = 1000; // capped at 250 by the tracer

Solids Own(std::initializer_list<const Solid*> solids)
{
    Solids owned;
    for (const Solid* solid : solids)
    {
        owned.emplace_back(solid);
    }
    return owned;
}

BeamAngles Angles(double refraction, double skew)
{
    BeamAngles angles;
    angles.skewAngle = skew;
    angles.refractionAngle = refraction;
    return angles;
}

// Eight beams from points along a line on the entry face, with refraction
// and skew varied around the given values.
std::vector<Beam> Fan(const Point& first, const Vector& step, double refraction, double skew,
                      std::vector<BehaviorAtInterface> behaviors = {})
{
    std::vector<Beam> beams;
    for (int i = 0; i < 8; ++i)
    {
        beams.push_back({first + step * static_cast<double>(i),
                         Angles(refraction + 0.05 * (i % 4), skew + 0.11 * (i % 3) - 0.1), behaviors,
                         AllLegs});
    }
    return beams;
}

// A point inside the first face of a wedge (its inclined top): a weighted
// mean of its corners.
Point OnTopFace(const Solid& wedge, double shift)
{
    const auto* top = dynamic_cast<const Polygon*>(wedge.GetSurfaces().front());
    const std::vector<Point>& corners = top->GetPoints();
    const double weights[] = {0.35 + shift, 0.3, 0.2 - shift, 0.15};
    double x = 0.0, y = 0.0, z = 0.0;
    for (std::size_t i = 0; i < 4; ++i)
    {
        x += weights[i] * corners[i].X();
        y += weights[i] * corners[i].Y();
        z += weights[i] * corners[i].Z();
    }
    return Point(x, y, z);
}

std::vector<Beam> WedgeBeams(const Solid& wedge, double refraction)
{
    std::vector<Beam> beams;
    for (int i = 0; i < 8; ++i)
    {
        beams.push_back({OnTopFace(wedge, 0.02 * i),
                         Angles(refraction + 0.03 * (i % 4), 0.05 * (i % 3) - 0.05),
                         {BehaviorAtInterface::Transmit},
                         AllLegs});
    }
    return beams;
}

Slopes PlateSlopes()
{
    return {SlopeConfiguration(5, 10, 3), SlopeConfiguration(4, 8, 2), SlopeConfiguration(6, 5, 4),
            SlopeConfiguration(3, 12, 1)};
}

Slopes YPipeSlopes()
{
    return {SlopeConfiguration(3, 10, 5), SlopeConfiguration(4, 8, 6), SlopeConfiguration(2, 6, 4),
            SlopeConfiguration(3, 0, 7)};
}
} // namespace

std::vector<const Solid*> Specimen::Configuration() const
{
    std::vector<const Solid*> configuration;
    for (const auto& solid : solids)
    {
        configuration.push_back(solid.get());
    }
    return configuration;
}

Specimen Scenario::Make() const
{
    Specimen specimen{build(), {}};
    specimen.beams = beams(specimen.Configuration());
    return specimen;
}

Box PlateBox()
{
    return {{-100.0, -60.0, -12.5}, {100.0, 60.0, 12.5}};
}

std::vector<Scenario> MakeScenarios()
{
    std::vector<Scenario> scenarios;
    scenarios.push_back({"plate",
                         [] { return Own({Quoria::CreateAxisAlignedPlate(Point(0, 0, 0), 200, 120, 25)}); },
                         [](const std::vector<const Solid*>&)
                         { return Fan(Point(-60, -20, -12.5), Vector(9, 5, 0), 0.45, 0.35); }});
    scenarios.push_back({"x-pipe",
                         [] { return Own({Quoria::CreateXOrientedPipe(Point(0, 0, 0), 20, 25, 300)}); },
                         [](const std::vector<const Solid*>&)
                         { return Fan(Point(-100, 0, -25), Vector(20, 0, 0), 0.6, 0.5); }});
    scenarios.push_back({"y-cb-pipe-cones",
                         [] {
                             return Own({Quoria::CreateYOrientedCounterboredPipe(Point(0, 0, 0), 20, 25, 200,
                                                                                 YPipeSlopes())});
                         },
                         [](const std::vector<const Solid*>&)
                         { return Fan(Point(0, -3, -25), Vector(0, 1, 0), 0.45, 1.4); }});
    scenarios.push_back({"cb-plate",
                         [] {
                             return Own({Quoria::CreateAxisAlignedCounterboredPlate(Point(0, 0, 0), 200, 200,
                                                                                    20, PlateSlopes())});
                         },
                         [](const std::vector<const Solid*>&)
                         { return Fan(Point(-80, -3.5, -10), Vector(20, 0.7, 0), 0.7, 1.45); }});
    scenarios.push_back(
        {"wedge-on-plate",
         []
         {
             return Own({Quoria::CreateWedgeOnAxisAlignedPlate(Point(0, 0, 0), 40, 30, 10, 0.3, 0, 0),
                         Quoria::CreateAxisAlignedPlate(Point(0, 0, 12.5), 200, 100, 25)});
         },
         [](const std::vector<const Solid*>& solids) { return WedgeBeams(*solids[0], 0.2); }});
    scenarios.push_back({"wedge-on-x-cylinder",
                         []
                         {
                             return Own({Quoria::CreateWedgeOnXOrientedCylinder(Point(10, 0, 0), 30, 16, 8,
                                                                                0.35, 0, Point(0, 0, 30)),
                                         Quoria::CreateXOrientedPipe(Point(0, 0, 30), 20, 30, 200)});
                         },
                         [](const std::vector<const Solid*>& solids)
                         { return WedgeBeams(*solids[0], 0.25); }});
    return scenarios;
}

Vector InitialDirection(const ISurface& entrySurface, const Point& entry, const BeamAngles& angles)
{
    const Vector inward = entrySurface.GetNormal(entry) * -1.0;
    Vector perpendicular = inward.Cross(Vector(1.0, 0.0, 0.0));
    perpendicular.Normalize();
    Vector direction = inward.Rotate(angles.refractionAngle, perpendicular).Rotate(angles.skewAngle, inward);
    direction.Normalize();
    return direction;
}

EntryFace FindEntryFace(const std::vector<const Solid*>& solids, const Point& entry)
{
    for (std::size_t i = 0; i < solids.size(); ++i)
    {
        for (const ISurface* surface : solids[i]->GetSurfaces())
        {
            if (surface->Contains(entry))
            {
                return {i, surface};
            }
        }
    }
    throw std::runtime_error("entry point off the configuration");
}

} // namespace QuoriaBench
