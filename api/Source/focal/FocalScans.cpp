#include "FocalLaws.h"

#include "AcousticTracerState.h"
#include "AngularPosition.h"
#include "FocalSetup.h"
#include "ISurface.h"
#include "Line.h"
#include "Polygon.h"
#include "SharedFaces.h"
#include "SolidMembership.h"
#include "SurfaceShape.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

using Tessam::Geometry3D::HalfPi;
using Tessam::Geometry3D::ISolid;
using Tessam::Geometry3D::ISurface;
using Tessam::Geometry3D::Line;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Polygon;
using Tessam::Geometry3D::SurfaceShape;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

namespace
{

std::invalid_argument Refusal(const char* method, const std::string& sentence)
{
    return std::invalid_argument(std::string(method) + " : " + sentence);
}

void CheckElementsGiven(const std::vector<Point>& elements, const char* method)
{
    if (elements.empty())
    {
        throw Refusal(method, "There must be at least one element.");
    }
    CheckFinite(elements, "Element", method);
}

// What remains of `direction` across the unit `normal`, as a unit vector;
// null where almost nothing does.
Vector Across(const Vector& direction, const Vector& normal)
{
    const Vector across = direction - direction.Dot(normal) * normal;
    const double length = across.Length();
    return length > 1e-9 * direction.Length()
               ? Vector(across.X() / length, across.Y() / length, across.Z() / length)
               : Vector();
}

// The exit of the elements' central beam, the elements being known to lie
// in `solid`.
ProbeExit ExitOf(const TraceScene& scene, std::size_t solid, const std::vector<Point>& elements,
                 const char* method)
{
    const std::vector<SurfaceShape>& faces = scene.Faces(solid);
    const auto probeFace = std::find_if(faces.begin(), faces.end(),
                                        [&elements](const SurfaceShape& face) {
                                            return !IsCertainlyOff(face, elements.front()) &&
                                                   face.surface->Contains(elements.front());
                                        });
    if (probeFace == faces.end())
    {
        throw Refusal(method, "The first element is not on a face of its solid.");
    }
    Vector sum;
    for (const Point& element : elements)
    {
        sum += Vector(element.X(), element.Y(), element.Z());
    }
    const double count = static_cast<double>(elements.size());
    const Point centre(sum.X() / count, sum.Y() / count, sum.Z() / count);
    const Vector beam = NormalAt(*probeFace, centre) * -1.0;

    // The nearest face ahead; the probe face itself lies at the start.
    const double largest =
        std::max(std::fabs(centre.X()), std::max(std::fabs(centre.Y()), std::fabs(centre.Z())));
    const Line ray(centre, beam);
    double nearest = HUGE_VAL;
    std::size_t hitFace = faces.size();
    for (std::size_t index = 0; index < faces.size(); ++index)
    {
        ForEachFaceCrossing(faces[index], ray, 1e-9 * (1.0 + largest), nearest,
                            [&nearest, &hitFace, index](double t)
                            {
                                if (t < nearest)
                                {
                                    nearest = t;
                                    hitFace = index;
                                }
                            });
    }
    const Point exit = hitFace < faces.size() ? centre + nearest * ray.GetDirection() : centre;
    for (std::size_t other = 0; hitFace < faces.size() && other < scene.SolidCount(); ++other)
    {
        if (other == solid)
        {
            continue;
        }
        for (const SharedFace& shared : FindSharedFaces(scene, solid, other).faces)
        {
            const bool crosses =
                shared.index == hitFace && std::any_of(shared.counterparts.begin(), shared.counterparts.end(),
                                                       [&exit](const SurfaceShape* counterpart)
                                                       { return counterpart->surface->Contains(exit); });
            if (!crosses)
            {
                continue;
            }
            ProbeExit probeExit;
            probeExit.point = exit;
            probeExit.normal = NormalAt(faces[hitFace], exit);
            probeExit.solid = other;
            const Vector& normal = probeExit.normal;
            const Vector fallbacks[] = {beam, elements.back() - elements.front(), Vector(1.0, 0.0, 0.0),
                                        Vector(0.0, 1.0, 0.0)};
            for (const Vector& fallback : fallbacks)
            {
                probeExit.forward = Across(fallback, normal);
                if (!probeExit.forward.IsNull())
                {
                    break;
                }
            }
            return probeExit;
        }
    }
    throw Refusal(method, "The central beam of the elements leaves their solid through a face no other solid "
                          "shares.");
}

void CheckScanAngle(double angle, const char* method)
{
    if (!(angle > -HalfPi && angle < HalfPi))
    {
        throw Refusal(method, "The angles must be contained within ]-90\xB0"
                              ", 90\xB0"
                              "[.");
    }
}

void CheckDistance(FocalDistance kind, double distance, const char* method)
{
    if (kind != FocalDistance::Depth && kind != FocalDistance::SoundPath)
    {
        throw Refusal(method, "The focal distance must be a depth or a sound path.");
    }
    if (!(distance > 0.0 && distance < HUGE_VAL))
    {
        throw Refusal(method, "The focal distance must be positive and finite.");
    }
}

Point FocalPointAt(const ProbeExit& exit, double angle, FocalDistance kind, double distance)
{
    // A depth is along the normal; the sound path then runs 1 / cos(angle)
    // times as far.
    const double alongNormal = kind == FocalDistance::Depth ? distance : distance * std::cos(angle);
    const double alongForward =
        kind == FocalDistance::Depth ? distance * std::tan(angle) : distance * std::sin(angle);
    return exit.point + alongNormal * exit.normal + alongForward * exit.forward;
}

} // namespace

std::vector<Point> LinearArrayOnWedge(const ISolid& wedge, std::size_t elementCount, double pitch,
                                      double firstElementOffset)
{
    const char* const method = "LinearArrayOnWedge";
    const std::vector<const ISurface*>& faces = wedge.GetSurfaces();
    const std::vector<const Polygon*> polygons = wedge.GetPolygons();
    if (faces.empty() || polygons.empty() || polygons.front() != faces.front() ||
        polygons.front()->GetPoints().size() != 4)
    {
        throw Refusal(method, "The solid's first face must be the four-sided probe face of a wedge.");
    }
    if (elementCount == 0)
    {
        throw Refusal(method, "There must be at least one element.");
    }
    if (!(pitch > 0.0 && pitch < HUGE_VAL))
    {
        throw Refusal(method, "The pitch must be positive and finite.");
    }
    if (!(firstElementOffset >= 0.0 && firstElementOffset < HUGE_VAL))
    {
        throw Refusal(method, "The offset of the first element must be positive or zero, and finite.");
    }
    // The wedge factories list the probe face's corners low end first, then
    // tall end.
    const std::vector<Point>& corners = polygons.front()->GetPoints();
    const Point lowMiddle = corners[0] + 0.5 * (corners[1] - corners[0]);
    const Point tallMiddle = corners[2] + 0.5 * (corners[3] - corners[2]);
    const Vector slope = tallMiddle - lowMiddle;
    const double slopeLength = slope.Length();
    const double lastOffset = firstElementOffset + static_cast<double>(elementCount - 1) * pitch;
    if (lastOffset > slopeLength)
    {
        throw Refusal(method, "The array runs past the tall end of the probe face.");
    }
    std::vector<Point> elements;
    elements.reserve(elementCount);
    for (std::size_t i = 0; i < elementCount; ++i)
    {
        const double offset = firstElementOffset + static_cast<double>(i) * pitch;
        elements.push_back(lowMiddle + (offset / slopeLength) * slope);
    }
    return elements;
}

ProbeExit FindProbeExit(const AcousticTracer& tracer, const std::vector<Point>& elements)
{
    const char* const method = "FindProbeExit";
    CheckElementsGiven(elements, method);
    const TraceScene& scene = tracer.State().scene;
    return ExitOf(scene, LocateElements(scene, elements, method), elements, method);
}

ScanFocalPoints SectorialScanFocalPoints(const AcousticTracer& tracer, const std::vector<Point>& elements,
                                         double firstAngle, double lastAngle, double angleStep,
                                         FocalDistance distanceKind, double distance)
{
    const char* const method = "SectorialScanFocalPoints";
    CheckScanAngle(firstAngle, method);
    CheckScanAngle(lastAngle, method);
    if (!(angleStep > 0.0 && angleStep < HUGE_VAL))
    {
        throw Refusal(method, "The angle step must be positive and finite.");
    }
    if (lastAngle < firstAngle)
    {
        throw Refusal(method, "The last angle must not be below the first.");
    }
    // Also bounds the count below: a step of 1e-300 would ask for more
    // focal points than memory holds.
    const double steps = (lastAngle - firstAngle) / angleStep;
    if (steps >= 1e6)
    {
        throw Refusal(method, "The scan must not have more than a million focal points.");
    }
    CheckDistance(distanceKind, distance, method);
    CheckElementsGiven(elements, method);
    const TraceScene& scene = tracer.State().scene;
    const ProbeExit exit = ExitOf(scene, LocateElements(scene, elements, method), elements, method);

    const std::size_t count = static_cast<std::size_t>(std::floor(steps + 1e-9)) + 1;
    ScanFocalPoints scan;
    scan.points.reserve(count);
    scan.angles.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
    {
        const double angle = firstAngle + static_cast<double>(i) * angleStep;
        scan.angles.push_back(angle);
        scan.points.push_back(FocalPointAt(exit, angle, distanceKind, distance));
    }
    return scan;
}

ScanFocalPoints LinearScanFocalPoints(const AcousticTracer& tracer, const std::vector<Point>& elements,
                                      std::size_t apertureSize, double angle, FocalDistance distanceKind,
                                      double distance)
{
    const char* const method = "LinearScanFocalPoints";
    if (apertureSize == 0 || apertureSize > elements.size())
    {
        throw Refusal(method, "The aperture must hold at least one element and no more than the array.");
    }
    CheckScanAngle(angle, method);
    CheckDistance(distanceKind, distance, method);
    CheckElementsGiven(elements, method);
    const TraceScene& scene = tracer.State().scene;
    const std::size_t solid = LocateElements(scene, elements, method);

    const std::size_t positions = elements.size() - apertureSize + 1;
    ScanFocalPoints scan;
    scan.apertureSize = apertureSize;
    for (std::size_t start = 0; start < positions; ++start)
    {
        const std::vector<Point> aperture(elements.begin() + static_cast<std::ptrdiff_t>(start),
                                          elements.begin() +
                                              static_cast<std::ptrdiff_t>(start + apertureSize));
        scan.points.push_back(
            FocalPointAt(ExitOf(scene, solid, aperture, method), angle, distanceKind, distance));
        scan.angles.push_back(angle);
        scan.apertureStarts.push_back(start);
    }
    return scan;
}

} // namespace Quoria
