#pragma once

#include "Polygon.h"
#include "QuoriaExport.h"

namespace Tessam
{
namespace Geometry3D
{

// A polygon of four vertices whose corners are right angles.
class QUORIA_API Rectangle : public Polygon
{
public:
    explicit Rectangle(const std::vector<Point>& points);
    ~Rectangle() override = default;

    ISurface* Clone() const override;
};

} // namespace Geometry3D
} // namespace Tessam
