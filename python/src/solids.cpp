#include "bindings.h"
#include "solid.h"

#include "ComplexFlatSurface.h"
#include "ConicalSurface.h"
#include "CylindricalArcSurface.h"
#include "CylindricalSurface.h"
#include "Disk.h"
#include "DiskSector.h"
#include "Factories.h"
#include "Polygon.h"
#include "Rectangle.h"
#include "Ring.h"
#include "SlopeConfiguration.h"
#include "SnapToFace.h"
#include "TruncatedConicalSurface.h"

#include <array>
#include <typeinfo>
#include <utility>
#include <vector>

using Quoria::SlopeConfiguration;
using namespace Tessam::Geometry3D;

namespace QuoriaPython
{

namespace
{

enum class ParameterKind
{
    Point,
    Number,
    Slopes
};

struct Parameter
{
    const char* name;
    ParameterKind kind;
};

// A factory's arguments once read, by kind, each kind in parameter order.
struct Values
{
    std::vector<Point> points;
    std::vector<double> numbers;
    std::vector<SlopeConfiguration> slopes;

    std::array<const SlopeConfiguration, 4> Slopes() const
    {
        return {slopes[0], slopes[1], slopes[2], slopes[3]};
    }
};

struct Factory
{
    const char* name;
    std::vector<Parameter> parameters;
    const Solid* (*create)(const Values&);
    const char* doc;
};

const Parameter Centre{"centre", ParameterKind::Point};
const Parameter SizeX{"size_x", ParameterKind::Number};
const Parameter SizeY{"size_y", ParameterKind::Number};
const Parameter SizeZ{"size_z", ParameterKind::Number};
const Parameter Radius{"radius", ParameterKind::Number};
const Parameter InnerRadius{"inner_radius", ParameterKind::Number};
const Parameter OuterRadius{"outer_radius", ParameterKind::Number};
const Parameter Length{"length", ParameterKind::Number};
const Parameter Slopes{"slopes", ParameterKind::Slopes};
const Parameter ProbeSetOrigin{"probe_set_origin", ParameterKind::Point};
const Parameter Width{"width", ParameterKind::Number};
const Parameter Height{"height", ParameterKind::Number};
const Parameter WedgeAngle{"wedge_angle", ParameterKind::Number};
const Parameter RoofAngle{"roof_angle", ParameterKind::Number};
const Parameter RotationAngle{"rotation_angle", ParameterKind::Number};
const Parameter CylinderCentroid{"cylinder_centroid", ParameterKind::Point};

const std::vector<Factory>& Factories()
{
    static const std::vector<Factory> factories{
        {"create_axis_aligned_plate",
         {Centre, SizeX, SizeY, SizeZ},
         [](const Values& v)
         { return Quoria::CreateAxisAlignedPlate(v.points[0], v.numbers[0], v.numbers[1], v.numbers[2]); },
         "A plate (a box) with faces parallel to the axes, around its centre."},
        {"create_x_oriented_bar",
         {Centre, Radius, Length},
         [](const Values& v) { return Quoria::CreateXOrientedBar(v.points[0], v.numbers[0], v.numbers[1]); },
         "A round bar along the X axis, around its centre."},
        {"create_y_oriented_bar",
         {Centre, Radius, Length},
         [](const Values& v) { return Quoria::CreateYOrientedBar(v.points[0], v.numbers[0], v.numbers[1]); },
         "A round bar along the Y axis, around its centre."},
        {"create_x_oriented_pipe",
         {Centre, InnerRadius, OuterRadius, Length},
         [](const Values& v)
         { return Quoria::CreateXOrientedPipe(v.points[0], v.numbers[0], v.numbers[1], v.numbers[2]); },
         "A pipe along the X axis, around its centre."},
        {"create_y_oriented_pipe",
         {Centre, InnerRadius, OuterRadius, Length},
         [](const Values& v)
         { return Quoria::CreateYOrientedPipe(v.points[0], v.numbers[0], v.numbers[1], v.numbers[2]); },
         "A pipe along the Y axis, around its centre."},
        {"create_axis_aligned_counterbored_plate",
         {Centre, SizeX, SizeY, SizeZ, Slopes},
         [](const Values& v)
         {
             return Quoria::CreateAxisAlignedCounterboredPlate(v.points[0], v.numbers[0], v.numbers[1],
                                                               v.numbers[2], v.Slopes());
         },
         "A plate with the four weld-bevel slopes of a counterbore, one per quadrant."},
        {"create_x_oriented_counterbored_pipe",
         {Centre, InnerRadius, OuterRadius, Length, Slopes},
         [](const Values& v)
         {
             return Quoria::CreateXOrientedCounterboredPipe(v.points[0], v.numbers[0], v.numbers[1],
                                                            v.numbers[2], v.Slopes());
         },
         "A pipe along the X axis with the four weld-bevel slopes of a counterbore."},
        {"create_y_oriented_counterbored_pipe",
         {Centre, InnerRadius, OuterRadius, Length, Slopes},
         [](const Values& v)
         {
             return Quoria::CreateYOrientedCounterboredPipe(v.points[0], v.numbers[0], v.numbers[1],
                                                            v.numbers[2], v.Slopes());
         },
         "A pipe along the Y axis with the four weld-bevel slopes of a counterbore."},
        {"create_wedge_on_axis_aligned_plate",
         {ProbeSetOrigin, Length, Width, Height, WedgeAngle, RoofAngle, RotationAngle},
         [](const Values& v)
         {
             return Quoria::CreateWedgeOnAxisAlignedPlate(v.points[0], v.numbers[0], v.numbers[1],
                                                          v.numbers[2], v.numbers[3], v.numbers[4],
                                                          v.numbers[5]);
         },
         "A probe's wedge standing on a plate; angles in radians."},
        {"create_wedge_on_x_oriented_cylinder",
         {ProbeSetOrigin, Length, Width, Height, WedgeAngle, RoofAngle, CylinderCentroid},
         [](const Values& v)
         {
             return Quoria::CreateWedgeOnXOrientedCylinder(v.points[0], v.numbers[0], v.numbers[1],
                                                           v.numbers[2], v.numbers[3], v.numbers[4],
                                                           v.points[1]);
         },
         "A probe's wedge standing on a cylinder along the X axis; angles in radians."},
        {"create_wedge_on_y_oriented_cylinder",
         {ProbeSetOrigin, Length, Width, Height, WedgeAngle, RoofAngle, CylinderCentroid},
         [](const Values& v)
         {
             return Quoria::CreateWedgeOnYOrientedCylinder(v.points[0], v.numbers[0], v.numbers[1],
                                                           v.numbers[2], v.numbers[3], v.numbers[4],
                                                           v.points[1]);
         },
         "A probe's wedge standing on a cylinder along the Y axis; angles in radians."},
    };
    return factories;
}

py::tuple SlopeTuple(const SlopeConfiguration& slope)
{
    return py::make_tuple(slope.GetHeight(), slope.GetWidth(), slope.GetOffset());
}

SlopeConfiguration ReadSlope(py::handle value, const std::string& name)
{
    if (py::isinstance<SlopeConfiguration>(value))
    {
        return value.cast<SlopeConfiguration>();
    }
    const std::string expected = name + " must be a quoria.SlopeConfiguration or (height, width, offset)";
    if (py::isinstance<py::str>(value) || !py::isinstance<py::sequence>(value))
    {
        throw py::type_error(expected + ", not " + TypeName(value));
    }
    const py::sequence items = py::reinterpret_borrow<py::sequence>(value);
    if (items.size() != 3)
    {
        throw py::value_error(expected + ", not a sequence of " + std::to_string(items.size()));
    }
    return SlopeConfiguration(ReadNumber(items[0], name + "[0] (height)"),
                              ReadNumber(items[1], name + "[1] (width)"),
                              ReadNumber(items[2], name + "[2] (offset)"));
}

std::vector<SlopeConfiguration> ReadSlopes(py::handle value, const std::string& name)
{
    const py::list items = ReadSequence(value, name, "four slope configurations");
    if (items.size() != 4)
    {
        throw py::value_error(name + " must hold four slope configurations, one per quadrant, not " +
                              std::to_string(items.size()));
    }
    std::vector<SlopeConfiguration> slopes;
    for (std::size_t i = 0; i < 4; ++i)
    {
        slopes.push_back(ReadSlope(items[i], name + "[" + std::to_string(i) + "]"));
    }
    return slopes;
}

// Reads the arguments in order, so that the first wrong one is named, and
// calls the factory; its own checks come after.
PySolid Build(const Factory& factory, const py::tuple& arguments)
{
    Values values;
    py::tuple normalised(arguments.size());
    for (std::size_t i = 0; i < factory.parameters.size(); ++i)
    {
        const Parameter& parameter = factory.parameters[i];
        switch (parameter.kind)
        {
        case ParameterKind::Point:
            values.points.push_back(ReadPoint(arguments[i], parameter.name));
            normalised[i] = PointTuple(values.points.back());
            break;
        case ParameterKind::Number:
            values.numbers.push_back(ReadNumber(arguments[i], parameter.name));
            normalised[i] = py::float_(values.numbers.back());
            break;
        case ParameterKind::Slopes:
        {
            values.slopes = ReadSlopes(arguments[i], parameter.name);
            py::tuple slopes(4);
            for (std::size_t s = 0; s < 4; ++s)
            {
                slopes[s] = SlopeTuple(values.slopes[s]);
            }
            normalised[i] = slopes;
            break;
        }
        }
    }
    std::unique_ptr<const Solid> solid(factory.create(values));
    return PySolid(factory.name, normalised, std::move(solid));
}

const Factory& FactoryNamed(const std::string& name)
{
    for (const Factory& factory : Factories())
    {
        if (name == factory.name)
        {
            return factory;
        }
    }
    throw py::value_error("no factory is called " + name);
}

template <std::size_t> using Object = py::object;

template <std::size_t... I>
void DefineFactory(py::module_& module, const Factory& factory, std::index_sequence<I...>)
{
    module.def(
        factory.name, [&factory](Object<I>... values) { return Build(factory, py::make_tuple(values...)); },
        py::arg(factory.parameters[I].name)..., factory.doc);
}

void DefineFactory(py::module_& module, const Factory& factory)
{
    switch (factory.parameters.size())
    {
    case 3:
        return DefineFactory(module, factory, std::make_index_sequence<3>());
    case 4:
        return DefineFactory(module, factory, std::make_index_sequence<4>());
    case 5:
        return DefineFactory(module, factory, std::make_index_sequence<5>());
    case 7:
        return DefineFactory(module, factory, std::make_index_sequence<7>());
    default:
        throw std::logic_error("quoria: a factory with an unexpected number of parameters");
    }
}

std::size_t ReadFace(const PySolid& solid, py::handle value)
{
    const std::size_t count = solid.Get().GetSurfaces().size();
    const unsigned int face = ReadCount(value, "face");
    if (face >= count)
    {
        throw py::index_error("face must be below the solid's " + std::to_string(count) + " faces, not " +
                              std::string(py::str(value)));
    }
    return face;
}

py::str SolidRepr(const PySolid& solid)
{
    const Factory& factory = FactoryNamed(solid.Factory());
    std::string text = "quoria." + solid.Factory() + "(";
    for (std::size_t i = 0; i < factory.parameters.size(); ++i)
    {
        text += std::string(i > 0 ? ", " : "") + factory.parameters[i].name + "=" +
                std::string(py::repr(solid.Arguments()[i]));
    }
    return text + ")";
}

} // namespace

const char* FaceKind(const ISurface& surface)
{
    // The exact class, not a base: a Rectangle is also a Polygon.
    static const std::pair<const std::type_info*, const char*> kinds[] = {
        {&typeid(Rectangle), "Rectangle"},
        {&typeid(Polygon), "Polygon"},
        {&typeid(Disk), "Disk"},
        {&typeid(DiskSector), "DiskSector"},
        {&typeid(Ring), "Ring"},
        {&typeid(ComplexFlatSurface), "ComplexFlatSurface"},
        {&typeid(CylindricalSurface), "CylindricalSurface"},
        {&typeid(CylindricalArcSurface), "CylindricalArcSurface"},
        {&typeid(ConicalSurface), "ConicalSurface"},
        {&typeid(TruncatedConicalSurface), "TruncatedConicalSurface"},
    };
    const std::type_info& type = typeid(surface);
    for (const auto& kind : kinds)
    {
        if (*kind.first == type)
        {
            return kind.second;
        }
    }
    return "Surface";
}

void BindSolids(py::module_& module)
{
    py::class_<SlopeConfiguration>(
        module, "SlopeConfiguration",
        "One weld-bevel slope of a counterbored specimen: the step it makes (height), "
        "how far it runs along the surface (width) and where it begins, measured from "
        "the specimen's middle (offset). Zero is valid for each.")
        .def(py::init(
                 [](py::object height, py::object width, py::object offset)
                 {
                     return SlopeConfiguration(ReadNumber(height, "height"), ReadNumber(width, "width"),
                                               ReadNumber(offset, "offset"));
                 }),
             py::arg("height"), py::arg("width"), py::arg("offset"))
        .def_property("height", &SlopeConfiguration::GetHeight,
                      [](SlopeConfiguration& slope, py::object value)
                      { slope.SetHeight(ReadNumber(value, "height")); })
        .def_property("width", &SlopeConfiguration::GetWidth,
                      [](SlopeConfiguration& slope, py::object value)
                      { slope.SetWidth(ReadNumber(value, "width")); })
        .def_property("offset", &SlopeConfiguration::GetOffset,
                      [](SlopeConfiguration& slope, py::object value)
                      { slope.SetOffset(ReadNumber(value, "offset")); })
        .def_property_readonly(
            "angle", [](const SlopeConfiguration& slope) { return slope.GetAngle().Radians(); },
            "atan(height / width) in radians: pi/2 for a zero width, NaN when both are zero.")
        .def("__eq__",
             [](const SlopeConfiguration& slope, py::object other) -> py::object
             {
                 if (!py::isinstance<SlopeConfiguration>(other))
                 {
                     return py::reinterpret_borrow<py::object>(Py_NotImplemented);
                 }
                 const auto& second = other.cast<const SlopeConfiguration&>();
                 return py::bool_(slope.GetHeight() == second.GetHeight() &&
                                  slope.GetWidth() == second.GetWidth() &&
                                  slope.GetOffset() == second.GetOffset());
             })
        .def("__repr__",
             [](const SlopeConfiguration& slope)
             {
                 return "quoria.SlopeConfiguration(height=" +
                        std::string(py::repr(py::float_(slope.GetHeight()))) +
                        ", width=" + std::string(py::repr(py::float_(slope.GetWidth()))) +
                        ", offset=" + std::string(py::repr(py::float_(slope.GetOffset()))) + ")";
             })
        .def(py::pickle([](const SlopeConfiguration& slope) { return SlopeTuple(slope); },
                        [](const py::tuple& state) { return ReadSlope(state, "SlopeConfiguration state"); }))
        .attr("__hash__") = py::none();

    py::class_<PySolid>(
        module, "Solid",
        "A specimen made by one of the factories. Immutable; pickles as the factory call that "
        "made it.")
        .def_property_readonly(
            "face_count", [](const PySolid& solid) { return solid.Get().GetSurfaces().size(); },
            "The number of faces.")
        .def_property_readonly(
            "face_kinds",
            [](const PySolid& solid)
            {
                py::list kinds;
                for (const ISurface* surface : solid.Get().GetSurfaces())
                {
                    kinds.append(FaceKind(*surface));
                }
                return kinds;
            },
            "The class of each face, in order: 'Rectangle', 'Polygon', 'Disk', 'DiskSector', 'Ring', "
            "'ComplexFlatSurface', 'CylindricalSurface', 'CylindricalArcSurface', 'ConicalSurface' or "
            "'TruncatedConicalSurface'.")
        .def_property_readonly(
            "factory", [](const PySolid& solid) { return solid.Factory(); },
            "The name of the factory that made it.")
        .def_property_readonly(
            "parameters",
            [](const PySolid& solid)
            {
                const Factory& factory = FactoryNamed(solid.Factory());
                py::dict parameters;
                for (std::size_t i = 0; i < factory.parameters.size(); ++i)
                {
                    parameters[factory.parameters[i].name] = solid.Arguments()[i];
                }
                return parameters;
            },
            "The factory's arguments by name: points as tuples, slopes as (height, width, offset).")
        .def(
            "snap",
            [](const PySolid& solid, py::object point, bool returnDistance) -> py::tuple
            {
                const Quoria::SnappedPoint snapped =
                    Quoria::SnapToFace(solid.Get(), ReadPoint(point, "point"));
                if (returnDistance)
                {
                    return py::make_tuple(PointArray(snapped.point), snapped.face, snapped.distance);
                }
                return py::make_tuple(PointArray(snapped.point), snapped.face);
            },
            py::arg("point"), py::arg("return_distance") = false,
            "The point of a face nearest to `point`, and that face's index (and with return_distance, how "
            "far "
            "the point moved): the foot of the perpendicular to the face's plane, cylinder or cone; the "
            "nearest "
            "such foot, and on equal distances the first face. The result is an entry point the tracer "
            "accepts, "
            "on exactly one face. Raises ValueError when no face has a foot there (beyond a corner, on the "
            "axis "
            "of a bar) or when the nearest lies on an edge.")
        .def(
            "face_normal",
            [](const PySolid& solid, py::object face, py::object point)
            {
                const ISurface* surface = solid.Get().GetSurfaces()[ReadFace(solid, face)];
                const Vector normal = surface->GetNormal(ReadPoint(point, "point"));
                return PointArray(Point(normal.X(), normal.Y(), normal.Z()));
            },
            py::arg("face"), py::arg("point"),
            "The outward unit normal of a face at a point of it, shape (3,). Raises ValueError for a point "
            "off "
            "the face.")
        .def(
            "faces_containing",
            [](const PySolid& solid, py::object point)
            {
                const Point p = ReadPoint(point, "point");
                std::vector<std::int32_t> faces;
                const auto& surfaces = solid.Get().GetSurfaces();
                for (std::size_t i = 0; i < surfaces.size(); ++i)
                {
                    if (surfaces[i]->Contains(p))
                    {
                        faces.push_back(static_cast<std::int32_t>(i));
                    }
                }
                return py::array_t<std::int32_t>(faces.size(), faces.data());
            },
            py::arg("point"),
            "The indices of the faces that contain the point (within their tolerances), in order, as an "
            "int32 "
            "array: one for an entry point, two or more on an edge.")
        .def("__eq__",
             [](const PySolid& solid, py::object other) -> py::object
             {
                 if (!py::isinstance<PySolid>(other))
                 {
                     return py::reinterpret_borrow<py::object>(Py_NotImplemented);
                 }
                 return py::bool_(solid.Get() == other.cast<const PySolid&>().Get());
             })
        .def("__repr__", &SolidRepr)
        .def(py::pickle([](const PySolid& solid)
                        { return py::make_tuple(solid.Factory(), solid.Arguments()); },
                        [](const py::tuple& state)
                        {
                            if (state.size() != 2 || !py::isinstance<py::str>(state[0]) ||
                                !py::isinstance<py::tuple>(state[1]))
                            {
                                throw py::value_error("not the state of a quoria.Solid");
                            }
                            const Factory& factory = FactoryNamed(state[0].cast<std::string>());
                            const py::tuple arguments = state[1].cast<py::tuple>();
                            if (arguments.size() != factory.parameters.size())
                            {
                                throw py::value_error("not the state of a quoria.Solid");
                            }
                            return Build(factory, arguments);
                        }))
        .attr("__hash__") = py::none();

    for (const Factory& factory : Factories())
    {
        DefineFactory(module, factory);
    }
}

} // namespace QuoriaPython
