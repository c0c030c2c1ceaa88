// Builds specimens and traces beams through the C++ interface alone, for the
// Python tests to compare with bit for bit. Reads one command per line:
//
//   solid <C++ factory name> <numbers in the header's parameter order>
//         (a point is three numbers, the slopes twelve: height width offset each)
//   tracer <solid indices...>
//   trace legs|length <amount> <x y z> <refraction> <skew> <behaviours: letters R T S, or _> [laws...]
//         (a law is - for none or a factor k: the angle times k)
//   snap <solid index> <x y z>
//
// and answers each, numbers in hexadecimal floating point:
//
//   solid <face count> | tracer | snap <face> <x y z> <distance>
//   report <ending> <leg count>, then per leg: leg <solid> <face> <behaviour> <x y z> <x y z>
//   error <message>             for a std::invalid_argument

#include "Quoria.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
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

} // namespace

int main()
{
    std::vector<std::unique_ptr<const Solid>> solids;
    std::unique_ptr<Quoria::IRayTracer> tracer;
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
                    std::printf("leg %zu %lld %d", leg.solid,
                                leg.face == Quoria::NoFace ? -1LL : static_cast<long long>(leg.face),
                                static_cast<int>(leg.behavior));
                    PrintPoint(leg.segment.GetFirstPoint());
                    PrintPoint(leg.segment.GetSecondPoint());
                    std::printf("\n");
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
