#pragma once

#include "ISolid.h"
#include "Point.h"
#include "Scenario.h"

#include <optional>
#include <string>
#include <vector>

namespace QuoriaTrace
{

// The entry point handed to the library, and the face it lies on.
struct EntryChoice
{
    Tessam::Geometry3D::Point point;
    bool snapped = false;
    // How far snapping moved the point given in the file.
    double moved = 0.0;
    std::optional<std::size_t> specimen;
    std::optional<std::size_t> face;
    std::string faceKind;
};

// The library accepts only points within 1e-11 of a face. A snapped point is
// found by the library's own line intersection (a line through the given
// point along the face's normal direction), so the face contains it by
// construction; the nearest face of the named specimen wins. Throws
// ScenarioError when no face lies under the point or it snaps onto an edge.
EntryChoice ResolveEntry(const EntryInput& entry,
                         const std::vector<const Tessam::Geometry3D::ISolid*>& solids,
                         const Scenario& scenario);

} // namespace QuoriaTrace
