#include "Solid.h"

#include "ArcSegment.h"
#include "Contour.h"
#include "ISurface.h"
#include "LineSegment.h"

#include <memory>

namespace Tessam
{
namespace Geometry3D
{

std::vector<const FlatSurface*> Solid::GetFlatSurfaces() const
{
    return {};
}

std::vector<const ComplexFlatSurface*> Solid::GetComplexFlatSurfaces() const
{
    return {};
}

std::vector<const Ring*> Solid::GetRings() const
{
    return {};
}

std::vector<const PrimitiveFlatSurface*> Solid::GetPrimitiveFlatSurfaces() const
{
    return {};
}

std::vector<const Disk*> Solid::GetDisks() const
{
    return {};
}

std::vector<const DiskSector*> Solid::GetDiskSectors() const
{
    return {};
}

std::vector<const Polygon*> Solid::GetPolygons() const
{
    return {};
}

std::vector<const Rectangle*> Solid::GetRectangles() const
{
    return {};
}

std::vector<const CylindricalSurface*> Solid::GetCylindricalSurfaces() const
{
    return {};
}

std::vector<const CylindricalArcSurface*> Solid::GetCylindricalArcSurfaces() const
{
    return {};
}

std::vector<const ConicalSurface*> Solid::GetConicalSurfaces() const
{
    return {};
}

std::vector<const TruncatedConicalSurface*> Solid::GetTruncatedConicalSurfaces() const
{
    return {};
}

std::vector<const Torus*> Solid::GetTori() const
{
    return {};
}

std::vector<const TruncatedTorus*> Solid::GetTruncatedTori() const
{
    return {};
}

IContour* Solid::GetContour() const
{
    // Every edge once per surface it bounds, surface by surface; the result
    // need not be closed, hence the null normal.
    std::vector<std::unique_ptr<const ISegment>> copies;
    for (const ISurface* surface : GetSurfaces())
    {
        const std::unique_ptr<const IContour> contour(surface->GetContour());
        for (const ISegment* segment : contour->GetSegments())
        {
            if (const auto* line = dynamic_cast<const LineSegment*>(segment))
            {
                copies.push_back(std::make_unique<const LineSegment>(*line));
            }
            else
            {
                copies.push_back(
                    std::make_unique<const ArcSegment>(static_cast<const ArcSegment&>(*segment)));
            }
        }
    }
    std::vector<const ISegment*> segments;
    segments.reserve(copies.size());
    for (const auto& copy : copies)
    {
        segments.push_back(copy.get());
    }
    return new Contour(segments, Vector(0.0, 0.0, 0.0));
}

bool Solid::operator==(const ISolid& other) const
{
    const std::vector<const ISurface*>& surfaces = GetSurfaces();
    const std::vector<const ISurface*>& otherSurfaces = other.GetSurfaces();
    if (surfaces.size() != otherSurfaces.size())
    {
        return false;
    }
    for (std::size_t i = 0; i < surfaces.size(); ++i)
    {
        if (*surfaces[i] != *otherSurfaces[i])
        {
            return false;
        }
    }
    return true;
}

bool Solid::operator!=(const ISolid& other) const
{
    return !(*this == other);
}

} // namespace Geometry3D
} // namespace Tessam
