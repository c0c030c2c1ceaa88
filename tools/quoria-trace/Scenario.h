#pragma once

#include "BehaviorAtInterface.h"
#include "FocalLaws.h"
#include "Material.h"
#include "Point.h"
#include "WaveMode.h"

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
    // Any unit: only ratios matter, for Snell's law without materials.
    std::optional<double> waveSpeed;
    std::optional<Quoria::Material> material;
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

enum class StopKind
{
    Legs,
    Length,
    // Microseconds; only with materials.
    Time
};

struct StopInput
{
    StopKind kind = StopKind::Legs;
    unsigned int legs = 0;
    // The length or the time.
    double amount = 0.0;
    std::string place;
};

// What turns the beam at an interface.
enum class Physics
{
    // Straight on through a Transmit, mirrored at a Reflect: the ray tracer.
    Rays,
    // Snell's law at every Transmit between the specimens' waveSpeed: one
    // kind of wave, whose speeds have no known unit, so no time.
    WaveSpeeds,
    // Snell's law at every interface between the speeds of the legs' modes
    // in the specimens' materials, with times of flight.
    Materials
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

// Where the focal points of focal laws come from.
enum class FocalScan
{
    // Listed in the file.
    Points,
    Sectorial,
    Linear
};

// An array probe's focal laws, as the file gives them; angles in degrees.
struct FocalLawInput
{
    std::string place;
    // Either a linear array on a wedge's probe face...
    std::optional<std::size_t> wedge;
    std::size_t elementCount = 0;
    double pitch = 0.0;
    double firstElementOffset = 0.0;
    std::string arrayPlace;
    // ... or the elements' centres.
    std::vector<Tessam::Geometry3D::Point> elements;
    Quoria::WaveMode elementMode = Quoria::WaveMode::L;
    Quoria::WaveMode focalMode = Quoria::WaveMode::T;

    FocalScan scan = FocalScan::Points;
    std::vector<Tessam::Geometry3D::Point> focalPoints;
    // Scans: the sectorial scan's angles, the linear scan's one angle as firstDegrees.
    double firstDegrees = 0.0;
    double lastDegrees = 0.0;
    double stepDegrees = 0.0;
    std::size_t apertureSize = 0;
    Quoria::FocalDistance distanceKind = Quoria::FocalDistance::Depth;
    double distance = 0.0;
    std::string scanPlace;
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
    std::string behaviorsPlace;
    Physics physics = Physics::Rays;
    // Element i is the mode of leg i + 1; only with materials.
    std::vector<Quoria::WaveMode> modes;
    // A scenario has either beams or focal laws.
    std::optional<FocalLawInput> focalLaws;

    // Reflect where the file says nothing, as the library does.
    Quoria::BehaviorAtInterface BehaviorAt(std::size_t interfaceIndex) const;
    // The mode of leg `legIndex` + 1: the last one given before it, L without one.
    Quoria::WaveMode ModeOfLeg(std::size_t legIndex) const;
};

// Reads and checks a whole scenario; throws ScenarioError.
Scenario ParseScenario(const nlohmann::json& document);

// The scenario traced when the tool is run without a file.
const char* DefaultScenarioText();

} // namespace QuoriaTrace
