#pragma once

#include "BehaviorAtInterface.h"
#include "Point.h"

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace QuoriaTrace
{

struct SlopeValues
{
    double height;
    double width;
    double offset;
    std::string place;
};

// One specimen as the file gives it: the factory and its parameters by name,
// angles still in degrees.
struct SpecimenInput
{
    std::string name;
    std::string factory;
    std::string place;
    std::optional<double> waveSpeed;
    std::map<std::string, double> numbers;
    std::map<std::string, Tessam::Geometry3D::Point> points;
    std::vector<SlopeValues> slopes;
};

// Where a beam enters: a point given exactly, or a point to snap onto the
// nearest face of one specimen.
struct EntryInput
{
    Tessam::Geometry3D::Point point;
    std::optional<std::size_t> snapSpecimen;
    std::string place;
};

struct StopInput
{
    bool byLength = false;
    unsigned int legs = 0;
    double length = 0.0;
    std::string place;
};

enum class Law
{
    None,
    Snell
};

// One beam to trace; a sweep makes several.
struct BeamRequest
{
    EntryInput entry;
    double refractionDegrees = 0.0;
    double skewDegrees = 0.0;
    std::string label;
    std::string place;
};

struct Scenario
{
    std::string title;
    std::string unit;
    std::vector<SpecimenInput> specimens;
    std::vector<BeamRequest> beams;
    bool isSweep = false;
    std::string sweepDescription;
    StopInput stop;
    std::vector<Quoria::BehaviorAtInterface> behaviors;
    // One per interface; Snell only where the behaviour is Transmit.
    std::vector<Law> laws;
    std::string behaviorsPlace;

    bool UsesSnell() const;
    // Reflect where the file says nothing, as the library does.
    Quoria::BehaviorAtInterface BehaviorAt(std::size_t interfaceIndex) const;
    Law LawAt(std::size_t interfaceIndex) const;
};

// Reads and checks a whole scenario; throws ScenarioError.
Scenario ParseScenario(const nlohmann::json& document);

// The scenario traced when the tool is run without a file.
const char* DefaultScenarioText();

} // namespace QuoriaTrace
