// Beams with arbitrary angles, behaviours, laws and stop conditions, entering
// single solids from every factory and multi-solid configurations (a wedge on
// a plate, on a pipe, on a counterbored pipe, or any two solids) at points
// sampled on their faces and edges, or anywhere at all.
//
// Laws may answer anything, NaN and infinities included: a direction turned
// by such an angle meets no face and the trace ends there.
//
// The beams drawn are then traced again as one batch, on a random number of
// threads, with the first beam's behaviours, laws and stop: every beam must
// come out of the batch exactly as out of the single call, legs, ending and
// failure alike.
//
// The lengths it draws are kept away from sizes below the tolerances (see
// FuzzInput::TameLengths): a bar of radius 1e-12 contains its axis, its normal
// there is null and a beam entering there has no direction. The factory
// harness still builds them. The radii the library derives are another
// matter: a counterbored pipe's bore near its ends is the inner radius minus
// the inner slopes' height, and its wall beyond the outer slopes the outer
// radius plus theirs, so the harness builds such pipes on purpose with those
// radii at and around the tolerances.
//
// The same configuration then carries sound: an AcousticTracer over it, each
// solid of a built-in material or of speeds drawn like any double, beams of
// random wave modes (now and then a value that is no mode) and random leg,
// length or time stops. Those beams come after the plain ones, so that the
// corpus replays the plain beams as it always did.

#include "AcousticTracer.h"
#include "BatchTrace.h"
#include "FactoryCalls.h"
#include "FuzzInput.h"
#include "IContour.h"
#include "IRayTracer.h"
#include "ISegment.h"
#include "ISolid.h"
#include "ISurface.h"
#include "Intersection.h"
#include "Line.h"
#include "SameBits.h"
#include "SlopeConfiguration.h"
#include "Snell.h"
#include "TraceReport.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

using namespace Tessam::Geometry3D;
using QuoriaTesting::SameBits;
using QuoriaFuzz::FuzzInput;

namespace
{

// Thrown by the harness's own behaviours and laws: it must come back to the
// caller unchanged, with nothing leaked on the way.
struct CallerError
{
};

using SolidList = std::vector<std::unique_ptr<const Solid>>;

const double Scale = 20.0;

SolidList WedgeOnPlate(FuzzInput& input)
{
    const double thickness = input.Length(Scale);
    SolidList solids;
    solids.emplace_back(Quoria::CreateAxisAlignedPlate(Point(0, 0, thickness / 2.0), input.Length(4 * Scale),
                                                       input.Length(4 * Scale), thickness));
    const Point origin(input.Grid(Scale), input.Grid(Scale), 0.0);
    const double length = input.Length(Scale);
    const double width = input.Length(Scale);
    const double height = input.Length(Scale);
    const double wedgeAngle = input.AngleValue();
    solids.emplace_back(Quoria::CreateWedgeOnAxisAlignedPlate(origin, length, width, height, wedgeAngle, 0.0,
                                                              input.AngleValue() * 4.0));
    return solids;
}

// A wedge on a cylinder closes up when the cylinder's top generatrix runs
// through the probe origin: centroid at height R below it, on the axis line.
SolidList WedgeOnPipe(FuzzInput& input)
{
    const bool xOriented = input.Flag();
    const int kind = input.Choose(3);
    const double outer = input.Length(Scale);
    const double inner = outer * (0.1 + 0.8 * input.Fraction());
    const double length = input.Length(4 * Scale);
    const double along = input.Grid(Scale);
    const Point centroid = xOriented ? Point(0.0, 0.0, outer) : Point(0.0, along, outer);
    SolidList solids;
    if (kind == 0)
    {
        solids.emplace_back(xOriented ? Quoria::CreateXOrientedPipe(centroid, inner, outer, length)
                                      : Quoria::CreateYOrientedPipe(centroid, inner, outer, length));
    }
    else if (kind == 1)
    {
        solids.emplace_back(xOriented ? Quoria::CreateXOrientedBar(centroid, outer, length)
                                      : Quoria::CreateYOrientedBar(centroid, outer, length));
    }
    else
    {
        const auto slopes = QuoriaFuzz::MakeSlopes(input, outer / 4.0);
        solids.emplace_back(
            xOriented ? Quoria::CreateXOrientedCounterboredPipe(centroid, inner, outer, length, slopes)
                      : Quoria::CreateYOrientedCounterboredPipe(centroid, inner, outer, length, slopes));
    }
    const Point origin = xOriented ? Point(along, 0.0, 0.0) : Point(0.0, along, 0.0);
    const double wedgeLength = input.Length(Scale);
    const double wedgeWidth = input.Length(Scale);
    const double height = input.Length(Scale);
    const double wedgeAngle = input.AngleValue();
    solids.emplace_back(xOriented ? Quoria::CreateWedgeOnXOrientedCylinder(origin, wedgeLength, wedgeWidth,
                                                                           height, wedgeAngle, 0.0, centroid)
                                  : Quoria::CreateWedgeOnYOrientedCylinder(
                                        origin, wedgeLength, wedgeWidth, height, wedgeAngle, 0.0, centroid));
    return solids;
}

// A counterbored pipe whose derived radii sit at the tolerances: the bore
// near the ends only just open (inner radius - slope height from 1e-13 to
// 1e-6), or outer slopes so low that their cones all but lie on the wall.
SolidList DerivedRadiusPipe(FuzzInput& input)
{
    static const double slivers[] = {1e-13, 1e-12, 4e-12, 1e-11, 2e-11, 1e-9, 1e-6};
    const double innerHeight = input.Length(Scale / 4.0);
    const double inner = innerHeight + slivers[input.Choose(7)];
    const double outer = inner + input.Length(Scale);
    const double outerHeight = input.Flag() ? slivers[input.Choose(7)] : input.Length(Scale / 4.0);
    const double length = input.Length(4 * Scale);
    const auto slope = [&](double height)
    {
        const double width = input.Flag() ? height : input.Length(Scale / 4.0);
        return Quoria::SlopeConfiguration(height, width, input.Length(Scale / 4.0));
    };
    const Quoria::SlopeConfiguration innerSlope = slope(innerHeight);
    const Quoria::SlopeConfiguration outerSlope = slope(outerHeight);
    const std::array<const Quoria::SlopeConfiguration, 4> slopes{innerSlope, outerSlope, outerSlope,
                                                                 innerSlope};
    const Point centre = input.GridPoint(Scale);
    SolidList solids;
    solids.emplace_back(input.Flag()
                            ? Quoria::CreateXOrientedCounterboredPipe(centre, inner, outer, length, slopes)
                            : Quoria::CreateYOrientedCounterboredPipe(centre, inner, outer, length, slopes));
    return solids;
}

SolidList MakeConfiguration(FuzzInput& input)
{
    SolidList solids;
    switch (input.Choose(6))
    {
    case 0:
    case 1:
        solids.emplace_back(QuoriaFuzz::CallFactory(input, input.Choose(QuoriaFuzz::FactoryCount), Scale));
        break;
    case 2:
        solids = WedgeOnPlate(input);
        break;
    case 3:
        solids = WedgeOnPipe(input);
        break;
    case 4:
        solids = DerivedRadiusPipe(input);
        break;
    default:
        solids.emplace_back(QuoriaFuzz::CallFactory(input, input.Choose(QuoriaFuzz::FactoryCount), Scale));
        solids.emplace_back(QuoriaFuzz::CallFactory(input, input.Choose(QuoriaFuzz::FactoryCount), Scale));
        break;
    }
    if (input.Flag() && solids.size() == 2)
    {
        std::swap(solids[0], solids[1]);
    }
    return solids;
}

// A point of one face: where a random line meets it, on its edges, or, failing
// those, anywhere.
Point EntryPoint(FuzzInput& input, const std::vector<const ISolid*>& solids)
{
    const ISolid& solid = *solids[input.Choose(static_cast<int>(solids.size()))];
    const std::vector<const ISurface*>& surfaces = solid.GetSurfaces();
    const ISurface& surface = *surfaces[input.Choose(static_cast<int>(surfaces.size()))];
    switch (input.Choose(4))
    {
    case 0:
    case 1:
    {
        const Point origin(input.Grid(2 * Scale), input.Grid(2 * Scale), input.Grid(2 * Scale));
        const Vector direction = input.Direction();
        if (direction.Length() == 0.0 || !std::isfinite(direction.Length()))
        {
            break;
        }
        const Intersection intersection = surface.GetIntersection(Line(origin, direction));
        const std::vector<Point>& points = intersection.GetPoints();
        if (!points.empty())
        {
            return points[input.Choose(static_cast<int>(points.size()))];
        }
        break;
    }
    case 2:
    {
        const std::unique_ptr<const IContour> contour(surface.GetContour());
        const std::vector<const ISegment*> segments = contour->GetSegments();
        if (segments.empty())
        {
            break;
        }
        const ISegment& segment = *segments[input.Choose(static_cast<int>(segments.size()))];
        switch (input.Choose(3))
        {
        case 0:
            return segment.GetFirstPoint();
        case 1:
            return segment.GetSecondPoint();
        default:
            return segment.GetMiddlePoint();
        }
    }
    default:
        break;
    }
    return input.Choose(4) == 0 ? input.AnyPoint() : input.GridPoint(2 * Scale);
}

Quoria::BehaviorAtInterface Behavior(FuzzInput& input)
{
    if (input.Choose(8) == 0)
    {
        return static_cast<Quoria::BehaviorAtInterface>(static_cast<std::int32_t>(input.Word()));
    }
    return static_cast<Quoria::BehaviorAtInterface>(input.Choose(3));
}

std::function<double(double)> Law(FuzzInput& input, bool& mayThrow)
{
    const double constant = input.Flag() ? input.Grid(8.0) : input.AngleValue() * 2.0;
    switch (input.Choose(7))
    {
    case 0:
        return {};
    case 1:
        return [](double angle) { return angle; };
    case 2:
        return [constant](double) { return constant; };
    case 3:
        return [](double angle) { return QuoriaFuzz::Pi - angle; };
    case 4:
    {
        // A refraction law; past the critical angle it keeps the angle.
        const double ratio = 0.25 + input.Fraction() * 2.0;
        return [ratio](double angle)
        {
            const double sine = ratio * std::sin(angle);
            return std::fabs(sine) <= 1.0 ? std::asin(sine) : angle;
        };
    }
    case 5:
        mayThrow = true;
        return [](double) -> double { throw CallerError(); };
    default:
        return [constant](double angle) { return angle + constant; };
    }
}

void CheckLegs(const std::vector<LineSegment>& legs, bool byCount, unsigned int legCount)
{
    if (QuoriaFuzz::Verbose())
    {
        std::fprintf(stderr, "traced: %zu legs\n", legs.size());
    }
    if (legs.size() > Quoria::MaximumLegCount || (byCount && legs.size() > legCount))
    {
        std::fprintf(stderr, "%zu legs returned\n", legs.size());
        std::abort();
    }
    for (std::size_t i = 1; i < legs.size(); ++i)
    {
        if (legs[i].GetFirstPoint() != legs[i - 1].GetSecondPoint())
        {
            std::fprintf(stderr, "leg %zu does not start where leg %zu ends\n", i + 1, i);
            std::abort();
        }
    }
}

// A known limit rather than a fault: a cylinder thinner than the tolerance
// contains the points of its own axis (a bar of radius 1e-12, a counterbored
// bore whose inner radius minus slope height is that small), where its normal
// is null; a beam entering there has no direction, and the line that would
// carry it refuses the null vector.
bool EntersWhereNoNormal(const std::vector<const ISolid*>& configuration, const Point& entry)
{
    for (const ISolid* solid : configuration)
    {
        for (const ISurface* surface : solid->GetSurfaces())
        {
            if (surface->Contains(entry))
            {
                return !(std::fabs(surface->GetNormal(entry).Length() - 1.0) < 1e-9);
            }
        }
    }
    return false;
}

// Over solids that exist, a trace rejects only its own arguments, in its
// owner's words, or a beam that enters where the face has no normal.
void RequireTraceRefusal(const std::invalid_argument& error, const char* owner,
                         const std::vector<const ISolid*>& configuration, const Point& entry)
{
    QuoriaFuzz::RequireDocumented(error);
    if (std::strncmp(error.what(), owner, std::strlen(owner)) == 0 ||
        (std::strcmp(error.what(), "Line::ValidateDirection : Direction is a null vector.") == 0 &&
         EntersWhereNoNormal(configuration, entry)))
    {
        return;
    }
    std::fprintf(stderr, "trace failed inside the geometry: %s\n", error.what());
    std::abort();
}

Quoria::Material MakeMaterial(FuzzInput& input)
{
    const std::vector<Quoria::Material>& table = Quoria::BuiltInMaterials();
    if (input.Choose(4) != 0)
    {
        return table[static_cast<std::size_t>(input.Choose(static_cast<int>(table.size())))];
    }
    const double longitudinal = input.Flag() ? input.AnyDouble() : input.Length(8000.0);
    const double shear = input.Choose(4) == 0 ? input.AnyDouble() : longitudinal * input.Fraction();
    return Quoria::Material("drawn", longitudinal, shear);
}

Quoria::TraceStop SoundStop(FuzzInput& input)
{
    switch (input.Choose(3))
    {
    case 0:
        return Quoria::TraceStop::Legs(input.Flag() ? static_cast<unsigned int>(input.Choose(12))
                                                    : input.Word());
    case 1:
        return Quoria::TraceStop::Length(input.Choose(4) == 0 ? input.AnyDouble() : input.Length(10 * Scale));
    default:
        return Quoria::TraceStop::Time(input.Choose(4) == 0 ? input.AnyDouble() : input.Length(100.0));
    }
}

[[noreturn]] void Fail(const char* what, std::size_t leg)
{
    std::fprintf(stderr, "sound: %s (leg %zu)\n", what, leg);
    std::abort();
}

// What every report of sound must be, whatever the physics did: chained legs
// within the limits, each with the speed of its mode in its solid and the
// mode the caller asked for, the total time their sum, and a message for an
// Error alone, naming a liquid.
void CheckSound(const Quoria::AcousticTracer& tracer, const Quoria::AcousticReport& report,
                const Quoria::TraceStop& stop, const std::vector<Quoria::WaveMode>& modes)
{
    const std::vector<Quoria::AcousticLeg>& legs = report.legs;
    if (QuoriaFuzz::Verbose())
    {
        std::fprintf(stderr, "sound: %zu legs, %s, %.17g us\n", legs.size(),
                     Quoria::TraceEndingName(report.ending), report.time);
    }
    if (legs.size() > Quoria::MaximumLegCount ||
        (stop.GetKind() == Quoria::TraceStop::Kind::Legs && legs.size() > stop.GetLegCount()))
    {
        Fail("too many legs", legs.size());
    }
    const std::vector<Quoria::Material>& materials = tracer.GetMaterials();
    Quoria::WaveMode mode = modes.empty() ? Quoria::WaveMode::L : modes[0];
    double time = 0.0;
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        const Quoria::AcousticLeg& leg = legs[i];
        mode = i < modes.size() ? modes[i] : mode;
        if (i > 0 && leg.segment.GetFirstPoint() != legs[i - 1].segment.GetSecondPoint())
        {
            Fail("legs not chained", i + 1);
        }
        if (leg.solid >= materials.size() || leg.mode != mode)
        {
            Fail("leg in no solid or of a mode not asked for", i + 1);
        }
        if (!(leg.speed > 0.0) || leg.speed != materials[leg.solid].GetSpeed(mode))
        {
            Fail("speed is not the material's for the mode", i + 1);
        }
        if (!(leg.time >= 0.0))
        {
            Fail("negative or NaN time", i + 1);
        }
        time += leg.time;
    }
    if (!(report.time == time))
    {
        Fail("total time is not the sum of the legs'", legs.size());
    }
    const bool error = report.ending == Quoria::TraceEnding::Error;
    if (error != !report.message.empty())
    {
        Fail("message without an Error, or an Error without a message", legs.size());
    }
    if (error)
    {
        bool namesLiquid = false;
        for (const Quoria::Material& material : materials)
        {
            namesLiquid =
                namesLiquid || (!material.CarriesShearWaves() &&
                                report.message.find('"' + material.GetName() + '"') != std::string::npos);
        }
        if (!namesLiquid || report.message.rfind("AcousticTracer::Trace : Leg ", 0) != 0)
        {
            std::fprintf(stderr, "%s\n", report.message.c_str());
            Fail("the Error names no liquid", legs.size());
        }
    }
}

// Snell's law answered by the free functions keeps sin / speed, with the
// sign of the angle given, and read backwards gives the angle back.
void CheckSnell(FuzzInput& input)
{
    const double angle = input.AngleValue();
    const double first = input.Flag() ? input.AnyDouble() : input.Length(8000.0);
    const double second = input.Flag() ? input.AnyDouble() : input.Length(8000.0);
    try
    {
        const std::optional<double> refracted = Quoria::RefractedAngle(angle, first, second);
        const std::optional<double> critical = Quoria::CriticalAngle(first, second);
        if ((second > first) != critical.has_value())
        {
            Fail("a critical angle where the second medium is not faster, or none where it is", 0);
        }
        // Far from 1 the sines fall among the subnormals, which keep too few
        // digits to compare.
        const auto moderate = [](double value) { return value == 0.0 || std::fabs(value) > 1e-150; };
        const bool comparable =
            moderate(angle) && first > 1e-150 && first < 1e150 && second > 1e-150 && second < 1e150;
        if (refracted && comparable)
        {
            const double before = std::sin(angle) / first;
            const double after = std::sin(*refracted) / second;
            if (std::fabs(before - after) > 1e-12 * std::fabs(before) + 1e-300 || before * after < 0.0)
            {
                std::fprintf(stderr, "%.17g from %.17g to %.17g: %.17g\n", angle, first, second, *refracted);
                Fail("refracted angle breaks Snell's law", 0);
            }
            // At grazing incidence the way back may round past a sine of 1.
            const std::optional<double> back = Quoria::IncidenceForRefractedAngle(*refracted, first, second);
            const bool grazing = std::fabs(std::sin(angle)) > 1.0 - 1e-12;
            if ((!back && !grazing) || (back && std::fabs(std::sin(*back) - std::sin(angle)) > 1e-9))
            {
                std::fprintf(stderr, "%.17g from %.17g to %.17g: %.17g, back %.17g\n", angle, first, second,
                             *refracted, back ? *back : -99.0);
                Fail("the incidence for the refracted angle is not the incidence", 0);
            }
        }
    }
    catch (const std::invalid_argument& error)
    {
        QuoriaFuzz::RequireDocumented(error);
    }
}

void TraceSound(FuzzInput& input, const std::vector<const ISolid*>& configuration, bool& mayThrow)
{
    std::vector<const Solid*> solids;
    for (const ISolid* solid : configuration)
    {
        solids.push_back(dynamic_cast<const Solid*>(solid));
    }
    std::vector<Quoria::Material> materials;
    const std::size_t materialCount = solids.size() + (input.Choose(16) == 0 ? 1 : 0);
    for (std::size_t i = 0; i < materialCount; ++i)
    {
        materials.push_back(MakeMaterial(input));
    }
    Quoria::AcousticTracer tracer(solids, materials);
    for (int beam = 0; beam < 3 && (beam == 0 || !input.Empty()); ++beam)
    {
        Point entry;
        try
        {
            entry = EntryPoint(input, configuration);
        }
        catch (const std::invalid_argument& error)
        {
            QuoriaFuzz::RequireDocumented(error);
            entry = input.GridPoint(2 * Scale);
        }
        Quoria::BeamAngles angles;
        angles.skewAngle = input.Flag() ? input.AnyDouble() : input.AngleValue() * 2.0;
        angles.refractionAngle = input.AngleValue();
        std::vector<Quoria::WaveMode> modes(static_cast<std::size_t>(input.Choose(6)));
        for (Quoria::WaveMode& mode : modes)
        {
            mode = input.Choose(16) == 0
                       ? static_cast<Quoria::WaveMode>(static_cast<std::int32_t>(input.Word()))
                       : static_cast<Quoria::WaveMode>(input.Choose(2));
        }
        const Quoria::TraceStop stop = SoundStop(input);
        const int behaviorCount = input.Choose(7);
        Quoria::AcousticReport report;
        try
        {
            if (input.Flag())
            {
                std::vector<Quoria::BehaviorAtInterface> behaviors;
                for (int i = 0; i < behaviorCount; ++i)
                {
                    behaviors.push_back(Behavior(input));
                }
                report = tracer.Trace(entry, angles, stop, behaviors, modes);
            }
            else
            {
                std::vector<std::function<Quoria::BehaviorAtInterface(const ISurface*)>> behaviors;
                for (int i = 0; i < behaviorCount; ++i)
                {
                    const Quoria::BehaviorAtInterface answer = Behavior(input);
                    const bool throws = input.Choose(8) == 0;
                    mayThrow = mayThrow || throws;
                    behaviors.push_back(
                        [answer, throws](const ISurface* surface)
                        {
                            if (throws || surface == nullptr)
                            {
                                throw CallerError();
                            }
                            return answer;
                        });
                }
                report = tracer.Trace(entry, angles, stop, behaviors, modes);
            }
        }
        catch (const std::invalid_argument& error)
        {
            // The first beam refused ends the sound, as it always did.
            RequireTraceRefusal(error, "AcousticTracer::", configuration, entry);
            return;
        }
        CheckSound(tracer, report, stop, modes);
    }
}

using BehaviorFunction = std::function<Quoria::BehaviorAtInterface(const ISurface*)>;
using LawFunction = std::function<double(double)>;

// A beam as drawn: where and how it enters, and the rules of its trace.
struct DrawnBeam
{
    Point entry;
    Quoria::BeamAngles angles;
    std::vector<LawFunction> laws;
    bool asList = true;
    std::vector<Quoria::BehaviorAtInterface> behaviors;
    std::vector<BehaviorFunction> behaviorFunctions;
    bool byCount = true;
    unsigned int legCount = 0;
    double rayLength = 0.0;

    Quoria::TraceStop Stop() const
    {
        return byCount ? Quoria::TraceStop::Legs(legCount) : Quoria::TraceStop::Length(rayLength);
    }
};

// A behaviour or law of the harness threw; the tracer must never make one
// throw by handing a behaviour a null surface.
void RequireMayThrow(bool mayThrow)
{
    if (!mayThrow)
    {
        std::fprintf(stderr, "the tracer handed a null surface to a behaviour\n");
        std::abort();
    }
}

// What the single calls give for one beam: the legs and the report, or why
// they refused it, in the words the batch must use.
struct SingleAnswer
{
    std::vector<LineSegment> legs;
    Quoria::TraceReport report;
    std::string message;
};

SingleAnswer TraceAlone(Quoria::IRayTracer& tracer, const Point& entry, const Quoria::BeamAngles& angles,
                        const DrawnBeam& rules, bool mayThrow)
{
    SingleAnswer answer;
    try
    {
        if (rules.asList)
        {
            answer.legs = rules.byCount ? tracer.CalculateLegsFromEntryPoint(entry, angles, rules.legCount,
                                                                             rules.behaviors, rules.laws)
                                        : tracer.CalculateLegsFromEntryPoint(entry, angles, rules.rayLength,
                                                                             rules.behaviors, rules.laws);
            answer.report = rules.byCount ? Quoria::CalculateTrace(&tracer, entry, angles, rules.legCount,
                                                                   rules.behaviors, rules.laws)
                                          : Quoria::CalculateTrace(&tracer, entry, angles, rules.rayLength,
                                                                   rules.behaviors, rules.laws);
        }
        else
        {
            answer.legs = rules.byCount
                              ? tracer.CalculateLegsFromEntryPoint(entry, angles, rules.legCount,
                                                                   rules.behaviorFunctions, rules.laws)
                              : tracer.CalculateLegsFromEntryPoint(entry, angles, rules.rayLength,
                                                                   rules.behaviorFunctions, rules.laws);
            answer.report = rules.byCount ? Quoria::CalculateTrace(&tracer, entry, angles, rules.legCount,
                                                                   rules.behaviorFunctions, rules.laws)
                                          : Quoria::CalculateTrace(&tracer, entry, angles, rules.rayLength,
                                                                   rules.behaviorFunctions, rules.laws);
        }
    }
    catch (const std::invalid_argument& error)
    {
        QuoriaFuzz::RequireDocumented(error);
        answer.message = error.what();
        answer.report.ending = Quoria::TraceEnding::Error;
    }
    catch (const CallerError&)
    {
        RequireMayThrow(mayThrow);
        answer.message = "TraceBatch : A behaviour function or a law threw an exception that is not a "
                         "std::exception.";
        answer.report.ending = Quoria::TraceEnding::Error;
    }
    return answer;
}

// The beam through the single call, with its own rules; false if the call
// refused it or a behaviour or law threw.
bool TraceSingle(Quoria::IRayTracer& tracer, const DrawnBeam& beam, bool mayThrow)
{
    try
    {
        const std::vector<LineSegment> legs =
            beam.asList
                ? (beam.byCount ? tracer.CalculateLegsFromEntryPoint(beam.entry, beam.angles, beam.legCount,
                                                                     beam.behaviors, beam.laws)
                                : tracer.CalculateLegsFromEntryPoint(beam.entry, beam.angles, beam.rayLength,
                                                                     beam.behaviors, beam.laws))
                : (beam.byCount ? tracer.CalculateLegsFromEntryPoint(beam.entry, beam.angles, beam.legCount,
                                                                     beam.behaviorFunctions, beam.laws)
                                : tracer.CalculateLegsFromEntryPoint(beam.entry, beam.angles, beam.rayLength,
                                                                     beam.behaviorFunctions, beam.laws));
        CheckLegs(legs, beam.byCount, beam.legCount);
        return true;
    }
    catch (const std::invalid_argument& error)
    {
        RequireTraceRefusal(error, "RayTracer::", tracer.GetConfiguration(), beam.entry);
    }
    catch (const CallerError&)
    {
        RequireMayThrow(mayThrow);
    }
    return false;
}

[[noreturn]] void BatchDiffers(std::size_t beam, const char* what)
{
    std::fprintf(stderr, "batch beam %zu differs from the single call: %s\n", beam, what);
    std::abort();
}

// The drawn beams as one batch with the first beam's rules, on `threads`
// threads, through the tracer or through the caller's solids.
void CheckBatch(Quoria::IRayTracer& tracer, const std::vector<const Solid*>& solids,
                const std::vector<DrawnBeam>& drawn, unsigned int threads, bool mayThrow)
{
    const DrawnBeam& rules = drawn.front();
    std::vector<Quoria::BatchBeam> beams;
    for (const DrawnBeam& beam : drawn)
    {
        beams.push_back({beam.entry, beam.angles});
    }
    Quoria::BatchOptions options;
    options.threadCount = threads;
    Quoria::BatchResult batch;
    try
    {
        if (solids.empty())
        {
            batch = rules.asList ? Quoria::TraceBatch(&tracer, beams, rules.Stop(), rules.behaviors,
                                                      rules.laws, options)
                                 : Quoria::TraceBatch(&tracer, beams, rules.Stop(), rules.behaviorFunctions,
                                                      rules.laws, options);
        }
        else
        {
            batch = rules.asList ? Quoria::TraceBatch(solids, beams, rules.Stop(), rules.behaviors,
                                                      rules.laws, options)
                                 : Quoria::TraceBatch(solids, beams, rules.Stop(), rules.behaviorFunctions,
                                                      rules.laws, options);
        }
    }
    catch (const std::invalid_argument& error)
    {
        // The one argument of a batch that a beam's stop can spoil.
        if (rules.byCount || !(rules.rayLength < 0.0) ||
            std::strcmp(error.what(), "TraceBatch : Requested total ray length must be larger than 0.") != 0)
        {
            std::fprintf(stderr, "batch refused: %s\n", error.what());
            std::abort();
        }
        return;
    }
    if (batch.BeamCount() != beams.size() || batch.legOffsets.size() != beams.size() + 1 ||
        batch.messages.size() != beams.size() || batch.legOffsets.front() != 0 ||
        static_cast<std::size_t>(batch.legOffsets.back()) != batch.LegCount() ||
        batch.starts.size() != 3 * batch.LegCount() || batch.ends.size() != 3 * batch.LegCount() ||
        batch.solids.size() != batch.LegCount() || batch.faces.size() != batch.LegCount() ||
        batch.behaviors.size() != batch.LegCount())
    {
        std::fprintf(stderr, "batch arrays of the wrong sizes\n");
        std::abort();
    }
    for (std::size_t b = 0; b < beams.size(); ++b)
    {
        const SingleAnswer alone = TraceAlone(tracer, beams[b].entryPoint, beams[b].angles, rules, mayThrow);
        if (batch.endings[b] != alone.report.ending)
        {
            BatchDiffers(b, "ending");
        }
        if (batch.messages[b] != alone.message)
        {
            std::fprintf(stderr, "\"%s\" instead of \"%s\"\n", batch.messages[b].c_str(),
                         alone.message.c_str());
            BatchDiffers(b, "message");
        }
        const auto first = static_cast<std::size_t>(batch.legOffsets[b]);
        if (static_cast<std::size_t>(batch.legOffsets[b + 1]) - first != alone.legs.size())
        {
            BatchDiffers(b, "leg count");
        }
        for (std::size_t i = 0; i < alone.legs.size(); ++i)
        {
            const std::size_t leg = first + i;
            const Quoria::TraceLeg& reported = alone.report.legs[i];
            if (!SameBits(&batch.starts[3 * leg], alone.legs[i].GetFirstPoint()) ||
                !SameBits(&batch.ends[3 * leg], alone.legs[i].GetSecondPoint()) ||
                !SameBits(batch.lengths[leg], alone.legs[i].Length()))
            {
                BatchDiffers(b, "leg");
            }
            if (static_cast<std::size_t>(batch.solids[leg]) != reported.solid ||
                static_cast<std::size_t>(batch.faces[leg]) != reported.face ||
                batch.behaviors[leg] != reported.behavior)
            {
                BatchDiffers(b, "solid, face or behaviour");
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    input.TameLengths();
    SolidList solids;
    try
    {
        solids = MakeConfiguration(input);
    }
    catch (const std::invalid_argument& error)
    {
        QuoriaFuzz::RequireDocumented(error);
        return 0;
    }

    bool mayThrow = false;
    bool sound = false;
    try
    {
        std::vector<const Solid*> configuration;
        for (const auto& solid : solids)
        {
            configuration.push_back(solid.get());
        }
        const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(configuration));
        if (tracer->GetConfiguration().size() != configuration.size())
        {
            std::abort();
        }
        // The tracer works on its copies: the caller's solids may go now.
        if (input.Flag())
        {
            solids.clear();
        }

        std::vector<DrawnBeam> drawn;
        for (int beam = 0; beam < 3 && !input.Empty(); ++beam)
        {
            DrawnBeam b;
            try
            {
                b.entry = EntryPoint(input, tracer->GetConfiguration());
            }
            catch (const std::invalid_argument& error)
            {
                // A contour that cannot be worked out; the trace does not need it.
                QuoriaFuzz::RequireDocumented(error);
                b.entry = input.GridPoint(2 * Scale);
            }
            b.angles.skewAngle = input.Flag() ? input.AnyDouble() : input.AngleValue() * 2.0;
            b.angles.refractionAngle = input.AngleValue();

            const int lawCount = input.Choose(5);
            for (int i = 0; i < lawCount; ++i)
            {
                b.laws.push_back(Law(input, mayThrow));
            }
            const int behaviorCount = input.Choose(7);
            b.byCount = input.Flag();
            b.legCount = input.Flag() ? static_cast<unsigned int>(input.Choose(12)) : input.Word();
            b.rayLength = input.Choose(4) == 0 ? input.AnyDouble() : input.Length(10 * Scale);

            if (QuoriaFuzz::Verbose())
            {
                std::fprintf(
                    stderr, "beam at (%.17g, %.17g, %.17g), skew %.17g, refraction %.17g, %s %u / %.17g\n",
                    b.entry.X(), b.entry.Y(), b.entry.Z(), b.angles.skewAngle, b.angles.refractionAngle,
                    b.byCount ? "legs" : "length", b.legCount, b.rayLength);
                for (const ISolid* solid : tracer->GetConfiguration())
                {
                    for (const ISurface* surface : solid->GetSurfaces())
                    {
                        if (surface->Contains(b.entry))
                        {
                            const Vector normal = surface->GetNormal(b.entry);
                            std::fprintf(stderr, "  on a %s, normal (%g, %g, %g)\n", typeid(*surface).name(),
                                         normal.X(), normal.Y(), normal.Z());
                        }
                    }
                }
            }
            b.asList = input.Flag();
            if (b.asList)
            {
                for (int i = 0; i < behaviorCount; ++i)
                {
                    b.behaviors.push_back(Behavior(input));
                }
            }
            else
            {
                for (int i = 0; i < behaviorCount; ++i)
                {
                    const Quoria::BehaviorAtInterface answer = Behavior(input);
                    const bool throws = input.Choose(8) == 0;
                    mayThrow = mayThrow || throws;
                    b.behaviorFunctions.push_back(
                        [answer, throws](const ISurface* surface)
                        {
                            if (throws || surface == nullptr)
                            {
                                throw CallerError();
                            }
                            return answer;
                        });
                }
            }
            drawn.push_back(b);
            // The first beam the tracer refuses ends the single calls.
            if (!TraceSingle(*tracer, b, mayThrow))
            {
                break;
            }
        }

        if (!drawn.empty())
        {
            const unsigned int threads = 1 + static_cast<unsigned int>(input.Choose(8));
            const bool throughSolids = !solids.empty() && input.Flag();
            CheckBatch(*tracer, throughSolids ? configuration : std::vector<const Solid*>(), drawn, threads,
                       mayThrow);
        }
        // Every input goes on to sound, even one used up by now: its zeros
        // still make a beam.
        CheckSnell(input);
        sound = true;
        TraceSound(input, tracer->GetConfiguration(), mayThrow);
    }
    catch (const std::invalid_argument& error)
    {
        // Over solids that exist, a trace rejects only its own arguments.
        QuoriaFuzz::RequireDocumented(error);
        const char* const owner = sound ? "AcousticTracer::" : "RayTracer::";
        if (std::strncmp(error.what(), owner, std::strlen(owner)) != 0 &&
            !(sound && std::strncmp(error.what(), "Material::", 10) == 0))
        {
            std::fprintf(stderr, "trace failed inside the geometry: %s\n", error.what());
            std::abort();
        }
    }
    catch (const CallerError&)
    {
        RequireMayThrow(mayThrow);
    }
    return 0;
}
