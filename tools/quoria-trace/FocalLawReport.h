#pragma once

#include "AcousticTracer.h"
#include "BeamTracer.h"
#include "FocalLaws.h"
#include "Scenario.h"

#include <optional>
#include <string>
#include <vector>

namespace QuoriaTrace
{

// The focal laws of a scenario, with what the tables and the picture say
// about where they come from.
struct FocalLawResult
{
    std::vector<Tessam::Geometry3D::Point> elements;
    std::vector<Tessam::Geometry3D::Point> focalPoints;
    // Scans only: each focal point's angle in radians, and the specimen beyond the exit.
    std::vector<double> angles;
    std::optional<std::size_t> focalSpecimen;
    // Linear scans only: each focal point's first element, from 0.
    std::vector<std::size_t> apertureStarts;
    Quoria::FocalLaws laws;
};

// Throws ScenarioError, at the place in the file it concerns, with the
// library's message when the library refuses the array, the scan or the laws.
FocalLawResult ComputeScenarioFocalLaws(const Scenario& scenario, const Quoria::AcousticTracer& tracer);

std::string FormatFocalTable(const Scenario& scenario, const std::string& source,
                             const FocalLawResult& result);
std::string FormatFocalJson(const Scenario& scenario, const std::string& source,
                            const FocalLawResult& result);
std::string FormatFocalCsv(const FocalLawResult& result);
// One line per focal point with pairs that have no delay, per status:
// what the CSV, which has only numbers, leaves empty.
std::vector<std::string> FocalNotes(const FocalLawResult& result);

// The focal points the picture draws: all of three or fewer, else the first,
// the middle one and the last.
std::vector<std::size_t> DrawnFocalPoints(std::size_t count);
// Each valid path from an element to a drawn focal point as a beam of two
// legs (element to crossing, crossing to focal point), focal point by focal
// point, elements in order.
std::vector<BeamResult> FocalPaths(const Scenario& scenario, const FocalLawResult& result);
// The picture's subtitle note on the paths drawn.
std::string FocalPictureNote(const FocalLawResult& result);

} // namespace QuoriaTrace
