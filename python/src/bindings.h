#pragma once

// What the binding files of the quoria module share: one Bind function per
// area, called in order by module.cpp, and the conversions of arguments.

#include "ISurface.h"
#include "Material.h"
#include "Point.h"
#include "TraceStop.h"
#include "WaveMode.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>

namespace QuoriaPython
{

namespace py = pybind11;

void BindErrors(py::module_& module);
void BindEnums(py::module_& module);
void BindSolids(py::module_& module);
void BindTracer(py::module_& module);
void BindMaterials(py::module_& module);
void BindAcoustics(py::module_& module);
void BindFocalLaws(py::module_& module);

// A message of the library as Python text (the degree sign is one byte).
py::str DecodeMessage(const char* message);

// The argument conversions raise TypeError for a value of the wrong type and
// ValueError for one of the wrong shape or range, naming the argument.
std::string TypeName(py::handle value);
// As numpy prints it: "(3,)", "(2, 3)", "()".
std::string ShapeText(const py::array& array);
// Any sequence or array of three numbers.
Tessam::Geometry3D::Point ReadPoint(py::handle value, const std::string& name);
// Anything with __float__ or __index__, NaN and infinities included: the
// library decides what it accepts.
double ReadNumber(py::handle value, const std::string& name);
// A count of legs: an integer, zero or more. Counts beyond the range of
// unsigned int are clamped; any count above the tracer's limit of 250 legs
// gives the same trace.
unsigned int ReadCount(py::handle value, const std::string& name);
// The stop of a trace from its keywords legs, length and, for sound, time
// (a null handle for a call without it): exactly one is given.
Quoria::TraceStop ReadStop(py::handle legs, py::handle length, py::handle time);
// A sequence that is not a string, as a list.
py::list ReadSequence(py::handle value, const std::string& name, const char* ofWhat);

py::tuple PointTuple(const Tessam::Geometry3D::Point& point);

// A namedtuple type made once, published as quoria.<name> with its
// docstring, and kept alive for the module's life (the handle is owned).
py::handle PublishNamedTuple(py::module_& module, const char* name, py::tuple fields, const char* doc);
py::array_t<double> PointArray(const Tessam::Geometry3D::Point& point);

// A mode of sound: a quoria.WaveMode or its name, "L" or "T".
Quoria::WaveMode ReadWaveMode(py::handle value, const std::string& name);
// A quoria.Material or the name of a built-in one.
Quoria::Material ReadMaterial(py::handle value, const std::string& name);

// The class of a face, as the C++ names it: "Rectangle", "Ring", ...
const char* FaceKind(const Tessam::Geometry3D::ISurface& surface);

} // namespace QuoriaPython
