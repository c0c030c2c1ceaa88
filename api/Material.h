#pragma once

#include "QuoriaExport.h"
#include "WaveMode.h"

#include <string>
#include <vector>

namespace Quoria
{

// An isotropic medium for sound: its bulk wave speeds in metres per second.
// A shear speed of 0 means a liquid, which carries no T wave.
class QUORIA_API Material
{
public:
    // Throws std::invalid_argument for a longitudinal speed that is not
    // positive and finite, a shear speed that is negative or not finite, or
    // a shear speed not below the longitudinal one.
    Material(std::string name, double longitudinalSpeed, double shearSpeed);

    const std::string& GetName() const { return name; }
    double GetLongitudinalSpeed() const { return longitudinalSpeed; }
    double GetShearSpeed() const { return shearSpeed; }
    bool CarriesShearWaves() const { return shearSpeed > 0.0; }
    // The speed of that mode, in m/s; 0 for T in a liquid.
    double GetSpeed(WaveMode mode) const { return mode == WaveMode::L ? longitudinalSpeed : shearSpeed; }

private:
    std::string name;
    double longitudinalSpeed;
    double shearSpeed;
};

// The built-in table of the materials inspection meets daily, in its order
// (values and sources in docs/materials.md).
QUORIA_API const std::vector<Material>& BuiltInMaterials();
// The built-in material of that name or of a usual short name ("steel",
// "stainless", "aluminum", "pmma", "rexolite", "cast iron", ...), ignoring
// the case of ASCII letters. Throws std::invalid_argument listing the known
// names for any other.
QUORIA_API Material FindMaterial(const std::string& name);

} // namespace Quoria
