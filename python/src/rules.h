#pragma once

// The caller's behaviours and laws, read from Python into what the library's
// calls take. Shared by every call that traces.

#include "bindings.h"

#include "BehaviorAtInterface.h"
#include "ISurface.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace QuoriaPython
{

using BehaviorFunction = std::function<Quoria::BehaviorAtInterface(const Tessam::Geometry3D::ISurface*)>;
using LawFunction = std::function<double(double)>;
// The quoria.Face handed to behaviour callables, for each face of a
// tracer's own solids.
using FaceMap = std::unordered_map<const Tessam::Geometry3D::ISurface*, py::object>;

// A behaviour given as a name or a member of quoria.Behavior. `verb` says
// whether the value was passed ("be") or returned ("return"), for the
// message.
Quoria::BehaviorAtInterface ReadBehavior(py::handle value, const std::string& subject, const char* verb,
                                         bool callableAllowed);

// Element i of each applies where leg i + 1 ends. The functions call back
// into Python with the GIL taken for the call only, so the library may run
// them, copy them and drop them with the GIL released, from any thread.
struct CallerRules
{
    // With no callable, the constants suffice and the library converts them
    // itself; otherwise every behaviour is a function.
    bool anyCallable = false;
    std::vector<Quoria::BehaviorAtInterface> behaviors;
    std::vector<BehaviorFunction> behaviorFunctions;
    std::vector<LawFunction> laws;
    // The functions borrow these: keep the rules alive until the library is
    // done with them.
    py::list callables;
};

CallerRules ReadRules(const FaceMap& faces, py::handle behaviors, py::handle laws);

} // namespace QuoriaPython
