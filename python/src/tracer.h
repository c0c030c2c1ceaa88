#pragma once

#include "rules.h"

#include "IRayTracer.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace QuoriaPython
{

// quoria.RayTracer: the library's tracer over its own copies of the solids.
// That tracer keeps working state, so calls from several Python threads take
// turns, and a law or behaviour may not call its own tracer. The calls that
// trace (here and in the other binding files) read their arguments, take a
// Turn, release the GIL and call the library.
class PyRayTracer
{
public:
    // A quoria.Solid or a sequence of them.
    explicit PyRayTracer(py::handle solids);
    PyRayTracer(const PyRayTracer&) = delete;
    PyRayTracer& operator=(const PyRayTracer&) = delete;

    // The quoria.Solid objects given, in order.
    py::tuple Solids() const;
    const FaceMap& Faces() const { return faces; }
    // Only while a Turn is held.
    Quoria::IRayTracer& Library() const { return *tracer; }

    // Holds the tracer for one call. Waits for it without the GIL, so that
    // the thread that has it can take the GIL for its laws; raises
    // RuntimeError on the thread that holds it already.
    class Turn
    {
    public:
        explicit Turn(PyRayTracer& tracer);
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;
        ~Turn();

    private:
        PyRayTracer& tracer;
    };

private:
    std::vector<py::object> solids;
    std::unique_ptr<Quoria::IRayTracer> tracer;
    FaceMap faces;
    std::mutex busy;
    std::atomic<std::thread::id> owner{};
};

} // namespace QuoriaPython
