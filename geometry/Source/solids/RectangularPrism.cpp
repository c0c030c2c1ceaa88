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

    AppendOwnedSurface(
        ownedSurfaces, surfaces,
        std::make_unique<const Rectangle>(std::vector<Point>{bottomLeftFrontCorner, topLeftFrontCorner,
                                                             topRightFrontCorner, bottomRightFrontCorner}));
    AppendOwnedSurface(
        ownedSurfaces, surfaces,
        std::make_unique<const Rectangle>(std::vector<Point>{bottomLeftFrontCorner, bottomLeftBackCorner,
                                                             topLeftBackCorner, topLeftFrontCorner}));
    AppendOwnedSurface(
        ownedSurfaces, surfaces,
        std::make_unique<const Rectangle>(std::vector<Point>{bottomLeftBackCorner, bottomRightBackCorner,
                                                             topRightBackCorner, topLeftBackCorner}));
    AppendOwnedSurface(
        ownedSurfaces, surfaces,
        std::make_unique<const Rectangle>(std::vector<Point>{bottomRightFrontCorner, topRightFrontCorner,
                                                             topRightBackCorner, bottomRightBackCorner}));
    AppendOwnedSurface(ownedSurfaces, surfaces,
                       std::make_unique<const Rectangle>(std::vector<Point>{
                           topLeftFrontCorner, topLeftBackCorner, topRightBackCorner, topRightFrontCorner}));
    AppendOwnedSurface(
        ownedSurfaces, surfaces,
        std::make_unique<const Rectangle>(std::vector<Point>{bottomLeftFrontCorner, bottomRightFrontCorner,
                                                             bottomRightBackCorner, bottomLeftBackCorner}));
}

RectangularPrism::RectangularPrism(const RectangularPrism& other)
    : Solid(), centroid(other.centroid), firstAxis(other.firstAxis), secondAxis(other.secondAxis),
      thirdAxis(other.thirdAxis), firstSize(other.firstSize), secondSize(other.secondSize),
      thirdSize(other.thirdSize)
{
    for (const ISurface* surface : other.surfaces)
    {
        AppendOwnedSurface(ownedSurfaces, surfaces, std::unique_ptr<const ISurface>(surface->Clone()));
    }
}

RectangularPrism::~RectangularPrism() = default;

const std::vector<const ISurface*>& RectangularPrism::GetSurfaces() const
{
    return surfaces;
}

std::vector<const FlatSurface*> RectangularPrism::GetFlatSurfaces() const
{
    const std::vector<const Rectangle*> rectangles = GetRectangles();
    return std::vector<const FlatSurface*>(rectangles.begin(), rectangles.end());
}

std::vector<const PrimitiveFlatSurface*> RectangularPrism::GetPrimitiveFlatSurfaces() const
{
    const std::vector<const Rectangle*> rectangles = GetRectangles();
    return std::vector<const PrimitiveFlatSurface*>(rectangles.begin(), rectangles.end());
}

std::vector<const Polygon*> RectangularPrism::GetPolygons() const
{
    const std::vector<const Rectangle*> rectangles = GetRectangles();
    return std::vector<const Polygon*>(rectangles.begin(), rectangles.end());
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
