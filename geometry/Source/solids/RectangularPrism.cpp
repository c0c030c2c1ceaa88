#include "RectangularPrism.h"

#include "OwnedSurfaces.h"
#include "Rectangle.h"
#include "Rejection.h"

namespace Tessam
{
namespace Geometry3D
{

RectangularPrism::RectangularPrism(const Point& centroid, const Vector& firstAxis, const Vector& secondAxis,
                                   const Vector& thirdAxis, double firstSize, double secondSize,
                                   double thirdSize)
    : centroid(centroid), firstAxis(firstAxis.Normalized()), secondAxis(secondAxis.Normalized()),
      thirdAxis(thirdAxis.Normalized()), firstSize(firstSize), secondSize(secondSize), thirdSize(thirdSize)
{
    RejectIf(firstSize <= 0.0 || secondSize <= 0.0 || thirdSize <= 0.0,
             "RectangularPrism::RectangularPrism : Prism sizes must be larger than 0.");
    // The raw axes are tested, so the tolerance applies to unnormalised dot
    // products.
    RejectIf(!firstAxis.IsOrthogonal(secondAxis) || !secondAxis.IsOrthogonal(thirdAxis) ||
                 !thirdAxis.IsOrthogonal(firstAxis),
             "RectangularPrism::RectangularPrism : The three axis must form an orthogonal system.");

    const Vector left = this->firstAxis * (-firstSize / 2.0);
    const Vector right = this->firstAxis * (firstSize / 2.0);
    const Vector front = this->secondAxis * (secondSize / 2.0);
    const Vector back = this->secondAxis * (-secondSize / 2.0);
    const Vector top = this->thirdAxis * (-thirdSize / 2.0);
    const Vector bottom = this->thirdAxis * (thirdSize / 2.0);

    const Point bottomLeftFrontCorner = centroid + left + front + bottom;
    const Point topLeftFrontCorner = centroid + left + front + top;
    const Point topLeftBackCorner = centroid + left + back + top;
    const Point bottomLeftBackCorner = centroid + left + back + bottom;
    const Point bottomRightFrontCorner = centroid + right + front + bottom;
    const Point topRightFrontCorner = centroid + right + front + top;
    const Point topRightBackCorner = centroid + right + back + top;
    const Point bottomRightBackCorner = centroid + right + back + bottom;

    const auto addFace = [this](const Point& p0, const Point& p1, const Point& p2, const Point& p3)
    {
        AppendOwnedSurface(ownedSurfaces, surfaces,
                           std::make_unique<const Rectangle>(std::vector<Point>{p0, p1, p2, p3}));
    };
    addFace(bottomLeftFrontCorner, topLeftFrontCorner, topRightFrontCorner, bottomRightFrontCorner);
    addFace(bottomLeftFrontCorner, bottomLeftBackCorner, topLeftBackCorner, topLeftFrontCorner);
    addFace(bottomLeftBackCorner, bottomRightBackCorner, topRightBackCorner, topLeftBackCorner);
    addFace(bottomRightFrontCorner, topRightFrontCorner, topRightBackCorner, bottomRightBackCorner);
    addFace(topLeftFrontCorner, topLeftBackCorner, topRightBackCorner, topRightFrontCorner);
    addFace(bottomLeftFrontCorner, bottomRightFrontCorner, bottomRightBackCorner, bottomLeftBackCorner);
}

RectangularPrism::RectangularPrism(const RectangularPrism& other)
    : Solid(), centroid(other.centroid), firstAxis(other.firstAxis), secondAxis(other.secondAxis),
      thirdAxis(other.thirdAxis), firstSize(other.firstSize), secondSize(other.secondSize),
      thirdSize(other.thirdSize)
{
    AppendClones(ownedSurfaces, surfaces, other.surfaces);
}

RectangularPrism::~RectangularPrism() = default;

const std::vector<const ISurface*>& RectangularPrism::GetSurfaces() const
{
    return surfaces;
}

std::vector<const FlatSurface*> RectangularPrism::GetFlatSurfaces() const
{
    return AsBaseKind<FlatSurface>(GetRectangles());
}

std::vector<const PrimitiveFlatSurface*> RectangularPrism::GetPrimitiveFlatSurfaces() const
{
    return AsBaseKind<PrimitiveFlatSurface>(GetRectangles());
}

std::vector<const Polygon*> RectangularPrism::GetPolygons() const
{
    return AsBaseKind<Polygon>(GetRectangles());
}

std::vector<const Rectangle*> RectangularPrism::GetRectangles() const
{
    // Every face is built, or cloned, as a rectangle.
    std::vector<const Rectangle*> rectangles;
    rectangles.reserve(surfaces.size());
    for (const ISurface* surface : surfaces)
    {
        rectangles.push_back(static_cast<const Rectangle*>(surface));
    }
    return rectangles;
}

ISolid* RectangularPrism::Clone() const
{
    return new RectangularPrism(*this);
}

const Point& RectangularPrism::GetCentroid() const
{
    return centroid;
}

const Vector& RectangularPrism::GetFirstAxis() const
{
    return firstAxis;
}

const Vector& RectangularPrism::GetSecondAxis() const
{
    return secondAxis;
}

const Vector& RectangularPrism::GetThirdAxis() const
{
    return thirdAxis;
}

double RectangularPrism::GetFirstSize() const
{
    return firstSize;
}

double RectangularPrism::GetSecondSize() const
{
    return secondSize;
}

double RectangularPrism::GetThirdSize() const
{
    return thirdSize;
}

} // namespace Geometry3D
} // namespace Tessam
