#include "ISurface.h"

namespace Tessam
{
namespace Geometry3D
{

ISurface::~ISurface() = default;

} // namespace Geometry3D
} // namespace Tessam
