#include "IRayTracer.h"

namespace Quoria
{

IRayTracer::~IRayTracer() = default;

} // namespace Quoria
