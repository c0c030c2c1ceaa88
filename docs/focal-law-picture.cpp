// Draws the guide's picture of a focal law with quoria-trace's drawing: the
// library computes the law, and each element's path (element, crossing,
// focal point) is handed to the tool's renderer as a beam of two legs.
// Built and run by docs/make-focal-picture.sh.

#include "FactoryTable.h"
#include "FocalLaws.h"
#include "Material.h"
#include "Scenario.h"
#include "SvgPicture.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

using Tessam::Geometry3D::Point;

namespace
{

const double Degree = 3.141592653589793 / 180;

// The guide's probe, longer, on a plate 30 thick. The beam is only there
// because a scenario needs one; the elements' paths replace it.
const char* const ProbeScenario = R"({
  "title": "A focal law: 16 elements focused 20 deep at 55 degrees of shear",
  "unit": "mm",
  "specimens": [
    { "name": "wedge", "factory": "CreateWedgeOnAxisAlignedPlate", "probeSetOrigin": [0, 0, 0],
      "length": 50, "width": 20, "height": 8, "wedgeAngleDegrees": 36 },
    { "name": "plate", "factory": "CreateAxisAlignedPlate", "centre": [0, 0, 15],
      "sizeX": 120, "sizeY": 40, "sizeZ": 30 }
  ],
  "beam": { "entry": { "near": [-20, 0, -30], "snapTo": "wedge" }, "stop": { "legs": 1 } }
})";

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: focal-law-picture OUTPUT.svg\n";
        return 2;
    }
    QuoriaTrace::Scenario scenario = QuoriaTrace::ParseScenario(nlohmann::json::parse(ProbeScenario));
    const std::vector<QuoriaTrace::SolidPointer> specimens = QuoriaTrace::BuildSpecimens(scenario);
    Quoria::AcousticTracer tracer({specimens[0].get(), specimens[1].get()},
                                  {Quoria::FindMaterial("rexolite"), Quoria::FindMaterial("steel")});

    const std::vector<Point> elements = Quoria::LinearArrayOnWedge(*specimens[0], 16, 1.8, 10);
    const Quoria::ScanFocalPoints focus = Quoria::SectorialScanFocalPoints(
        tracer, elements, 55 * Degree, 55 * Degree, 1 * Degree, Quoria::FocalDistance::Depth, 20);
    const Quoria::FocalLaws laws = Quoria::ComputeFocalLaws(tracer, elements, focus.points);

    std::vector<QuoriaTrace::BeamResult> beams;
    for (std::size_t n = 0; n < elements.size(); ++n)
    {
        if (laws.statuses[n] != Quoria::FocalPathStatus::Valid)
        {
            continue;
        }
        const Point crossing(laws.crossings[3 * n], laws.crossings[3 * n + 1], laws.crossings[3 * n + 2]);
        QuoriaTrace::BeamResult beam;
        beam.request.label =
            "element " + std::to_string(n) + " (delay " + Fixed(laws.delays[n], 3) + " \xC2\xB5s)";
        beam.entry.point = elements[n];
        beam.entry.specimen = 0;
        beam.entry.face = 0;
        beam.entry.faceKind = "Polygon";
        QuoriaTrace::LegRecord inWedge{elements[n], crossing, crossing.DistanceTo(elements[n]), 0.0, 0,
                                       "Transmit",  {}};
        inWedge.total = inWedge.length;
        QuoriaTrace::LegRecord inPlate{
            crossing, focus.points[0], focus.points[0].DistanceTo(crossing), 0.0, 1, "end", {}};
        inPlate.total = inWedge.total + inPlate.length;
        beam.legs = {inWedge, inPlate};
        beam.ending =
            "at the focal point, " + Fixed(laws.times[n], 3) + " \xC2\xB5s after leaving the element";
        beams.push_back(beam);
    }
    scenario.isSweep = true;
    scenario.sweepDescription = "one path per element, the low end's first";

    std::vector<std::string> warnings;
    const std::vector<const Tessam::Geometry3D::ISolid*> solids = tracer.GetConfiguration();
    std::ofstream(argv[1]) << QuoriaTrace::RenderSvg(scenario, "docs/focal-law-picture.cpp", solids, beams,
                                                     warnings);
    for (const std::string& warning : warnings)
    {
        std::cerr << "warning: " << warning << "\n";
    }
    // The numbers the guide quotes.
    for (std::size_t n = 0; n < elements.size(); ++n)
    {
        std::cout << n << " " << Quoria::FocalPathStatusName(laws.statuses[n]) << " time "
                  << Fixed(laws.times[n], 4) << " delay " << Fixed(laws.delays[n], 4) << " angle "
                  << Fixed(laws.refractionAngles[n] / Degree, 2) << "\n";
    }
    return 0;
}
