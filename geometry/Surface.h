#pragma once

#include "ISurface.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// The common base of every surface: the segment intersection and the
// inequality are the same for all of them.
class QUORIA_API Surface : public ISurface
{
public:
    Surface() = default;
    ~Surface() override = default;

    Intersection GetIntersection(const LineSegment& segment) const override;
    Intersection GetIntersection(const Line& line) const override = 0;
    bool operator!=(const ISurface& other) const override;
};

} // namespace Geometry3D
} // namespace Tessam
