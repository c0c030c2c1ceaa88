#include "SharedFaces.h"

#include <algorithm>
#include <cmath>

using Tessam::Geometry3D::ShapeKind;
using Tessam::Geometry3D::SurfaceShape;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

namespace
{

// Faces built from different corners by different factories agree to far
// better than this; surfaces this close meet nowhere else in a specimen.
constexpr double SameSurfaceTolerance = 1e-9;

bool AreOpposite(const Vector& first, const Vector& second)
{
    return first.Dot(second) < -1.0 + SameSurfaceTolerance;
}

bool AreParallel(const Vector& first, const Vector& second)
{
    return first.Cross(second).Length() < SameSurfaceTolerance;
}

double Scaled(double length)
{
    return SameSurfaceTolerance * std::max(1.0, std::fabs(length));
}

// Distance from `point` to the line through `origin` along the unit `axis`.
double DistanceToAxis(const Tessam::Geometry3D::Point& point, const Tessam::Geometry3D::Point& origin,
                      const Vector& axis)
{
    const Vector offset = point - origin;
    return (offset - offset.Dot(axis) * axis).Length();
}

bool SharePlane(const SurfaceShape& first, const SurfaceShape& second)
{
    const Vector& normal = first.plane->GetNormal();
    // With opposite normals the second plane's offset is minus the first's.
    return AreOpposite(normal, second.plane->GetNormal()) &&
           std::fabs(first.plane->GetOffset() + second.plane->GetOffset()) <=
               Scaled(first.plane->GetOffset());
}

// Which way the normal points is kept apart from the axis's sense, so a
// cylinder described along -x is the same as one along +x.
bool ShareCylinder(const SurfaceShape& first, const SurfaceShape& second)
{
    return AreParallel(first.axis, second.axis) &&
           DistanceToAxis(second.origin, first.origin, first.axis) <= Scaled(first.radius) &&
           std::fabs(first.radius - second.radius) <= Scaled(first.radius) &&
           first.outwardNormal != second.outwardNormal;
}

bool ShareCone(const SurfaceShape& first, const SurfaceShape& second)
{
    return first.axis.Dot(second.axis) > 1.0 - SameSurfaceTolerance &&
           first.origin.DistanceTo(second.origin) <=
               Scaled(std::max(std::fabs(first.origin.X()),
                               std::max(std::fabs(first.origin.Y()), std::fabs(first.origin.Z())))) &&
           std::fabs(first.halfAngleCosine - second.halfAngleCosine) <= SameSurfaceTolerance &&
           first.outwardNormal != second.outwardNormal;
}

} // namespace

SharedFaces FindSharedFaces(const TraceScene& scene, std::size_t first, std::size_t second)
{
    SharedFaces shared;
    const std::vector<SurfaceShape>& firstFaces = scene.Faces(first);
    for (std::size_t index = 0; index < firstFaces.size(); ++index)
    {
        const SurfaceShape& face = firstFaces[index];
        SharedFace sharedFace{index, &face, {}};
        for (const SurfaceShape& other : scene.Faces(second))
        {
            if (face.kind != other.kind)
            {
                continue;
            }
            switch (face.kind)
            {
            case ShapeKind::Plane:
                if (SharePlane(face, other))
                {
                    sharedFace.counterparts.push_back(&other);
                }
                break;
            case ShapeKind::Cylinder:
                if (ShareCylinder(face, other))
                {
                    sharedFace.counterparts.push_back(&other);
                }
                break;
            case ShapeKind::Cone:
                shared.conicalFaceShared = shared.conicalFaceShared || ShareCone(face, other);
                break;
            case ShapeKind::Other:
                break;
            }
        }
        if (!sharedFace.counterparts.empty())
        {
            shared.faces.push_back(std::move(sharedFace));
        }
    }
    return shared;
}

} // namespace Quoria
