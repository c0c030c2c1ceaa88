#include "CylindricalSolid.h"

#include "Rejection.h"

namespace Tessam
{
namespace Geometry3D
{

CylindricalSolid::CylindricalSolid(const Point& centroid, double height, const Vector& orientation)
    : centroid(centroid), height(height), orientation(orientation)
{
    RejectIf(height <= 0.0, "CylindricalSolid::CylindricalSolid : Height must be positive.");
    RejectIf(orientation.Length() == 0.0,
             "CylindricalSolid::CylindricalSolid : Orientation is a null vector.");
    this->orientation.Normalize();
}

const Point& CylindricalSolid::GetCentroid() const
{
    return centroid;
}

double CylindricalSolid::GetHeight() const
{
    return height;
}

const Vector& CylindricalSolid::GetOrientation() const
{
    return orientation;
}

std::vector<Point> CylindricalSolid::GetFacesCentroids() const
{
    const Vector toFirstFace = orientation * (height / 2.0);
    return {
        Point(centroid.X() + toFirstFace.X(), centroid.Y() + toFirstFace.Y(), centroid.Z() + toFirstFace.Z()),
        Point(centroid.X() - toFirstFace.X(), centroid.Y() - toFirstFace.Y(),
              centroid.Z() - toFirstFace.Z())};
}

} // namespace Geometry3D
} // namespace Tessam
