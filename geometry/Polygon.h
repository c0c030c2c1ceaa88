#pragma once

#include "Point.h"
#include "PrimitiveFlatSurface.h"
#include "QuoriaExport.h"

#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// A plane face bounded by straight edges through its vertices, the last
// joined back to the first. Its plane comes from the first three vertices;
// its centroid is the mean of the vertices, not the area centroid.
class QUORIA_API Polygon : public PrimitiveFlatSurface
{
public:
    explicit Polygon(const std::vector<Point>& points);
    ~Polygon() override = default;

    const std::vector<Point>& GetPoints() const;

    bool Contains(const Point& point) const override;
    IContour* GetContour() const override;
    ISurface* Clone() const override;
    bool operator==(const ISurface& other) const override;

private:
    std::vector<Point> points;
};

} // namespace Geometry3D
} // namespace Tessam
