#pragma once

#include <stdexcept>

namespace Tessam
{
namespace Geometry3D
{

// The library's one way of refusing an argument: std::invalid_argument with
// the documented message, "Class::Method : Sentence.". One line per check
// keeps the checks in their documented order at a glance.
inline void RejectIf(bool isInvalid, const char* message)
{
    if (isInvalid)
    {
        throw std::invalid_argument(message);
    }
}

} // namespace Geometry3D
} // namespace Tessam
