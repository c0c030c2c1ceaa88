// Boolean contours of random coplanar polygons, disks, sectors and rings,
// nested up to three operators deep. Every query on the result either answers
// or throws std::invalid_argument with a documented message.

#include "Angle.h"
#include "ComplexFlatSurface.h"
#include "Disk.h"
#include "DiskSector.h"
#include "FuzzInput.h"
#include "IContour.h"
#include "ISegment.h"
#include "Intersection.h"
#include "Line.h"
#include "Polygon.h"
#include "Rectangle.h"
#include "Ring.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace Tessam::Geometry3D;

namespace
{

using QuoriaFuzz::FuzzInput;

// The plane of one case: an origin and two orthonormal in-plane axes. Axis
// aligned planes keep grid coordinates exact, so that vertices and rims meet
// exactly; a tilted plane brings rounding into every containment test.
struct Frame
{
    Point origin;
    Vector u;
    Vector v;
    Vector normal;

    Point At(double a, double b) const { return origin + u * a + v * b; }
};

Frame MakeFrame(FuzzInput& input)
{
    Frame frame{input.GridPoint(4.0), Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, 1)};
    switch (input.Choose(5))
    {
    case 0:
        frame.u = Vector(0, 1, 0);
        frame.v = Vector(1, 0, 0);
        frame.normal = Vector(0, 0, -1);
        break;
    case 1:
        frame.u = Vector(0, 1, 0);
        frame.v = Vector(0, 0, 1);
        frame.normal = Vector(1, 0, 0);
        break;
    case 2:
    {
        Vector normal = input.Direction();
        if (normal.Length() == 0.0 || !(normal.Length() < 1e100))
        {
            break;
        }
        normal.Normalize();
        Vector u = normal.Cross(Vector(0.6, 0.8, 0.0));
        if (u.Length() < 1e-3)
        {
            u = normal.Cross(Vector(0, 0, 1));
        }
        u.Normalize();
        frame.normal = normal;
        frame.u = u;
        frame.v = normal.Cross(u);
        break;
    }
    default:
        break;
    }
    return frame;
}

double Coordinate(FuzzInput& input)
{
    return input.Choose(10) == 0 ? input.AnyDouble() : input.Grid(6.0);
}

double Radius(FuzzInput& input)
{
    return input.Choose(12) == 0 ? input.AnyDouble() : 0.25 * (1 + input.Choose(24));
}

double SectorAngle(FuzzInput& input)
{
    return input.Choose(4) == 0 ? input.AngleValue() * 4.0 : QuoriaFuzz::Pi / 4.0 * (input.Choose(17) - 8);
}

std::unique_ptr<FlatSurface> MakeLeaf(FuzzInput& input, const Frame& frame)
{
    switch (input.Choose(5))
    {
    case 0:
    {
        std::vector<Point> points;
        const int count = 3 + input.Choose(4);
        for (int i = 0; i < count; ++i)
        {
            points.push_back(frame.At(Coordinate(input), Coordinate(input)));
        }
        return std::make_unique<Polygon>(points);
    }
    case 1:
    {
        const double a = Coordinate(input);
        const double b = Coordinate(input);
        const double width = Radius(input);
        const double height = Radius(input);
        return std::make_unique<Rectangle>(std::vector<Point>{frame.At(a, b), frame.At(a + width, b),
                                                              frame.At(a + width, b + height),
                                                              frame.At(a, b + height)});
    }
    case 2:
        return std::make_unique<Disk>(frame.At(Coordinate(input), Coordinate(input)), Radius(input),
                                      input.Flag() ? frame.normal : frame.normal * -1.0);
    case 3:
    {
        const Point center = frame.At(Coordinate(input), Coordinate(input));
        const double radius = Radius(input);
        const double turn = SectorAngle(input);
        const Vector radial = frame.u * std::cos(turn) + frame.v * std::sin(turn);
        const double first = SectorAngle(input);
        const double last = SectorAngle(input);
        return std::make_unique<DiskSector>(center, radius, input.Flag() ? frame.normal : frame.normal * -1.0,
                                            radial, Angle::FromRadians(first), Angle::FromRadians(last));
    }
    default:
    {
        const Point center = frame.At(Coordinate(input), Coordinate(input));
        const double inner = Radius(input);
        const double outer = input.Flag() ? inner + Radius(input) : Radius(input);
        return std::make_unique<Ring>(center, inner, outer, frame.normal);
    }
    }
}

std::unique_ptr<FlatSurface> MakeSurface(FuzzInput& input, const Frame& frame, int depth)
{
    if (depth == 0 || input.Choose(3) == 0)
    {
        return MakeLeaf(input, frame);
    }
    const int kind = input.Choose(3);
    const std::unique_ptr<FlatSurface> first = MakeSurface(input, frame, depth - 1);
    // Often the same shape on both sides, or a shape with itself: shared
    // boundaries are the hard case for the selection of pieces.
    std::unique_ptr<FlatSurface> second;
    if (input.Choose(6) == 0)
    {
        second.reset(static_cast<FlatSurface*>(first->Clone()));
    }
    else
    {
        second = MakeSurface(input, frame, depth - 1);
    }
    switch (kind)
    {
    case 0:
        return std::unique_ptr<FlatSurface>(
            ComplexFlatSurface::CreateIntersection(first.get(), second.get()));
    case 1:
        return std::unique_ptr<FlatSurface>(ComplexFlatSurface::CreateUnion(first.get(), second.get()));
    default:
        return std::unique_ptr<FlatSurface>(ComplexFlatSurface::CreateDifference(first.get(), second.get()));
    }
}

void Query(FuzzInput& input, const Frame& frame, const FlatSurface& surface)
{
    {
        const std::unique_ptr<const IContour> contour(surface.GetContour());
        for (const ISegment* segment : contour->GetSegments())
        {
            (void)surface.Contains(segment->GetMiddlePoint());
        }
    }
    for (int i = 0; i < 4 && !input.Empty(); ++i)
    {
        (void)surface.Contains(frame.At(Coordinate(input), Coordinate(input)));
    }
    const Line line(frame.At(Coordinate(input), Coordinate(input)) + frame.normal * 2.0,
                    frame.normal * -1.0 + frame.u * input.Fraction());
    const Intersection intersection = surface.GetIntersection(line);
    (void)intersection.GetPoints().size();
    const std::unique_ptr<const ISurface> copy(surface.Clone());
    (void)(*copy == surface);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    try
    {
        const Frame frame = MakeFrame(input);
        const std::unique_ptr<FlatSurface> surface = MakeSurface(input, frame, 3);
        Query(input, frame, *surface);
    }
    catch (const std::invalid_argument& error)
    {
        QuoriaFuzz::RequireDocumented(error);
    }
    return 0;
}
