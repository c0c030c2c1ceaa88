#include "Material.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace Quoria
{

Material::Material(std::string name, double longitudinalSpeed, double shearSpeed)
    : name(std::move(name)), longitudinalSpeed(longitudinalSpeed), shearSpeed(shearSpeed)
{
    if (!std::isfinite(longitudinalSpeed) || longitudinalSpeed <= 0.0)
    {
        throw std::invalid_argument(
            "Material::Material : The longitudinal speed must be positive and finite.");
    }
    if (!std::isfinite(shearSpeed) || shearSpeed < 0.0)
    {
        throw std::invalid_argument(
            "Material::Material : The shear speed must be positive or zero, and finite.");
    }
    if (shearSpeed >= longitudinalSpeed)
    {
        throw std::invalid_argument(
            "Material::Material : The shear speed must be smaller than the longitudinal speed.");
    }
}

} // namespace Quoria
