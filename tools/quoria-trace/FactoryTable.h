#pragma once

#include "Scenario.h"
#include "Solid.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace QuoriaTrace
{

enum class ParameterKind
{
    Number,
    Point,
    Degrees,
    Slopes
};

struct ParameterInfo
{
    std::string name;
    ParameterKind kind;
    // Absent when the parameter is required.
    std::optional<double> defaultValue;
};

// One of the library's exported specimen factories, with the readable names
// under which a scenario gives its parameters.
struct FactoryInfo
{
    std::string name;
    std::vector<ParameterInfo> parameters;
    std::function<const Tessam::Geometry3D::Solid*(const SpecimenInput&)> create;
};

const std::vector<FactoryInfo>& Factories();
const FactoryInfo* FindFactory(const std::string& name);

using SolidPointer = std::unique_ptr<const Tessam::Geometry3D::Solid>;

// Builds every specimen through its factory; an error of the library becomes
// a ScenarioError at the specimen (or slope) that caused it.
std::vector<SolidPointer> BuildSpecimens(const Scenario& scenario);

} // namespace QuoriaTrace
