#include "FactoryTable.h"

#include "NumberText.h"
#include "Quoria.h"
#include "ScenarioError.h"
#include "SlopeConfiguration.h"

#include <array>
#include <stdexcept>

using Tessam::Geometry3D::Solid;

namespace QuoriaTrace
{

namespace
{

double Radians(const SpecimenInput& input, const std::string& name)
{
    return input.numbers.at(name) * DegreesToRadians;
}

// The library checks each slope as it is made; say which slope it refused.
std::array<const Quoria::SlopeConfiguration, 4> Slopes(const SpecimenInput& input)
{
    auto make = [&input](std::size_t i)
    {
        const SlopeValues& slope = input.slopes.at(i);
        try
        {
            return Quoria::SlopeConfiguration(slope.height, slope.width, slope.offset);
        }
        catch (const std::invalid_argument& error)
        {
            throw ScenarioError(slope.place, ToUtf8(error.what()));
        }
    };
    return {make(0), make(1), make(2), make(3)};
}

std::vector<FactoryInfo> MakeFactories()
{
    using K = ParameterKind;
    const ParameterInfo centre{"centre", K::Point, std::nullopt};
    const ParameterInfo slopes{"slopes", K::Slopes, std::nullopt};
    auto number = [](const char* name) { return ParameterInfo{name, K::Number, std::nullopt}; };
    const std::vector<ParameterInfo> plate{centre, number("sizeX"), number("sizeY"), number("sizeZ")};
    const std::vector<ParameterInfo> bar{centre, number("radius"), number("length")};
    const std::vector<ParameterInfo> pipe{centre, number("innerRadius"), number("outerRadius"),
                                          number("length")};
    const std::vector<ParameterInfo> wedge{{"probeSetOrigin", K::Point, std::nullopt},
                                           number("length"),
                                           number("width"),
                                           number("height"),
                                           {"wedgeAngleDegrees", K::Degrees, std::nullopt},
                                           {"roofAngleDegrees", K::Degrees, 0.0}};
    auto with = [](std::vector<ParameterInfo> list, const ParameterInfo& extra)
    {
        list.push_back(extra);
        return list;
    };
    const ParameterInfo rotation{"rotationAngleDegrees", K::Degrees, 0.0};
    const ParameterInfo cylinder{"cylinderCentroid", K::Point, std::nullopt};

    auto n = [](const SpecimenInput& s, const char* name) { return s.numbers.at(name); };
    auto p = [](const SpecimenInput& s, const char* name) { return s.points.at(name); };

    return {
        {"CreateAxisAlignedPlate", plate,
         [=](const SpecimenInput& s) {
             return Quoria::CreateAxisAlignedPlate(p(s, "centre"), n(s, "sizeX"), n(s, "sizeY"),
                                                   n(s, "sizeZ"));
         }},
        {"CreateXOrientedBar", bar,
         [=](const SpecimenInput& s)
         { return Quoria::CreateXOrientedBar(p(s, "centre"), n(s, "radius"), n(s, "length")); }},
        {"CreateYOrientedBar", bar,
         [=](const SpecimenInput& s)
         { return Quoria::CreateYOrientedBar(p(s, "centre"), n(s, "radius"), n(s, "length")); }},
        {"CreateXOrientedPipe", pipe,
         [=](const SpecimenInput& s)
         {
             return Quoria::CreateXOrientedPipe(p(s, "centre"), n(s, "innerRadius"), n(s, "outerRadius"),
                                                n(s, "length"));
         }},
        {"CreateYOrientedPipe", pipe,
         [=](const SpecimenInput& s)
         {
             return Quoria::CreateYOrientedPipe(p(s, "centre"), n(s, "innerRadius"), n(s, "outerRadius"),
                                                n(s, "length"));
         }},
        {"CreateAxisAlignedCounterboredPlate", with(plate, slopes),
         [=](const SpecimenInput& s)
         {
             return Quoria::CreateAxisAlignedCounterboredPlate(p(s, "centre"), n(s, "sizeX"), n(s, "sizeY"),
                                                               n(s, "sizeZ"), Slopes(s));
         }},
        {"CreateXOrientedCounterboredPipe", with(pipe, slopes),
         [=](const SpecimenInput& s)
         {
             return Quoria::CreateXOrientedCounterboredPipe(p(s, "centre"), n(s, "innerRadius"),
                                                            n(s, "outerRadius"), n(s, "length"), Slopes(s));
         }},
        {"CreateYOrientedCounterboredPipe", with(pipe, slopes),
         [=](const SpecimenInput& s)
         {
             return Quoria::CreateYOrientedCounterboredPipe(p(s, "centre"), n(s, "innerRadius"),
                                                            n(s, "outerRadius"), n(s, "length"), Slopes(s));
         }},
        {"CreateWedgeOnAxisAlignedPlate", with(wedge, rotation),
         [=](const SpecimenInput& s)
         {
             return Quoria::CreateWedgeOnAxisAlignedPlate(
                 p(s, "probeSetOrigin"), n(s, "length"), n(s, "width"), n(s, "height"),
                 Radians(s, "wedgeAngleDegrees"), Radians(s, "roofAngleDegrees"),
                 Radians(s, "rotationAngleDegrees"));
         }},
        {"CreateWedgeOnXOrientedCylinder", with(wedge, cylinder),
         [=](const SpecimenInput& s)
         {
             return Quoria::CreateWedgeOnXOrientedCylinder(
                 p(s, "probeSetOrigin"), n(s, "length"), n(s, "width"), n(s, "height"),
                 Radians(s, "wedgeAngleDegrees"), Radians(s, "roofAngleDegrees"), p(s, "cylinderCentroid"));
         }},
        {"CreateWedgeOnYOrientedCylinder", with(wedge, cylinder),
         [=](const SpecimenInput& s)
         {
             return Quoria::CreateWedgeOnYOrientedCylinder(
                 p(s, "probeSetOrigin"), n(s, "length"), n(s, "width"), n(s, "height"),
                 Radians(s, "wedgeAngleDegrees"), Radians(s, "roofAngleDegrees"), p(s, "cylinderCentroid"));
         }},
    };
}

} // namespace

const std::vector<FactoryInfo>& Factories()
{
    static const std::vector<FactoryInfo> factories = MakeFactories();
    return factories;
}

const FactoryInfo* FindFactory(const std::string& name)
{
    for (const auto& factory : Factories())
    {
        if (factory.name == name)
        {
            return &factory;
        }
    }
    return nullptr;
}

std::vector<SolidPointer> BuildSpecimens(const Scenario& scenario)
{
    std::vector<SolidPointer> solids;
    for (const auto& input : scenario.specimens)
    {
        const FactoryInfo* factory = FindFactory(input.factory);
        try
        {
            solids.emplace_back(factory->create(input));
        }
        catch (const std::invalid_argument& error)
        {
            throw ScenarioError(input.place, input.factory + " refused it: " + ToUtf8(error.what()));
        }
    }
    return solids;
}

} // namespace QuoriaTrace
