#pragma once

// What the calls that trace many beams at once share: the beams read from
// numpy arrays, the run of a batch from Python (progress bar, Ctrl-C, the
// exceptions of Python callables that must stop it) and the arrays of the
// result, handed to numpy without a copy.

#include "bindings.h"
#include "rules.h"

#include "AcousticBatchTrace.h"
#include "BatchTrace.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace QuoriaPython
{

class PyRayTracer;

// An (N, 3) array of coordinates; an empty sequence is no point.
std::vector<Tessam::Geometry3D::Point> ReadPoints(py::handle points, const std::string& name);
// points (N, 3) and the angles, each (N,) or one number for every beam.
std::vector<Quoria::BatchBeam> ReadBeams(py::handle points, py::handle refractionAngles,
                                         py::handle skewAngles);
// A count of threads: 0 (one per hardware thread) or more.
unsigned int ReadThreads(py::handle threads);

// The numpy array of `shape` over the vector's own buffer, which the array
// keeps alive. The library reserves for the longest beams: room beyond half
// as much again as the legs is given back, at the cost of one copy.
template <typename T> py::array OwnedArray(std::vector<T>&& values, std::vector<py::ssize_t> shape)
{
    if (values.capacity() - values.size() > values.size() / 2)
    {
        values.shrink_to_fit();
    }
    auto* owned = new std::vector<T>(std::move(values));
    py::capsule owner(owned, [](void* data) { delete static_cast<std::vector<T>*>(data); });
    return py::array_t<T>(std::move(shape), owned->data(), owner);
}

// One batch run from Python, made and dropped with the GIL held. The
// progress callback is always installed: it shows the bar if asked and,
// holding the GIL for a moment, lets a pending Ctrl-C cancel the batch.
// A KeyboardInterrupt or SystemExit raised inside a law or behaviour cancels
// it too; their other exceptions only fail their beam.
class BatchRun
{
public:
    BatchRun(std::size_t beamCount, bool showProgress, unsigned int threadCount);
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;
    ~BatchRun();

    const Quoria::BatchOptions& Options() const { return options; }
    // Wraps the caller's functions so that their exceptions become the
    // message of their beam, or stop the batch.
    void Guard(CallerRules& rules);
    // After the library returns, with the GIL: closes the bar and raises
    // what stopped the batch, if anything did.
    void Finish();

private:
    struct Interruption
    {
        std::mutex lock;
        std::atomic<bool> raised{false};
        std::unique_ptr<py::error_already_set> error;
        // With the GIL: keeps the first one.
        void Record(py::error_already_set&& raisedError);
    };

    bool Progress(std::size_t done, std::size_t total);

    py::object bar;
    std::size_t shown = 0;
    std::shared_ptr<Interruption> interruption = std::make_shared<Interruption>();
    Quoria::BatchOptions options;
};

// quoria.BatchResult: the legs of N beams, M legs in all, as flat arrays.
struct PyBatchResult
{
    py::array offsets;
    py::array starts;
    py::array ends;
    py::array lengths;
    py::array solids;
    py::array faces;
    py::array behaviors;
    py::list endings;
    py::dict errors;

    static PyBatchResult From(Quoria::BatchResult&& result);
    std::size_t BeamCount() const { return endings.size(); }
    // Beam i's legs as trace() returns them: (n_i, 2, 3).
    py::array_t<double> Legs(py::ssize_t beam) const;
    py::tuple State() const;
    static PyBatchResult FromState(const py::tuple& state);
};

// quoria.AcousticBatchResult: with the wave, speed and time of each leg and
// the time of each beam.
struct PyAcousticBatchResult : PyBatchResult
{
    py::array modes;
    py::array speeds;
    py::array times;
    py::array time;

    static PyAcousticBatchResult From(Quoria::AcousticBatchResult&& result);
    py::tuple State() const;
    static PyAcousticBatchResult FromState(const py::tuple& state);
};

class PyAcousticTracer;

void DefineBatchResult(py::module_& module);
void DefineRayTraceMany(py::class_<PyRayTracer>& tracer);
void DefineSoundTraceMany(py::module_& module, py::class_<PyAcousticTracer>& tracer);

} // namespace QuoriaPython
