#pragma once

#include "BehaviorAtInterface.h"
#include "Mesh.h"

#include <array>
#include <cstddef>
#include <vector>

namespace QuoriaBench
{

using Point3 = std::array<double, 3>;

// The same walk as the tracer's, on triangle meshes: one scene per solid,
// the nearest hit ahead, mirrored at the facet's normal, or handed to the
// next solid on Transmit (the meshes of a configuration touch where the
// solids do). Legs end points go into a caller-owned buffer, so a trace
// allocates nothing.
class EmbreeReference
{
public:
    explicit EmbreeReference(const std::vector<Mesh>& meshes);
    EmbreeReference(const EmbreeReference&) = delete;
    EmbreeReference& operator=(const EmbreeReference&) = delete;
    ~EmbreeReference();

    // Returns the number of legs written to `ends` (at most its size).
    std::size_t Trace(std::size_t solid, const Point3& start, const Point3& direction,
                      const std::vector<Quoria::BehaviorAtInterface>& behaviors, std::size_t maximumLegs,
                      std::vector<Point3>& ends) const;

private:
    struct Device;
    Device* device;
};

} // namespace QuoriaBench
