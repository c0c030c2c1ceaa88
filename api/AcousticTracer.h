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

// A leg of sound: the geometry of TraceLeg (segment in mm), plus the wave
// that runs it. The last leg of a trace that ended with CriticalAngle or
// Error carries the behaviour that could not be carried out.
struct AcousticLeg : TraceLeg
{
    WaveMode mode;
    // The speed of that mode in the leg's solid, in m/s.
    double speed;
    // Time of flight along the leg, in microseconds.
    double time;
};

struct AcousticReport
{
    std::vector<AcousticLeg> legs;
    // The sum of the legs' times, in order, in microseconds.
    double time = 0.0;
    TraceEnding ending = TraceEnding::Legs;
    // For the ending Error, why (it names the material); empty otherwise.
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
    // Behaviours as for the ray tracer (missing elements mean Reflect). The
    // stop may be Legs, Length (mm) or Time (us); the last leg is never
    // shortened.
    //
    // Throws std::invalid_argument, in this order, for a length or time that
    // is negative, NaN or infinite, for a mode other than L and T, and then,
    // unless the stop is 0 (no leg, the stop's ending), for a refraction
    // angle or an entry point the ray tracer refuses. A trace ends, beyond
    // the ray tracer's endings, with CriticalAngle where no outgoing wave
    // exists (at or past a critical angle: there is no leg through a medium
    // for a wave grazing the interface), with Error and a message where a
    // leg would be T in a liquid (the first leg included, which leaves no
    // leg), and with Time once the legs reach the time asked for. Exceptions
    // of the behaviours reach the caller.
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
