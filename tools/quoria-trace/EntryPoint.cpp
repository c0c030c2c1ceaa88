#include "EntryPoint.h"

#include "FaceVisit.h"
#include "Line.h"
#include "NumberText.h"
#include "ScenarioError.h"

#include <cmath>
#include <limits>

using namespace Tessam::Geometry3D;

namespace QuoriaTrace
{

namespace
{

std::optional<Vector> RadialDirection(const Point& p, const Point& onAxis, const Vector& axis)
{
    const Vector v = p - onAxis;
    Vector radial = v - axis * v.Dot(axis);
    if (radial.Length() < 1e-12)
    {
        return std::nullopt;
    }
    radial.Normalize();
    return radial;
}

// On a cone the normal lies in the meridian plane, perpendicular to the
// generatrix: tilted from the radial direction by the half angle.
std::optional<Vector> ConeNormalDirection(const Point& p, const Point& apex, const Vector& axis,
                                          double halfAngle)
{
    const auto radial = RadialDirection(p, apex, axis);
    if (!radial)
    {
        return std::nullopt;
    }
    return *radial * std::cos(halfAngle) - axis * std::sin(halfAngle);
}

// The direction along which the face lies nearest to p, for the kinds of
// face that specimens are made of.
struct SearchDirection
{
    using Direction = std::optional<Vector>;
    Direction operator()(const FlatSurface& flat) const { return flat.GetPlane().GetNormal(); }
    Direction operator()(const CylindricalSurface& cylinder) const
    {
        return RadialDirection(p, cylinder.GetCentroid(), cylinder.GetOrientation());
    }
    Direction operator()(const CylindricalArcSurface& band) const
    {
        return RadialDirection(p, band.GetCentroid(), band.GetOrientation());
    }
    Direction operator()(const ConicalSurface& cone) const
    {
        return ConeNormalDirection(p, cone.GetApex(), cone.GetOrientation(), cone.GetHalfAngle().Radians());
    }
    Direction operator()(const TruncatedConicalSurface& frustum) const
    {
        return ConeNormalDirection(p, frustum.GetApex(), frustum.GetOrientation(),
                                   frustum.GetHalfAngle().Radians());
    }
    Direction operator()(const ISurface&) const { return std::nullopt; }

    const Point& p;
};

std::vector<std::size_t> FacesContaining(const ISolid& solid, const Point& p)
{
    std::vector<std::size_t> faces;
    const auto& surfaces = solid.GetSurfaces();
    for (std::size_t i = 0; i < surfaces.size(); ++i)
    {
        if (surfaces[i]->Contains(p))
        {
            faces.push_back(i);
        }
    }
    return faces;
}

} // namespace

EntryChoice ResolveEntry(const EntryInput& entry, const std::vector<const ISolid*>& solids,
                         const Scenario& scenario)
{
    EntryChoice choice;
    choice.point = entry.point;
    if (!entry.snapSpecimen)
    {
        // Report the face the tracer will start from: the first solid that holds the point.
        for (std::size_t s = 0; s < solids.size() && !choice.specimen; ++s)
        {
            const auto faces = FacesContaining(*solids[s], entry.point);
            if (!faces.empty())
            {
                choice.specimen = s;
                choice.face = faces.front();
                choice.faceKind = QuoriaTools::FaceKindName(*solids[s]->GetSurfaces()[faces.front()]);
            }
        }
        return choice;
    }

    const std::size_t target = *entry.snapSpecimen;
    const ISolid& solid = *solids.at(target);
    const std::string& name = scenario.specimens.at(target).name;
    const auto& surfaces = solid.GetSurfaces();
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < surfaces.size(); ++i)
    {
        const auto direction = QuoriaTools::VisitFace(*surfaces[i], SearchDirection{entry.point});
        if (!direction)
        {
            continue;
        }
        const Intersection hits = surfaces[i]->GetIntersection(Line(entry.point, *direction));
        for (const Point& hit : hits.GetPoints())
        {
            const double distance = hit.DistanceTo(entry.point);
            if (distance < best)
            {
                best = distance;
                choice.point = hit;
                choice.face = i;
            }
        }
    }
    if (!choice.face)
    {
        throw ScenarioError(entry.place, "no face of specimen \"" + name + "\" lies along a normal through " +
                                             GeneralPoint(entry.point) + "; give a point nearer to the face");
    }

    const auto faces = FacesContaining(solid, choice.point);
    if (faces.size() > 1)
    {
        throw ScenarioError(entry.place, "the point " + GeneralPoint(entry.point) +
                                             " snaps onto an edge of \"" + name + "\" (faces " +
                                             std::to_string(faces[0]) + " and " + std::to_string(faces[1]) +
                                             "); move it away from the edge");
    }
    choice.snapped = true;
    choice.moved = best;
    choice.specimen = target;
    choice.faceKind = QuoriaTools::FaceKindName(*surfaces[*choice.face]);
    return choice;
}

} // namespace QuoriaTrace
