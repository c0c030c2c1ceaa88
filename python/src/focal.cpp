#include "acoustics.h"
#include "batch.h"
#include "bindings.h"
#include "solid.h"

#include "FocalLaws.h"

#include <string>
#include <utility>
#include <vector>

using Quoria::FocalPathStatus;
using Quoria::WaveMode;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Vector;

namespace QuoriaPython
{

namespace
{

// quoria.ProbeExit and quoria.ScanFocalPoints, namedtuples made once for
// the life of the process.
py::handle ProbeExitType;
py::handle ScanType;

// quoria.FocalLaws: K focal points by N elements.
struct PyFocalLaws
{
    py::array times;
    py::array delays;
    py::array interfacePoints;
    py::array refractionAngles;
    py::array valid;
    py::array statuses;
};

py::array_t<double> PointsArray(const std::vector<Point>& points)
{
    py::array_t<double> array({static_cast<py::ssize_t>(points.size()), py::ssize_t(3)});
    auto out = array.mutable_unchecked<2>();
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        const auto row = static_cast<py::ssize_t>(i);
        out(row, 0) = points[i].X();
        out(row, 1) = points[i].Y();
        out(row, 2) = points[i].Z();
    }
    return array;
}

py::array_t<double> VectorArray(const Vector& vector)
{
    py::array_t<double> array(3);
    double* coordinates = array.mutable_data();
    coordinates[0] = vector.X();
    coordinates[1] = vector.Y();
    coordinates[2] = vector.Z();
    return array;
}

// ("L", "T"), "LT" or two quoria.WaveMode: the elements' wave, then the
// focal point's.
std::pair<WaveMode, WaveMode> ReadModePair(py::handle modes)
{
    const py::list items = py::isinstance<py::str>(modes)
                               ? py::list(py::reinterpret_borrow<py::object>(modes))
                               : ReadSequence(modes, "modes", "two wave modes");
    if (items.size() != 2)
    {
        throw py::value_error("modes must hold two wave modes, the elements' and the focal points', not " +
                              std::to_string(items.size()));
    }
    return {ReadWaveMode(items[0], "modes[0]"), ReadWaveMode(items[1], "modes[1]")};
}

std::vector<std::size_t> ReadStarts(py::handle starts)
{
    const py::list items = ReadSequence(starts, "aperture_starts", "element indices");
    std::vector<std::size_t> result;
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        result.push_back(ReadCount(items[i], "aperture_starts[" + std::to_string(i) + "]"));
    }
    return result;
}

PyFocalLaws ComputeLaws(PyAcousticTracer& sound, py::handle elements, py::handle focalPoints,
                        py::handle modes, py::handle threads, py::handle apertureStarts,
                        py::handle apertureSize)
{
    const std::vector<Point> elementPoints = ReadPoints(elements, "elements");
    const std::vector<Point> focalPointList = ReadPoints(focalPoints, "focal_points");
    Quoria::FocalLawOptions options;
    std::tie(options.elementMode, options.focalMode) = ReadModePair(modes);
    options.threadCount = ReadThreads(threads);
    options.apertureStarts = ReadStarts(apertureStarts);
    options.apertureSize = ReadCount(apertureSize, "aperture_size");

    Quoria::FocalLaws laws;
    {
        // Only reads the tracer, as a batch does.
        py::gil_scoped_release release;
        laws = Quoria::ComputeFocalLaws(sound.Library(), elementPoints, focalPointList, options);
    }
    const auto rows = static_cast<py::ssize_t>(laws.focalPointCount);
    const auto columns = static_cast<py::ssize_t>(laws.elementCount);
    PyFocalLaws result;
    py::array_t<bool> valid({rows, columns});
    py::list names;
    bool* validOut = valid.mutable_data();
    for (std::size_t i = 0; i < laws.statuses.size(); ++i)
    {
        validOut[i] = laws.statuses[i] == FocalPathStatus::Valid;
        names.append(Quoria::FocalPathStatusName(laws.statuses[i]));
    }
    result.valid = valid;
    result.statuses = py::module_::import("numpy").attr("array")(names).attr("reshape")(rows, columns);
    result.times = OwnedArray(std::move(laws.times), {rows, columns});
    result.delays = OwnedArray(std::move(laws.delays), {rows, columns});
    result.interfacePoints = OwnedArray(std::move(laws.crossings), {rows, columns, 3});
    result.refractionAngles = OwnedArray(std::move(laws.refractionAngles), {rows, columns});
    return result;
}

py::object ExitTuple(const Quoria::ProbeExit& exit)
{
    return ProbeExitType(PointArray(exit.point), VectorArray(exit.normal), VectorArray(exit.forward),
                         exit.solid);
}

py::object ScanTuple(const Quoria::ScanFocalPoints& scan)
{
    py::array_t<double> angles(static_cast<py::ssize_t>(scan.angles.size()), scan.angles.data());
    py::array_t<std::int64_t> starts(static_cast<py::ssize_t>(scan.apertureStarts.size()));
    for (std::size_t i = 0; i < scan.apertureStarts.size(); ++i)
    {
        starts.mutable_at(i) = static_cast<std::int64_t>(scan.apertureStarts[i]);
    }
    return ScanType(PointsArray(scan.points), angles, starts, scan.apertureSize);
}

// depth= or sound_path=: exactly one.
std::pair<Quoria::FocalDistance, double> ReadDistance(py::handle depth, py::handle soundPath)
{
    if (depth.is_none() == soundPath.is_none())
    {
        throw py::type_error(depth.is_none() ? "give depth or sound_path: how far from the exit point the "
                                               "focal points lie, in mm"
                                             : "give depth or sound_path, not both");
    }
    return depth.is_none()
               ? std::make_pair(Quoria::FocalDistance::SoundPath, ReadNumber(soundPath, "sound_path"))
               : std::make_pair(Quoria::FocalDistance::Depth, ReadNumber(depth, "depth"));
}

const PySolid& ReadSolid(py::handle value, const std::string& name)
{
    if (!py::isinstance<PySolid>(value))
    {
        throw py::type_error(name + " must be a quoria.Solid, not " + TypeName(value));
    }
    return value.cast<const PySolid&>();
}

} // namespace

void BindFocalLaws(py::module_& module)
{
    ProbeExitType = PublishNamedTuple(
        module, "ProbeExit", py::make_tuple("point", "normal", "forward", "solid"),
        "Where the central beam of a group of elements leaves their solid. point: (3,) mm; normal: (3,), the "
        "interface's unit normal there, into the solid beyond; forward: (3,), the unit direction, "
        "perpendicular to the normal, towards which positive scan angles lean; solid: the index of the "
        "solid beyond.");
    ScanType = PublishNamedTuple(
        module, "ScanFocalPoints", py::make_tuple("points", "angles", "aperture_starts", "aperture_size"),
        "The focal points of a scan. points: (K, 3) mm; angles: (K,) radians, from the interface's normal at "
        "the exit point; aperture_starts: (K,) int64 and aperture_size, a linear scan's sliding aperture "
        "(empty and 0 for a sectorial scan), to pass on to focal_laws.");

    py::class_<PyFocalLaws>(
        module, "FocalLaws",
        "The focal laws of K focal points by N elements, row k for focal point k. times: (K, N) float64, "
        "\xC2\xB5s from the element to the focal point along the path of stationary time; delays: (K, N) "
        "float64, \xC2\xB5s, the row's largest valid time minus the element's own, so that the farthest "
        "element fires first, at 0; interface_points: (K, N, 3) float64, mm, where the path crosses the "
        "interface; refraction_angles: (K, N) float64, radians from the interface's normal in the focal "
        "point's solid; valid: (K, N) bool; statuses: (K, N) str, 'valid', 'off-interface', "
        "'blocked-before-interface', 'blocked-after-interface', 'no-stationary-path' or "
        "'outside-aperture'. Where a pair is not valid its time, delay and angle are NaN; its interface "
        "point is given for 'off-interface' and the two 'blocked' statuses.")
        .def_readonly("times", &PyFocalLaws::times)
        .def_readonly("delays", &PyFocalLaws::delays)
        .def_readonly("interface_points", &PyFocalLaws::interfacePoints)
        .def_readonly("refraction_angles", &PyFocalLaws::refractionAngles)
        .def_readonly("valid", &PyFocalLaws::valid)
        .def_readonly("statuses", &PyFocalLaws::statuses)
        .def("__repr__",
             [](const PyFocalLaws& laws)
             {
                 return "<quoria.FocalLaws: " + std::to_string(laws.times.shape(0)) + " focal points x " +
                        std::to_string(laws.times.shape(1)) + " elements>";
             });

    module.def("focal_laws", &ComputeLaws, py::arg("sound"), py::arg("elements"), py::arg("focal_points"),
               py::arg("modes") = py::make_tuple("L", "T"), py::arg("threads") = 0, py::kw_only(),
               py::arg("aperture_starts") = py::tuple(), py::arg("aperture_size") = 0,
               "The focal laws of an array probe: for every focal point and element, the path of sound "
               "from the element through its solid (a wedge), across one interface into the focal point's "
               "solid, where Snell's law holds; a quoria.FocalLaws.\n\n"
               "sound : the quoria.AcousticTracer whose solids and materials to use.\n"
               "elements : (N, 3) mm, every element in one solid.\n"
               "focal_points : (K, 3) mm, each in another solid, off the elements' solid's faces.\n"
               "modes : the elements' wave and the focal points', ('L', 'T') or 'LT'.\n"
               "threads : 0 means one per core; the results are the same whatever the count.\n"
               "aperture_starts, aperture_size : a sliding aperture (see linear_scan_focal_points): focal "
               "point k uses the elements aperture_starts[k] to aperture_starts[k] + aperture_size - 1; "
               "empty means every element.\n"
               "The GIL is released meanwhile. Raises ValueError with the library's message for what "
               "it refuses.");
    module.def(
        "linear_array_on_wedge",
        [](py::handle wedge, py::handle elementCount, py::handle pitch, py::handle firstElementOffset)
        {
            const PySolid& solid = ReadSolid(wedge, "wedge");
            const unsigned int count = ReadCount(elementCount, "element_count");
            const double step = ReadNumber(pitch, "pitch");
            const double offset = ReadNumber(firstElementOffset, "first_element_offset");
            return PointsArray(Quoria::LinearArrayOnWedge(solid.Get(), count, step, offset));
        },
        py::arg("wedge"), py::arg("element_count"), py::arg("pitch"), py::arg("first_element_offset"),
        "The centres of a linear array on the centre line of a wedge's probe face (its sloping top), as "
        "(N, 3) mm: element i lies first_element_offset + i * pitch up the slope from the middle of the "
        "face's low end. An offset of 0 puts the first element on the edge, where no beam can enter.");
    module.def(
        "find_probe_exit",
        [](PyAcousticTracer& sound, py::handle elements)
        { return ExitTuple(Quoria::FindProbeExit(sound.Library(), ReadPoints(elements, "elements"))); },
        py::arg("sound"), py::arg("elements"),
        "Where the central beam of the elements (N, 3) leaves their solid: from their centroid along the "
        "inward normal of the face that holds the first one. A quoria.ProbeExit.");
    module.def(
        "sectorial_scan_focal_points",
        [](PyAcousticTracer& sound, py::handle elements, py::handle firstAngle, py::handle lastAngle,
           py::handle angleStep, py::handle depth, py::handle soundPath)
        {
            const std::vector<Point> points = ReadPoints(elements, "elements");
            const double first = ReadNumber(firstAngle, "first_angle");
            const double last = ReadNumber(lastAngle, "last_angle");
            const double step = ReadNumber(angleStep, "angle_step");
            const auto distance = ReadDistance(depth, soundPath);
            return ScanTuple(Quoria::SectorialScanFocalPoints(sound.Library(), points, first, last, step,
                                                              distance.first, distance.second));
        },
        py::arg("sound"), py::arg("elements"), py::arg("first_angle"), py::arg("last_angle"),
        py::arg("angle_step"), py::kw_only(), py::arg("depth") = py::none(),
        py::arg("sound_path") = py::none(),
        "A sectorial scan from the exit of the whole array: one focal point per angle (radians, from the "
        "interface's normal, positive leaning the way the central beam leans) from first_angle to last_angle "
        "by angle_step, at a depth below the interface or a sound path from the exit point (mm): give one. "
        "A quoria.ScanFocalPoints.");
    module.def(
        "linear_scan_focal_points",
        [](PyAcousticTracer& sound, py::handle elements, py::handle apertureSize, py::handle angle,
           py::handle depth, py::handle soundPath)
        {
            const std::vector<Point> points = ReadPoints(elements, "elements");
            const unsigned int size = ReadCount(apertureSize, "aperture_size");
            const double at = ReadNumber(angle, "angle");
            const auto distance = ReadDistance(depth, soundPath);
            return ScanTuple(Quoria::LinearScanFocalPoints(sound.Library(), points, size, at, distance.first,
                                                           distance.second));
        },
        py::arg("sound"), py::arg("elements"), py::arg("aperture_size"), py::arg("angle"), py::kw_only(),
        py::arg("depth") = py::none(), py::arg("sound_path") = py::none(),
        "A linear scan: an aperture of aperture_size elements slides along the array one element at a time "
        "and each position focuses at the angle and distance from the exit of its own elements. A "
        "quoria.ScanFocalPoints whose aperture_starts and aperture_size go on to focal_laws.");
}

} // namespace QuoriaPython
