#pragma once

#include "rules.h"

#include "IRayTracer.h"
#include "ISolid.h"
#include "Solid.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace QuoriaPython
{

// The library's tracers keep working state, so calls from several Python
// threads on one tracer take turns, and a law or behaviour may not call its
// own tracer. The calls that trace read their arguments, take a Turn,
// release the GIL and call the library.
class TurnTaking
{
public:
    // `reentry` is the message of the RuntimeError raised on a thread that
    // has the tracer already.
    explicit TurnTaking(const char* reentry) : reentry(reentry) {}
    TurnTaking(const TurnTaking&) = delete;
    TurnTaking& operator=(const TurnTaking&) = delete;

    // Holds the tracer for one call. Waits for it without the GIL, so that
    // the thread that has it can take the GIL for its laws and behaviours.
    class Turn
    {
    public:
        explicit Turn(TurnTaking& turns);
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;
        ~Turn();

    private:
        TurnTaking& turns;
    };

private:
    const char* reentry;
    std::mutex busy;
    std::atomic<std::thread::id> owner{};
};

// The solids a tracer is made of: a quoria.Solid or a sequence of them. The
// Python objects are kept as given, for the tracer's `solids` and its
// pickle; the library copies the solids.
struct SolidArguments
{
    std::vector<py::object> objects;
    std::vector<const Tessam::Geometry3D::Solid*> solids;
};
SolidArguments ReadSolids(py::handle solids);
py::tuple TupleOf(const std::vector<py::object>& objects);
// The quoria.Face of every face of a tracer's own copies of the solids.
FaceMap MapFaces(const std::vector<const Tessam::Geometry3D::ISolid*>& copies);

// quoria.RayTracer: the library's tracer over its own copies of the solids.
class PyRayTracer
{
public:
    explicit PyRayTracer(py::handle solids);
    PyRayTracer(const PyRayTracer&) = delete;
    PyRayTracer& operator=(const PyRayTracer&) = delete;

    // The quoria.Solid objects given, in order.
    py::tuple Solids() const { return TupleOf(solids); }
    const FaceMap& Faces() const { return faces; }
    TurnTaking& Turns() { return turns; }
    // Only while a Turn is held.
    Quoria::IRayTracer& Library() const { return *tracer; }

private:
    std::vector<py::object> solids;
    std::unique_ptr<Quoria::IRayTracer> tracer;
    FaceMap faces;
    TurnTaking turns{"a RayTracer cannot trace from inside one of its own laws or behaviours"};
};

} // namespace QuoriaPython
