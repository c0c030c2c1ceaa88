#pragma once

#include "Solid.h"

#include <pybind11/pybind11.h>

#include <memory>
#include <string>

namespace QuoriaPython
{

namespace py = pybind11;

// A solid made by one of the factories, and the call that made it: the
// factory's Python name and its arguments, normalised to plain tuples and
// floats, so that pickling replays the call and rebuilds the same solid.
// Immutable, like the library's solids.
class PySolid
{
public:
    PySolid(std::string factory, py::tuple arguments, std::unique_ptr<const Tessam::Geometry3D::Solid> solid)
        : factory(std::move(factory)), arguments(std::move(arguments)), solid(std::move(solid))
    {
    }

    const Tessam::Geometry3D::Solid& Get() const { return *solid; }
    const std::string& Factory() const { return factory; }
    const py::tuple& Arguments() const { return arguments; }

private:
    std::string factory;
    py::tuple arguments;
    std::unique_ptr<const Tessam::Geometry3D::Solid> solid;
};

} // namespace QuoriaPython
