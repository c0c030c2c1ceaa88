#include "FocalLawReport.h"

#include "NumberText.h"
#include "ScenarioError.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

using Tessam::Geometry3D::Point;

namespace QuoriaTrace
{

namespace
{

// Any library refusal, placed where the file gave what was refused.
template <typename Call> auto Refused(const std::string& place, Call call) -> decltype(call())
{
    try
    {
        return call();
    }
    catch (const std::invalid_argument& error)
    {
        throw ScenarioError(place, ToUtf8(error.what()));
    }
}

// Delays and times to the nanosecond.
double Nanoseconds(double microseconds)
{
    return std::round(microseconds * 1000.0) / 1000.0;
}

std::string CellText(const Quoria::FocalLaws& laws, std::size_t pair)
{
    return laws.statuses[pair] == Quoria::FocalPathStatus::Valid ? Fixed(laws.delays[pair], 3)
                                                                 : FocalPathStatusName(laws.statuses[pair]);
}

std::string ElementsText(const Scenario& scenario, const FocalLawInput& input)
{
    std::string text =
        std::to_string(input.elementCount) + (input.elementCount == 1 ? " element" : " elements");
    if (input.wedge)
    {
        text += " on " + scenario.specimens[*input.wedge].name + " (pitch " + General(input.pitch) +
                ", first " + General(input.firstElementOffset) + " from the low end)";
    }
    return text + ", " + ModeName(input.elementMode);
}

std::string FocalPointsText(const Scenario& scenario, const FocalLawResult& result)
{
    const FocalLawInput& input = *scenario.focalLaws;
    const std::size_t count = result.focalPoints.size();
    std::string text = std::to_string(count) + (count == 1 ? " focal point" : " focal points");
    if (result.focalSpecimen)
    {
        text += " in " + scenario.specimens[*result.focalSpecimen].name;
    }
    text += std::string(", ") + ModeName(input.focalMode);
    const std::string distance =
        (input.distanceKind == Quoria::FocalDistance::Depth ? " at depth " : " at sound path ") +
        General(input.distance);
    if (input.scan == FocalScan::Sectorial)
    {
        text += "; sectorial scan " + General(input.firstDegrees) + DegreeSign + " to " +
                General(input.lastDegrees) + DegreeSign + " by " + General(input.stepDegrees) + DegreeSign +
                distance;
    }
    else if (input.scan == FocalScan::Linear)
    {
        text += "; linear scan, aperture of " + std::to_string(input.apertureSize) + " at " +
                General(input.firstDegrees) + DegreeSign + distance;
    }
    return text;
}

} // namespace

FocalLawResult ComputeScenarioFocalLaws(const Scenario& scenario, const Quoria::AcousticTracer& tracer)
{
    const FocalLawInput& input = *scenario.focalLaws;
    FocalLawResult result;
    if (input.wedge)
    {
        const auto configuration = tracer.GetConfiguration();
        result.elements =
            Refused(input.arrayPlace,
                    [&]
                    {
                        return Quoria::LinearArrayOnWedge(*configuration[*input.wedge], input.elementCount,
                                                          input.pitch, input.firstElementOffset);
                    });
    }
    else
    {
        result.elements = input.elements;
    }

    Quoria::FocalLawOptions options;
    options.elementMode = input.elementMode;
    options.focalMode = input.focalMode;
    if (input.scan == FocalScan::Points)
    {
        result.focalPoints = input.focalPoints;
    }
    else
    {
        const Quoria::ScanFocalPoints scan = Refused(
            input.scanPlace,
            [&]
            {
                return input.scan == FocalScan::Sectorial
                           ? Quoria::SectorialScanFocalPoints(
                                 tracer, result.elements, input.firstDegrees * DegreesToRadians,
                                 input.lastDegrees * DegreesToRadians, input.stepDegrees * DegreesToRadians,
                                 input.distanceKind, input.distance)
                           : Quoria::LinearScanFocalPoints(tracer, result.elements, input.apertureSize,
                                                           input.firstDegrees * DegreesToRadians,
                                                           input.distanceKind, input.distance);
            });
        result.focalPoints = scan.points;
        result.angles = scan.angles;
        result.apertureStarts = scan.apertureStarts;
        options.apertureStarts = scan.apertureStarts;
        options.apertureSize = scan.apertureSize;
        result.focalSpecimen =
            Refused(input.scanPlace, [&] { return Quoria::FindProbeExit(tracer, result.elements); }).solid;
    }
    result.laws =
        Refused(input.place, [&]
                { return Quoria::ComputeFocalLaws(tracer, result.elements, result.focalPoints, options); });
    return result;
}

std::string FormatFocalTable(const Scenario& scenario, const std::string& source,
                             const FocalLawResult& result)
{
    const Quoria::FocalLaws& laws = result.laws;
    std::string out = (scenario.title.empty() ? std::string("Focal laws") : scenario.title) + " (" + source +
                      ", lengths in mm, delays in " + Microseconds + ")\n";
    out += "Array: " + ElementsText(scenario, *scenario.focalLaws) + "\n";
    out += "Focus: " + FocalPointsText(scenario, result) + "\n";
    out += "One row per focal point, one column per element; the element fired first has delay 0.\n\n";

    std::vector<std::string> header{"point"};
    const bool scan = !result.angles.empty();
    if (scan)
    {
        header.push_back("angle");
    }
    header.push_back("focal point");
    for (std::size_t n = 0; n < laws.elementCount; ++n)
    {
        header.push_back("e" + std::to_string(n + 1));
    }
    std::vector<std::vector<std::string>> rows{header};
    for (std::size_t k = 0; k < laws.focalPointCount; ++k)
    {
        std::vector<std::string> row{std::to_string(k + 1)};
        if (scan)
        {
            row.push_back(Fixed(result.angles[k] * RadiansToDegrees, 2) + DegreeSign);
        }
        row.push_back(FixedPoint(result.focalPoints[k]));
        for (std::size_t n = 0; n < laws.elementCount; ++n)
        {
            row.push_back(CellText(laws, laws.PairIndex(k, n)));
        }
        rows.push_back(row);
    }
    // The point's coordinates are text; everything else lines up on the right.
    std::vector<bool> right(header.size(), true);
    right[scan ? 2 : 1] = false;
    out += TableText(rows, right);

    std::vector<Quoria::FocalPathStatus> seen;
    for (const Quoria::FocalPathStatus status : laws.statuses)
    {
        if (status != Quoria::FocalPathStatus::Valid &&
            std::find(seen.begin(), seen.end(), status) == seen.end())
        {
            seen.push_back(status);
        }
    }
    std::sort(seen.begin(), seen.end());
    if (!seen.empty())
    {
        out += "\nNo delay where a pair has no path:\n";
        for (const Quoria::FocalPathStatus status : seen)
        {
            out +=
                std::string("  ") + FocalPathStatusName(status) + ": " + FocalPathStatusText(status) + "\n";
        }
    }
    return out;
}

std::string FormatFocalJson(const Scenario& scenario, const std::string& source, const FocalLawResult& result)
{
    const Quoria::FocalLaws& laws = result.laws;
    const FocalLawInput& input = *scenario.focalLaws;
    nlohmann::json document;
    document["source"] = source;
    document["title"] = scenario.title;
    document["unit"] = scenario.unit;
    nlohmann::json elements = nlohmann::json::array();
    for (const Point& element : result.elements)
    {
        elements.push_back({element.X(), element.Y(), element.Z()});
    }
    nlohmann::json focal;
    focal["elementMode"] = ModeName(input.elementMode);
    focal["focalMode"] = ModeName(input.focalMode);
    focal["focus"] = FocalPointsText(scenario, result);
    focal["elements"] = elements;
    focal["focalPoints"] = nlohmann::json::array();
    for (std::size_t k = 0; k < laws.focalPointCount; ++k)
    {
        const Point& p = result.focalPoints[k];
        nlohmann::json item{{"index", k + 1}, {"point", {p.X(), p.Y(), p.Z()}}};
        if (!result.angles.empty())
        {
            item["angleDegrees"] = result.angles[k] * RadiansToDegrees;
        }
        if (!result.apertureStarts.empty())
        {
            item["firstElement"] = result.apertureStarts[k] + 1;
        }
        nlohmann::json delays = nlohmann::json::array();
        nlohmann::json times = nlohmann::json::array();
        nlohmann::json statuses = nlohmann::json::array();
        for (std::size_t n = 0; n < laws.elementCount; ++n)
        {
            const std::size_t pair = laws.PairIndex(k, n);
            const bool valid = laws.statuses[pair] == Quoria::FocalPathStatus::Valid;
            delays.push_back(valid ? nlohmann::json(Nanoseconds(laws.delays[pair])) : nlohmann::json());
            times.push_back(valid ? nlohmann::json(Nanoseconds(laws.times[pair])) : nlohmann::json());
            statuses.push_back(FocalPathStatusName(laws.statuses[pair]));
        }
        item["delays"] = delays;
        item["times"] = times;
        item["statuses"] = statuses;
        focal["focalPoints"].push_back(item);
    }
    document["focalLaws"] = focal;
    return document.dump(2) + "\n";
}

std::string FormatFocalCsv(const FocalLawResult& result)
{
    const Quoria::FocalLaws& laws = result.laws;
    std::string out = "point,angle_degrees,x,y,z";
    for (std::size_t n = 0; n < laws.elementCount; ++n)
    {
        out += ",e" + std::to_string(n + 1);
    }
    out += "\n";
    for (std::size_t k = 0; k < laws.focalPointCount; ++k)
    {
        const Point& p = result.focalPoints[k];
        out += std::to_string(k + 1) + "," +
               (result.angles.empty() ? std::string() : Precise(result.angles[k] * RadiansToDegrees)) + "," +
               Precise(p.X()) + "," + Precise(p.Y()) + "," + Precise(p.Z());
        for (std::size_t n = 0; n < laws.elementCount; ++n)
        {
            const std::size_t pair = laws.PairIndex(k, n);
            out += "," + (laws.statuses[pair] == Quoria::FocalPathStatus::Valid ? Fixed(laws.delays[pair], 3)
                                                                                : std::string());
        }
        out += "\n";
    }
    return out;
}

std::vector<std::string> FocalNotes(const FocalLawResult& result)
{
    const Quoria::FocalLaws& laws = result.laws;
    std::vector<std::string> notes;
    for (std::size_t k = 0; k < laws.focalPointCount; ++k)
    {
        for (std::int32_t s = 1; s <= static_cast<std::int32_t>(Quoria::FocalPathStatus::OutsideAperture);
             ++s)
        {
            const auto status = static_cast<Quoria::FocalPathStatus>(s);
            std::string elements;
            for (std::size_t n = 0; n < laws.elementCount; ++n)
            {
                if (laws.statuses[laws.PairIndex(k, n)] == status)
                {
                    elements += (elements.empty() ? "" : ", ") + std::to_string(n + 1);
                }
            }
            if (!elements.empty())
            {
                notes.push_back("focal point " + std::to_string(k + 1) + ": no delay for element" +
                                (elements.find(',') == std::string::npos ? " " : "s ") + elements + ": " +
                                FocalPathStatusName(status));
            }
        }
    }
    return notes;
}

std::vector<std::size_t> DrawnFocalPoints(std::size_t count)
{
    if (count <= 3)
    {
        std::vector<std::size_t> all;
        for (std::size_t k = 0; k < count; ++k)
        {
            all.push_back(k);
        }
        return all;
    }
    return {0, (count - 1) / 2, count - 1};
}

std::vector<BeamResult> FocalPaths(const Scenario& scenario, const FocalLawResult& result)
{
    const Quoria::FocalLaws& laws = result.laws;
    std::vector<BeamResult> paths;
    for (const std::size_t k : DrawnFocalPoints(laws.focalPointCount))
    {
        for (std::size_t n = 0; n < laws.elementCount; ++n)
        {
            const std::size_t pair = laws.PairIndex(k, n);
            if (laws.statuses[pair] != Quoria::FocalPathStatus::Valid)
            {
                continue;
            }
            const Point crossing(laws.crossings[3 * pair], laws.crossings[3 * pair + 1],
                                 laws.crossings[3 * pair + 2]);
            BeamResult path;
            path.request.label =
                "focal point " + std::to_string(k + 1) + ", element " + std::to_string(n + 1);
            path.entry.point = result.elements[n];
            LegRecord first;
            first.start = result.elements[n];
            first.end = crossing;
            first.length = crossing.DistanceTo(first.start);
            first.total = first.length;
            first.specimen = scenario.focalLaws->wedge.value_or(0);
            first.atEnd = "Transmit";
            LegRecord second;
            second.start = crossing;
            second.end = result.focalPoints[k];
            second.length = second.end.DistanceTo(crossing);
            second.total = first.total + second.length;
            second.specimen = result.focalSpecimen.value_or(0);
            second.atEnd = "end";
            path.legs = {first, second};
            paths.push_back(path);
        }
    }
    return paths;
}

std::string FocalPictureNote(const FocalLawResult& result)
{
    const std::vector<std::size_t> drawn = DrawnFocalPoints(result.laws.focalPointCount);
    std::string points;
    for (const std::size_t k : drawn)
    {
        points += (points.empty() ? "" : ", ") + std::to_string(k + 1);
    }
    return "paths of " + std::to_string(result.laws.elementCount) + " elements to focal point" +
           (drawn.size() == 1 ? " " : "s ") + points + " of " + std::to_string(result.laws.focalPointCount);
}

} // namespace QuoriaTrace
