#pragma once

#include "Point.h"
#include "QuoriaExport.h"
#include "Solid.h"
#include "Vector.h"

#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// What bars and pipes share: the centroid halfway between the two end faces
// on the axis, the length along the axis and the axis direction.
class QUORIA_API CylindricalSolid : public Solid
{
public:
    CylindricalSolid(const Point& centroid, double height, const Vector& orientation);
    ~CylindricalSolid() override = default;

    const Point& GetCentroid() const;
    double GetHeight() const;
    // Unit vector.
    const Vector& GetOrientation() const;
    // The centroid of the end face along the orientation, then that of the
    // opposite end face.
    std::vector<Point> GetFacesCentroids() const;

private:
    Point centroid;
    double height;
    Vector orientation;
};

} // namespace Geometry3D
} // namespace Tessam
