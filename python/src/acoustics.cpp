#include "acoustics.h"

#include "batch.h"
#include "bindings.h"
#include "report.h"

#include "AcousticTracer.h"
#include "TraceStop.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using Quoria::Material;
using Quoria::WaveMode;
using Tessam::Geometry3D::Point;

namespace QuoriaPython
{

namespace
{

// quoria.AcousticReport: a quoria.TraceReport with the wave of each leg.
struct PyAcousticReport : PyTraceReport
{
    py::list modes;
    py::array_t<double> speeds;
    py::array_t<double> times;
    double time = 0.0;
    std::string message;

    static PyAcousticReport From(const Quoria::AcousticReport& report)
    {
        const std::size_t count = report.legs.size();
        PyAcousticReport result{PyTraceReport::From(report.legs, report.ending),
                                py::list(),
                                py::array_t<double>(count),
                                py::array_t<double>(count),
                                report.time,
                                report.message};
        for (std::size_t i = 0; i < count; ++i)
        {
            const Quoria::AcousticLeg& leg = report.legs[i];
            result.modes.append(leg.mode == WaveMode::L ? "L" : "T");
            result.speeds.mutable_at(i) = leg.speed;
            result.times.mutable_at(i) = leg.time;
        }
        return result;
    }

    py::tuple State() const
    {
        return py::make_tuple(legs, solids, faces, behaviors, lengths, ending, modes, speeds, times, time,
                              message);
    }

    static PyAcousticReport FromState(const py::tuple& state)
    {
        if (state.size() != 11)
        {
            throw py::value_error("not the state of a quoria.AcousticReport");
        }
        return PyAcousticReport{PyTraceReport::FromState(state),
                                state[6].cast<py::list>(),
                                state[7].cast<py::array_t<double>>(),
                                state[8].cast<py::array_t<double>>(),
                                state[9].cast<double>(),
                                state[10].cast<std::string>()};
    }
};

// One call's arguments, read and checked in the order of the parameters.
struct SoundCall
{
    Point entryPoint;
    Quoria::BeamAngles angles{0.0, 0.0};
    Quoria::TraceStop stop = Quoria::TraceStop::Legs(0);
    CallerRules rules;
    std::vector<WaveMode> modes;
};

PyAcousticReport Trace(PyAcousticTracer& tracer, py::handle point, py::handle refractionAngle,
                       py::handle skewAngle, py::handle legs, py::handle length, py::handle time,
                       py::handle behaviors, py::handle modes)
{
    SoundCall call;
    call.entryPoint = ReadPoint(point, "point");
    call.angles.refractionAngle = ReadNumber(refractionAngle, "refraction_angle");
    call.angles.skewAngle = ReadNumber(skewAngle, "skew_angle");
    call.stop = ReadStop(legs, length, time);
    // No laws: Snell's law steers every leg.
    call.rules = ReadRules(tracer.Faces(), behaviors, py::tuple());
    call.modes = ReadModes(modes);

    Quoria::AcousticReport report;
    {
        TurnTaking::Turn turn(tracer.Turns());
        py::gil_scoped_release release;
        report = call.rules.anyCallable ? tracer.Library().Trace(call.entryPoint, call.angles, call.stop,
                                                                 call.rules.behaviorFunctions, call.modes)
                                        : tracer.Library().Trace(call.entryPoint, call.angles, call.stop,
                                                                 call.rules.behaviors, call.modes);
    }
    return PyAcousticReport::From(report);
}

py::tuple MaterialTuple(const std::vector<Material>& materials)
{
    py::tuple tuple(materials.size());
    for (std::size_t i = 0; i < materials.size(); ++i)
    {
        tuple[i] = py::cast(materials[i]);
    }
    return tuple;
}

} // namespace

PyAcousticTracer::PyAcousticTracer(py::handle solids, py::handle materials)
{
    SolidArguments arguments = ReadSolids(solids);
    const py::list items = py::isinstance<Material>(materials) || py::isinstance<py::str>(materials)
                               ? py::list(py::make_tuple(materials))
                               : ReadSequence(materials, "materials", "quoria.Material or names");
    std::vector<Material> media;
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        media.push_back(ReadMaterial(items[i], "materials[" + std::to_string(i) + "]"));
    }
    tracer = std::make_unique<Quoria::AcousticTracer>(arguments.solids, media);
    this->solids = std::move(arguments.objects);
    faces = MapFaces(tracer->GetConfiguration());
}

std::vector<WaveMode> ReadModes(py::handle modes)
{
    // A string reads as one mode per letter: "LTT".
    const py::list items = py::isinstance<py::str>(modes)
                               ? py::list(py::reinterpret_borrow<py::object>(modes))
                               : ReadSequence(modes, "modes", "wave modes");
    std::vector<WaveMode> result;
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        result.push_back(ReadWaveMode(items[i], "modes[" + std::to_string(i) + "]"));
    }
    return result;
}

void BindAcoustics(py::module_& module)
{
    py::class_<PyAcousticReport, PyTraceReport>(
        module, "AcousticReport",
        "The legs of one trace of sound and how it ended: a quoria.TraceReport (legs and lengths in mm) "
        "with the wave of each leg. modes: list of 'L' or 'T', one per leg; speeds: (n,) float64, the "
        "speed of that mode in the leg's solid, m/s; times: (n,) float64, the time of flight along each "
        "leg, \xC2\xB5"
        "s; time: the sum of the times, in order, \xC2\xB5"
        "s. ending: as for "
        "quoria.TraceReport, or 'critical-angle' where no outgoing wave exists, 'error' where a leg "
        "would be T in a liquid (message says which), 'time' once the legs reach the time asked for. "
        "The last leg of a trace ended by 'critical-angle' or 'error' carries the behaviour that could "
        "not be carried out.")
        .def_readonly("modes", &PyAcousticReport::modes)
        .def_readonly("speeds", &PyAcousticReport::speeds)
        .def_readonly("times", &PyAcousticReport::times)
        .def_readonly("time", &PyAcousticReport::time)
        .def_readonly("message", &PyAcousticReport::message)
        .def("__repr__",
             [](const PyAcousticReport& report)
             {
                 char time[32];
                 std::snprintf(time, sizeof time, "%.6g", report.time);
                 return "<quoria.AcousticReport: " + std::to_string(report.legs.shape(0)) + " legs, " + time +
                        " \xC2\xB5s, ending '" + report.ending + "'>";
             })
        .def(py::pickle([](const PyAcousticReport& report) { return report.State(); },
                        &PyAcousticReport::FromState));

    py::class_<PyAcousticTracer> acousticTracer(
        module, "AcousticTracer",
        "Traces sound through a configuration of solids, each of one material, lengths in millimetres: "
        "at every interface the outgoing direction obeys Snell's law between the speed of the incoming "
        "leg (its medium, its mode) and that of the outgoing one (the medium beyond for Transmit, the "
        "same medium for Reflect, so that mode conversion comes out right). Takes a quoria.Solid or a "
        "sequence of them and one material per solid, in the same order: a quoria.Material or the name "
        "of a built-in one (see quoria.material). Keeps its own copies; pickles as its solids and "
        "materials.");
    acousticTracer
        .def(py::init<py::handle, py::handle>(), py::arg("solids"), py::arg("materials"),
             "Raises ValueError with the library's message for no solid or a count of materials other "
             "than the count of solids.")
        .def_property_readonly("solids", &PyAcousticTracer::Solids, "The solids given, in order.")
        .def_property_readonly(
            "materials", [](const PyAcousticTracer& tracer) { return MaterialTuple(tracer.Materials()); },
            "The material of each solid, in order.")
        .def("trace", &Trace, py::arg("point"), py::arg("refraction_angle") = 0.0,
             py::arg("skew_angle") = 0.0, py::kw_only(), py::arg("legs") = py::none(),
             py::arg("length") = py::none(), py::arg("time") = py::none(), py::arg("behaviors") = py::tuple(),
             py::arg("modes") = py::tuple(),
             "The legs of a beam of sound with the wave of each, and how the trace ended: a "
             "quoria.AcousticReport.\n\n"
             "point : sequence of 3 floats, mm, a point of a face (see Solid.snap); the beam enters the "
             "first solid that holds it.\n"
             "refraction_angle, skew_angle : radians. The refraction angle tilts the first leg from the "
             "inward normal, strictly inside (-pi/2, pi/2); the skew then turns it about that normal.\n"
             "legs : the number of legs to trace (at most 250 come back), or\n"
             "length : the total length in mm, or\n"
             "time : the total time of flight in \xC2\xB5"
             "s, after which the trace ends (the last leg is "
             "never shortened).\n"
             "behaviors : per interface, 'Reflect', 'Transmit', 'Stop', a quoria.Behavior, or a callable "
             "that takes a quoria.Face and returns one of those; element i applies where leg i + 1 ends, "
             "missing ones mean 'Reflect'.\n"
             "modes : the mode of each leg, 'L' or 'T' (or quoria.WaveMode), as a sequence or a string "
             "such as 'LT'; element i is the mode of leg i + 1, legs beyond keep the last one, and the "
             "first leg is L without any.\n"
             "The GIL is released while the library traces and taken back for each call of a behaviour; "
             "their exceptions propagate as they are. Raises ValueError with the library's message, in "
             "this order, for a length or time that is negative, NaN or infinite, and then, unless the "
             "stop is 0 (no leg), for a refused refraction angle or entry point. A T leg in a liquid is "
             "no error: the trace ends with 'error' and a message.")
        .def("__repr__",
             [](const PyAcousticTracer& tracer)
             {
                 return "quoria.AcousticTracer(" + std::string(py::repr(py::list(tracer.Solids()))) + ", " +
                        std::string(py::repr(py::list(MaterialTuple(tracer.Materials())))) + ")";
             })
        .def("__reduce__",
             [](py::object self)
             {
                 const auto& tracer = self.cast<const PyAcousticTracer&>();
                 return py::make_tuple(
                     self.attr("__class__"),
                     py::make_tuple(py::list(tracer.Solids()), py::list(MaterialTuple(tracer.Materials()))));
             });
    DefineSoundTraceMany(module, acousticTracer);
}

} // namespace QuoriaPython
