#pragma once

#include "EntryPoint.h"
#include "FactoryTable.h"
#include "IRayTracer.h"
#include "Scenario.h"

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
// legs computed so far tell which specimens those are. So a beam is traced
// again each time it reaches a Snell interface not yet settled: a probe law
// at that interface interrupts the trace; the legs up to it, walked with the
// library's own rules for entering and crossing solids, name the two media;
// the settled law then replaces the probe. Beyond the critical angle the
// beam is cut at that interface and the reason is reported, never printed
// as if it went on.
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

    std::vector<Tessam::Geometry3D::LineSegment> Run(const BeamRequest& request, const EntryChoice& entry,
                                                     std::optional<unsigned int> legCount,
                                                     const Laws& laws) const;
    std::optional<std::size_t> FirstSolidHolding(const Tessam::Geometry3D::Point& point) const;
    std::optional<std::size_t> SolidBeyond(const Tessam::Geometry3D::Point& point, std::size_t current) const;
    bool IsOnEdge(const Tessam::Geometry3D::Point& point, std::size_t solid) const;
    std::vector<std::size_t> Media(const std::vector<Tessam::Geometry3D::LineSegment>& legs,
                                   const Tessam::Geometry3D::Point& entryPoint) const;
    std::string Ending(const BeamResult& result) const;

    const Scenario& scenario;
    std::unique_ptr<Quoria::IRayTracer> tracer;
    std::vector<const Tessam::Geometry3D::ISolid*> configuration;
};

} // namespace QuoriaTrace
