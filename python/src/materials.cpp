#include "bindings.h"

#include "Material.h"

using Quoria::Material;
using Quoria::WaveMode;

namespace QuoriaPython
{

WaveMode ReadWaveMode(py::handle value, const std::string& name)
{
    if (py::isinstance<WaveMode>(value))
    {
        return value.cast<WaveMode>();
    }
    if (py::isinstance<py::str>(value))
    {
        const std::string mode = value.cast<std::string>();
        if (mode == "L" || mode == "T")
        {
            return mode == "L" ? WaveMode::L : WaveMode::T;
        }
        throw py::value_error(name + " must be 'L' or 'T', not " + std::string(py::repr(value)));
    }
    throw py::type_error(name + " must be 'L', 'T' or a quoria.WaveMode, not " + TypeName(value));
}

void BindMaterials(py::module_& module)
{
    py::class_<Material>(
        module, "Material",
        "An isotropic medium for sound: its bulk wave speeds in metres per second. A shear speed "
        "of 0 means a liquid, which carries no T wave.")
        .def(py::init(
                 [](py::object name, py::object longitudinalSpeed, py::object shearSpeed)
                 {
                     if (!py::isinstance<py::str>(name))
                     {
                         throw py::type_error("name must be a str, not " + TypeName(name));
                     }
                     return Material(name.cast<std::string>(),
                                     ReadNumber(longitudinalSpeed, "longitudinal_speed"),
                                     ReadNumber(shearSpeed, "shear_speed"));
                 }),
             py::arg("name"), py::arg("longitudinal_speed"), py::arg("shear_speed"),
             "Raises ValueError for a longitudinal speed that is not positive and finite, a shear speed that "
             "is "
             "negative or not finite, or a shear speed not below the longitudinal one.")
        .def_property_readonly("name", &Material::GetName)
        .def_property_readonly("longitudinal_speed", &Material::GetLongitudinalSpeed, "m/s")
        .def_property_readonly("shear_speed", &Material::GetShearSpeed, "m/s; 0 for a liquid")
        .def_property_readonly("carries_shear_waves", &Material::CarriesShearWaves)
        .def(
            "speed",
            [](const Material& material, py::object mode)
            { return material.GetSpeed(ReadWaveMode(mode, "mode")); },
            py::arg("mode"),
            "The speed of the mode ('L', 'T' or a quoria.WaveMode) in m/s; 0 for T in a liquid.")
        .def("__eq__",
             [](const Material& material, py::object other) -> py::object
             {
                 if (!py::isinstance<Material>(other))
                 {
                     return py::reinterpret_borrow<py::object>(Py_NotImplemented);
                 }
                 const auto& second = other.cast<const Material&>();
                 return py::bool_(material.GetName() == second.GetName() &&
                                  material.GetLongitudinalSpeed() == second.GetLongitudinalSpeed() &&
                                  material.GetShearSpeed() == second.GetShearSpeed());
             })
        .def("__repr__",
             [](const Material& material)
             {
                 return "quoria.Material(" + std::string(py::repr(py::str(material.GetName()))) + ", " +
                        std::string(py::repr(py::float_(material.GetLongitudinalSpeed()))) + ", " +
                        std::string(py::repr(py::float_(material.GetShearSpeed()))) + ")";
             })
        .def(py::pickle(
            [](const Material& material) {
                return py::make_tuple(material.GetName(), material.GetLongitudinalSpeed(),
                                      material.GetShearSpeed());
            },
            [](const py::tuple& state)
            {
                if (state.size() != 3)
                {
                    throw py::value_error("not the state of a quoria.Material");
                }
                return Material(state[0].cast<std::string>(), state[1].cast<double>(),
                                state[2].cast<double>());
            }))
        .attr("__hash__") = py::none();
}

} // namespace QuoriaPython
