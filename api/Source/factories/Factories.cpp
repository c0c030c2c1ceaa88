#include "Factories.h"

#include "Bar.h"
#include "Pipe.h"
#include "RectangularPrism.h"

namespace Quoria
{

using Tessam::Geometry3D::Bar;
using Tessam::Geometry3D::Pipe;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::RectangularPrism;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::Vector;

// The solids validate their own arguments; the factories only fix the axes.

const Solid* CreateAxisAlignedPlate(const Point& centre, double sizeX, double sizeY, double sizeZ)
{
    return new RectangularPrism(centre, Vector(1.0, 0.0, 0.0), Vector(0.0, 1.0, 0.0), Vector(0.0, 0.0, 1.0),
                                sizeX, sizeY, sizeZ);
}

const Solid* CreateXOrientedBar(const Point& centre, double radius, double length)
{
    return Bar::CreateXOriented(centre, radius, length);
}

const Solid* CreateYOrientedBar(const Point& centre, double radius, double length)
{
    return Bar::CreateYOriented(centre, radius, length);
}

const Solid* CreateXOrientedPipe(const Point& centre, double innerRadius, double outerRadius, double length)
{
    return Pipe::CreateXOriented(centre, innerRadius, outerRadius, length);
}

const Solid* CreateYOrientedPipe(const Point& centre, double innerRadius, double outerRadius, double length)
{
    return Pipe::CreateYOriented(centre, innerRadius, outerRadius, length);
}

} // namespace Quoria
