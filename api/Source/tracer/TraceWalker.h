#pragma once

#include "BeamAngles.h"
#include "ISurface.h"
#include "Line.h"
#include "Point.h"
#include "TraceReport.h"
#include "TraceRules.h"
#include "TraceScene.h"
#include "Vector.h"

#include <cstddef>
#include <string>
#include <vector>

namespace Quoria
{

// The tracing core: walks one beam at a time through a scene, face to face,
// and records each leg with its solid, its face and its behaviour. It holds
// the working state of a trace (the solid the beam is in, the crossings of
// the current leg, the legs so far), so a walker traces one beam at a time;
// several walkers may share one scene.
class TraceWalker
{
public:
    // `method` ("RayTracer::CalculateLegsFromEntryPoint") begins the
    // messages of the refused beams.
    TraceWalker(const TraceScene& scene, const char* method);

    // Checks the refraction angle and the entry point, in that order, and
    // throws std::invalid_argument for either; then traces until an ending.
    // What the rules throw goes through. The legs stay in Legs() until the
    // next trace.
    TraceEnding Trace(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                      TraceRules& rules);

    const std::vector<TraceLeg>& Legs() const { return legs; }
    // The solid the beam was in when the last trace ended.
    std::size_t CurrentSolid() const { return currentSolid; }

private:
    // A point where the ray meets a surface ahead of it.
    struct Crossing
    {
        // Built in place: a temporary copied in would be read back in wide
        // loads right after its narrow stores, which stalls.
        Crossing(double distance, std::size_t surfaceIndex, const Tessam::Geometry3D::Point& point,
                 bool containmentPending)
            : distance(distance), surfaceIndex(surfaceIndex), point(point),
              containmentPending(containmentPending)
        {
        }
        double distance;
        std::size_t surfaceIndex;
        Tessam::Geometry3D::Point point;
        // Still to pass the surface's Contains; once it has, the point is
        // known to be on that surface.
        bool containmentPending;
    };
    // A curved face whose points are worked out only once a crossing as
    // near as `entry`, where the ray's line enters the face's box, matters.
    struct DeferredFace
    {
        double entry;
        std::size_t surfaceIndex;
    };
    // The ray of the current leg, and the line parameter above which a
    // point is clearly ahead of its start.
    struct RaySpan
    {
        const Tessam::Geometry3D::Line& ray;
        double ahead;
    };
    static constexpr std::size_t NoSurface = static_cast<std::size_t>(-1);

    const Tessam::Geometry3D::ISurface* FindEntrySurface(const Tessam::Geometry3D::Point& entryPoint);
    // `knownContainer`, the index of a surface already known to contain the
    // point, is counted without asking it again.
    bool IsOnSeveralSurfaces(const Tessam::Geometry3D::Point& point,
                             std::size_t knownContainer = NoSurface) const;
    static Tessam::Geometry3D::Vector ComputeBeamDirection(const Tessam::Geometry3D::ISurface* entrySurface,
                                                           const Tessam::Geometry3D::Point& entryPoint,
                                                           const BeamAngles& angles);
    TraceEnding TraceRay(Tessam::Geometry3D::Line ray, TraceRules& rules);
    // The index in `crossings` of the nearest point ahead of the ray on a
    // face of the current solid, or NoSurface.
    std::size_t FindClosestIntersection(const Tessam::Geometry3D::Line& ray);
    void AddCrossing(const RaySpan& span, std::size_t surfaceIndex, const Tessam::Geometry3D::Point& point,
                     bool containmentPending, bool clearlyAhead);
    void AddCurvedFaceCrossings(const RaySpan& span, std::size_t surfaceIndex);
    bool FindAdjacentSolid(const Tessam::Geometry3D::Point& point);

    const TraceScene& scene;
    const std::string refractionAngleMessage;
    const std::string entryPointMessage;
    std::size_t currentSolid = 0;
    // Working buffers, kept so that a trace allocates nothing per leg.
    std::vector<Crossing> crossings;
    std::vector<DeferredFace> deferredFaces;
    std::vector<TraceLeg> legs;
    // Of the current ray with each plane direction of the solid.
    std::vector<double> directionProducts;
    std::vector<double> originProducts;
};

} // namespace Quoria
