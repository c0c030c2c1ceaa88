#include "CounterboredPlate.h"

#include "Factories.h"
#include "FactorySurfaces.h"
#include "Rejection.h"
#include "SlopeQuadrants.h"

#include <algorithm>
#include <memory>

using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Polygon;
using Tessam::Geometry3D::RejectIf;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

namespace
{
// Quadrant indices into the slope array.
constexpr std::size_t BottomPlusY = 0;
constexpr std::size_t TopPlusY = 1;
constexpr std::size_t TopMinusY = 2;
constexpr std::size_t BottomMinusY = 3;

// Every vertex is the centre plus a fixed chain of vectors, so that faces
// sharing a vertex compute it bit for bit alike: the front and back faces
// are matched against the others by exact equality.
class PlateVertices
{
public:
    PlateVertices(const Point& centre, double sizeX, double sizeY, double sizeZ,
                  const std::array<const SlopeConfiguration, 4>& slopes)
        : centre(centre), halfY(sizeY / 2.0), front(-(sizeX / 2.0), 0.0, 0.0), back(sizeX / 2.0, 0.0, 0.0)
    {
        const double halfZ = sizeZ / 2.0;
        for (std::size_t q = 0; q < 4; ++q)
        {
            const bool bottom = IsBottomOrBore(q);
            zHalf[q] = Vector(0.0, 0.0, bottom ? halfZ : -halfZ);
            height[q] = Vector(0.0, 0.0, (bottom ? 1.0 : -1.0) * slopes[q].GetHeight());
            const SlopeSteps steps = StepsAlongY(slopes[q], q, halfY);
            offset[q] = steps.offset;
            width[q] = steps.width;
            // Carries a middle-zone vertex from the start of an absent slope
            // to the edge.
            toEdge[q] = steps.beyond;
            edge[q] = Vector(0.0, IsOnPlusSide(q) ? halfY : -halfY, 0.0);
        }
    }

    bool HasSlope(std::size_t q) const { return height[q].Length() != 0.0; }
    bool HasOuterFace(std::size_t q) const { return offset[q] + width[q] != edge[q]; }

    // Where the slope leaves the middle zone.
    Point Inner(std::size_t q, const Vector& x) const { return centre + zHalf[q] + x + offset[q]; }
    // Where the slope reaches the outer level.
    Point Outer(std::size_t q, const Vector& x) const
    {
        return centre + zHalf[q] + height[q] + x + offset[q] + width[q];
    }
    // The quadrant's corner at the edge of the plate.
    Point Corner(std::size_t q, const Vector& x) const { return centre + zHalf[q] + height[q] + x + edge[q]; }
    // An inner vertex of a quadrant without a slope, pushed out to the edge.
    Point InnerOrEdge(std::size_t q, const Vector& x) const
    {
        const Point inner = Inner(q, x);
        // The move is one vector, the sum of the two steps: adding the steps
        // to the vertex one by one rounds differently.
        return HasSlope(q) ? inner : inner + (width[q] + toEdge[q]);
    }

    // The cross-section at one end of the plate, every possible point of it,
    // running from the bottom middle zone towards -y and round to +y.
    std::vector<Point> Profile(const Vector& x) const
    {
        return {Inner(BottomMinusY, x), Outer(BottomMinusY, x), Corner(BottomMinusY, x),
                Corner(TopMinusY, x),   Outer(TopMinusY, x),    Inner(TopMinusY, x),
                Inner(TopPlusY, x),     Outer(TopPlusY, x),     Corner(TopPlusY, x),
                Corner(BottomPlusY, x), Outer(BottomPlusY, x),  Inner(BottomPlusY, x)};
    }

    const Vector& Front() const { return front; }
    const Vector& Back() const { return back; }

private:
    Point centre;
    double halfY;
    Vector front;
    Vector back;
    std::array<Vector, 4> zHalf;
    std::array<Vector, 4> height;
    std::array<Vector, 4> offset;
    std::array<Vector, 4> width;
    std::array<Vector, 4> edge;
    std::array<Vector, 4> toEdge;
};
} // namespace

Polygon* CreatePolygonFromValidAndUniquePoints(const std::vector<Point>& candidates,
                                               const std::vector<Point>& allVertices)
{
    std::vector<Point> kept;
    for (const Point& candidate : candidates)
    {
        const bool isVertex =
            std::find(allVertices.begin(), allVertices.end(), candidate) != allVertices.end();
        if (isVertex && std::find(kept.begin(), kept.end(), candidate) == kept.end())
        {
            kept.push_back(candidate);
        }
    }
    return new Polygon(kept);
}

std::vector<ISurface*> CreateCounterboredPlateSurfaces(const Point& centre, double sizeX, double sizeY,
                                                       double sizeZ,
                                                       const std::array<const SlopeConfiguration, 4>& slopes)
{
    const PlateVertices vertices(centre, sizeX, sizeY, sizeZ, slopes);
    const Vector& front = vertices.Front();
    const Vector& back = vertices.Back();

    std::vector<std::unique_ptr<Polygon>> faces;
    std::vector<Point> allVertices;
    const auto addFace = [&faces, &allVertices](std::vector<Point> points)
    {
        faces.push_back(std::make_unique<Polygon>(points));
        allVertices.insert(allVertices.end(), points.begin(), points.end());
    };

    const std::vector<Point> bottom{
        vertices.InnerOrEdge(BottomPlusY, front), vertices.InnerOrEdge(BottomPlusY, back),
        vertices.InnerOrEdge(BottomMinusY, back), vertices.InnerOrEdge(BottomMinusY, front)};
    // Middle zones of width 0 have no face.
    if (bottom[0].Y() != bottom[3].Y())
    {
        addFace(bottom);
    }
    const std::vector<Point> top{vertices.InnerOrEdge(TopPlusY, front),
                                 vertices.InnerOrEdge(TopMinusY, front),
                                 vertices.InnerOrEdge(TopMinusY, back), vertices.InnerOrEdge(TopPlusY, back)};
    if (top[0].Y() != top[1].Y())
    {
        addFace(top);
    }

    for (std::size_t q = 0; q < 4; ++q)
    {
        if (!vertices.HasSlope(q))
        {
            continue;
        }
        const bool fromFront = IsOddQuadrant(q);
        const Vector& first = fromFront ? front : back;
        const Vector& second = fromFront ? back : front;
        addFace({vertices.Inner(q, first), vertices.Outer(q, first), vertices.Outer(q, second),
                 vertices.Inner(q, second)});
        if (vertices.HasOuterFace(q))
        {
            addFace({vertices.Outer(q, first), vertices.Corner(q, first), vertices.Corner(q, second),
                     vertices.Outer(q, second)});
        }
    }

    addFace({vertices.Corner(TopMinusY, front), vertices.Corner(BottomMinusY, front),
             vertices.Corner(BottomMinusY, back), vertices.Corner(TopMinusY, back)});
    addFace({vertices.Corner(BottomPlusY, front), vertices.Corner(TopPlusY, front),
             vertices.Corner(TopPlusY, back), vertices.Corner(BottomPlusY, back)});

    // The profile holds the points of every possible slope; only those that
    // some face really has are kept, so absent slopes drop out.
    faces.push_back(std::unique_ptr<Polygon>(
        CreatePolygonFromValidAndUniquePoints(vertices.Profile(front), allVertices)));
    std::vector<Point> backProfile = vertices.Profile(back);
    std::reverse(backProfile.begin(), backProfile.end());
    faces.push_back(
        std::unique_ptr<Polygon>(CreatePolygonFromValidAndUniquePoints(backProfile, allVertices)));

    std::vector<ISurface*> surfaces;
    surfaces.reserve(faces.size());
    for (std::unique_ptr<Polygon>& face : faces)
    {
        surfaces.push_back(face.release());
    }
    return surfaces;
}

const Solid* CreateAxisAlignedCounterboredPlate(const Point& centre, double sizeX, double sizeY, double sizeZ,
                                                std::array<const SlopeConfiguration, 4> slopes)
{
    RejectIf(sizeX <= 0.0 || sizeY <= 0.0 || sizeZ <= 0.0,
             "SpecimenFactory::CreateAxisAlignedCounterboredPlate : All sizes must be larger than 0.");
    for (const SlopeConfiguration& slope : slopes)
    {
        RejectIf(slope.GetOffset() + slope.GetWidth() > sizeY / 2.0,
                 "SpecimenFactory::CreateAxisAlignedCounterboredPlate : The sum of the offset "
                 "and the width for one slope must be smaller of equal to half the size in y.");
    }

    return CreateCustomSolid(CreateCounterboredPlateSurfaces(centre, sizeX, sizeY, sizeZ, slopes));
}

} // namespace Quoria
