#include "tracer.h"

#include "batch.h"
#include "bindings.h"
#include "report.h"
#include "solid.h"

#include "IRayTracer.h"
#include "TraceReport.h"
#include "TraceStop.h"

#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using Quoria::BehaviorAtInterface;
using namespace Tessam::Geometry3D;

namespace QuoriaPython
{

namespace
{

// quoria.Face, the namedtuple handed to behaviour callables. Kept for the
// life of the process, like the module.
py::handle FaceType;

// One call's arguments, read and checked in the order of the parameters.
struct TraceCall
{
    Point entryPoint;
    Quoria::BeamAngles angles{0.0, 0.0};
    Quoria::TraceStop stop = Quoria::TraceStop::Legs(0);
    CallerRules rules;
};

TraceCall ReadCall(const FaceMap& faces, py::handle point, py::handle refractionAngle, py::handle skewAngle,
                   py::handle legs, py::handle length, py::handle behaviors, py::handle laws)
{
    TraceCall call;
    call.entryPoint = ReadPoint(point, "point");
    call.angles.refractionAngle = ReadNumber(refractionAngle, "refraction_angle");
    call.angles.skewAngle = ReadNumber(skewAngle, "skew_angle");
    call.stop = ReadStop(legs, length, py::handle());
    call.rules = ReadRules(faces, behaviors, laws);
    return call;
}

// The library's overload for the call: constant behaviours when there
// are no callables, so that the library converts them itself.
template <typename Calculate>
auto Run(TraceCall& call, Calculate calculate) -> decltype(calculate(0u, std::move(call.rules.behaviors)))
{
    if (call.stop.GetKind() == Quoria::TraceStop::Kind::Length)
    {
        const double length = call.stop.GetAmount();
        return call.rules.anyCallable ? calculate(length, std::move(call.rules.behaviorFunctions))
                                      : calculate(length, std::move(call.rules.behaviors));
    }
    const unsigned int legCount = call.stop.GetLegCount();
    return call.rules.anyCallable ? calculate(legCount, std::move(call.rules.behaviorFunctions))
                                  : calculate(legCount, std::move(call.rules.behaviors));
}

py::array_t<double> Trace(PyRayTracer& tracer, py::handle point, py::handle refractionAngle,
                          py::handle skewAngle, py::handle legs, py::handle length, py::handle behaviors,
                          py::handle laws)
{
    TraceCall call =
        ReadCall(tracer.Faces(), point, refractionAngle, skewAngle, legs, length, behaviors, laws);
    std::vector<LineSegment> segments;
    {
        TurnTaking::Turn turn(tracer.Turns());
        py::gil_scoped_release release;
        segments = Run(call,
                       [&](const auto& stop, auto&& behaviorsAtInterfaces)
                       {
                           return tracer.Library().CalculateLegsFromEntryPoint(
                               call.entryPoint, call.angles, stop, std::move(behaviorsAtInterfaces),
                               std::move(call.rules.laws));
                       });
    }
    return LegsArray(segments);
}

PyTraceReport Report(PyRayTracer& tracer, py::handle point, py::handle refractionAngle, py::handle skewAngle,
                     py::handle legs, py::handle length, py::handle behaviors, py::handle laws)
{
    TraceCall call =
        ReadCall(tracer.Faces(), point, refractionAngle, skewAngle, legs, length, behaviors, laws);
    Quoria::TraceReport report;
    {
        TurnTaking::Turn turn(tracer.Turns());
        py::gil_scoped_release release;
        report = Run(call,
                     [&](const auto& stop, auto&& behaviorsAtInterfaces)
                     {
                         return Quoria::CalculateTrace(&tracer.Library(), call.entryPoint, call.angles, stop,
                                                       std::move(behaviorsAtInterfaces),
                                                       std::move(call.rules.laws));
                     });
    }
    return PyTraceReport::From(report.legs, report.ending);
}

const char* const TraceParameters =
    "point : sequence of 3 floats, a point of a face (see Solid.snap); the beam enters the first solid "
    "that holds it.\n"
    "refraction_angle, skew_angle : radians. The refraction angle tilts the beam from the inward normal, "
    "strictly inside (-pi/2, pi/2); the skew then turns it about that normal.\n"
    "legs : the number of legs to trace (at most 250 come back), or\n"
    "length : the total length after which the trace ends (the last leg is never shortened).\n"
    "behaviors : per interface, 'Reflect', 'Transmit', 'Stop', a quoria.Behavior, or a callable that takes a "
    "quoria.Face (solid, index, kind) and returns one of those; element i applies where leg i + 1 ends, "
    "missing ones mean 'Reflect'.\n"
    "laws : per interface, None or a callable that takes the angle in radians from the face's outward normal "
    "to the outgoing direction and returns the angle wanted.\n"
    "The GIL is released while the library traces and taken back for each call of a law or behaviour; their "
    "exceptions propagate as they are. Raises ValueError with the library's message for a refused beam.";

} // namespace

SolidArguments ReadSolids(py::handle solids)
{
    const py::list items = py::isinstance<PySolid>(solids) ? py::list(py::make_tuple(solids))
                                                           : ReadSequence(solids, "solids", "quoria.Solid");
    SolidArguments arguments;
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        if (!py::isinstance<PySolid>(items[i]))
        {
            throw py::type_error("solids[" + std::to_string(i) + "] must be a quoria.Solid, not " +
                                 TypeName(items[i]));
        }
        arguments.solids.push_back(&items[i].cast<const PySolid&>().Get());
        arguments.objects.push_back(items[i]);
    }
    return arguments;
}

py::tuple TupleOf(const std::vector<py::object>& objects)
{
    py::tuple tuple(objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i)
    {
        tuple[i] = objects[i];
    }
    return tuple;
}

FaceMap MapFaces(const std::vector<const ISolid*>& copies)
{
    FaceMap faces;
    for (std::size_t s = 0; s < copies.size(); ++s)
    {
        const std::vector<const ISurface*>& surfaces = copies[s]->GetSurfaces();
        for (std::size_t f = 0; f < surfaces.size(); ++f)
        {
            faces[surfaces[f]] = FaceType(s, f, FaceKind(*surfaces[f]));
        }
    }
    return faces;
}

PyRayTracer::PyRayTracer(py::handle solids)
{
    SolidArguments arguments = ReadSolids(solids);
    tracer.reset(Quoria::CreateRayTracer(arguments.solids));
    this->solids = std::move(arguments.objects);
    faces = MapFaces(tracer->GetConfiguration());
}

TurnTaking::Turn::Turn(TurnTaking& turns) : turns(turns)
{
    if (turns.owner.load() == std::this_thread::get_id())
    {
        throw std::runtime_error(turns.reentry);
    }
    {
        py::gil_scoped_release release;
        turns.busy.lock();
    }
    turns.owner.store(std::this_thread::get_id());
}

TurnTaking::Turn::~Turn()
{
    turns.owner.store(std::thread::id());
    turns.busy.unlock();
}

void BindTracer(py::module_& module)
{
    FaceType = PublishNamedTuple(
        module, "Face", py::make_tuple("solid", "index", "kind"),
        "The face where a leg ends, as a behaviour callable receives it: the index of the solid "
        "in the tracer, the index of the face in the solid, and the face's class "
        "(see Solid.face_kinds).");

    py::class_<PyTraceReport>(
        module, "TraceReport",
        "The legs of one trace and how it ended. legs: (n, 2, 3) float64, the start and end "
        "of each leg; solids: (n,) int32, the solid each leg runs in; faces: (n,) int32, the "
        "face of that solid where it ends (-1 for none); behaviors: (n,) int32, what the beam "
        "did there (quoria.Behavior; Stop for a last leg that ended the trace before a "
        "behaviour was asked for); lengths: (n,) float64; ending: 'legs', 'length', 'edge', "
        "'stop', 'exit', 'limit' or 'open'.")
        .def_readonly("legs", &PyTraceReport::legs)
        .def_readonly("solids", &PyTraceReport::solids)
        .def_readonly("faces", &PyTraceReport::faces)
        .def_readonly("behaviors", &PyTraceReport::behaviors)
        .def_readonly("lengths", &PyTraceReport::lengths)
        .def_readonly("ending", &PyTraceReport::ending)
        .def("__len__", [](const PyTraceReport& report) { return report.legs.shape(0); })
        .def("__repr__",
             [](const PyTraceReport& report)
             {
                 return "<quoria.TraceReport: " + std::to_string(report.legs.shape(0)) + " legs, ending '" +
                        report.ending + "'>";
             })
        .def(py::pickle([](const PyTraceReport& report) { return report.State(); },
                        [](const py::tuple& state)
                        {
                            if (state.size() != 6)
                            {
                                throw py::value_error("not the state of a quoria.TraceReport");
                            }
                            return PyTraceReport::FromState(state);
                        }));

    static const std::string traceDoc =
        "The legs of a beam, as an (n, 2, 3) float64 array: the start and the end of "
        "each leg, in the order travelled.\n\n" +
        std::string(TraceParameters);
    static const std::string reportDoc =
        "The legs of a beam with the solid, face and behaviour of each, and how the "
        "trace ended: a quoria.TraceReport. Its legs are those trace() returns.\n\n" +
        std::string(TraceParameters);
    DefineBatchResult(module);
    py::class_<PyRayTracer> rayTracer(
        module, "RayTracer",
        "Traces beams through a configuration of solids, leg by leg. Takes a quoria.Solid or a "
        "sequence of them and keeps its own copies, in order; pickles as its solids.");
    rayTracer.def(py::init<py::handle>(), py::arg("solids"))
        .def_property_readonly("solids", &PyRayTracer::Solids, "The solids given, in order.")
        .def("trace", &Trace, py::arg("point"), py::arg("refraction_angle") = 0.0,
             py::arg("skew_angle") = 0.0, py::kw_only(), py::arg("legs") = py::none(),
             py::arg("length") = py::none(), py::arg("behaviors") = py::tuple(),
             py::arg("laws") = py::tuple(), traceDoc.c_str())
        .def("trace_report", &Report, py::arg("point"), py::arg("refraction_angle") = 0.0,
             py::arg("skew_angle") = 0.0, py::kw_only(), py::arg("legs") = py::none(),
             py::arg("length") = py::none(), py::arg("behaviors") = py::tuple(),
             py::arg("laws") = py::tuple(), reportDoc.c_str())
        .def("__repr__", [](const PyRayTracer& tracer)
             { return "quoria.RayTracer(" + std::string(py::repr(py::list(tracer.Solids()))) + ")"; })
        .def("__reduce__",
             [](py::object self)
             {
                 return py::make_tuple(self.attr("__class__"),
                                       py::make_tuple(py::list(self.cast<const PyRayTracer&>().Solids())));
             });
    DefineRayTraceMany(rayTracer);
}

} // namespace QuoriaPython
