#include "bindings.h"

#include <cstring>
#include <exception>
#include <stdexcept>

namespace QuoriaPython
{

// The library's messages are Windows-1252: the degree sign is the byte 0xB0.
py::str DecodeMessage(const char* message)
{
    PyObject* text =
        PyUnicode_Decode(message, static_cast<Py_ssize_t>(std::strlen(message)), "cp1252", "replace");
    if (text == nullptr)
    {
        PyErr_Clear();
        text = PyUnicode_DecodeLatin1(message, static_cast<Py_ssize_t>(std::strlen(message)), "replace");
    }
    return py::reinterpret_steal<py::str>(text);
}

void BindErrors(py::module_&)
{
    py::register_exception_translator(
        [](std::exception_ptr error)
        {
            try
            {
                if (error)
                {
                    std::rethrow_exception(error);
                }
            }
            catch (const std::invalid_argument& invalid)
            {
                PyErr_SetObject(PyExc_ValueError, DecodeMessage(invalid.what()).ptr());
            }
        });
}

} // namespace QuoriaPython
