#pragma once

#include "Point.h"
#include "QuoriaExport.h"
#include "Solid.h"
#include "Vector.h"

#include <memory>
#include <vector>

namespace Tessam
{
namespace Geometry3D
{

// A box: a centroid, three orthogonal axes and the full extent along each,
// bounded by six rectangles. Along the first axis the negative side is left,
// along the second the positive side is front, along the third the negative
// side is top. The faces point out of the box when the axes are
// right-handed; the handedness is not checked.
class QUORIA_API RectangularPrism : public Solid
{
public:
    RectangularPrism(const Point& centroid, const Vector& firstAxis, const Vector& secondAxis,
                     const Vector& thirdAxis, double firstSize, double secondSize, double thirdSize);
    RectangularPrism(const RectangularPrism& other);
    RectangularPrism& operator=(const RectangularPrism&) = delete;
    ~RectangularPrism() override;

    // Front, left, back, right, top, bottom.
    const std::vector<const ISurface*>& GetSurfaces() const override;
    std::vector<const FlatSurface*> GetFlatSurfaces() const override;
    std::vector<const PrimitiveFlatSurface*> GetPrimitiveFlatSurfaces() const override;
    std::vector<const Polygon*> GetPolygons() const override;
    std::vector<const Rectangle*> GetRectangles() const override;
    ISolid* Clone() const override;

    const Point& GetCentroid() const;
    const Vector& GetFirstAxis() const;
    const Vector& GetSecondAxis() const;
    const Vector& GetThirdAxis() const;
    double GetFirstSize() const;
    double GetSecondSize() const;
    double GetThirdSize() const;

private:
    Point centroid;
    Vector firstAxis;
    Vector secondAxis;
    Vector thirdAxis;
    double firstSize;
    double secondSize;
    double thirdSize;
    std::vector<std::unique_ptr<const ISurface>> ownedSurfaces;
    std::vector<const ISurface*> surfaces;
};

} // namespace Geometry3D
} // namespace Tessam
