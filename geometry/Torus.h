#pragma once

#include "QuoriaExport.h"
#include "Surface.h"

namespace Tessam
{
namespace Geometry3D
{

// A toroidal face. Declared so that solids can be asked for their tori;
// no class of the library implements one, so the queries answer empty.
class QUORIA_API Torus : public Surface
{
public:
    ~Torus() override;

protected:
    Torus() = default;
};

} // namespace Geometry3D
} // namespace Tessam
