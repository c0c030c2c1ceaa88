#pragma once

#include "Angle.h"
#include "IRayTracer.h"
#include "ISurface.h"
#include "Line.h"
#include "Plane.h"
#include "Vector.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace Quoria
{

// The tracer behind CreateRayTracer. It owns deep copies of the caller's
// solids and keeps the solid the beam travels in as working state, so one
// tracer runs one computation at a time.
class RayTracer : public IRayTracer
{
public:
    static constexpr std::size_t MaximumLegCount = 250;

    // Throws for an empty configuration and for a null solid; nothing is
    // leaked when a Clone throws half-way.
    explicit RayTracer(std::vector<const Tessam::Geometry3D::Solid*> solids);
    RayTracer(const RayTracer&) = delete;
    RayTracer& operator=(const RayTracer&) = delete;
    ~RayTracer() override;

    std::vector<Tessam::Geometry3D::LineSegment>
    CalculateLegsFromEntryPoint(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                                double totalRayLength, std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                                std::vector<std::function<double(double)>> lawsAtInterfaces) override;
    std::vector<Tessam::Geometry3D::LineSegment>
    CalculateLegsFromEntryPoint(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                                unsigned int totalLegCount,
                                std::vector<BehaviorAtInterface> behaviorsAtInterfaces,
                                std::vector<std::function<double(double)>> lawsAtInterfaces) override;
    std::vector<Tessam::Geometry3D::LineSegment> CalculateLegsFromEntryPoint(
        const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles, double totalRayLength,
        std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>
            behaviorsAtInterfaces,
        std::vector<std::function<double(double)>> lawsAtInterfaces) override;
    std::vector<Tessam::Geometry3D::LineSegment> CalculateLegsFromEntryPoint(
        const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles, unsigned int totalLegCount,
        std::vector<std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>>
            behaviorsAtInterfaces,
        std::vector<std::function<double(double)>> lawsAtInterfaces) override;
    std::vector<const Tessam::Geometry3D::ISolid*> GetConfiguration() const override;

private:
    using StopCondition = std::function<bool(const Tessam::Geometry3D::LineSegment&)>;
    using BehaviorFunction = std::function<BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>;
    using LawAtInterface = std::function<double(double)>;

    // How a surface's line intersection is worked out. For the library's own
    // plane, cylinder and cone faces the tracer takes the unbounded
    // surface's points and asks the face's Contains only for the nearest,
    // which is what the face's GetIntersection would have kept; any other
    // surface answers GetIntersection itself.
    enum class SurfaceKind
    {
        Plane,
        Cylinder,
        Cone,
        Other
    };
    // The defining data are copies: the tracer's solids never change.
    struct SurfaceEntry
    {
        const Tessam::Geometry3D::ISurface* surface;
        SurfaceKind kind;
        const Tessam::Geometry3D::Plane* plane;
        Tessam::Geometry3D::Point origin;
        Tessam::Geometry3D::Vector axis;
        double radius;
        double halfAngleCosine;
        bool outwardNormal;
        // The face's Contains is false wherever its plane's is.
        bool planeTestedFirst;
        // The face's Contains is false outside this band of
        // (point - origin) . axis, worked out the same way.
        bool bandTestedFirst;
        double bandLow;
        double bandHigh;
    };
    // A point where the ray meets a surface ahead of it, in the order of the
    // solid's surfaces and of the points each surface gives.
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
    static constexpr std::size_t NoSurface = static_cast<std::size_t>(-1);

    std::vector<Tessam::Geometry3D::LineSegment>
    CalculateLegs(const Tessam::Geometry3D::Point& entryPoint, const BeamAngles& angles,
                  const StopCondition& stopCondition,
                  const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
                  const std::vector<LawAtInterface>& lawsAtInterfaces);

    const Tessam::Geometry3D::ISurface* FindEntrySurface(const Tessam::Geometry3D::Point& entryPoint);
    const Tessam::Geometry3D::ISurface*
    FindSurfaceContainingPoint(const Tessam::Geometry3D::Point& point) const;
    // `knownContainer`, the index of a surface already known to contain the
    // point, is counted without asking it again.
    bool IsOnSeveralSurfaces(const Tessam::Geometry3D::Point& point,
                             std::size_t knownContainer = NoSurface) const;
    static Tessam::Geometry3D::Vector ComputeBeamDirection(const Tessam::Geometry3D::ISurface* entrySurface,
                                                           const Tessam::Geometry3D::Point& entryPoint,
                                                           const BeamAngles& angles);

    void TraceRay(Tessam::Geometry3D::Line ray, const StopCondition& stopCondition,
                  const std::vector<BehaviorFunction>& behaviorsAtInterfaces,
                  const std::vector<LawAtInterface>& lawsAtInterfaces,
                  std::vector<Tessam::Geometry3D::LineSegment>& legs);
    void ComputeIntersections(const Tessam::Geometry3D::Line& ray);
    // The index in `crossings` of the nearest point on its surface, or
    // NoSurface.
    std::size_t FindClosestIntersection();
    bool FindAdjacentSolid(const Tessam::Geometry3D::Point& point);
    // True only where the face's Contains is certainly false; cheap enough
    // to spare the call for the faces far from a point.
    static bool IsCertainlyOff(const SurfaceEntry& entry, const Tessam::Geometry3D::Point& point);
    static SurfaceEntry DescribeSurface(const Tessam::Geometry3D::ISurface* surface);
    // What the surface's GetNormal answers at a point it contains.
    static Tessam::Geometry3D::Vector NormalAt(const SurfaceEntry& entry,
                                               const Tessam::Geometry3D::Point& point);

    static Tessam::Geometry3D::Vector ReflectDirection(const Tessam::Geometry3D::Vector& incidentRayDirection,
                                                       const Tessam::Geometry3D::Vector& surfaceNormal);
    static Tessam::Geometry3D::Vector ApplyLawAtInterface(const Tessam::Geometry3D::Vector& rayDirection,
                                                          const Tessam::Geometry3D::Vector& surfaceNormal,
                                                          const LawAtInterface& lawAtInterface);

    const Tessam::Geometry3D::ISolid* currentSolid;
    std::vector<std::unique_ptr<const Tessam::Geometry3D::ISolid>> ownedSolids;
    // A view of ownedSolids, in the caller's order.
    std::vector<const Tessam::Geometry3D::ISolid*> configuration;
    // Per solid of the configuration, its surfaces in order.
    std::vector<std::vector<SurfaceEntry>> surfaceEntries;
    // Which of them currentSolid is.
    std::size_t currentSolidIndex;
    // Working buffers of one computation, kept so that a trace allocates
    // nothing per leg.
    std::vector<Crossing> crossings;
    std::vector<Tessam::Geometry3D::LineSegment> legBuffer;
};

} // namespace Quoria
