#include "bindings.h"

#ifndef QUORIA_VERSION
#error "QUORIA_VERSION must be defined by the build"
#endif

PYBIND11_MODULE(_quoria, module)
{
    using namespace QuoriaPython;
    module.doc() =
        "Exact analytic inspection specimens and straight beam tracing: the compiled core of quoria.";
    module.attr("__version__") = QUORIA_VERSION;
    // Errors first, so that the rest raises the library's messages as they
    // stand; enums before the calls that accept them, and each class before
    // those derived from it.
    BindErrors(module);
    BindEnums(module);
    BindSolids(module);
    BindTracer(module);
    BindMaterials(module);
    BindAcoustics(module);
    BindFocalLaws(module);
}
