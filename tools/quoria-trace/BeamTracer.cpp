#include "BeamTracer.h"

#include "NumberText.h"
#include "ScenarioError.h"
#include "SnellLaw.h"

#include <limits>
#include <stdexcept>

using namespace Tessam::Geometry3D;

namespace QuoriaTrace
{

namespace
{

// Thrown by the probe law through the library, which lets a law's exception
// reach its caller.
struct ProbeReached
{
};

} // namespace

BeamTracer::BeamTracer(const Scenario& scenario, const std::vector<SolidPointer>& solids) : scenario(scenario)
{
    std::vector<const Solid*> raw;
    for (const auto& solid : solids)
    {
        raw.push_back(solid.get());
    }
    tracer.reset(Quoria::CreateRayTracer(raw));
    configuration = tracer->GetConfiguration();
}

BeamTracer::~BeamTracer() = default;

BeamResult BeamTracer::Trace(const BeamRequest& request) const
{
    BeamResult result;
    result.request = request;
    result.entry = ResolveEntry(request.entry, configuration, scenario);
    const SettledTrace trace = TraceSettlingSnell(request, result.entry);
    RecordLegs(trace, result);
    result.totalReflection = trace.cut.has_value();
    result.ending = trace.cut ? *trace.cut : Ending(trace.report);
    return result;
}

BeamTracer::SettledTrace BeamTracer::TraceSettlingSnell(const BeamRequest& request,
                                                        const EntryChoice& entry) const
{
    // The settled laws write down each refraction they make; every run
    // starts the record afresh.
    const auto recorded = std::make_shared<Refractions>();
    SettledTrace trace;
    Laws settled;
    for (;;)
    {
        const std::size_t next = NextSnellInterface(settled.size());
        recorded->clear();
        const std::optional<double> incidence = RunToProbe(request, entry, settled, next, trace.report);
        if (!incidence)
        {
            break;
        }

        // The media on both sides of the interface the probe stopped at.
        settled.resize(next);
        recorded->clear();
        const Quoria::TraceReport across = RunAcross(request, entry, settled, next);
        const SnellCrossing crossing{next, *incidence, across.legs[next].solid, across.legs[next + 1].solid};
        const SnellLaw law(*scenario.specimens[crossing.from].waveSpeed,
                           *scenario.specimens[crossing.into].waveSpeed);
        if (law.IsBeyondCriticalAngle(crossing.incidence))
        {
            // The legs up to the interface, not the probing one past it.
            trace.report = across;
            trace.report.legs.pop_back();
            trace.cut = CriticalAngleNote(crossing, *law.CriticalAngle());
            break;
        }
        settled.push_back(
            [law, recorded, next](double incidence)
            {
                const double refraction = law(incidence);
                (*recorded)[next] = Refraction{incidence, refraction};
                return refraction;
            });
    }
    trace.refractions = *recorded;
    return trace;
}

std::size_t BeamTracer::NextSnellInterface(std::size_t from) const
{
    std::size_t next = from;
    while (next < scenario.laws.size() && scenario.laws[next] != Law::Snell)
    {
        ++next;
    }
    return next;
}

Quoria::TraceReport BeamTracer::Run(const BeamRequest& request, const EntryChoice& entry,
                                    std::optional<unsigned int> legCount, const Laws& laws) const
{
    const Quoria::BeamAngles angles{request.skewDegrees * DegreesToRadians,
                                    request.refractionDegrees * DegreesToRadians};
    try
    {
        if (scenario.stop.byLength && !legCount)
        {
            return Quoria::CalculateTrace(tracer.get(), entry.point, angles, scenario.stop.length,
                                          scenario.behaviors, laws);
        }
        return Quoria::CalculateTrace(tracer.get(), entry.point, angles,
                                      legCount.value_or(scenario.stop.legs), scenario.behaviors, laws);
    }
    catch (const std::invalid_argument& error)
    {
        std::string message = ToUtf8(error.what());
        std::string place = request.place;
        if (message.find("Entry point") != std::string::npos)
        {
            place = request.entry.place;
            if (!entry.snapped)
            {
                message += " Give \"near\" and \"snapTo\" to snap a point onto a face.";
            }
        }
        else if (message.find("ray length") != std::string::npos)
        {
            place = scenario.stop.place;
        }
        if (scenario.isSweep)
        {
            message = request.label + ": " + message;
        }
        throw ScenarioError(place, message);
    }
}

// With a probe law at `interfaceIndex`, where there is one. Returns the
// incidence there if the beam reaches it; otherwise the whole trace is in
// `report`.
std::optional<double> BeamTracer::RunToProbe(const BeamRequest& request, const EntryChoice& entry, Laws laws,
                                             std::size_t interfaceIndex, Quoria::TraceReport& report) const
{
    double incidence = std::numeric_limits<double>::quiet_NaN();
    if (interfaceIndex < scenario.laws.size())
    {
        laws.resize(interfaceIndex);
        laws.push_back(
            [&incidence](double angle) -> double
            {
                incidence = angle;
                throw ProbeReached();
            });
    }
    try
    {
        report = Run(request, entry, std::nullopt, laws);
        return std::nullopt;
    }
    catch (const ProbeReached&)
    {
        return incidence;
    }
}

// One leg past interface `interfaceIndex` + 1, so that the legs name the
// solids on both sides of it. The beam is sent on along the normal there:
// from a point of the solid beyond's face, no direction is surer to meet
// another of its faces.
Quoria::TraceReport BeamTracer::RunAcross(const BeamRequest& request, const EntryChoice& entry, Laws laws,
                                          std::size_t interfaceIndex) const
{
    laws.resize(interfaceIndex);
    laws.push_back([](double) { return 0.0; });
    Quoria::TraceReport report = Run(request, entry, static_cast<unsigned int>(interfaceIndex + 2), laws);
    if (report.legs.size() != interfaceIndex + 2)
    {
        throw std::logic_error("the trace across a Snell interface disagrees with the trace up to it");
    }
    return report;
}

std::string BeamTracer::CriticalAngleNote(const SnellCrossing& crossing, double criticalAngle) const
{
    const SpecimenInput& from = scenario.specimens[crossing.from];
    const SpecimenInput& into = scenario.specimens[crossing.into];
    return "cut at interface " + std::to_string(crossing.interfaceIndex + 1) + ": the incidence " +
           DegreesText(crossing.incidence) + " from " + from.name + " (speed " + General(*from.waveSpeed) +
           ") into " + into.name + " (speed " + General(*into.waveSpeed) + ") is beyond the critical angle " +
           DegreesText(criticalAngle) + "; no refracted beam exists";
}

void BeamTracer::RecordLegs(const SettledTrace& trace, BeamResult& result) const
{
    const std::vector<Quoria::TraceLeg>& legs = trace.report.legs;
    double total = 0.0;
    for (std::size_t i = 0; i < legs.size(); ++i)
    {
        LegRecord leg;
        leg.start = legs[i].segment.GetFirstPoint();
        leg.end = legs[i].segment.GetSecondPoint();
        leg.length = legs[i].segment.Length();
        total += leg.length;
        leg.total = total;
        leg.specimen = legs[i].solid;
        if (i + 1 < legs.size())
        {
            leg.atEnd = legs[i].behavior == Quoria::Transmit ? "Transmit" : "Reflect";
            const auto found = trace.refractions.find(i);
            if (found != trace.refractions.end())
            {
                leg.refraction = found->second;
            }
        }
        else
        {
            leg.atEnd = trace.cut ? "cut" : "end";
        }
        result.legs.push_back(leg);
    }
}

std::string BeamTracer::Ending(const Quoria::TraceReport& report) const
{
    const std::size_t n = report.legs.size();
    const std::string interface = "interface " + std::to_string(n);
    switch (report.ending)
    {
    case Quoria::TraceEnding::Legs:
        return "stopped after the " + std::to_string(scenario.stop.legs) +
               (scenario.stop.legs == 1 ? " leg" : " legs") + " asked for";
    case Quoria::TraceEnding::Length:
        return "stopped once the length asked for, " + General(scenario.stop.length) + ", was reached";
    case Quoria::TraceEnding::Edge:
        return "ended on an edge or corner of " + scenario.specimens[report.legs.back().solid].name + " at " +
               interface;
    case Quoria::TraceEnding::Stop:
        return "stopped by the Stop behaviour at " + interface;
    case Quoria::TraceEnding::Exit:
        return "left the configuration at " + interface + ": no specimen lies beyond";
    case Quoria::TraceEnding::Limit:
        return "reached the library's limit of " + std::to_string(Quoria::MaximumLegCount) + " legs";
    case Quoria::TraceEnding::Open:
        if (n == 0)
        {
            return "no leg: the beam meets no face ahead";
        }
        return "ended at " + interface + ": the beam meets no face ahead";
    default:
        return std::string("ended: ") + Quoria::TraceEndingName(report.ending);
    }
}

} // namespace QuoriaTrace
