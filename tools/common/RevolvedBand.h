#pragma once

#include "FaceVisit.h"
#include "Point.h"
#include "Vector.h"

#include <optional>

namespace QuoriaTools
{

// The extent of a face swept about an axis, whatever its angular span: from
// `start` on the axis, where its radius is `startRadius`, to `length` further
// along `axis`, where it is `endRadius`.
struct RevolvedBand
{
    Tessam::Geometry3D::Point start;
    Tessam::Geometry3D::Vector axis;
    double startRadius;
    double endRadius;
    double length;
};

namespace Detail
{

struct RevolvedBands
{
    using Band = std::optional<RevolvedBand>;
    Band operator()(const Tessam::Geometry3D::CylindricalSurface& cylinder) const
    {
        const Tessam::Geometry3D::Vector& axis = cylinder.GetOrientation();
        return RevolvedBand{cylinder.GetCentroid() + axis * (-cylinder.GetHeight() / 2.0), axis,
                            cylinder.GetRadius(), cylinder.GetRadius(), cylinder.GetHeight()};
    }
    Band operator()(const Tessam::Geometry3D::CylindricalArcSurface& band) const
    {
        const Tessam::Geometry3D::Vector& axis = band.GetOrientation();
        return RevolvedBand{band.GetCentroid() + axis * (-band.GetHeight() / 2.0), axis, band.GetRadius(),
                            band.GetRadius(), band.GetHeight()};
    }
    // The apex is the origin of the axis; the cut-off tip lies before the
    // band.
    Band operator()(const Tessam::Geometry3D::TruncatedConicalSurface& frustum) const
    {
        const Tessam::Geometry3D::Vector& axis = frustum.GetOrientation();
        return RevolvedBand{frustum.GetApex() + axis * (frustum.GetHeight() - frustum.GetTruncatedHeight()),
                            axis, frustum.GetRadiusTop(), frustum.GetRadius(), frustum.GetTruncatedHeight()};
    }
    Band operator()(const Tessam::Geometry3D::ConicalSurface& cone) const
    {
        return RevolvedBand{cone.GetApex(), cone.GetOrientation(), 0.0, cone.GetRadius(), cone.GetHeight()};
    }
    Band operator()(const Tessam::Geometry3D::ISurface&) const { return std::nullopt; }
};

} // namespace Detail

// For cylinders, cylindrical arcs, cones and truncated cones; nothing for
// other faces.
inline std::optional<RevolvedBand> RevolvedBandOf(const Tessam::Geometry3D::ISurface& face)
{
    return VisitFace(face, Detail::RevolvedBands{});
}

} // namespace QuoriaTools
