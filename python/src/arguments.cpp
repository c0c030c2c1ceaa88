#include "bindings.h"

#include <climits>
#include <cmath>

using Tessam::Geometry3D::Point;

namespace QuoriaPython
{

std::string TypeName(py::handle value)
{
    return py::str(py::type::handle_of(value).attr("__name__"));
}

std::string ShapeText(const py::array& array)
{
    std::string shape = "(";
    for (py::ssize_t axis = 0; axis < array.ndim(); ++axis)
    {
        shape += (axis > 0 ? ", " : "") + std::to_string(array.shape(axis));
    }
    return shape + (array.ndim() == 1 ? ",)" : ")");
}

Point ReadPoint(py::handle value, const std::string& name)
{
    const std::string expected = name + " must be a sequence of three numbers";
    if (py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value) || value.is_none())
    {
        throw py::type_error(expected + ", not " + TypeName(value));
    }
    using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;
    // ensure() clears numpy's own error, which would name no argument.
    const Array array = Array::ensure(value);
    if (!array)
    {
        throw py::type_error(expected + ", not " + TypeName(value));
    }
    if (array.ndim() != 1 || array.shape(0) != 3)
    {
        throw py::value_error(expected + ", not an array of shape " + ShapeText(array));
    }
    const double* coordinates = array.data();
    return Point(coordinates[0], coordinates[1], coordinates[2]);
}

double ReadNumber(py::handle value, const std::string& name)
{
    if (py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value))
    {
        throw py::type_error(name + " must be a number, not " + TypeName(value));
    }
    const double number = PyFloat_AsDouble(value.ptr());
    if (number == -1.0 && PyErr_Occurred())
    {
        const bool overflow = PyErr_ExceptionMatches(PyExc_OverflowError);
        PyErr_Clear();
        if (overflow)
        {
            throw py::value_error(name + " is too large for a double");
        }
        throw py::type_error(name + " must be a number, not " + TypeName(value));
    }
    return number;
}

unsigned int ReadCount(py::handle value, const std::string& name)
{
    // bool is an int to Python, but True legs is surely a mistake.
    if (PyBool_Check(value.ptr()) || !PyIndex_Check(value.ptr()))
    {
        throw py::type_error(name + " must be an integer, not " + TypeName(value));
    }
    const py::int_ count = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
    if (!count)
    {
        throw py::error_already_set();
    }
    if (count < py::int_(0))
    {
        throw py::value_error(name + " must be zero or more, not " + std::string(py::repr(count)));
    }
    if (count > py::int_(UINT_MAX))
    {
        return UINT_MAX;
    }
    return count.cast<unsigned int>();
}

Quoria::TraceStop ReadStop(py::handle legs, py::handle length, py::handle time)
{
    const bool withTime = static_cast<bool>(time);
    const int given = !legs.is_none() + !length.is_none() + (withTime && !time.is_none());
    if (given != 1)
    {
        if (!withTime)
        {
            throw py::type_error(given == 0
                                     ? "give legs or length: the trace ends after that many legs or once "
                                       "the legs reach that total length"
                                     : "give legs or length, not both");
        }
        throw py::type_error(given == 0
                                 ? "give legs, length or time: the trace ends after that many legs, once "
                                   "the legs reach that total length (mm) or once they reach that total "
                                   "time (\xC2\xB5"
                                   "s)"
                                 : "give only one of legs, length and time");
    }
    if (!legs.is_none())
    {
        return Quoria::TraceStop::Legs(ReadCount(legs, "legs"));
    }
    if (!length.is_none())
    {
        return Quoria::TraceStop::Length(ReadNumber(length, "length"));
    }
    return Quoria::TraceStop::Time(ReadNumber(time, "time"));
}

py::list ReadSequence(py::handle value, const std::string& name, const char* ofWhat)
{
    const std::string expected = name + " must be a sequence of " + ofWhat;
    if (py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value) ||
        !py::isinstance<py::iterable>(value))
    {
        throw py::type_error(expected + ", not " + TypeName(value));
    }
    return py::list(py::reinterpret_borrow<py::object>(value));
}

py::handle PublishNamedTuple(py::module_& module, const char* name, py::tuple fields, const char* doc)
{
    py::object type = py::module_::import("collections").attr("namedtuple")(name, fields);
    type.attr("__module__") = "quoria";
    type.attr("__doc__") = doc;
    module.attr(name) = type;
    return type.release();
}

py::tuple PointTuple(const Point& point)
{
    return py::make_tuple(point.X(), point.Y(), point.Z());
}

py::array_t<double> PointArray(const Point& point)
{
    py::array_t<double> array(3);
    double* coordinates = array.mutable_data();
    coordinates[0] = point.X();
    coordinates[1] = point.Y();
    coordinates[2] = point.Z();
    return array;
}

} // namespace QuoriaPython
