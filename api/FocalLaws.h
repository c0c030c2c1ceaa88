#pragma once

#include "AcousticTracer.h"
#include "ISolid.h"
#include "Point.h"
#include "QuoriaExport.h"
#include "Vector.h"
#include "WaveMode.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Quoria
{

// Focal laws of an array probe. For every focal point and every element, the
// path of sound from the element, through the solid the elements are in
// (normally a wedge), across one interface into the focal point's solid,
// whose travel time is stationary: Snell's law holds where it crosses. The
// delays then make every element's wave reach the focal point at once.
//
// Units as for the acoustic tracer: millimetres, metres per second and
// microseconds; angles in radians.
//
// The interface is a face of the elements' solid that lies on the same
// plane or cylinder as a face of the focal point's solid, with opposite
// normals: a wedge's bottom on a plate's top, a wedge's curved bottom on a
// pipe or bar. A path is valid where it crosses both faces, and where its
// leg in each solid reaches the other end without leaving that solid.

// Whether a pair of focal point and element has a path, and if not, why.
enum class FocalPathStatus : std::int32_t
{
    Valid = 0,
    // The stationary path crosses the interface's plane or cylinder outside
    // the face the two solids share: a shallow, distant focal point whose
    // path would cross beyond the wedge's end.
    OffInterface = 1,
    // The leg from the element leaves the elements' solid on its way to the
    // interface.
    BlockedBeforeInterface = 2,
    // The leg to the focal point leaves its solid on the way (a pipe's bore
    // in between).
    BlockedAfterInterface = 3,
    // No path of stationary time crosses the interface: the time falls all
    // the way to a path that grazes the cylinder, or the element or the focal
    // point lies on the interface's plane or cylinder or on the wrong side.
    NoStationaryPath = 4,
    // Not computed: the element is not in the focal point's aperture.
    OutsideAperture = 5
};

// The status's name as reports print it: "valid", "off-interface",
// "blocked-before-interface", "blocked-after-interface",
// "no-stationary-path", "outside-aperture"; "unknown" for any other value.
QUORIA_API const char* FocalPathStatusName(FocalPathStatus status);
// One sentence that says what the status means, for messages and tooltips.
QUORIA_API const char* FocalPathStatusText(FocalPathStatus status);

struct FocalLawOptions
{
    // The wave from the elements and the wave in the focal point's solid.
    WaveMode elementMode = WaveMode::L;
    WaveMode focalMode = WaveMode::T;
    // Worker threads; 0 means one per hardware thread. The results are the
    // same, bit for bit, whatever the count.
    unsigned int threadCount = 0;
    // A sliding aperture (linear scans): focal point k uses the elements
    // apertureStarts[k] to apertureStarts[k] + apertureSize - 1. Empty: every
    // focal point uses every element.
    std::vector<std::size_t> apertureStarts;
    std::size_t apertureSize = 0;
};

// The laws as flat arrays, row-major by focal point: the pair of focal point
// k and element n is entry k * elementCount + n (three entries from 3 times
// that for a point). Where a pair is not Valid, its time, delay and
// refraction angle are NaN.
struct FocalLaws
{
    std::size_t focalPointCount = 0;
    std::size_t elementCount = 0;
    // Travel time from the element to the focal point, in microseconds.
    std::vector<double> times;
    // The element's firing delay, in microseconds: the largest valid time of
    // its focal point's row minus its own, so that the farthest element
    // fires first, at 0.
    std::vector<double> delays;
    // x, y, z of the point where the path crosses the interface, in mm. Also
    // given for OffInterface and the two Blocked statuses, which have a
    // stationary path; NaN for the other statuses.
    std::vector<double> crossings;
    // In the focal point's solid, the angle between the path and the
    // interface's normal at the crossing, in [0, pi/2].
    std::vector<double> refractionAngles;
    std::vector<FocalPathStatus> statuses;

    std::size_t PairIndex(std::size_t focalPoint, std::size_t element) const
    {
        return focalPoint * elementCount + element;
    }
};

// The laws of the elements (all in one solid: a point on a face shared by
// two solids belongs to the one listed first) for the focal points (each in
// another solid, not on the elements' solid's boundary), on the tracer's
// solids and materials. Across several shared faces the quickest valid path
// is kept. The tracer is only read and may trace meanwhile.
//
// Throws std::invalid_argument, in this order: for no element, no focal
// point, a mode other than L and T, a coordinate that is not finite (elements
// first), apertures that are not one per focal point within the elements; an
// element outside every solid or not in the solid of the first; a mode the
// elements' material does not carry; then for each focal point in turn, one
// in the elements' solid or outside every solid, a mode its material does not
// carry, a solid that shares no face with the elements' solid, or one that
// shares only a face that is neither flat nor cylindrical.
QUORIA_API FocalLaws ComputeFocalLaws(const AcousticTracer& tracer,
                                      const std::vector<Tessam::Geometry3D::Point>& elements,
                                      const std::vector<Tessam::Geometry3D::Point>& focalPoints,
                                      const FocalLawOptions& options = {});

// The centres of a linear array on the centre line of the probe face (the
// inclined top face, the first face) of a wedge made by the library's
// factories: element i lies firstElementOffset + i * pitch from the middle of
// the face's low end, up the slope. An offset of 0 puts the first element on
// the low end's edge, where a beam cannot enter.
//
// Throws std::invalid_argument, in this order, where the first face is not a
// four-sided polygon, for no element, a pitch that is not
// positive and finite, an offset that is negative or not finite, and an
// array that runs past the tall end.
QUORIA_API std::vector<Tessam::Geometry3D::Point> LinearArrayOnWedge(const Tessam::Geometry3D::ISolid& wedge,
                                                                     std::size_t elementCount, double pitch,
                                                                     double firstElementOffset);

// Where the central beam of a group of elements leaves their solid: the beam
// starts at the elements' centroid along the inward normal of the face that
// holds the first element (a wedge's probe face), as a beam at the wedge's
// nominal refraction does, and the exit point is where it meets a face that
// another solid shares.
struct ProbeExit
{
    Tessam::Geometry3D::Point point;
    // The interface's unit normal there, pointing into the solid beyond.
    Tessam::Geometry3D::Vector normal;
    // The unit direction, perpendicular to the normal, towards which positive
    // scan angles lean: the way the central beam leans, in its plane of
    // incidence. A beam along the normal (a wedge angle of 0) takes the
    // direction from the first element to the last instead, or failing that
    // the x axis, or the y axis, each with its part along the normal removed.
    Tessam::Geometry3D::Vector forward;
    // The index of the solid beyond.
    std::size_t solid = 0;
};

// Throws std::invalid_argument for the elements as ComputeFocalLaws does,
// for a first element that is not on a face of its solid, and for a central
// beam that leaves the solid through a face no other solid shares.
QUORIA_API ProbeExit FindProbeExit(const AcousticTracer& tracer,
                                   const std::vector<Tessam::Geometry3D::Point>& elements);

// How far from the exit point a scan's focal points lie: at a depth, measured
// along the interface's normal at the exit point (below a plate's top face),
// or at a sound path, measured along the beam.
enum class FocalDistance : std::int32_t
{
    Depth = 0,
    SoundPath = 1
};

// A scan's angles are measured in the specimen, from the interface's normal
// at the exit point, in the plane of that normal and the exit's forward
// direction: the focal point at angle a and sound path s is
// exit + s * (cos(a) * normal + sin(a) * forward).
struct ScanFocalPoints
{
    std::vector<Tessam::Geometry3D::Point> points;
    // The angle of each focal point.
    std::vector<double> angles;
    // A linear scan's apertures, to pass on in FocalLawOptions; empty with a
    // size of 0 for a sectorial scan, which uses every element.
    std::vector<std::size_t> apertureStarts;
    std::size_t apertureSize = 0;
};

// A sectorial scan: from the exit of the whole array, one focal point per
// angle from firstAngle to lastAngle by angleStep (lastAngle included when
// the steps reach it within 1e-9 of a step).
//
// Throws std::invalid_argument, in this order, for an angle outside
// ]-pi/2, pi/2[, a step that is not positive and finite, a last angle below
// the first, a distance kind that is neither Depth nor SoundPath, a distance
// that is not positive and finite, and then as FindProbeExit does.
QUORIA_API ScanFocalPoints SectorialScanFocalPoints(const AcousticTracer& tracer,
                                                    const std::vector<Tessam::Geometry3D::Point>& elements,
                                                    double firstAngle, double lastAngle, double angleStep,
                                                    FocalDistance distanceKind, double distance);

// A linear scan: an aperture of apertureSize elements slides along the array
// one element at a time, and each position focuses at the angle and distance
// from the exit of its own elements.
//
// Throws std::invalid_argument, in this order, for an aperture of no element
// or of more than the array has, then for the angle, distance kind and
// distance as the sectorial scan does, then as FindProbeExit does.
QUORIA_API ScanFocalPoints LinearScanFocalPoints(const AcousticTracer& tracer,
                                                 const std::vector<Tessam::Geometry3D::Point>& elements,
                                                 std::size_t apertureSize, double angle,
                                                 FocalDistance distanceKind, double distance);

} // namespace Quoria
