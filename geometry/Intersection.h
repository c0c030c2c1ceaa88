#pragma once

#include "Point.h"
#include "QuoriaExport.h"

#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// The result of every intersection: the isolated common points in the order
// the operation found them, and whether the operands share infinitely many
// points (then no meaningful point is listed).
class QUORIA_API Intersection
{
public:
    explicit Intersection(const std::vector<Point>& points = std::vector<Point>(), bool isInfinite = false);

    const std::vector<Point>& GetPoints() const;
    bool IsInfinite() const;

private:
    std::vector<Point> points;
    bool isInfinite;
};

} // namespace Geometry3D
} // namespace Tessam
