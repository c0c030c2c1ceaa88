#include "bindings.h"

#include "BehaviorAtInterface.h"
#include "WaveMode.h"

namespace QuoriaPython
{

void BindEnums(py::module_& module)
{
    // Arithmetic, so that the int32 behaviour codes of a report compare
    // equal to the members.
    py::enum_<Quoria::BehaviorAtInterface>(module, "Behavior", py::arithmetic(),
                                           "What a beam does at the interface where a leg ends.")
        .value("Reflect", Quoria::Reflect, "Back into the solid the leg ran in.")
        .value("Transmit", Quoria::Transmit,
               "Into the solid beyond the face; the trace ends if there is none.")
        .value("Stop", Quoria::Stop, "The trace ends there.");
    py::enum_<Quoria::WaveMode>(
        module, "WaveMode", "The two bulk waves of an isotropic solid: longitudinal and transverse (shear).")
        .value("L", Quoria::WaveMode::L, "Longitudinal (compression).")
        .value("T", Quoria::WaveMode::T, "Transverse (shear); liquids carry none.");
}

} // namespace QuoriaPython
