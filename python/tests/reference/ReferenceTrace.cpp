// Builds specimens and traces beams through the C++ interface alone, for the
// Python tests to compare with bit for bit. Reads one command per line:
//
//   solid <C++ factory name> <numbers in the header's parameter order>
//         (a point is three numbers, the slopes twelve: height width offset each)
//   tracer <solid indices...>
//   trace legs|length <amount> <x y z> <refraction> <skew> <behaviours: letters R T S, or _> [laws...]
//         (a law is - for none or a factor k: the angle times k)
//   snap <solid index> <x y z>
//   material <longitudinal speed> <shear speed> <name...>
//   find <name...>
//   table
//   refracted <incidence> <speed> <speed> | critical <speed> <speed> | incidence <refracted> <speed> <speed>
//   sound <count> <solid indices...> <material indices...>
//   hear legs|length|time <amount> <x y z> <refraction> <skew> <behaviours, or _> <modes: letters L T, or _>
//
// and answers each, numbers in hexadecimal floating point:
//
//   solid <face count> | tracer | snap <face> <x y z> <distance> | material | sound
//   report <ending> <leg count>, then per leg: leg <solid> <face> <behaviour> <x y z> <x y z>
//   material <longitudinal> <shear> <name>      for find, and per entry after: table <count>
//   angle <radians> | angle none
//   acoustic <ending> <leg count> <time> [message], then per leg:
//         leg <solid> <face> <behaviour> <x y z> <x y z> <mode> <speed> <time>
//   error <message>             for a std::invalid_argument

#include "Quoria.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Tessam::Geometry3D;
using Quoria::SlopeConfiguration;

namespace
{

class Arguments
{
public:
    explicit Arguments(std::istringstream& line) : line(line) {}

    double Number()
    {
        std::string token;
        if (!(line >> token))
        {
            throw std::runtime_error("missing number");
        }
        return std::strtod(token.c_str(), nullptr);
    }
    Point ReadPoint()
    {
        const double x = Number();
        const double y = Number();
        return Point(x, y, Number());
    }
    std::array<const SlopeConfiguration, 4> Slopes()
    {
        auto slope = [this]()
        {
            const double height = Number();
            const double width = Number();
            return SlopeConfiguration(height, width, Number());
        };
        const SlopeConfiguration first = slope();
        const SlopeConfiguration second = slope();
        const SlopeConfiguration third = slope();
        return {first, second, third, slope()};
    }

private:
    std::istringstream& line;
};

const Solid* Create(const std::string& factory, Arguments& a)
{
    // Arguments are read in the order written: one statement each.
    const Point p = a.ReadPoint();
    if (factory == "CreateAxisAlignedPlate" || factory == "CreateAxisAlignedCounterboredPlate")
    {
        const double x = a.Number();
        const double y = a.Number();
        const double z = a.Number();
        return factory == "CreateAxisAlignedPlate"
                   ? Quoria::CreateAxisAlignedPlate(p, x, y, z)
                   : Quoria::CreateAxisAlignedCounterboredPlate(p, x, y, z, a.Slopes());
    }
    if (factory == "CreateXOrientedBar" || factory == "CreateYOrientedBar")
    {
        const double radius = a.Number();
        const double length = a.Number();
        return factory == "CreateXOrientedBar" ? Quoria::CreateXOrientedBar(p, radius, length)
                                               : Quoria::CreateYOrientedBar(p, radius, length);
    }
    if (factory.find("Pipe") != std::string::npos)
    {
        const double inner = a.Number();
        const double outer = a.Number();
        const double length = a.Number();
        if (factory == "CreateXOrientedPipe")
            return Quoria::CreateXOrientedPipe(p, inner, outer, length);
        if (factory == "CreateYOrientedPipe")
            return Quoria::CreateYOrientedPipe(p, inner, outer, length);
        if (factory == "CreateXOrientedCounterboredPipe")
            return Quoria::CreateXOrientedCounterboredPipe(p, inner, outer, length, a.Slopes());
        return Quoria::CreateYOrientedCounterboredPipe(p, inner, outer, length, a.Slopes());
    }
    const double length = a.Number();
    const double width = a.Number();
    const double height = a.Number();
    const double wedgeAngle = a.Number();
    const double roofAngle = a.Number();
    if (factory == "CreateWedgeOnAxisAlignedPlate")
        return Quoria::CreateWedgeOnAxisAlignedPlate(p, length, width, height, wedgeAngle, roofAngle,
                                                     a.Number());
    const Point centroid = a.ReadPoint();
    if (factory == "CreateWedgeOnXOrientedCylinder")
        return Quoria::CreateWedgeOnXOrientedCylinder(p, length, width, height, wedgeAngle, roofAngle,
                                                      centroid);
    if (factory == "CreateWedgeOnYOrientedCylinder")
        return Quoria::CreateWedgeOnYOrientedCylinder(p, length, width, height, wedgeAngle, roofAngle,
                                                      centroid);
    throw std::runtime_error("unknown factory " + factory);
}

void PrintPoint(const Point& p)
{
    std::printf(" %a %a %a", p.X(), p.Y(), p.Z());
}

void PrintLegStart(const Quoria::TraceLeg& leg)
{
    std::printf("leg %zu %lld %d", leg.solid,
                leg.face == Quoria::NoFace ? -1LL : static_cast<long long>(leg.face),
                static_cast<int>(leg.behavior));
    PrintPoint(leg.segment.GetFirstPoint());
    PrintPoint(leg.segment.GetSecondPoint());
}

void PrintMaterial(const Quoria::Material& material)
{
    std::printf("material %a %a %s\n", material.GetLongitudinalSpeed(), material.GetShearSpeed(),
                material.GetName().c_str());
}

void PrintAngle(const std::optional<double>& angle)
{
    if (angle)
    {
        std::printf("angle %a\n", *angle);
    }
    else
    {
        std::printf("angle none\n");
    }
}

std::string RestOfLine(std::istringstream& line)
{
    std::string rest;
    std::getline(line >> std::ws, rest);
    return rest;
}

std::vector<Quoria::BehaviorAtInterface> ReadBehaviors(std::istringstream& line)
{
    std::string letters;
    line >> letters;
    std::vector<Quoria::BehaviorAtInterface> behaviors;
    for (char letter : letters)
    {
        if (letter != '_')
            behaviors.push_back(letter == 'R'   ? Quoria::Reflect
                                : letter == 'T' ? Quoria::Transmit
                                                : Quoria::Stop);
    }
    return behaviors;
}

} // namespace

int main()
{
    std::vector<std::unique_ptr<const Solid>> solids;
    std::unique_ptr<Quoria::IRayTracer> tracer;
    std::vector<Quoria::Material> materials;
    std::unique_ptr<Quoria::AcousticTracer> sound;
    std::string text;
    while (std::getline(std::cin, text))
    {
        std::istringstream line(text);
        Arguments arguments(line);
        std::string command;
        line >> command;
        try
        {
            if (command == "solid")
            {
                std::string factory;
                line >> factory;
                solids.emplace_back(Create(factory, arguments));
                std::printf("solid %zu\n", solids.back()->GetSurfaces().size());
            }
            else if (command == "tracer")
            {
                std::vector<const Solid*> configuration;
                std::size_t index;
                while (line >> index)
                {
                    configuration.push_back(solids.at(index).get());
                }
                tracer.reset(Quoria::CreateRayTracer(configuration));
                std::printf("tracer\n");
            }
            else if (command == "snap")
            {
                std::size_t index;
                line >> index;
                const Quoria::SnappedPoint snapped =
                    Quoria::SnapToFace(*solids.at(index), arguments.ReadPoint());
                std::printf("snap %zu", snapped.face);
                PrintPoint(snapped.point);
                std::printf(" %a\n", snapped.distance);
            }
            else if (command == "trace")
            {
                std::string stop;
                line >> stop;
                const double amount = arguments.Number();
                const Point entry = arguments.ReadPoint();
                const double refraction = arguments.Number();
                const Quoria::BeamAngles angles{arguments.Number(), refraction};
                const std::vector<Quoria::BehaviorAtInterface> behaviors = ReadBehaviors(line);
                std::vector<std::function<double(double)>> laws;
                std::string law;
                while (line >> law)
                {
                    if (law == "-")
                    {
                        laws.emplace_back();
                        continue;
                    }
                    const double factor = std::strtod(law.c_str(), nullptr);
                    laws.emplace_back([factor](double angle) { return angle * factor; });
                }
                const Quoria::TraceReport report =
                    stop == "legs"
                        ? Quoria::CalculateTrace(tracer.get(), entry, angles,
                                                 static_cast<unsigned int>(amount), behaviors, laws)
                        : Quoria::CalculateTrace(tracer.get(), entry, angles, amount, behaviors, laws);
                std::printf("report %s %zu\n", Quoria::TraceEndingName(report.ending), report.legs.size());
                for (const Quoria::TraceLeg& leg : report.legs)
                {
                    PrintLegStart(leg);
                    std::printf("\n");
                }
            }
            else if (command == "material")
            {
                const double longitudinal = arguments.Number();
                const double shear = arguments.Number();
                materials.emplace_back(RestOfLine(line), longitudinal, shear);
                std::printf("material\n");
            }
            else if (command == "find")
            {
                PrintMaterial(Quoria::FindMaterial(RestOfLine(line)));
            }
            else if (command == "table")
            {
                std::printf("table %zu\n", Quoria::BuiltInMaterials().size());
                for (const Quoria::Material& material : Quoria::BuiltInMaterials())
                {
                    PrintMaterial(material);
                }
            }
            else if (command == "refracted" || command == "incidence")
            {
                const double angle = arguments.Number();
                const double first = arguments.Number();
                const double second = arguments.Number();
                PrintAngle(command == "refracted" ? Quoria::RefractedAngle(angle, first, second)
                                                  : Quoria::IncidenceForRefractedAngle(angle, first, second));
            }
            else if (command == "critical")
            {
                const double first = arguments.Number();
                PrintAngle(Quoria::CriticalAngle(first, arguments.Number()));
            }
            else if (command == "sound")
            {
                std::size_t count;
                line >> count;
                std::vector<const Solid*> configuration;
                std::vector<Quoria::Material> media;
                for (std::size_t i = 0; i < 2 * count; ++i)
                {
                    std::size_t index;
                    line >> index;
                    if (i < count)
                        configuration.push_back(solids.at(index).get());
                    else
                        media.push_back(materials.at(index));
                }
                sound = std::make_unique<Quoria::AcousticTracer>(configuration, media);
                std::printf("sound\n");
            }
            else if (command == "hear")
            {
                std::string stopKind;
                line >> stopKind;
                const double amount = arguments.Number();
                const Quoria::TraceStop stop =
                    stopKind == "legs"     ? Quoria::TraceStop::Legs(static_cast<unsigned int>(amount))
                    : stopKind == "length" ? Quoria::TraceStop::Length(amount)
                                           : Quoria::TraceStop::Time(amount);
                const Point entry = arguments.ReadPoint();
                const double refraction = arguments.Number();
                const Quoria::BeamAngles angles{arguments.Number(), refraction};
                const std::vector<Quoria::BehaviorAtInterface> behaviors = ReadBehaviors(line);
                std::string letters;
                line >> letters;
                std::vector<Quoria::WaveMode> modes;
                for (char letter : letters)
                {
                    if (letter != '_')
                        modes.push_back(letter == 'L' ? Quoria::WaveMode::L : Quoria::WaveMode::T);
                }
                const Quoria::AcousticReport report = sound->Trace(entry, angles, stop, behaviors, modes);
                std::printf("acoustic %s %zu %a", Quoria::TraceEndingName(report.ending), report.legs.size(),
                            report.time);
                if (!report.message.empty())
                {
                    std::printf(" %s", report.message.c_str());
                }
                std::printf("\n");
                for (const Quoria::AcousticLeg& leg : report.legs)
                {
                    PrintLegStart(leg);
                    std::printf(" %c %a %a\n", leg.mode == Quoria::WaveMode::L ? 'L' : 'T', leg.speed,
                                leg.time);
                }
            }
            else
            {
                throw std::runtime_error("unknown command " + command);
            }
        }
        catch (const std::invalid_argument& error)
        {
            std::printf("error %s\n", error.what());
        }
        std::fflush(stdout);
    }
    return 0;
}
