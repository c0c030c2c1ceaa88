#include "BeamTracer.h"

#include "ISurface.h"
#include "ScenarioError.h"
#include "SnellLaw.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <stdexcept>

using namespace Tessam::Geometry3D;

namespace QuoriaTrace
{

namespace
{

constexpr double Pi = 3.14159265358979323846;
constexpr double DegreesToRadians = Pi / 180.0;
constexpr std::size_t MaximumLegCount = 250;

// Thrown by the probe law through the library, which lets a law's exception
// reach its caller.
struct ProbeReached
{
};

std::string Degrees(double radians)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f\xC2\xB0", std::fabs(radians) / DegreesToRadians);
    return text;
}

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

BeamTracer::BeamTracer(const Scenario& scenario, const std::vector<SolidPointer>& solids) : scenario(scenario)
{
    std::vector<const Solid*> raw;
    for (const auto& solid : solids)
        raw.push_back(solid.get());
    tracer.reset(Quoria::CreateRayTracer(raw));
    configuration = tracer->GetConfiguration();
}

BeamTracer::~BeamTracer() = default;

std::vector<LineSegment> BeamTracer::Run(const BeamRequest& request, const EntryChoice& entry,
                                         std::optional<unsigned int> legCount, const Laws& laws) const
{
    const Quoria::BeamAngles angles{request.skewDegrees * DegreesToRadians,
                                    request.refractionDegrees * DegreesToRadians};
    try
    {
        if (legCount)
            return tracer->CalculateLegsFromEntryPoint(entry.point, angles, *legCount, scenario.behaviors,
                                                       laws);
        if (scenario.stop.byLength)
            return tracer->CalculateLegsFromEntryPoint(entry.point, angles, scenario.stop.length,
                                                       scenario.behaviors, laws);
        return tracer->CalculateLegsFromEntryPoint(entry.point, angles, scenario.stop.legs,
                                                   scenario.behaviors, laws);
    }
    catch (const std::invalid_argument& error)
    {
        std::string message = ToUtf8(error.what());
        std::string place = request.place;
        if (message.find("Entry point") != std::string::npos)
        {
            place = request.entry.place;
            if (!entry.snapped)
                message += " Give \"near\" and \"snapTo\" to snap a point onto a face.";
        }
        else if (message.find("ray length") != std::string::npos)
        {
            place = scenario.stop.place;
        }
        if (scenario.isSweep)
            message = request.label + ": " + message;
        throw ScenarioError(place, message);
    }
}

std::optional<std::size_t> BeamTracer::FirstSolidHolding(const Point& point) const
{
    for (std::size_t s = 0; s < configuration.size(); ++s)
        for (const ISurface* surface : configuration[s]->GetSurfaces())
            if (surface->Contains(point))
                return s;
    return std::nullopt;
}

// The library's rule: among the other solids with a face through the point,
// the last one in configuration order.
std::optional<std::size_t> BeamTracer::SolidBeyond(const Point& point, std::size_t current) const
{
    std::optional<std::size_t> beyond;
    for (std::size_t s = 0; s < configuration.size(); ++s)
    {
        if (s == current)
            continue;
        for (const ISurface* surface : configuration[s]->GetSurfaces())
            if (surface->Contains(point))
            {
                beyond = s;
                break;
            }
    }
    return beyond;
}

bool BeamTracer::IsOnEdge(const Point& point, std::size_t solid) const
{
    int count = 0;
    for (const ISurface* surface : configuration[solid]->GetSurfaces())
        count += surface->Contains(point) ? 1 : 0;
    return count >= 2;
}

std::vector<std::size_t> BeamTracer::Media(const std::vector<LineSegment>& legs,
                                           const Point& entryPoint) const
{
    std::vector<std::size_t> media;
    std::size_t current = FirstSolidHolding(entryPoint).value_or(0);
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        media.push_back(current);
        if (i + 1 < legs.size() && scenario.BehaviorAt(i) == Quoria::Transmit)
            current = SolidBeyond(legs[i].GetSecondPoint(), current).value_or(current);
    }
    return media;
}

BeamResult BeamTracer::Trace(const BeamRequest& request) const
{
    BeamResult result;
    result.request = request;
    result.entry = ResolveEntry(request.entry, configuration, scenario);

    auto refractions = std::make_shared<std::map<std::size_t, Refraction>>();
    Laws settled;
    std::vector<LineSegment> legs;
    for (;;)
    {
        std::size_t next = settled.size();
        while (next < scenario.laws.size() && scenario.laws[next] != Law::Snell)
            ++next;
        Laws attempt = settled;
        double probed = std::numeric_limits<double>::quiet_NaN();
        if (next < scenario.laws.size())
        {
            attempt.resize(next);
            attempt.push_back(
                [&probed](double angle) -> double
                {
                    probed = angle;
                    throw ProbeReached();
                });
        }
        refractions->clear();
        try
        {
            legs = Run(request, result.entry, std::nullopt, attempt);
            break;
        }
        catch (const ProbeReached&)
        {
        }

        // The beam crosses interface next + 1: find the media on both sides.
        Laws upToProbe = settled;
        upToProbe.resize(next);
        refractions->clear();
        legs = Run(request, result.entry, static_cast<unsigned int>(next + 1), upToProbe);
        const auto media = Media(legs, result.entry.point);
        const auto beyond = SolidBeyond(legs.back().GetSecondPoint(), media.back());
        if (legs.size() != next + 1 || !beyond)
            throw std::logic_error("the legs up to a Snell interface disagree with the library's trace");
        const SpecimenInput& from = scenario.specimens[media.back()];
        const SpecimenInput& into = scenario.specimens[*beyond];
        const SnellLaw law(*from.waveSpeed, *into.waveSpeed);
        if (law.IsBeyondCriticalAngle(probed))
        {
            result.totalReflection = true;
            result.ending = "cut at interface " + std::to_string(next + 1) + ": the incidence " +
                            Degrees(probed) + " from " + from.name + " (speed " + Number(*from.waveSpeed) +
                            ") into " + into.name + " (speed " + Number(*into.waveSpeed) +
                            ") is beyond the critical angle " + Degrees(*law.CriticalAngle()) +
                            "; no refracted beam exists";
            break;
        }
        settled = upToProbe;
        settled.push_back(
            [law, refractions, next](double incidence)
            {
                const double refraction = law(incidence);
                (*refractions)[next] = Refraction{incidence, refraction};
                return refraction;
            });
    }

    const auto media = Media(legs, result.entry.point);
    double total = 0.0;
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        LegRecord leg;
        leg.start = legs[i].GetFirstPoint();
        leg.end = legs[i].GetSecondPoint();
        leg.length = legs[i].Length();
        total += leg.length;
        leg.total = total;
        leg.specimen = media[i];
        if (i + 1 < legs.size())
        {
            leg.atEnd = scenario.BehaviorAt(i) == Quoria::Transmit ? "Transmit" : "Reflect";
            const auto found = refractions->find(i);
            if (found != refractions->end())
                leg.refraction = found->second;
        }
        else
        {
            leg.atEnd = result.totalReflection ? "cut" : "end";
        }
        result.legs.push_back(leg);
    }
    if (!result.totalReflection)
        result.ending = Ending(result);
    return result;
}

std::string BeamTracer::Ending(const BeamResult& result) const
{
    const std::size_t n = result.legs.size();
    if (n == 0)
        return "no leg: the beam meets no face ahead";
    const LegRecord& last = result.legs.back();
    const std::string interface = "interface " + std::to_string(n);
    if (!scenario.stop.byLength && n >= scenario.stop.legs)
        return "stopped after the " + std::to_string(scenario.stop.legs) +
               (scenario.stop.legs == 1 ? " leg" : " legs") + " asked for";
    if (scenario.stop.byLength && last.total >= scenario.stop.length)
        return "stopped once the length asked for, " + Number(scenario.stop.length) + ", was reached";
    if (IsOnEdge(last.end, last.specimen))
        return "ended on an edge or corner of " + scenario.specimens[last.specimen].name + " at " + interface;
    if (n >= MaximumLegCount)
        return "reached the library's limit of 250 legs";
    switch (scenario.BehaviorAt(n - 1))
    {
    case Quoria::Reflect:
        return "ended at " + interface;
    case Quoria::Transmit:
        return "left the configuration at " + interface + ": no specimen lies beyond";
    default:
        return "stopped by the Stop behaviour at " + interface;
    }
}

} // namespace QuoriaTrace
