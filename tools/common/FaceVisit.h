#pragma once

// The one place where the tools and the benchmarks tell the library's kinds
// of face apart, through the public classes only.

#include "ComplexFlatSurface.h"
#include "ConicalSurface.h"
#include "CylindricalArcSurface.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "DiskSector.h"
#include "FlatSurface.h"
#include "ISurface.h"
#include "Polygon.h"
#include "PrimitiveFlatSurface.h"
#include "Rectangle.h"
#include "Ring.h"
#include "Torus.h"
#include "TruncatedConicalSurface.h"
#include "TruncatedTorus.h"

namespace QuoriaTools
{

// Calls `visitor` with the face as the most derived of the library's public
// surface classes it belongs to, or as an ISurface when it is none of them.
// Overload resolution then picks the visitor's nearest overload: one for
// FlatSurface serves every flat kind, one for Polygon rectangles too. The
// visitor must take a `const ISurface&` for the faces it does not handle;
// every overload returns the same type.
template <typename Visitor>
auto VisitFace(const Tessam::Geometry3D::ISurface& face, Visitor&& visitor) -> decltype(visitor(face))
{
    using namespace Tessam::Geometry3D;
    // Each class before its bases.
    if (const auto* rectangle = dynamic_cast<const Rectangle*>(&face))
    {
        return visitor(*rectangle);
    }
    if (const auto* polygon = dynamic_cast<const Polygon*>(&face))
    {
        return visitor(*polygon);
    }
    if (const auto* sector = dynamic_cast<const DiskSector*>(&face))
    {
        return visitor(*sector);
    }
    if (const auto* disk = dynamic_cast<const Disk*>(&face))
    {
        return visitor(*disk);
    }
    if (const auto* primitive = dynamic_cast<const PrimitiveFlatSurface*>(&face))
    {
        return visitor(*primitive);
    }
    if (const auto* ring = dynamic_cast<const Ring*>(&face))
    {
        return visitor(*ring);
    }
    if (const auto* complex = dynamic_cast<const ComplexFlatSurface*>(&face))
    {
        return visitor(*complex);
    }
    if (const auto* flat = dynamic_cast<const FlatSurface*>(&face))
    {
        return visitor(*flat);
    }
    if (const auto* cylinder = dynamic_cast<const CylindricalSurface*>(&face))
    {
        return visitor(*cylinder);
    }
    if (const auto* band = dynamic_cast<const CylindricalArcSurface*>(&face))
    {
        return visitor(*band);
    }
    if (const auto* cone = dynamic_cast<const ConicalSurface*>(&face))
    {
        return visitor(*cone);
    }
    if (const auto* frustum = dynamic_cast<const TruncatedConicalSurface*>(&face))
    {
        return visitor(*frustum);
    }
    if (const auto* torus = dynamic_cast<const Torus*>(&face))
    {
        return visitor(*torus);
    }
    if (const auto* truncatedTorus = dynamic_cast<const TruncatedTorus*>(&face))
    {
        return visitor(*truncatedTorus);
    }
    return visitor(face);
}

namespace Detail
{

struct FaceKindNames
{
    using Name = const char*;
    Name operator()(const Tessam::Geometry3D::Rectangle&) const { return "Rectangle"; }
    Name operator()(const Tessam::Geometry3D::Polygon&) const { return "Polygon"; }
    Name operator()(const Tessam::Geometry3D::DiskSector&) const { return "DiskSector"; }
    Name operator()(const Tessam::Geometry3D::Disk&) const { return "Disk"; }
    Name operator()(const Tessam::Geometry3D::Ring&) const { return "Ring"; }
    Name operator()(const Tessam::Geometry3D::ComplexFlatSurface&) const { return "ComplexFlatSurface"; }
    Name operator()(const Tessam::Geometry3D::CylindricalSurface&) const { return "CylindricalSurface"; }
    Name operator()(const Tessam::Geometry3D::CylindricalArcSurface&) const
    {
        return "CylindricalArcSurface";
    }
    Name operator()(const Tessam::Geometry3D::ConicalSurface&) const { return "ConicalSurface"; }
    Name operator()(const Tessam::Geometry3D::TruncatedConicalSurface&) const
    {
        return "TruncatedConicalSurface";
    }
    Name operator()(const Tessam::Geometry3D::Torus&) const { return "Torus"; }
    Name operator()(const Tessam::Geometry3D::TruncatedTorus&) const { return "TruncatedTorus"; }
    Name operator()(const Tessam::Geometry3D::ISurface&) const { return "Surface"; }
};

} // namespace Detail

// The concrete kind of a face, for people: "Rectangle", "CylindricalArcSurface"...
inline const char* FaceKindName(const Tessam::Geometry3D::ISurface& face)
{
    return VisitFace(face, Detail::FaceKindNames{});
}

} // namespace QuoriaTools
