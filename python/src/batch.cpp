#include "batch.h"

#include "acoustics.h"
#include "tracer.h"

#include "TraceEnding.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace QuoriaPython
{

namespace
{

using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;

Array ReadArray(py::handle value, const std::string& name, const char* expected)
{
    if (py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value) || value.is_none())
    {
        throw py::type_error(name + " must be " + expected + ", not " + TypeName(value));
    }
    // ensure() clears numpy's own error, which would name no argument.
    Array array = Array::ensure(value);
    if (!array)
    {
        throw py::type_error(name + " must be " + expected + ", not " + TypeName(value));
    }
    return array;
}

// One angle per beam, or one for all of them.
std::vector<double> ReadAngles(py::handle value, const std::string& name, std::size_t beamCount)
{
    const Array array = ReadArray(value, name, "a number or an array of numbers");
    if (array.ndim() == 0)
    {
        return std::vector<double>(beamCount, *array.data());
    }
    if (array.ndim() != 1 || static_cast<std::size_t>(array.shape(0)) != beamCount)
    {
        throw py::value_error(name + " must be a number or an array of shape (" + std::to_string(beamCount) +
                              ",), one per point, not an array of shape " + ShapeText(array));
    }
    return std::vector<double>(array.data(), array.data() + beamCount);
}

// "ZeroDivisionError: division by zero", without the traceback what() adds.
std::string Describe(const py::error_already_set& error)
{
    const py::object type = error.type();
    return py::str(type.attr("__name__")).cast<std::string>() + ": " +
           py::str(error.value()).cast<std::string>();
}

} // namespace

std::vector<Tessam::Geometry3D::Point> ReadPoints(py::handle points, const std::string& name)
{
    const Array array = ReadArray(points, name, "an array of shape (N, 3)");
    // An empty list reads as shape (0,): no point.
    const bool empty = array.ndim() == 1 && array.shape(0) == 0;
    if (!empty && (array.ndim() != 2 || array.shape(1) != 3))
    {
        throw py::value_error(name + " must be an array of shape (N, 3), not an array of shape " +
                              ShapeText(array));
    }
    const std::size_t count = empty ? 0 : static_cast<std::size_t>(array.shape(0));
    std::vector<Tessam::Geometry3D::Point> result;
    result.reserve(count);
    const double* coordinates = array.data();
    for (std::size_t i = 0; i < count; ++i)
    {
        result.emplace_back(coordinates[3 * i], coordinates[3 * i + 1], coordinates[3 * i + 2]);
    }
    return result;
}

std::vector<Quoria::BatchBeam> ReadBeams(py::handle points, py::handle refractionAngles,
                                         py::handle skewAngles)
{
    const std::vector<Tessam::Geometry3D::Point> entries = ReadPoints(points, "points");
    const std::vector<double> refraction = ReadAngles(refractionAngles, "refraction_angles", entries.size());
    const std::vector<double> skew = ReadAngles(skewAngles, "skew_angles", entries.size());
    std::vector<Quoria::BatchBeam> beams(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        beams[i].entryPoint = entries[i];
        beams[i].angles.refractionAngle = refraction[i];
        beams[i].angles.skewAngle = skew[i];
    }
    return beams;
}

unsigned int ReadThreads(py::handle threads)
{
    return ReadCount(threads, "threads");
}

void BatchRun::Interruption::Record(py::error_already_set&& raisedError)
{
    std::lock_guard<std::mutex> guard(lock);
    if (!error)
    {
        error = std::make_unique<py::error_already_set>(std::move(raisedError));
    }
    raised.store(true);
}

BatchRun::BatchRun(std::size_t beamCount, bool showProgress, unsigned int threadCount)
{
    if (showProgress)
    {
        bar =
            py::module_::import("tqdm").attr("tqdm")(py::arg("total") = beamCount, py::arg("unit") = "beam");
    }
    options.threadCount = threadCount;
    options.progress = [this](std::size_t done, std::size_t total) { return Progress(done, total); };
}

BatchRun::~BatchRun()
{
    if (bar)
    {
        try
        {
            bar.attr("close")();
        }
        catch (py::error_already_set&)
        {
            // Already on the way out with another exception.
        }
    }
}

bool BatchRun::Progress(std::size_t done, std::size_t)
{
    py::gil_scoped_acquire gil;
    if (bar && done > shown)
    {
        bar.attr("update")(done - shown);
        shown = done;
    }
    if (PyErr_CheckSignals() != 0)
    {
        interruption->Record(py::error_already_set());
    }
    return !interruption->raised.load();
}

void BatchRun::Guard(CallerRules& rules)
{
    // The functions outlive no batch, but copies of them are dropped on
    // other threads: share the state rather than point at this run.
    auto guard = [interruption = interruption](auto function)
    {
        return [function = std::move(function), interruption](auto argument)
        {
            if (interruption->raised.load())
            {
                throw std::runtime_error("KeyboardInterrupt");
            }
            try
            {
                return function(argument);
            }
            catch (py::error_already_set& error)
            {
                py::gil_scoped_acquire gil;
                const std::string message = Describe(error);
                if (!error.matches(PyExc_Exception))
                {
                    interruption->Record(std::move(error));
                }
                throw std::runtime_error(message);
            }
            catch (py::builtin_exception& error)
            {
                // The binding's own TypeError or ValueError about a value
                // returned: named as Python would name it.
                py::gil_scoped_acquire gil;
                error.set_error();
                throw std::runtime_error(Describe(py::error_already_set()));
            }
        };
    };
    for (BehaviorFunction& behavior : rules.behaviorFunctions)
    {
        behavior = guard(std::move(behavior));
    }
    for (LawFunction& law : rules.laws)
    {
        if (law)
        {
            law = guard(std::move(law));
        }
    }
}

void BatchRun::Finish()
{
    if (bar)
    {
        py::object closing = std::move(bar);
        closing.attr("close")();
    }
    std::unique_ptr<py::error_already_set> error;
    {
        std::lock_guard<std::mutex> guard(interruption->lock);
        error = std::move(interruption->error);
    }
    if (error)
    {
        throw py::error_already_set(std::move(*error));
    }
}

PyBatchResult PyBatchResult::From(Quoria::BatchResult&& result)
{
    const auto beamCount = static_cast<py::ssize_t>(result.BeamCount());
    const auto legCount = static_cast<py::ssize_t>(result.LegCount());
    PyBatchResult converted;
    converted.offsets = OwnedArray(std::move(result.legOffsets), {beamCount + 1});
    converted.starts = OwnedArray(std::move(result.starts), {legCount, 3});
    converted.ends = OwnedArray(std::move(result.ends), {legCount, 3});
    converted.lengths = OwnedArray(std::move(result.lengths), {legCount});
    converted.solids = OwnedArray(std::move(result.solids), {legCount});
    converted.faces = OwnedArray(std::move(result.faces), {legCount});
    converted.behaviors = OwnedArray(std::move(result.behaviors), {legCount});
    for (std::size_t i = 0; i < result.endings.size(); ++i)
    {
        converted.endings.append(Quoria::TraceEndingName(result.endings[i]));
        if (!result.messages[i].empty())
        {
            converted.errors[py::int_(i)] = DecodeMessage(result.messages[i].c_str());
        }
    }
    return converted;
}

py::array_t<double> PyBatchResult::Legs(py::ssize_t beam) const
{
    const auto count = static_cast<py::ssize_t>(BeamCount());
    if (beam < 0)
    {
        beam += count;
    }
    if (beam < 0 || beam >= count)
    {
        throw py::index_error("beam index out of range");
    }
    const auto offsetsOf = offsets.cast<py::array_t<std::int64_t>>().unchecked<1>();
    const auto first = static_cast<py::ssize_t>(offsetsOf(beam));
    const auto legCount = static_cast<py::ssize_t>(offsetsOf(beam + 1)) - first;
    const auto startsOf = starts.cast<py::array_t<double>>().unchecked<2>();
    const auto endsOf = ends.cast<py::array_t<double>>().unchecked<2>();
    py::array_t<double> legs({legCount, py::ssize_t(2), py::ssize_t(3)});
    auto out = legs.mutable_unchecked<3>();
    for (py::ssize_t i = 0; i < legCount; ++i)
    {
        for (py::ssize_t axis = 0; axis < 3; ++axis)
        {
            out(i, 0, axis) = startsOf(first + i, axis);
            out(i, 1, axis) = endsOf(first + i, axis);
        }
    }
    return legs;
}

py::tuple PyBatchResult::State() const
{
    return py::make_tuple(offsets, starts, ends, lengths, solids, faces, behaviors, endings, errors);
}

PyBatchResult PyBatchResult::FromState(const py::tuple& state)
{
    return PyBatchResult{state[0].cast<py::array_t<std::int64_t>>(),
                         state[1].cast<py::array_t<double>>(),
                         state[2].cast<py::array_t<double>>(),
                         state[3].cast<py::array_t<double>>(),
                         state[4].cast<py::array_t<std::int32_t>>(),
                         state[5].cast<py::array_t<std::int32_t>>(),
                         state[6].cast<py::array_t<std::int32_t>>(),
                         state[7].cast<py::list>(),
                         state[8].cast<py::dict>()};
}

PyAcousticBatchResult PyAcousticBatchResult::From(Quoria::AcousticBatchResult&& result)
{
    const auto beamCount = static_cast<py::ssize_t>(result.BeamCount());
    const auto legCount = static_cast<py::ssize_t>(result.LegCount());
    PyAcousticBatchResult converted;
    // The letters trace() gives, one per leg, from the library's codes (L = 0, T = 1).
    const py::array codes = OwnedArray(std::move(result.modes), {legCount});
    converted.modes = py::module_::import("numpy").attr("array")(py::make_tuple("L", "T"))[codes];
    converted.speeds = OwnedArray(std::move(result.speeds), {legCount});
    converted.times = OwnedArray(std::move(result.times), {legCount});
    converted.time = OwnedArray(std::move(result.beamTimes), {beamCount});
    static_cast<PyBatchResult&>(converted) = PyBatchResult::From(std::move(result));
    return converted;
}

py::tuple PyAcousticBatchResult::State() const
{
    return py::make_tuple(PyBatchResult::State(), modes, speeds, times, time);
}

PyAcousticBatchResult PyAcousticBatchResult::FromState(const py::tuple& state)
{
    if (state.size() != 5 || !py::isinstance<py::tuple>(state[0]) || state[0].cast<py::tuple>().size() != 9)
    {
        throw py::value_error("not the state of a quoria.AcousticBatchResult");
    }
    PyAcousticBatchResult result;
    static_cast<PyBatchResult&>(result) = PyBatchResult::FromState(state[0].cast<py::tuple>());
    result.modes = state[1].cast<py::array>();
    result.speeds = state[2].cast<py::array_t<double>>();
    result.times = state[3].cast<py::array_t<double>>();
    result.time = state[4].cast<py::array_t<double>>();
    return result;
}

namespace
{

PyAcousticBatchResult SoundTraceMany(PyAcousticTracer& tracer, py::handle points, py::handle refractionAngles,
                                     py::handle skewAngles, py::handle legs, py::handle length,
                                     py::handle time, py::handle behaviors, py::handle modes,
                                     py::handle threads, bool progress)
{
    const std::vector<Quoria::BatchBeam> beams = ReadBeams(points, refractionAngles, skewAngles);
    const Quoria::TraceStop stop = ReadStop(legs, length, time);
    // No laws: Snell's law steers every leg.
    CallerRules rules = ReadRules(tracer.Faces(), behaviors, py::tuple());
    const std::vector<Quoria::WaveMode> waveModes = ReadModes(modes);
    const unsigned int threadCount = ReadThreads(threads);

    BatchRun run(beams.size(), progress, threadCount);
    run.Guard(rules);
    Quoria::AcousticBatchResult result;
    {
        py::gil_scoped_release release;
        result = rules.anyCallable ? Quoria::TraceBatch(tracer.Library(), beams, stop,
                                                        rules.behaviorFunctions, waveModes, run.Options())
                                   : Quoria::TraceBatch(tracer.Library(), beams, stop, rules.behaviors,
                                                        waveModes, run.Options());
    }
    run.Finish();
    return PyAcousticBatchResult::From(std::move(result));
}

PyBatchResult TraceMany(PyRayTracer& tracer, py::handle points, py::handle refractionAngles,
                        py::handle skewAngles, py::handle legs, py::handle length, py::handle behaviors,
                        py::handle laws, py::handle threads, bool progress)
{
    const std::vector<Quoria::BatchBeam> beams = ReadBeams(points, refractionAngles, skewAngles);
    const Quoria::TraceStop stop = ReadStop(legs, length, py::handle());
    CallerRules rules = ReadRules(tracer.Faces(), behaviors, laws);
    const unsigned int threadCount = ReadThreads(threads);

    BatchRun run(beams.size(), progress, threadCount);
    run.Guard(rules);
    Quoria::BatchResult result;
    {
        // The library only reads the tracer: no turn to take, and several
        // batches may share it.
        py::gil_scoped_release release;
        result = rules.anyCallable ? Quoria::TraceBatch(&tracer.Library(), beams, stop,
                                                        rules.behaviorFunctions, rules.laws, run.Options())
                                   : Quoria::TraceBatch(&tracer.Library(), beams, stop, rules.behaviors,
                                                        rules.laws, run.Options());
    }
    run.Finish();
    return PyBatchResult::From(std::move(result));
}

} // namespace

void DefineBatchResult(py::module_& module)
{
    py::class_<PyBatchResult>(
        module, "BatchResult",
        "The legs of N beams traced at once, M legs in all, as flat arrays in the order of the beams. "
        "offsets: (N + 1,) int64, the legs of beam i are offsets[i]:offsets[i + 1]; starts, ends: (M, 3) "
        "float64; lengths: (M,) float64; solids, faces, behaviors: (M,) int32, as in quoria.TraceReport; "
        "endings: list of N words, as TraceReport.ending, 'error' for a beam that failed; errors: "
        "{beam index: message} for those. len() is N and [i] gives beam i's legs as trace() returns "
        "them, (n_i, 2, 3).")
        .def_readonly("offsets", &PyBatchResult::offsets)
        .def_readonly("starts", &PyBatchResult::starts)
        .def_readonly("ends", &PyBatchResult::ends)
        .def_readonly("lengths", &PyBatchResult::lengths)
        .def_readonly("solids", &PyBatchResult::solids)
        .def_readonly("faces", &PyBatchResult::faces)
        .def_readonly("behaviors", &PyBatchResult::behaviors)
        .def_readonly("endings", &PyBatchResult::endings)
        .def_readonly("errors", &PyBatchResult::errors)
        .def("__len__", &PyBatchResult::BeamCount)
        .def("__getitem__", &PyBatchResult::Legs, py::arg("beam"))
        .def("__repr__",
             [](const PyBatchResult& result)
             {
                 return "<quoria.BatchResult: " + std::to_string(result.BeamCount()) + " beams, " +
                        std::to_string(py::len(result.lengths)) + " legs, " +
                        std::to_string(py::len(result.errors)) + " errors>";
             })
        .def(py::pickle([](const PyBatchResult& result) { return result.State(); },
                        [](const py::tuple& state)
                        {
                            if (state.size() != 9)
                            {
                                throw py::value_error("not the state of a quoria.BatchResult");
                            }
                            return PyBatchResult::FromState(state);
                        }));
}

void DefineSoundTraceMany(py::module_& module, py::class_<PyAcousticTracer>& tracer)
{
    py::class_<PyAcousticBatchResult, PyBatchResult>(
        module, "AcousticBatchResult",
        "The legs of N beams of sound traced at once, M legs in all: a quoria.BatchResult (lengths in mm) "
        "with "
        "modes: (M,) str, 'L' or 'T' per leg; speeds: (M,) float64, m/s; times: (M,) float64, the time of "
        "flight along each leg, \xC2\xB5s; time: (N,) float64, each beam's total, \xC2\xB5s. endings as "
        "AcousticReport.ending; errors holds the message of a beam that trace() would refuse and that of "
        "one that ends with 'error' (a T leg in a liquid), which keeps the legs it made.")
        .def_readonly("modes", &PyAcousticBatchResult::modes)
        .def_readonly("speeds", &PyAcousticBatchResult::speeds)
        .def_readonly("times", &PyAcousticBatchResult::times)
        .def_readonly("time", &PyAcousticBatchResult::time)
        .def("__repr__",
             [](const PyAcousticBatchResult& result)
             {
                 return "<quoria.AcousticBatchResult: " + std::to_string(result.BeamCount()) + " beams, " +
                        std::to_string(py::len(result.lengths)) + " legs, " +
                        std::to_string(py::len(result.errors)) + " errors>";
             })
        .def(py::pickle([](const PyAcousticBatchResult& result) { return result.State(); },
                        &PyAcousticBatchResult::FromState));

    tracer.def(
        "trace_many", &SoundTraceMany, py::arg("points"), py::arg("refraction_angles") = 0.0,
        py::arg("skew_angles") = 0.0, py::kw_only(), py::arg("legs") = py::none(),
        py::arg("length") = py::none(), py::arg("time") = py::none(), py::arg("behaviors") = py::tuple(),
        py::arg("modes") = py::tuple(), py::arg("threads") = 0, py::arg("progress") = false,
        "Many beams of sound at once, on every core, into one quoria.AcousticBatchResult: beam i's legs, "
        "modes, "
        "speeds, times, ending and message are those trace() gives for it, bit for bit, whatever the "
        "threads.\n\n"
        "points : (N, 3) mm, one entry point per beam.\n"
        "refraction_angles, skew_angles : (N,) radians, or one number for every beam.\n"
        "legs, length, time, behaviors, modes : as for trace(), the same for every beam.\n"
        "threads : the threads that trace, the caller's included; 0 means one per core.\n"
        "progress : show a tqdm progress bar.\n"
        "Raises ValueError with the library's message for a length or time that is negative, NaN or "
        "infinite. A beam that trace() would refuse fails alone: its ending is 'error' and errors[i] holds "
        "the message. So does a beam whose behaviour callable raises an Exception ('TypeName: message'); a "
        "KeyboardInterrupt or SystemExit there stops the batch and is raised. The GIL is released while the "
        "library traces; Ctrl-C stops the batch within about 50 ms and raises KeyboardInterrupt. A behaviour "
        "callable takes the GIL for each call, which serialises the work.");
}

void DefineRayTraceMany(py::class_<PyRayTracer>& tracer)
{
    tracer.def(
        "trace_many", &TraceMany, py::arg("points"), py::arg("refraction_angles") = 0.0,
        py::arg("skew_angles") = 0.0, py::kw_only(), py::arg("legs") = py::none(),
        py::arg("length") = py::none(), py::arg("behaviors") = py::tuple(), py::arg("laws") = py::tuple(),
        py::arg("threads") = 0, py::arg("progress") = false,
        "Many beams at once, on every core, into one quoria.BatchResult: beam i's legs, ending and error are "
        "those trace() and trace_report() give for it, bit for bit, whatever the threads.\n\n"
        "points : (N, 3) floats, one entry point per beam.\n"
        "refraction_angles, skew_angles : (N,) radians, or one number for every beam.\n"
        "legs, length, behaviors, laws : as for trace(), the same for every beam.\n"
        "threads : the threads that trace, the caller's included; 0 means one per core.\n"
        "progress : show a tqdm progress bar.\n"
        "A beam that trace() would refuse with ValueError fails alone: its ending is 'error' and errors[i] "
        "holds the message. So does a beam whose law or behaviour raises an Exception (errors[i] is "
        "'TypeName: message'); a KeyboardInterrupt or SystemExit there stops the batch and is raised. "
        "The GIL is released while the library traces: other Python threads run meanwhile, and Ctrl-C "
        "stops the batch within about 50 ms and raises KeyboardInterrupt. A law or behaviour callable "
        "takes the GIL for each call, which serialises the work: constant behaviours and no laws trace "
        "on every core.");
}

} // namespace QuoriaPython
