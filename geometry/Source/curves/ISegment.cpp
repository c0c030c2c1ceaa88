#include "ISegment.h"

namespace Tessam
{
namespace Geometry3D
{

// Defined out of line so that the virtual table has one home in the library.
ISegment::~ISegment() = default;

} // namespace Geometry3D
} // namespace Tessam
