#include "Mesh.h"

#include "ArcSegment.h"
#include "FaceVisit.h"
#include "IContour.h"
#include "RevolvedBand.h"

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>

using namespace Tessam::Geometry3D;

namespace QuoriaBench
{

namespace
{
const double TwoPi = 6.283185307179586;

class Builder
{
public:
    Builder(Mesh& mesh, int segmentsPerTurn) : mesh(mesh), segmentsPerTurn(segmentsPerTurn) {}

    void Add(const ISurface& surface)
    {
        QuoriaTools::VisitFace(surface, [this](const auto& face) { AddFace(face); });
    }

private:
    void AddFace(const Polygon& polygon) { AddLoop(polygon.GetPoints(), polygon.GetNormal(Point())); }

    void AddFace(const Ring& ring)
    {
        AddRing(ring.GetCenter(), ring.GetInnerRadius(), ring.GetOuterRadius(), ring.GetNormal(Point()));
    }

    void AddFace(const Disk& disk)
    {
        AddRing(disk.GetCentroid(), 0.0, disk.GetRadius(), disk.GetNormal(Point()));
    }

    void AddFace(const ComplexFlatSurface& complex) { AddComplex(complex); }

    void AddFace(const CylindricalSurface& cylinder)
    {
        const QuoriaTools::RevolvedBand band = *QuoriaTools::RevolvedBandOf(cylinder);
        AddRevolved(cylinder, band, AnyPerpendicular(band.axis), 0.0, TwoPi);
    }

    void AddFace(const CylindricalArcSurface& arc)
    {
        AddRevolved(arc, *QuoriaTools::RevolvedBandOf(arc), arc.GetRadialOrientation(),
                    arc.GetFirstAngle().Radians(), arc.GetLastAngle().Radians());
    }

    void AddFace(const TruncatedConicalSurface& cone)
    {
        const QuoriaTools::RevolvedBand band = *QuoriaTools::RevolvedBandOf(cone);
        if (IsFullRevolution(cone))
        {
            AddRevolved(cone, band, AnyPerpendicular(band.axis), 0.0, TwoPi);
        }
        else
        {
            AddRevolved(cone, band, cone.GetRadialOrientation(), cone.GetFirstAngle().Radians(),
                        cone.GetLastAngle().Radians());
        }
    }

    void AddFace(const ISurface& surface)
    {
        throw std::runtime_error(std::string("cannot tessellate a ") + QuoriaTools::FaceKindName(surface));
    }

    unsigned int AddVertex(const Point& point)
    {
        mesh.vertices.push_back({point.X(), point.Y(), point.Z()});
        return static_cast<unsigned int>(mesh.vertices.size() - 1);
    }

    // The angular accessors of a full cone throw.
    static bool IsFullRevolution(const TruncatedConicalSurface& cone)
    {
        try
        {
            cone.GetRadialOrientation();
            return false;
        }
        catch (const std::exception&)
        {
            return true;
        }
    }

    static Vector AnyPerpendicular(const Vector& axis)
    {
        Vector perpendicular =
            std::fabs(axis.X()) < 0.9 ? axis.Cross(Vector(1, 0, 0)) : axis.Cross(Vector(0, 1, 0));
        perpendicular.Normalize();
        return perpendicular;
    }

    int SegmentsFor(double span) const
    {
        return std::max(1, static_cast<int>(std::ceil(segmentsPerTurn * span / TwoPi - 1e-9)));
    }

    // The band swept from angle `first` to `last` (through 0 when last <=
    // first) about its axis, the angles measured from `radial`.
    void AddRevolved(const ISurface& surface, const QuoriaTools::RevolvedBand& band, const Vector& radial,
                     double first, double last)
    {
        const double span = last > first ? last - first : last + TwoPi - first;
        const int segments = SegmentsFor(span);
        const Vector side = band.axis.Cross(radial);
        std::vector<unsigned int> startRing, endRing;
        for (int i = 0; i <= segments; ++i)
        {
            const double angle = first + span * i / segments;
            const Vector direction = radial * std::cos(angle) + side * std::sin(angle);
            const Point a = band.start + direction * band.startRadius;
            const Point b = band.start + band.axis * band.length + direction * band.endRadius;
            mesh.strayVertices += (surface.Contains(a) ? 0 : 1) + (surface.Contains(b) ? 0 : 1);
            startRing.push_back(AddVertex(a));
            endRing.push_back(AddVertex(b));
        }
        for (int i = 0; i < segments; ++i)
        {
            mesh.triangles.push_back({startRing[i], startRing[i + 1], endRing[i + 1]});
            mesh.triangles.push_back({startRing[i], endRing[i + 1], endRing[i]});
        }
    }

    void AddRing(const Point& centre, double inner, double outer, const Vector& normal)
    {
        const Vector radial = AnyPerpendicular(normal);
        const Vector side = normal.Cross(radial);
        const int segments = SegmentsFor(TwoPi);
        std::vector<unsigned int> innerRing, outerRing;
        for (int i = 0; i <= segments; ++i)
        {
            const double angle = TwoPi * i / segments;
            const Vector direction = radial * std::cos(angle) + side * std::sin(angle);
            innerRing.push_back(AddVertex(centre + direction * inner));
            outerRing.push_back(AddVertex(centre + direction * outer));
        }
        for (int i = 0; i < segments; ++i)
        {
            mesh.triangles.push_back({innerRing[i], outerRing[i], outerRing[i + 1]});
            if (inner > 0.0)
            {
                mesh.triangles.push_back({innerRing[i], outerRing[i + 1], innerRing[i + 1]});
            }
        }
    }

    // A complex face bounded by one closed loop of lines and arcs. Where its
    // contour cannot be had, its first operand stands in for it.
    void AddComplex(const ComplexFlatSurface& surface)
    {
        std::unique_ptr<IContour> contour;
        try
        {
            contour.reset(surface.GetContour());
        }
        catch (const std::exception&)
        {
            ++mesh.substitutedFaces;
            Add(*surface.GetFirstSurface());
            return;
        }
        if (!contour->IsClosed())
        {
            throw std::runtime_error("cannot tessellate a complex face of several loops");
        }
        std::vector<Point> loop;
        for (const ISegment* segment : contour->GetSegments())
        {
            const bool forward = loop.empty() || segment->GetFirstPoint().IsAlmostEqual(loop.back(), 1e-6);
            std::vector<Point> points = Sample(*segment);
            if (!forward)
            {
                points.assign(points.rbegin(), points.rend());
            }
            loop.insert(loop.end(), points.begin(), points.end() - 1);
        }
        AddLoop(loop, surface.GetNormal(Point()));
    }

    std::vector<Point> Sample(const ISegment& segment) const
    {
        const auto* arc = dynamic_cast<const ArcSegment*>(&segment);
        if (arc == nullptr)
        {
            return {segment.GetFirstPoint(), segment.GetSecondPoint()};
        }
        const double first = arc->GetFirstAngle().Radians();
        const double span = arc->GetSecondAngle().Radians() - first;
        const int segments = SegmentsFor(span);
        const Vector radial = arc->GetRadialOrientation();
        const Vector side = arc->GetPlaneNormal().Cross(radial);
        std::vector<Point> points{segment.GetFirstPoint()};
        for (int i = 1; i < segments; ++i)
        {
            const double angle = first + span * i / segments;
            points.push_back(arc->GetCenter() +
                             (radial * std::cos(angle) + side * std::sin(angle)) * arc->GetRadius());
        }
        points.push_back(segment.GetSecondPoint());
        return points;
    }

    // Ear clipping in the plane of the face, projected along its normal's
    // largest component.
    void AddLoop(const std::vector<Point>& loop, const Vector& normal)
    {
        const double n[3] = {std::fabs(normal.X()), std::fabs(normal.Y()), std::fabs(normal.Z())};
        const int drop = n[0] > n[1] ? (n[0] > n[2] ? 0 : 2) : (n[1] > n[2] ? 1 : 2);
        std::vector<std::array<double, 2>> flat;
        std::vector<unsigned int> indices;
        for (const Point& point : loop)
        {
            const double c[3] = {point.X(), point.Y(), point.Z()};
            flat.push_back({c[(drop + 1) % 3], c[(drop + 2) % 3]});
            indices.push_back(AddVertex(point));
        }
        double area = 0.0;
        for (std::size_t i = 0; i < flat.size(); ++i)
        {
            const auto& a = flat[i];
            const auto& b = flat[(i + 1) % flat.size()];
            area += a[0] * b[1] - b[0] * a[1];
        }
        const double orientation = area > 0.0 ? 1.0 : -1.0;
        const auto cross = [&flat](std::size_t a, std::size_t b, std::size_t c)
        {
            return (flat[b][0] - flat[a][0]) * (flat[c][1] - flat[a][1]) -
                   (flat[b][1] - flat[a][1]) * (flat[c][0] - flat[a][0]);
        };
        std::vector<std::size_t> remaining;
        for (std::size_t i = 0; i < flat.size(); ++i)
        {
            remaining.push_back(i);
        }
        while (remaining.size() > 3)
        {
            bool clipped = false;
            for (std::size_t k = 0; k < remaining.size() && !clipped; ++k)
            {
                const std::size_t a = remaining[(k + remaining.size() - 1) % remaining.size()];
                const std::size_t b = remaining[k];
                const std::size_t c = remaining[(k + 1) % remaining.size()];
                if (orientation * cross(a, b, c) <= 0.0)
                {
                    continue;
                }
                bool empty = true;
                for (const std::size_t p : remaining)
                {
                    if (p != a && p != b && p != c && orientation * cross(a, b, p) > 0.0 &&
                        orientation * cross(b, c, p) > 0.0 && orientation * cross(c, a, p) > 0.0)
                    {
                        empty = false;
                        break;
                    }
                }
                if (empty)
                {
                    mesh.triangles.push_back({indices[a], indices[b], indices[c]});
                    remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(k));
                    clipped = true;
                }
            }
            // Only collinear or repeated corners left to clip (a cut face's
            // rim meets its straight edge there): drop the flattest corner,
            // it carries no area.
            if (!clipped)
            {
                std::size_t flattest = 0;
                double smallest = std::numeric_limits<double>::infinity();
                for (std::size_t k = 0; k < remaining.size(); ++k)
                {
                    const double bend =
                        std::fabs(cross(remaining[(k + remaining.size() - 1) % remaining.size()],
                                        remaining[k], remaining[(k + 1) % remaining.size()]));
                    if (bend < smallest)
                    {
                        smallest = bend;
                        flattest = k;
                    }
                }
                if (!(smallest <= 1e-9 * (1.0 + std::fabs(area))))
                {
                    throw std::runtime_error("ear clipping found no ear");
                }
                remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(flattest));
            }
        }
        mesh.triangles.push_back({indices[remaining[0]], indices[remaining[1]], indices[remaining[2]]});
    }

    Mesh& mesh;
    int segmentsPerTurn;
};
} // namespace

Mesh Tessellate(const Solid& solid, int segmentsPerTurn)
{
    Mesh mesh;
    Builder builder(mesh, segmentsPerTurn);
    for (const ISurface* surface : solid.GetSurfaces())
    {
        builder.Add(*surface);
    }
    return mesh;
}

} // namespace QuoriaBench
