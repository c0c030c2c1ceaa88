#include "BeamTracer.h"

#include "AcousticBatchTrace.h"
#include "BatchTrace.h"
#include "ISurface.h"
#include "NumberText.h"
#include "Snell.h"

#include <exception>
#include <stdexcept>

using namespace Tessam::Geometry3D;

namespace QuoriaTrace
{

namespace
{

// The angle between a direction and the line of a face's normal, in [0, pi/2]:
// the incidence, whichever side of the face the beam comes from.
double AngleFromNormalLine(const Vector& normal, const Vector& direction)
{
    const double angle = normal.AngleTo(direction).Radians();
    return angle > Pi / 2.0 ? Pi - angle : angle;
}

Vector Direction(const Quoria::TraceLeg& leg)
{
    return (leg.segment.GetSecondPoint() - leg.segment.GetFirstPoint()).Normalized();
}

// The library's message without its full stop, for a sentence of the tool's.
std::string Clause(std::string message)
{
    if (!message.empty() && message.back() == '.')
    {
        message.pop_back();
    }
    return message;
}

Quoria::BeamAngles AnglesOf(const BeamRequest& request)
{
    return Quoria::BeamAngles{request.skewDegrees * DegreesToRadians,
                              request.refractionDegrees * DegreesToRadians};
}

Quoria::TraceStop StopOf(const StopInput& stop)
{
    switch (stop.kind)
    {
    case StopKind::Legs:
        return Quoria::TraceStop::Legs(stop.legs);
    case StopKind::Length:
        return Quoria::TraceStop::Length(stop.amount);
    case StopKind::Time:
        break;
    }
    return Quoria::TraceStop::Time(stop.amount);
}

// The batch's beams as the single calls report them; without `sound` (the ray
// tracer's batch) the legs carry no wave.
std::vector<Quoria::AcousticReport> Reports(const Quoria::BatchResult& traced,
                                            const Quoria::AcousticBatchResult* sound)
{
    std::vector<Quoria::AcousticReport> reports(traced.BeamCount());
    for (std::size_t b = 0; b < traced.BeamCount(); ++b)
    {
        Quoria::AcousticReport& report = reports[b];
        report.ending = traced.endings[b];
        report.message = traced.messages[b];
        report.time = sound ? sound->beamTimes[b] : 0.0;
        for (auto i = traced.legOffsets[b]; i < traced.legOffsets[b + 1]; ++i)
        {
            const double* start = &traced.starts[3 * i];
            const double* end = &traced.ends[3 * i];
            const Quoria::TraceLeg leg{
                LineSegment(Point(start[0], start[1], start[2]), Point(end[0], end[1], end[2])),
                static_cast<std::size_t>(traced.solids[i]), static_cast<std::size_t>(traced.faces[i]),
                static_cast<Quoria::BehaviorAtInterface>(traced.behaviors[i])};
            report.legs.push_back(sound ? Quoria::AcousticLeg{leg,
                                                              static_cast<Quoria::WaveMode>(sound->modes[i]),
                                                              sound->speeds[i], sound->times[i]}
                                        : Quoria::AcousticLeg{leg, Quoria::WaveMode::L, 0.0, 0.0});
        }
    }
    return reports;
}

} // namespace

const char* ModeName(Quoria::WaveMode mode)
{
    return mode == Quoria::WaveMode::L ? "L" : "T";
}

BeamTracer::BeamTracer(const Scenario& scenario, const std::vector<SolidPointer>& solids) : scenario(scenario)
{
    std::vector<const Solid*> raw;
    for (const auto& solid : solids)
    {
        raw.push_back(solid.get());
    }
    if (scenario.physics == Physics::Rays)
    {
        rays.reset(Quoria::CreateRayTracer(raw));
        configuration = rays->GetConfiguration();
        return;
    }
    // A bare wave speed makes a material of one wave, L, in the speed's own unit.
    std::vector<Quoria::Material> materials;
    for (const SpecimenInput& specimen : scenario.specimens)
    {
        materials.push_back(scenario.physics == Physics::Materials
                                ? *specimen.material
                                : Quoria::Material(specimen.name, *specimen.waveSpeed, 0.0));
    }
    sound = std::make_unique<Quoria::AcousticTracer>(raw, materials);
    configuration = sound->GetConfiguration();
}

BeamTracer::~BeamTracer() = default;

template <typename Trace, typename Refused>
auto BeamTracer::RunBatch(const std::vector<BeamRequest>& requests, std::vector<EntryChoice>& entries,
                          const std::function<void(std::size_t)>& progress, const Trace& trace,
                          const Refused& refused)
{
    // An entry that cannot be resolved is reported only if no beam before it
    // fails: only those are traced.
    std::exception_ptr unresolved;
    std::vector<Quoria::BatchBeam> beams;
    for (const BeamRequest& request : requests)
    {
        try
        {
            entries.push_back(ResolveEntry(request.entry, configuration, scenario));
        }
        catch (const ScenarioError&)
        {
            unresolved = std::current_exception();
            break;
        }
        beams.push_back(Quoria::BatchBeam{entries.back().point, AnglesOf(request)});
    }
    Quoria::BatchOptions options;
    options.progress = [&progress](std::size_t done, std::size_t)
    {
        progress(done);
        return true;
    };
    auto traced = trace(beams, options);
    for (std::size_t b = 0; b < traced.BeamCount(); ++b)
    {
        if (traced.endings[b] == Quoria::TraceEnding::Error && refused(traced, b))
        {
            throw Refusal(requests[b], entries[b], traced.messages[b]);
        }
    }
    if (unresolved)
    {
        std::rethrow_exception(unresolved);
    }
    return traced;
}

std::vector<BeamResult> BeamTracer::TraceAll(const std::vector<BeamRequest>& requests,
                                             const std::function<void(std::size_t)>& progress)
{
    const Quoria::TraceStop stop = StopOf(scenario.stop);
    std::vector<EntryChoice> entries;
    std::vector<Quoria::AcousticReport> reports;
    if (sound)
    {
        const Quoria::AcousticBatchResult traced = RunBatch(
            requests, entries, progress,
            [&](const std::vector<Quoria::BatchBeam>& beams, const Quoria::BatchOptions& options)
            { return Quoria::TraceBatch(*sound, beams, stop, scenario.behaviors, scenario.modes, options); },
            [&](const Quoria::AcousticBatchResult& batch, std::size_t b) {
                return batch.legOffsets[b] == batch.legOffsets[b + 1] &&
                       SoundRefuses(requests[b], entries[b], stop);
            });
        reports = Reports(traced, &traced);
    }
    else
    {
        // The ray tracer fails a beam only where the single call refuses it.
        const Quoria::BatchResult traced = RunBatch(
            requests, entries, progress,
            [&](const std::vector<Quoria::BatchBeam>& beams, const Quoria::BatchOptions& options)
            { return Quoria::TraceBatch(rays.get(), beams, stop, scenario.behaviors, {}, options); },
            [](const Quoria::BatchResult&, std::size_t) { return true; });
        reports = Reports(traced, nullptr);
    }
    std::vector<BeamResult> results;
    for (std::size_t b = 0; b < reports.size(); ++b)
    {
        results.push_back(Result(requests[b], entries[b], reports[b]));
    }
    return results;
}

// The batch fails a beam without a leg both where the single call refuses it
// and where it asks for a T wave in a liquid from the start; only the single
// call tells them apart, by throwing for the first.
bool BeamTracer::SoundRefuses(const BeamRequest& request, const EntryChoice& entry,
                              const Quoria::TraceStop& stop)
{
    try
    {
        sound->Trace(entry.point, AnglesOf(request), stop, scenario.behaviors, scenario.modes);
    }
    catch (const std::invalid_argument&)
    {
        return true;
    }
    return false;
}

BeamResult BeamTracer::Result(const BeamRequest& request, const EntryChoice& entry,
                              const Quoria::AcousticReport& report) const
{
    BeamResult result;
    result.request = request;
    result.entry = entry;
    result.totalReflection = report.ending == Quoria::TraceEnding::CriticalAngle;
    if (report.ending == Quoria::TraceEnding::Error)
    {
        result.error = ToUtf8(report.message);
    }
    RecordLegs(report, result);
    result.ending = Ending(report);
    result.time = report.time;
    return result;
}

ScenarioError BeamTracer::Refusal(const BeamRequest& request, const EntryChoice& entry,
                                  std::string message) const
{
    message = ToUtf8(message);
    std::string place = request.place;
    const StopInput& stop = scenario.stop;
    if (message.find("Entry point") != std::string::npos)
    {
        place = request.entry.place;
        if (!entry.snapped)
        {
            message += " Give \"near\" and \"snapTo\" to snap a point onto a face.";
        }
    }
    else if (message.find("ray length") != std::string::npos ||
             message.find("total length") != std::string::npos ||
             message.find("total time") != std::string::npos)
    {
        place = stop.place;
    }
    if (scenario.isSweep)
    {
        message = request.label + ": " + message;
    }
    return ScenarioError(place, message);
}

void BeamTracer::RecordLegs(const Quoria::AcousticReport& report, BeamResult& result) const
{
    const std::vector<Quoria::AcousticLeg>& legs = report.legs;
    double total = 0.0;
    double totalTime = 0.0;
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
            leg.refraction = RefractionAfter(report, i);
        }
        else
        {
            leg.atEnd = result.IsCut() ? "cut" : "end";
        }
        if (scenario.physics == Physics::Materials)
        {
            // Summed in the library's order, so that the last total is the beam's time.
            totalTime += legs[i].time;
            leg.wave = LegWave{legs[i].mode, legs[i].speed, legs[i].time, totalTime};
        }
        result.legs.push_back(leg);
    }
}

// Where the beam was transmitted, or changed its mode on reflection. At
// normal incidence there is no plane of incidence and nothing turns.
std::optional<Refraction> BeamTracer::RefractionAfter(const Quoria::AcousticReport& report,
                                                      std::size_t leg) const
{
    const Quoria::AcousticLeg& in = report.legs[leg];
    const Quoria::AcousticLeg& out = report.legs[leg + 1];
    if (!sound || (in.behavior != Quoria::Transmit && in.mode == out.mode))
    {
        return std::nullopt;
    }
    const Vector normal = NormalAtEnd(in);
    const Vector direction = Direction(in);
    if (normal.IsCollinear(direction))
    {
        return std::nullopt;
    }
    const double incidence = AngleFromNormalLine(normal, direction);
    const std::optional<double> refraction = Quoria::RefractedAngle(incidence, in.speed, out.speed);
    if (!refraction)
    {
        return std::nullopt;
    }
    return Refraction{incidence, *refraction};
}

std::string BeamTracer::SpeedText(Quoria::WaveMode mode, double speed) const
{
    if (scenario.physics == Physics::WaveSpeeds)
    {
        return "speed " + General(speed);
    }
    return std::string(ModeName(mode)) + ", " + General(speed) + " m/s";
}

Vector BeamTracer::NormalAtEnd(const Quoria::TraceLeg& leg) const
{
    return configuration[leg.solid]->GetSurfaces()[leg.face]->GetNormal(leg.segment.GetSecondPoint());
}

std::string BeamTracer::CriticalAngleNote(const Quoria::AcousticReport& report) const
{
    const Quoria::AcousticLeg& last = report.legs.back();
    const Point at = last.segment.GetSecondPoint();
    // The solid beyond, as the library picks it: the last other one with a
    // face through the point.
    std::size_t into = last.solid;
    if (last.behavior == Quoria::Transmit)
    {
        for (std::size_t s = 0; s < configuration.size(); ++s)
        {
            if (s == last.solid)
            {
                continue;
            }
            for (const ISurface* face : configuration[s]->GetSurfaces())
            {
                if (face->Contains(at))
                {
                    into = s;
                    break;
                }
            }
        }
    }
    const Quoria::WaveMode mode = scenario.ModeOfLeg(report.legs.size());
    const double speed = sound->GetMaterials()[into].GetSpeed(mode);
    const std::optional<double> critical = Quoria::CriticalAngle(last.speed, speed);
    if (!critical)
    {
        throw std::logic_error("a critical angle into a medium that is not faster");
    }
    const std::string interface = "cut at interface " + std::to_string(report.legs.size()) +
                                  ": the incidence " +
                                  DegreesText(AngleFromNormalLine(NormalAtEnd(last), Direction(last)));
    const std::string& from = scenario.specimens[last.solid].name;
    if (last.behavior == Quoria::Transmit)
    {
        return interface + " from " + from + " (" + SpeedText(last.mode, last.speed) + ") into " +
               scenario.specimens[into].name + " (" + SpeedText(mode, speed) +
               ") is beyond the critical angle " + DegreesText(*critical) + "; no refracted beam exists";
    }
    // A reflection that changes the mode: T back as a faster L.
    return interface + " of the " + ModeName(last.mode) + " wave in " + from + " (" + General(last.speed) +
           " m/s) is beyond the critical angle " + DegreesText(*critical) + " of its reflection as " +
           ModeName(mode) + " (" + General(speed) + " m/s); no reflected beam exists";
}

std::string BeamTracer::Ending(const Quoria::AcousticReport& report) const
{
    const std::size_t n = report.legs.size();
    const std::string interface = "interface " + std::to_string(n);
    switch (report.ending)
    {
    case Quoria::TraceEnding::Legs:
        return "stopped after the " + std::to_string(scenario.stop.legs) +
               (scenario.stop.legs == 1 ? " leg" : " legs") + " asked for";
    case Quoria::TraceEnding::Length:
        return "stopped once the length asked for, " + General(scenario.stop.amount) + ", was reached";
    case Quoria::TraceEnding::Time:
        return "stopped once the time asked for, " + General(scenario.stop.amount) + " " + Microseconds +
               ", was reached";
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
    case Quoria::TraceEnding::CriticalAngle:
        return CriticalAngleNote(report);
    case Quoria::TraceEnding::Error:
        if (n == 0)
        {
            return "no leg: " + Clause(ToUtf8(report.message));
        }
        return "ended with an error at " + interface + ": " + Clause(ToUtf8(report.message));
    default:
        return std::string("ended: ") + Quoria::TraceEndingName(report.ending);
    }
}

} // namespace QuoriaTrace
