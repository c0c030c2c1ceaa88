#pragma once

#include "tracer.h"

#include "AcousticTracer.h"
#include "Material.h"
#include "WaveMode.h"

#include <memory>
#include <vector>

namespace QuoriaPython
{

// quoria.AcousticTracer: the library's tracer of sound over its own copies
// of the solids, one material each. Takes turns like quoria.RayTracer.
class PyAcousticTracer
{
public:
    // A quoria.Solid or a sequence of them; a quoria.Material or a built-in
    // material's name, or a sequence of them, one per solid.
    PyAcousticTracer(py::handle solids, py::handle materials);
    PyAcousticTracer(const PyAcousticTracer&) = delete;
    PyAcousticTracer& operator=(const PyAcousticTracer&) = delete;

    // The quoria.Solid objects given, in order.
    py::tuple Solids() const { return TupleOf(solids); }
    const std::vector<Quoria::Material>& Materials() const { return tracer->GetMaterials(); }
    const FaceMap& Faces() const { return faces; }
    TurnTaking& Turns() { return turns; }
    // Only while a Turn is held.
    Quoria::AcousticTracer& Library() const { return *tracer; }

private:
    std::vector<py::object> solids;
    std::unique_ptr<Quoria::AcousticTracer> tracer;
    FaceMap faces;
    TurnTaking turns{"an AcousticTracer cannot trace from inside one of its own behaviours"};
};

// The mode of each leg: a sequence of 'L', 'T' or quoria.WaveMode, or a
// string of those letters.
std::vector<Quoria::WaveMode> ReadModes(py::handle modes);

} // namespace QuoriaPython
