#pragma once

#include "BeamAngles.h"
#include "BehaviorAtInterface.h"
#include "ISolid.h"
#include "ISurface.h"
#include "Material.h"
#include "Point.h"
#include "QuoriaExport.h"
#include "Solid.h"
#include "TraceReport.h"
#include "TraceStop.h"
#include "WaveMode.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Quoria
{

// Units of the acoustic calls: lengths in millimetres, speeds in metres per
// second, times in microseconds (t = 1000 * length / speed).

// A leg of sound: the geometry of TraceLeg, plus the wave that runs it.
struct AcousticLeg : TraceLeg
{
    WaveMode mode;
    // m/s
    double speed;
    // Time of flight along the leg, in microseconds.
    double time;
};

struct AcousticReport
{
    std::vector<AcousticLeg> legs;
    // The sum of the legs' times, in microseconds.
    double time = 0.0;
    TraceEnding ending = TraceEnding::Legs;
    // For the ending Error, why.
    std::string message;
};

class AcousticTracerState;

// Traces sound through a configuration of solids, each of one material: at
// every interface the outgoing direction obeys Snell's law between the speed
// of the incoming leg (its medium, its mode) and that of the outgoing one
// (the medium beyond for Transmit, the same medium for Reflect, so that mode
// conversion on reflection comes out right). Past a critical angle the trace
// ends with CriticalAngle; a T leg asked for in a liquid ends it with Error.
// Like the ray tracer it keeps working state: one trace at a time.
class QUORIA_API AcousticTracer
{
public:
    // Copies the solids, like CreateRayTracer; one material per solid, in
    // the same order. Throws std::invalid_argument for an empty or null
    // solid and for a count mismatch.
    AcousticTracer(const std::vector<const Tessam::Geometry3D::Solid*>& solids,
                   const std::vector<Material>& materials);
    AcousticTracer(const AcousticTracer&) = delete;
    AcousticTracer& operator=(const AcousticTracer&) = delete;
    ~AcousticTracer();

    // Element i of `modes` is the mode of leg i + 1; missing elements keep
    // the previous leg's mode, and the first leg is L without one.
    // Behaviours as for the ray tracer. The stop may be Legs, Length (mm) or
    // Time (us).
    AcousticReport Trace(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                         const TraceStop& stop, const std::vector<BehaviorAtInterface>& behaviorsAtInterfaces,
                         const std::vector<WaveMode>& modes = {});
    AcousticReport
    Trace(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles, const TraceStop& stop,
          const std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>&
              behaviorsAtInterfaces,
          const std::vector<WaveMode>& modes = {});

    // The tracer's own copies of the solids, valid while it lives.
    std::vector<const Tessam::Geometry3D::ISolid*> GetConfiguration() const;
    const std::vector<Material>& GetMaterials() const;

    // The library's internals, for the batch and focal-law calls.
    AcousticTracerState& State() const { return *state; }

private:
    std::unique_ptr<AcousticTracerState> state;
};

} // namespace Quoria
