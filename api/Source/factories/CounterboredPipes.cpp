#include "CounterboredPipes.h"

#include "Angle.h"
#include "AngularPosition.h"
#include "ComplexFlatSurface.h"
#include "CylindricalArcSurface.h"
#include "CylindricalSurface.h"
#include "DiskSector.h"
#include "Factories.h"
#include "FactorySurfaces.h"
#include "Polygon.h"
#include "Rejection.h"
#include "Ring.h"
#include "SlopeQuadrants.h"
#include "TruncatedConicalSurface.h"

#include <cmath>
#include <cstddef>
#include <memory>

namespace Quoria
{

using Tessam::Geometry3D::Angle;
using Tessam::Geometry3D::ComplexFlatSurface;
using Tessam::Geometry3D::CylindricalArcSurface;
using Tessam::Geometry3D::CylindricalSurface;
using Tessam::Geometry3D::DiskSector;
using Tessam::Geometry3D::FlatSurface;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Pi;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Polygon;
using Tessam::Geometry3D::RejectIf;
using Tessam::Geometry3D::Ring;
using Tessam::Geometry3D::Solid;
using Tessam::Geometry3D::TruncatedConicalSurface;
using Tessam::Geometry3D::TwoPi;
using Tessam::Geometry3D::Vector;

using Slopes = std::array<const SlopeConfiguration, 4>;

namespace
{

// Y-oriented pipe: the slopes run along the axis.

struct AxialSlope
{
    double height;
    double width;
    double side;
    Vector offset; // from the middle plane to where the slope begins
    Vector run;    // across the slope
    Vector beyond; // from the slope's end to the pipe's end
};

AxialSlope MakeAxialSlope(const Slopes& slopes, std::size_t quadrant, double halfLength)
{
    const SlopeConfiguration& slope = slopes[quadrant];
    const SlopeSteps steps = StepsAlongY(slope, quadrant, halfLength);
    return {slope.GetHeight(), slope.GetWidth(), SideSign(quadrant), steps.offset, steps.width, steps.beyond};
}

Vector YAxis()
{
    return Vector(0.0, 1.0, 0.0);
}

// A middle zone's cylinder runs on to the pipe's end past an absent slope.
void AppendMiddleZone(OwnedSurfaces& surfaces, const Point& centre, double radius, const AxialSlope& positive,
                      const AxialSlope& negative, bool outwardNormal)
{
    Point centroid = centre + positive.offset * 0.5 + negative.offset * 0.5;
    double extent = positive.offset.Length() + negative.offset.Length();
    for (const AxialSlope* slope : {&positive, &negative})
    {
        if (slope->height == 0.0)
        {
            centroid += (slope->run + slope->beyond) * 0.5;
            extent += slope->run.Length() + slope->beyond.Length();
        }
    }
    if (extent != 0.0)
    {
        Append(surfaces, new CylindricalSurface(centroid, radius, extent, YAxis(), outwardNormal));
    }
}

void AppendBeyond(OwnedSurfaces& surfaces, const Point& centre, double radius, const AxialSlope& slope,
                  bool outwardNormal)
{
    const double extent = slope.beyond.Length();
    if (extent != 0.0)
    {
        Append(surfaces, new CylindricalSurface(centre + slope.offset + slope.run + slope.beyond * 0.5,
                                                radius, extent, YAxis(), outwardNormal));
    }
}

// Beyond an inner slope the bore narrows; the step or the cone faces the
// middle zone and the axis.
void AppendInnerSlope(OwnedSurfaces& surfaces, const Point& centre, double innerRadius,
                      const AxialSlope& slope)
{
    if (slope.height == 0.0)
    {
        return;
    }
    const Point start = centre + slope.offset;
    const Vector towardsMiddle(0.0, -slope.side, 0.0);
    const double narrowRadius = innerRadius - slope.height;
    if (slope.width == 0.0)
    {
        Append(surfaces, new Ring(start, narrowRadius, innerRadius, towardsMiddle));
    }
    else
    {
        const Point apex =
            start + Vector(0.0, slope.side * ((innerRadius * slope.width) / slope.height), 0.0);
        Append(surfaces, new TruncatedConicalSurface(apex, innerRadius, narrowRadius, slope.width,
                                                     towardsMiddle, false));
    }
    AppendBeyond(surfaces, centre, narrowRadius, slope, false);
}

// Beyond an outer slope the outside widens; the cone's apex lies towards
// the middle zone.
void AppendOuterSlope(OwnedSurfaces& surfaces, const Point& centre, double outerRadius,
                      const AxialSlope& slope)
{
    if (slope.height == 0.0)
    {
        return;
    }
    const Point start = centre + slope.offset;
    const double wideRadius = outerRadius + slope.height;
    if (slope.width == 0.0)
    {
        Append(surfaces, new Ring(start, outerRadius, wideRadius, Vector(0.0, -slope.side, 0.0)));
    }
    else
    {
        const double apexToSlopeEnd = (outerRadius * slope.width) / slope.height + slope.width;
        const Point apex = start + slope.run + Vector(0.0, -slope.side * apexToSlopeEnd, 0.0);
        Append(surfaces, new TruncatedConicalSurface(apex, wideRadius, outerRadius, slope.width,
                                                     Vector(0.0, slope.side, 0.0), true));
    }
    AppendBeyond(surfaces, centre, wideRadius, slope, true);
}

// X-oriented pipe: the slopes run around the circumference.

// Angles about +x from the weld's generatrix (0, 0, -1), positive towards +y.
Vector InSection(double radius, const Angle& angle)
{
    return Vector(0.0, radius * std::sin(angle.Radians()), -radius * std::cos(angle.Radians()));
}

struct CircumferentialSlope
{
    double offset;
    double width;
    Angle startAngle; // where the middle zone ends
    Angle endAngle;   // where the zone beyond begins
    // The end points in the order in which the slope's face runs from the
    // back end to the front end, which keeps its normal out of the wall.
    Vector first;
    Vector second;
    Vector opposite; // on the other circle of the base ring, at the end angle
};

CircumferentialSlope MakeCircumferentialSlope(const Slopes& slopes, std::size_t quadrant, double innerRadius,
                                              double outerRadius)
{
    const SlopeConfiguration& slope = slopes[quadrant];
    const bool isInner = IsBottomOrBore(quadrant);
    const double side = SideSign(quadrant);
    const double radius = isInner ? innerRadius : outerRadius;
    const double beyondRadius = isInner ? radius - slope.GetHeight() : radius + slope.GetHeight();
    const double signedCircle = side * TwoPi;
    const Angle startAngle = Angle::FromRadians((signedCircle * slope.GetOffset()) / (TwoPi * radius));
    const Angle endAngle =
        Angle::FromRadians((signedCircle * (slope.GetOffset() + slope.GetWidth())) / (TwoPi * radius));
    const Vector start = InSection(radius, startAngle);
    const Vector end = InSection(beyondRadius, endAngle);
    const bool endFirst = IsOddQuadrant(quadrant);
    return {slope.GetOffset(),
            slope.GetWidth(),
            startAngle,
            endAngle,
            endFirst ? end : start,
            endFirst ? start : end,
            InSection(isInner ? outerRadius : innerRadius, endAngle)};
}

// The zone beyond two slopes vanishes when they meet on the far generatrix.
bool HasZoneBeyond(const CircumferentialSlope& positive, const CircumferentialSlope& negative)
{
    return positive.endAngle.Radians() != TwoPi + negative.endAngle.Radians();
}

void AppendWall(OwnedSurfaces& surfaces, const Point& centre, double radius, double length, double step,
                const CircumferentialSlope& positive, const CircumferentialSlope& negative, bool isOutside)
{
    const Vector axis(1.0, 0.0, 0.0);
    const Vector weldGeneratrix(0.0, 0.0, -1.0);
    if (step == 0.0)
    {
        Append(surfaces, new CylindricalSurface(centre, radius, length, axis, isOutside));
        return;
    }
    if (positive.offset != 0.0 || negative.offset != 0.0)
    {
        Append(surfaces, new CylindricalArcSurface(centre, radius, length, axis, weldGeneratrix,
                                                   negative.startAngle, positive.startAngle, isOutside));
    }
    const Vector front(-length / 2.0, 0.0, 0.0);
    const Vector back(length / 2.0, 0.0, 0.0);
    for (const CircumferentialSlope* slope : {&positive, &negative})
    {
        Append(surfaces, new Polygon({centre + back + slope->first, centre + back + slope->second,
                                      centre + front + slope->second, centre + front + slope->first}));
    }
    if (HasZoneBeyond(positive, negative))
    {
        const double beyondRadius = isOutside ? radius + step : radius - step;
        Append(surfaces, new CylindricalArcSurface(centre, beyondRadius, length, axis, weldGeneratrix,
                                                   positive.endAngle, negative.endAngle, isOutside));
    }
}

void Unite(std::unique_ptr<ComplexFlatSurface>& face, const FlatSurface& addition)
{
    face.reset(ComplexFlatSurface::CreateUnion(face.get(), &addition));
}

// The band of the wall beyond a pair of slopes, from the positive slope's end
// angle round through pi to the negative one's. A sector seen along -x has
// its angles negated.
void UniteZoneBeyond(std::unique_ptr<ComplexFlatSurface>& face, const Point& faceCentre, const Vector& normal,
                     double bandInnerRadius, double bandOuterRadius, const CircumferentialSlope& positive,
                     const CircumferentialSlope& negative)
{
    const bool facesBackwards = normal.X() < 0.0;
    const Angle first = facesBackwards ? Angle::FromRadians(-negative.endAngle.Radians()) : positive.endAngle;
    const Angle last = facesBackwards ? Angle::FromRadians(-positive.endAngle.Radians()) : negative.endAngle;
    const Ring band(faceCentre, bandInnerRadius, bandOuterRadius, normal);
    const DiskSector sector(faceCentre, bandOuterRadius, normal, Vector(0.0, 0.0, -1.0), first, last);
    const std::unique_ptr<ComplexFlatSurface> zone(ComplexFlatSurface::CreateIntersection(&band, &sector));
    Unite(face, *zone);
}

// An end face: the middle zone's ring, the bands beyond the slopes, and one
// triangle per slope between its chord and the ring.
std::unique_ptr<ISurface> CreateEndFace(const Point& faceCentre, const Vector& normal, double innerRadius,
                                        double outerRadius,
                                        const std::array<CircumferentialSlope, 4>& quadrants,
                                        double innerStep, double outerStep)
{
    std::unique_ptr<ComplexFlatSurface> face =
        std::make_unique<Ring>(faceCentre, innerRadius, outerRadius, normal);
    // Where the slopes meet on the far generatrix there is no band beyond
    // them: a sector from one angle to the same angle would cover the whole
    // disk, so the band is left out.
    if (innerStep != 0.0 && HasZoneBeyond(quadrants[0], quadrants[3]))
    {
        UniteZoneBeyond(face, faceCentre, normal, innerRadius - innerStep, innerRadius, quadrants[0],
                        quadrants[3]);
    }
    if (outerStep != 0.0 && HasZoneBeyond(quadrants[1], quadrants[2]))
    {
        UniteZoneBeyond(face, faceCentre, normal, outerRadius, outerRadius + outerStep, quadrants[1],
                        quadrants[2]);
    }
    const bool facesBackwards = normal.X() < 0.0;
    for (const CircumferentialSlope& slope : quadrants)
    {
        if (slope.width != 0.0)
        {
            const Vector& a = facesBackwards ? slope.first : slope.second;
            const Vector& b = facesBackwards ? slope.second : slope.first;
            const Polygon triangle({faceCentre + a, faceCentre + b, faceCentre + slope.opposite});
            Unite(face, triangle);
        }
    }
    return face;
}

} // namespace

std::vector<ISurface*> CreateYOrientedCounterboredPipeSurfaces(const Point& centre, double innerRadius,
                                                               double outerRadius, double length,
                                                               const Slopes& slopes)
{
    const double halfLength = length / 2.0;
    const AxialSlope q1 = MakeAxialSlope(slopes, 0, halfLength);
    const AxialSlope q2 = MakeAxialSlope(slopes, 1, halfLength);
    const AxialSlope q3 = MakeAxialSlope(slopes, 2, halfLength);
    const AxialSlope q4 = MakeAxialSlope(slopes, 3, halfLength);

    OwnedSurfaces surfaces;
    AppendMiddleZone(surfaces, centre, innerRadius, q1, q4, false);
    AppendMiddleZone(surfaces, centre, outerRadius, q2, q3, true);
    AppendInnerSlope(surfaces, centre, innerRadius, q1);
    AppendOuterSlope(surfaces, centre, outerRadius, q2);
    AppendOuterSlope(surfaces, centre, outerRadius, q3);
    AppendInnerSlope(surfaces, centre, innerRadius, q4);
    // The end rings take every height, zero or not.
    Append(surfaces, new Ring(centre + Vector(0.0, -halfLength, 0.0), innerRadius - q4.height,
                              outerRadius + q3.height, Vector(0.0, -1.0, 0.0)));
    Append(surfaces, new Ring(centre + Vector(0.0, halfLength, 0.0), innerRadius - q1.height,
                              outerRadius + q2.height, Vector(0.0, 1.0, 0.0)));
    return ReleaseSurfaces(surfaces);
}

std::vector<ISurface*> CreateXOrientedCounterboredPipeSurfaces(const Point& centre, double innerRadius,
                                                               double outerRadius, double length,
                                                               const Slopes& slopes)
{
    const std::array<CircumferentialSlope, 4> quadrants = {
        MakeCircumferentialSlope(slopes, 0, innerRadius, outerRadius),
        MakeCircumferentialSlope(slopes, 1, innerRadius, outerRadius),
        MakeCircumferentialSlope(slopes, 2, innerRadius, outerRadius),
        MakeCircumferentialSlope(slopes, 3, innerRadius, outerRadius)};
    // Validation made the paired heights equal.
    const double innerStep = slopes[0].GetHeight();
    const double outerStep = slopes[1].GetHeight();

    OwnedSurfaces surfaces;
    AppendWall(surfaces, centre, innerRadius, length, innerStep, quadrants[0], quadrants[3], false);
    AppendWall(surfaces, centre, outerRadius, length, outerStep, quadrants[1], quadrants[2], true);
    Append(surfaces, CreateEndFace(centre + Vector(-length / 2.0, 0.0, 0.0), Vector(-1.0, 0.0, 0.0),
                                   innerRadius, outerRadius, quadrants, innerStep, outerStep));
    Append(surfaces, CreateEndFace(centre + Vector(length / 2.0, 0.0, 0.0), Vector(1.0, 0.0, 0.0),
                                   innerRadius, outerRadius, quadrants, innerStep, outerStep));
    return ReleaseSurfaces(surfaces);
}

const Solid* CreateYOrientedCounterboredPipe(const Point& centre, double innerRadius, double outerRadius,
                                             double length, Slopes slopes)
{
    RejectIf(innerRadius <= 0.0 || innerRadius >= outerRadius || length <= 0.0,
             "SpecimenFactory::CreateYOrientedCounterboredPipe : Radii and height must be "
             "larger than zero and outer radius must be larger than inner radius.");
    for (const SlopeConfiguration& slope : slopes)
    {
        RejectIf(slope.GetOffset() + slope.GetWidth() > length / 2.0,
                 "SpecimenFactory::CreateYOrientedCounterboredPipe : The sum of the offset "
                 "and the width for one slope must be smaller of equal to half the height "
                 "of the cylinder.");
    }
    RejectIf(slopes[0].GetHeight() >= innerRadius || slopes[3].GetHeight() >= innerRadius,
             "SpecimenFactory::CreateYOrientedCounterboredPipe : The heights of the inner "
             "slopes must be smaller than the inner radius of the pipe.");
    return CreateCustomSolid(
        CreateYOrientedCounterboredPipeSurfaces(centre, innerRadius, outerRadius, length, slopes));
}

const Solid* CreateXOrientedCounterboredPipe(const Point& centre, double innerRadius, double outerRadius,
                                             double length, Slopes slopes)
{
    RejectIf(innerRadius <= 0.0 || innerRadius >= outerRadius || length <= 0.0,
             "SpecimenFactory::CreateXOrientedCounterboredPipe : Radii and height must be "
             "larger than zero and outer radius must be larger than inner radius.");
    for (std::size_t quadrant = 0; quadrant < 4; ++quadrant)
    {
        const double radius = IsBottomOrBore(quadrant) ? innerRadius : outerRadius;
        RejectIf(slopes[quadrant].GetOffset() + slopes[quadrant].GetWidth() > Pi * radius,
                 "SpecimenFactory::CreateXOrientedCounterboredPipe : The sum of the offset "
                 "and the width for one slope must be smaller or equal to half the "
                 "circumference of the cylinder.");
    }
    RejectIf(slopes[0].GetHeight() != slopes[3].GetHeight() || slopes[1].GetHeight() != slopes[2].GetHeight(),
             "SpecimenFactory::CreateXOrientedCounterboredPipe : The heights of the two "
             "inner slopes and the heights of the two outer slopes must be the same.");
    RejectIf(slopes[0].GetHeight() >= innerRadius,
             "SpecimenFactory::CreateXOrientedCounterboredPipe : The heights of the inner "
             "slopes must be smaller than the inner radius of the pipe.");
    // Each pair is checked on its own: a flat wall cannot carry a slope of
    // some width, whatever the other pair does.
    const bool innerWidthWithoutStep =
        slopes[0].GetHeight() == 0.0 && (slopes[0].GetWidth() != 0.0 || slopes[3].GetWidth() != 0.0);
    const bool outerWidthWithoutStep =
        slopes[1].GetHeight() == 0.0 && (slopes[1].GetWidth() != 0.0 || slopes[2].GetWidth() != 0.0);
    RejectIf(innerWidthWithoutStep || outerWidthWithoutStep,
             "SpecimenFactory::CreateXOrientedCounterboredPipe : If the height of a slope "
             "is null, its width should also be null.");
    return CreateCustomSolid(
        CreateXOrientedCounterboredPipeSurfaces(centre, innerRadius, outerRadius, length, slopes));
}

} // namespace Quoria
