#include "rules.h"

#include <cmath>
#include <string>
#include <utility>

using Quoria::BehaviorAtInterface;
using Tessam::Geometry3D::ISurface;

namespace QuoriaPython
{

namespace
{

const char* const BehaviorNames[] = {"Reflect", "Transmit", "Stop"};

} // namespace

BehaviorAtInterface ReadBehavior(py::handle value, const std::string& subject, const char* verb,
                                 bool callableAllowed)
{
    if (py::isinstance<BehaviorAtInterface>(value))
    {
        return value.cast<BehaviorAtInterface>();
    }
    if (py::isinstance<py::str>(value))
    {
        const std::string name = value.cast<std::string>();
        for (int i = 0; i < 3; ++i)
        {
            if (name == BehaviorNames[i])
            {
                return static_cast<BehaviorAtInterface>(i);
            }
        }
        throw py::value_error(subject + " must " + verb + " 'Reflect', 'Transmit' or 'Stop', not " +
                              std::string(py::repr(value)));
    }
    throw py::type_error(subject + " must " + verb + " 'Reflect', 'Transmit', 'Stop', a quoria.Behavior" +
                         (callableAllowed ? " or a callable" : "") + ", not " + TypeName(value));
}

namespace
{

// The callables below borrow their Python object: the call that made them
// holds a reference until the trace is over. So copies made by the library
// with the GIL released touch no reference count, and the GIL is taken back
// only to call into Python.
class PythonBehavior
{
public:
    PythonBehavior(py::handle callable, std::string subject, const FaceMap& faces)
        : callable(callable.ptr()), subject(std::move(subject)), faces(&faces)
    {
    }

    BehaviorAtInterface operator()(const ISurface* surface) const
    {
        py::gil_scoped_acquire gil;
        const auto found = faces->find(surface);
        const py::object face = found != faces->end() ? found->second : py::none();
        const py::object result = py::handle(callable)(face);
        return ReadBehavior(result, subject, "return", false);
    }

private:
    PyObject* callable;
    std::string subject;
    const FaceMap* faces;
};

class PythonLaw
{
public:
    PythonLaw(py::handle callable, std::string subject)
        : callable(callable.ptr()), subject(std::move(subject))
    {
    }

    double operator()(double angle) const
    {
        py::gil_scoped_acquire gil;
        const py::object result = py::handle(callable)(angle);
        const double turned = PyFloat_AsDouble(result.ptr());
        if (turned == -1.0 && PyErr_Occurred())
        {
            PyErr_Clear();
            throw py::type_error(subject + " must return an angle in radians, not " + TypeName(result));
        }
        // A direction turned by NaN would carry NaN into every later leg.
        if (!std::isfinite(turned))
        {
            throw py::value_error(subject + " must return a finite angle in radians, not " +
                                  std::string(py::repr(result)));
        }
        return turned;
    }

private:
    PyObject* callable;
    std::string subject;
};

} // namespace

CallerRules ReadRules(const FaceMap& faces, py::handle behaviors, py::handle laws)
{
    CallerRules rules;
    const py::list behaviorItems = ReadSequence(behaviors, "behaviors", "behaviours");
    for (std::size_t i = 0; i < behaviorItems.size(); ++i)
    {
        const py::handle item = behaviorItems[i];
        const std::string subject = "behaviors[" + std::to_string(i) + "]";
        if (!py::isinstance<py::str>(item) && !py::isinstance<BehaviorAtInterface>(item) &&
            PyCallable_Check(item.ptr()))
        {
            rules.anyCallable = true;
            rules.callables.append(item);
            rules.behaviors.push_back(Quoria::Reflect);
            rules.behaviorFunctions.emplace_back(PythonBehavior(item, subject, faces));
            continue;
        }
        const BehaviorAtInterface behavior = ReadBehavior(item, subject, "be", true);
        rules.behaviors.push_back(behavior);
        rules.behaviorFunctions.emplace_back([behavior](const ISurface*) { return behavior; });
    }

    const py::list lawItems = ReadSequence(laws, "laws", "laws (callables or None)");
    for (std::size_t i = 0; i < lawItems.size(); ++i)
    {
        const py::handle item = lawItems[i];
        const std::string subject = "laws[" + std::to_string(i) + "]";
        if (item.is_none())
        {
            rules.laws.emplace_back();
        }
        else if (PyCallable_Check(item.ptr()))
        {
            rules.callables.append(item);
            rules.laws.emplace_back(PythonLaw(item, subject));
        }
        else
        {
            throw py::type_error(subject + " must be a callable or None, not " + TypeName(item));
        }
    }
    return rules;
}

} // namespace QuoriaPython
