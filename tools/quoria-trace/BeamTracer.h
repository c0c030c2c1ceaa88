#pragma once

#include "AcousticTracer.h"
#include "EntryPoint.h"
#include "FactoryTable.h"
#include "IRayTracer.h"
#include "Scenario.h"
#include "ScenarioError.h"
#include "TraceStop.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace QuoriaTrace
{

// Snell's law at the interface where a leg ends: the angles from the normal
// on either side, in radians.
struct Refraction
{
    double incidence;
    double refraction;
};

// "L" or "T".
const char* ModeName(Quoria::WaveMode mode);

// With materials: the wave along a leg.
struct LegWave
{
    Quoria::WaveMode mode;
    // m/s
    double speed;
    // Time of flight along the leg and since the entry, in microseconds.
    double time;
    double totalTime;
};

struct LegRecord
{
    Tessam::Geometry3D::Point start;
    Tessam::Geometry3D::Point end;
    double length = 0.0;
    double total = 0.0;
    // The specimen the leg runs in.
    std::size_t specimen = 0;
    // What the beam did where the leg ends ("Reflect", "Transmit", "end",
    // "cut").
    std::string atEnd;
    std::optional<Refraction> refraction;
    std::optional<LegWave> wave;
};

struct BeamResult
{
    BeamRequest request;
    EntryChoice entry;
    std::vector<LegRecord> legs;
    // Why the trace ended, in words.
    std::string ending;
    // The beam met an interface beyond the critical angle and is cut there.
    bool totalReflection = false;
    // The library's message where it could not trace the beam on (a T wave
    // asked for in a liquid); the beam is cut there too.
    std::string error;
    // With materials: the time of flight of the whole beam, in microseconds.
    double time = 0.0;

    bool IsCut() const { return totalReflection || !error.empty(); }
};

// Traces the beams of one scenario through one library tracer: the ray
// tracer, or the tracer of sound when Snell's law turns the beam (one
// material per specimen, from its "material" or, all legs L, its
// "waveSpeed"). Beyond the critical angle the beam is cut at that interface
// and the reason is reported, never printed as if it went on.
class BeamTracer
{
public:
    BeamTracer(const Scenario& scenario, const std::vector<SolidPointer>& solids);
    ~BeamTracer();
    BeamTracer(const BeamTracer&) = delete;
    BeamTracer& operator=(const BeamTracer&) = delete;

    // The tracer's own copies of the solids, in scenario order.
    const std::vector<const Tessam::Geometry3D::ISolid*>& Configuration() const { return configuration; }

    // The tracer of sound, when the specimens have materials or wave speeds.
    const Quoria::AcousticTracer* Sound() const { return sound.get(); }

    // Every beam, in order, in one batch of the library's on every core;
    // `progress` hears how many are done. Throws ScenarioError, with the
    // library's message, for the first beam that cannot be traced, as if they
    // were traced one after the other.
    std::vector<BeamResult> TraceAll(const std::vector<BeamRequest>& requests,
                                     const std::function<void(std::size_t done)>& progress);

private:
    // Resolves the entries, traces the beams through `trace` (the batch call
    // of the one tracer) and throws for the first beam that `refused` says
    // the single call would refuse.
    template <typename Trace, typename Refused>
    auto RunBatch(const std::vector<BeamRequest>& requests, std::vector<EntryChoice>& entries,
                  const std::function<void(std::size_t)>& progress, const Trace& trace,
                  const Refused& refused);
    bool SoundRefuses(const BeamRequest& request, const EntryChoice& entry, const Quoria::TraceStop& stop);
    ScenarioError Refusal(const BeamRequest& request, const EntryChoice& entry, std::string message) const;
    BeamResult Result(const BeamRequest& request, const EntryChoice& entry,
                      const Quoria::AcousticReport& report) const;
    void RecordLegs(const Quoria::AcousticReport& report, BeamResult& result) const;
    std::optional<Refraction> RefractionAfter(const Quoria::AcousticReport& report, std::size_t leg) const;
    std::string CriticalAngleNote(const Quoria::AcousticReport& report) const;
    std::string Ending(const Quoria::AcousticReport& report) const;
    // The text for a speed in the notes: "speed 3230" or "T, 3230 m/s".
    std::string SpeedText(Quoria::WaveMode mode, double speed) const;
    // The unit normal of the face where a leg ends, at its end.
    Tessam::Geometry3D::Vector NormalAtEnd(const Quoria::TraceLeg& leg) const;

    const Scenario& scenario;
    std::unique_ptr<Quoria::IRayTracer> rays;
    std::unique_ptr<Quoria::AcousticTracer> sound;
    std::vector<const Tessam::Geometry3D::ISolid*> configuration;
};

} // namespace QuoriaTrace
