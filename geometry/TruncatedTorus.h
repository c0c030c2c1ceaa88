#pragma once

#include "QuoriaExport.h"
#include "Surface.h"

namespace Tessam
{
namespace Geometry3D
{

// A torus cut by two planes. Declared so that solids can be asked for their
// truncated tori; no class of the library implements one, so the queries
// answer empty.
class QUORIA_API TruncatedTorus : public Surface
{
public:
    ~TruncatedTorus() override;

protected:
    TruncatedTorus() = default;
};

} // namespace Geometry3D
} // namespace Tessam
