#include "bindings.h"

#include "Material.h"
#include "Snell.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

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

Material ReadMaterial(py::handle value, const std::string& name)
{
    if (py::isinstance<Material>(value))
    {
        return value.cast<Material>();
    }
    if (py::isinstance<py::str>(value))
    {
        return Quoria::FindMaterial(value.cast<std::string>());
    }
    throw py::type_error(name + " must be a quoria.Material or the name of a built-in one, not " +
                         TypeName(value));
}

namespace
{

// Snell's law over numbers or arrays, as numpy's functions do: numbers give
// a float, or None where no wave exists; array-likes give a float64 array
// of their broadcast shape, NaN where none. The library checks every
// element and refuses the first it must.
template <std::size_t Count, typename Law>
py::object Snell(Law law, const std::array<const char*, Count>& names,
                 const std::array<py::handle, Count>& values)
{
    bool anyArray = false;
    for (const py::handle value : values)
    {
        anyArray = anyArray || py::isinstance<py::array>(value) ||
                   (PySequence_Check(value.ptr()) && !py::isinstance<py::str>(value) &&
                    !py::isinstance<py::bytes>(value));
    }
    if (!anyArray)
    {
        std::array<double, Count> numbers{};
        for (std::size_t i = 0; i < Count; ++i)
        {
            numbers[i] = ReadNumber(values[i], names[i]);
        }
        const std::optional<double> angle = law(numbers);
        return angle ? py::object(py::float_(*angle)) : py::object(py::none());
    }

    using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;
    py::tuple arrays(Count);
    for (std::size_t i = 0; i < Count; ++i)
    {
        const Array array = Array::ensure(values[i]);
        if (!array)
        {
            throw py::type_error(std::string(names[i]) + " must be a number or an array of numbers, not " +
                                 TypeName(values[i]));
        }
        arrays[i] = array;
    }
    py::tuple broadcast;
    try
    {
        broadcast = py::module_::import("numpy").attr("broadcast_arrays")(*arrays);
    }
    catch (const py::error_already_set& error)
    {
        if (!error.matches(PyExc_ValueError))
        {
            throw;
        }
        std::string message;
        std::string shapes;
        for (std::size_t i = 0; i < Count; ++i)
        {
            const char* separator = i == 0 ? "" : i + 1 == Count ? " and " : ", ";
            message += separator + std::string(names[i]);
            shapes += separator + ShapeText(arrays[i].cast<py::array>());
        }
        throw py::value_error(message + " cannot be broadcast together: shapes " + shapes);
    }
    std::array<Array, Count> inputs;
    for (std::size_t i = 0; i < Count; ++i)
    {
        // Broadcast views repeat elements with zero strides: made contiguous.
        inputs[i] = Array::ensure(broadcast[i]);
    }
    const py::array first = inputs[0];
    Array angles(std::vector<py::ssize_t>(first.shape(), first.shape() + first.ndim()));
    const auto size = static_cast<std::size_t>(angles.size());
    double* out = angles.mutable_data();
    {
        py::gil_scoped_release release;
        std::array<double, Count> numbers{};
        for (std::size_t element = 0; element < size; ++element)
        {
            for (std::size_t i = 0; i < Count; ++i)
            {
                numbers[i] = inputs[i].data()[element];
            }
            out[element] = law(numbers).value_or(std::nan(""));
        }
    }
    return std::move(angles);
}

const char* const SnellArguments =
    "Angles in radians from the normal, in [-pi/2, pi/2]; speeds positive and finite, in any one unit "
    "(m/s for the materials). Numbers give a float, or None where no wave exists; arrays (any argument) "
    "give a float64 array of their broadcast shape, NaN where none. Raises ValueError with the library's "
    "message for an angle out of range, checked first, or a speed that is not positive and finite.";

} // namespace

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

    module.def(
        "material",
        [](py::handle name)
        {
            if (!py::isinstance<py::str>(name))
            {
                throw py::type_error("name must be a str, not " + TypeName(name));
            }
            return Quoria::FindMaterial(name.cast<std::string>());
        },
        py::arg("name"),
        "The built-in material of that name ('Carbon steel', 'Water', ...) or of a usual short name "
        "('steel', 'stainless', 'aluminum', 'pmma', 'rexolite', 'cast iron', ...), ignoring the case of "
        "ASCII letters. Raises ValueError listing the known names for any other.");
    module.def(
        "materials",
        []()
        {
            py::list table;
            for (const Material& material : Quoria::BuiltInMaterials())
            {
                table.append(py::cast(material));
            }
            return table;
        },
        "The built-in table as a new list of quoria.Material, in its order: metals, cast irons, wedge "
        "plastics, couplants. Speeds in m/s.");

    static const std::string refractedDoc =
        "The angle of the refracted wave, sin(refracted) / refracted_speed = sin(incidence) / "
        "incident_speed, with the sign of the "
        "incidence; none past the critical angle, and pi/2 at it.\n\n" +
        std::string(SnellArguments);
    module.def(
        "refracted_angle",
        [](py::handle incidence, py::handle incidentSpeed, py::handle refractedSpeed)
        {
            return Snell<3>([](const std::array<double, 3>& x)
                            { return Quoria::RefractedAngle(x[0], x[1], x[2]); },
                            {"incidence_angle", "incident_speed", "refracted_speed"},
                            {incidence, incidentSpeed, refractedSpeed});
        },
        py::arg("incidence_angle"), py::arg("incident_speed"), py::arg("refracted_speed"),
        refractedDoc.c_str());
    static const std::string criticalDoc =
        "The incidence beyond which no refracted wave "
        "exists, asin(incident_speed / refracted_speed); none when the second medium is not faster.\n\n" +
        std::string(SnellArguments);
    module.def(
        "critical_angle",
        [](py::handle incidentSpeed, py::handle refractedSpeed)
        {
            return Snell<2>([](const std::array<double, 2>& x) { return Quoria::CriticalAngle(x[0], x[1]); },
                            {"incident_speed", "refracted_speed"}, {incidentSpeed, refractedSpeed});
        },
        py::arg("incident_speed"), py::arg("refracted_speed"), criticalDoc.c_str());
    static const std::string incidenceDoc = "The incidence that gives the wanted refracted angle, with its "
                                            "sign (the wedge angle for 60 degrees of shear in "
                                            "steel); none where no incidence does.\n\n" +
                                            std::string(SnellArguments);
    module.def(
        "incidence_for_refracted_angle",
        [](py::handle refracted, py::handle incidentSpeed, py::handle refractedSpeed)
        {
            return Snell<3>([](const std::array<double, 3>& x)
                            { return Quoria::IncidenceForRefractedAngle(x[0], x[1], x[2]); },
                            {"refracted_angle", "incident_speed", "refracted_speed"},
                            {refracted, incidentSpeed, refractedSpeed});
        },
        py::arg("refracted_angle"), py::arg("incident_speed"), py::arg("refracted_speed"),
        incidenceDoc.c_str());
}

} // namespace QuoriaPython
