#pragma once

#include "BeamAngles.h"
#include "BehaviorAtInterface.h"
#include "ISurface.h"
#include "Point.h"
#include "Solid.h"
#include "Vector.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace QuoriaBench
{

struct Beam
{
    Tessam::Geometry3D::Point entry;
    Quoria::BeamAngles angles;
    std::vector<Quoria::BehaviorAtInterface> behaviors;
    unsigned int legCount;
};

// The solids of one configuration, in tracing order, and the beams sent
// through it.
struct Specimen
{
    std::vector<std::unique_ptr<const Tessam::Geometry3D::Solid>> solids;
    std::vector<Beam> beams;

    std::vector<const Tessam::Geometry3D::Solid*> Configuration() const;
};

struct Scenario
{
    std::string name;
    // Builds the solids only: what the build benchmark times.
    std::function<std::vector<std::unique_ptr<const Tessam::Geometry3D::Solid>>()> build;
    // Beams are chosen on the built solids (wedge entry points lie on their top face).
    std::function<std::vector<Beam>(const std::vector<const Tessam::Geometry3D::Solid*>&)> beams;

    Specimen Make() const;
};

std::vector<Scenario> MakeScenarios();

// The plate scenario's box, for the hand-written reference.
struct Box
{
    double min[3];
    double max[3];
};
Box PlateBox();

// The beam's first direction, worked out as the tracer does it, for the
// references that start from the same beams.
Tessam::Geometry3D::Vector InitialDirection(const Tessam::Geometry3D::ISurface& entrySurface,
                                            const Tessam::Geometry3D::Point& entry,
                                            const Quoria::BeamAngles& angles);

// The first solid, in configuration order, with a surface containing the point, and that surface.
struct EntryFace
{
    std::size_t solid;
    const Tessam::Geometry3D::ISurface* surface;
};
EntryFace FindEntryFace(const std::vector<const Tessam::Geometry3D::Solid*>& solids,
                        const Tessam::Geometry3D::Point& entry);

} // namespace QuoriaBench
