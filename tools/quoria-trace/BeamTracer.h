#pragma once

#include "EntryPoint.h"
#include "FactoryTable.h"
#include "IRayTracer.h"
#include "Scenario.h"
#include "TraceReport.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace QuoriaTrace
{

// Snell's law at the interface where a leg ends, in radians.
struct Refraction
{
    double incidence;
    double refraction;
};

struct LegRecord
{
    Tessam::Geometry3D::Point start;
    Tessam::Geometry3D::Point end;
    double length = 0.0;
    double total = 0.0;
    // The specimen the leg runs in.
    std::size_t specimen = 0;
    // What the beam did where the leg ends ("Reflect", "Transmit", "end").
    std::string atEnd;
    std::optional<Refraction> refraction;
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
};

// Traces the beams of one scenario through one library tracer.
//
// Snell's law at interface k needs the speeds on both sides, and only the
// trace itself tells which specimens those are. So a beam is traced again
// each time it reaches a Snell interface not yet settled: a probe law at that
// interface interrupts the trace; a trace one leg past it names the two
// media, the solids of the legs on either side; the settled law then
// replaces the probe. Beyond the critical angle the beam is cut at that
// interface and the reason is reported, never printed as if it went on.
class BeamTracer
{
public:
    BeamTracer(const Scenario& scenario, const std::vector<SolidPointer>& solids);
    ~BeamTracer();
    BeamTracer(const BeamTracer&) = delete;
    BeamTracer& operator=(const BeamTracer&) = delete;

    // The tracer's own copies of the solids, in scenario order.
    const std::vector<const Tessam::Geometry3D::ISolid*>& Configuration() const { return configuration; }

    // Throws ScenarioError, with the library's message, when the library refuses the beam.
    BeamResult Trace(const BeamRequest& request) const;

private:
    using Laws = std::vector<std::function<double(double)>>;
    using Refractions = std::map<std::size_t, Refraction>;

    // The trace once every Snell interface it reaches is settled, or up to
    // the interface where it was cut.
    struct SettledTrace
    {
        Quoria::TraceReport report;
        // By the index of the leg that ends at the interface.
        Refractions refractions;
        std::optional<std::string> cut;
    };

    // Where a beam reaches a Snell interface not yet settled.
    struct SnellCrossing
    {
        std::size_t interfaceIndex;
        double incidence;
        std::size_t from;
        std::size_t into;
    };

    SettledTrace TraceSettlingSnell(const BeamRequest& request, const EntryChoice& entry) const;
    std::size_t NextSnellInterface(std::size_t from) const;
    Quoria::TraceReport Run(const BeamRequest& request, const EntryChoice& entry,
                            std::optional<unsigned int> legCount, const Laws& laws) const;
    std::optional<double> RunToProbe(const BeamRequest& request, const EntryChoice& entry, Laws laws,
                                     std::size_t interfaceIndex, Quoria::TraceReport& report) const;
    Quoria::TraceReport RunAcross(const BeamRequest& request, const EntryChoice& entry, Laws laws,
                                  std::size_t interfaceIndex) const;
    std::string CriticalAngleNote(const SnellCrossing& crossing, double criticalAngle) const;
    void RecordLegs(const SettledTrace& trace, BeamResult& result) const;
    std::string Ending(const Quoria::TraceReport& report) const;

    const Scenario& scenario;
    std::unique_ptr<Quoria::IRayTracer> tracer;
    std::vector<const Tessam::Geometry3D::ISolid*> configuration;
};

} // namespace QuoriaTrace
