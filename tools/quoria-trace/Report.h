#pragma once

#include "BeamTracer.h"
#include "Scenario.h"

#include <string>
#include <vector>

namespace QuoriaTrace
{

// The traced beams as text; `source` names where the scenario came from.
std::string FormatTable(const Scenario& scenario, const std::string& source,
                        const std::vector<BeamResult>& beams);
std::string FormatJson(const Scenario& scenario, const std::string& source,
                       const std::vector<BeamResult>& beams);
std::string FormatCsv(const Scenario& scenario, const std::vector<BeamResult>& beams);

} // namespace QuoriaTrace
