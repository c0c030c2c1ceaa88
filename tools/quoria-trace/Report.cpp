#include "Report.h"

#include "NumberText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

using Tessam::Geometry3D::Point;

namespace QuoriaTrace
{

namespace
{

std::string AtEnd(const LegRecord& leg)
{
    if (!leg.refraction)
    {
        return leg.atEnd;
    }
    return leg.atEnd + ", Snell " + DegreesText(leg.refraction->incidence) + " -> " +
           DegreesText(leg.refraction->refraction);
}

std::string StopText(const Scenario& scenario)
{
    if (scenario.stop.kind == StopKind::Length)
    {
        return "stop at total length " + Precise(scenario.stop.amount);
    }
    if (scenario.stop.kind == StopKind::Time)
    {
        return "stop at total time " + Precise(scenario.stop.amount) + " " + Microseconds;
    }
    return "stop after " + std::to_string(scenario.stop.legs) + (scenario.stop.legs == 1 ? " leg" : " legs");
}

std::string EntryText(const Scenario& scenario, const EntryChoice& entry)
{
    std::string text = "entry " + FixedPoint(entry.point);
    if (!entry.face)
    {
        return text;
    }
    const std::string face = "face " + std::to_string(*entry.face) + " (" + entry.faceKind + ") of " +
                             scenario.specimens[*entry.specimen].name;
    if (entry.snapped)
    {
        return text + ", snapped by " + Fixed(entry.moved, 6) + " onto " + face;
    }
    return text + ", on " + face;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos)
    {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text)
    {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

nlohmann::json PointJson(const Point& p)
{
    return nlohmann::json::array({p.X(), p.Y(), p.Z()});
}

bool HasMaterials(const Scenario& scenario)
{
    return scenario.physics == Physics::Materials;
}

// The columns of the table, with the wave's after the length's when there is one.
struct Column
{
    const char* header;
    bool right;
};

std::vector<Column> TableColumns(const Scenario& scenario)
{
    std::vector<Column> columns{{"leg", true},  {"in", false},    {"start", false},
                                {"end", false}, {"length", true}, {"total", true}};
    if (HasMaterials(scenario))
    {
        columns.insert(columns.end(), {{"mode", false}, {"speed", true}, {"time", true}});
    }
    columns.push_back({"at end", false});
    return columns;
}

} // namespace

std::string FormatTable(const Scenario& scenario, const std::string& source,
                        const std::vector<BeamResult>& beams)
{
    std::string out =
        (scenario.title.empty() ? std::string("Trace") : scenario.title) + " (" + source +
        (scenario.unit.empty() ? "" : ", lengths in " + scenario.unit) +
        (HasMaterials(scenario) ? std::string(", speeds in m/s, times in ") + Microseconds : "") + ")\n";
    if (scenario.isSweep)
    {
        out += "Sweep: " + std::to_string(beams.size()) + " beams, " + scenario.sweepDescription + "; " +
               StopText(scenario) + "\n";
    }

    const std::vector<Column> columns = TableColumns(scenario);
    std::vector<std::string> headers;
    for (const Column& column : columns)
    {
        headers.push_back(column.header);
    }
    for (std::size_t b = 0; b < beams.size(); ++b)
    {
        const BeamResult& beam = beams[b];
        out += "\n";
        if (scenario.isSweep)
        {
            out += "Beam " + std::to_string(b + 1) + " of " + std::to_string(beams.size()) + ": " +
                   beam.request.label + "\n";
        }
        out += "Refraction " + Fixed(beam.request.refractionDegrees, 2) + DegreeSign + ", skew " +
               Fixed(beam.request.skewDegrees, 2) + DegreeSign + "; " + StopText(scenario) + "\n";
        out += EntryText(scenario, beam.entry) + "\n\n";

        std::vector<std::vector<std::string>> rows{headers};
        for (std::size_t i = 0; i < beam.legs.size(); ++i)
        {
            const LegRecord& leg = beam.legs[i];
            std::vector<std::string> row{std::to_string(i + 1), scenario.specimens[leg.specimen].name,
                                         FixedPoint(leg.start), FixedPoint(leg.end),
                                         Fixed(leg.length, 3),  Fixed(leg.total, 3)};
            if (leg.wave)
            {
                row.insert(row.end(),
                           {ModeName(leg.wave->mode), General(leg.wave->speed), Fixed(leg.wave->time, 3)});
            }
            row.push_back(AtEnd(leg));
            rows.push_back(row);
        }
        std::vector<bool> right;
        for (const Column& column : columns)
        {
            right.push_back(column.right);
        }
        out += TableText(rows, right);
        if (HasMaterials(scenario))
        {
            out += "Time of flight " + Fixed(beam.time, 3) + " " + Microseconds + ".\n";
        }
        out += (beam.totalReflection ? "Note: " : "Trace ") + beam.ending + ".\n";
    }
    return out;
}

std::string FormatJson(const Scenario& scenario, const std::string& source,
                       const std::vector<BeamResult>& beams)
{
    nlohmann::json document;
    document["source"] = source;
    document["title"] = scenario.title;
    document["unit"] = scenario.unit;
    if (scenario.isSweep)
    {
        document["sweep"] = scenario.sweepDescription;
    }
    document["beams"] = nlohmann::json::array();
    for (const BeamResult& beam : beams)
    {
        nlohmann::json entry;
        entry["point"] = PointJson(beam.entry.point);
        entry["snapped"] = beam.entry.snapped;
        if (beam.entry.snapped)
        {
            entry["moved"] = beam.entry.moved;
        }
        if (beam.entry.face)
        {
            entry["specimen"] = scenario.specimens[*beam.entry.specimen].name;
            entry["face"] = *beam.entry.face;
            entry["faceKind"] = beam.entry.faceKind;
        }
        nlohmann::json legs = nlohmann::json::array();
        for (std::size_t i = 0; i < beam.legs.size(); ++i)
        {
            const LegRecord& leg = beam.legs[i];
            nlohmann::json item{{"index", i + 1},
                                {"specimen", scenario.specimens[leg.specimen].name},
                                {"start", PointJson(leg.start)},
                                {"end", PointJson(leg.end)},
                                {"length", leg.length},
                                {"total", leg.total},
                                {"atEnd", leg.atEnd}};
            if (leg.refraction)
            {
                item["incidenceDegrees"] = std::fabs(leg.refraction->incidence) * RadiansToDegrees;
                item["refractedDegrees"] = std::fabs(leg.refraction->refraction) * RadiansToDegrees;
            }
            if (leg.wave)
            {
                item["mode"] = ModeName(leg.wave->mode);
                item["speed"] = leg.wave->speed;
                item["time"] = leg.wave->time;
                item["totalTime"] = leg.wave->totalTime;
            }
            legs.push_back(item);
        }
        nlohmann::json item{{"label", beam.request.label},
                            {"refractionAngleDegrees", beam.request.refractionDegrees},
                            {"skewAngleDegrees", beam.request.skewDegrees},
                            {"entry", entry},
                            {"legs", legs},
                            {"ending", beam.ending},
                            {"totalReflection", beam.totalReflection}};
        if (HasMaterials(scenario))
        {
            item["totalTime"] = beam.time;
        }
        if (!beam.error.empty())
        {
            item["error"] = beam.error;
        }
        document["beams"].push_back(item);
    }
    return document.dump(2) + "\n";
}

std::string FormatCsv(const Scenario& scenario, const std::vector<BeamResult>& beams)
{
    std::string out =
        std::string("beam,leg,specimen,start_x,start_y,start_z,end_x,end_y,end_z,length,total,") +
        (HasMaterials(scenario) ? "mode,speed,time,total_time," : "") + "at_end\n";
    for (std::size_t b = 0; b < beams.size(); ++b)
    {
        for (std::size_t i = 0; i < beams[b].legs.size(); ++i)
        {
            const LegRecord& leg = beams[b].legs[i];
            out += std::to_string(b + 1) + "," + std::to_string(i + 1) + "," +
                   CsvField(scenario.specimens[leg.specimen].name) + "," + Precise(leg.start.X()) + "," +
                   Precise(leg.start.Y()) + "," + Precise(leg.start.Z()) + "," + Precise(leg.end.X()) + "," +
                   Precise(leg.end.Y()) + "," + Precise(leg.end.Z()) + "," + Precise(leg.length) + "," +
                   Precise(leg.total) + ",";
            if (leg.wave)
            {
                out += std::string(ModeName(leg.wave->mode)) + "," + Precise(leg.wave->speed) + "," +
                       Precise(leg.wave->time) + "," + Precise(leg.wave->totalTime) + ",";
            }
            out += CsvField(AtEnd(leg)) + "\n";
        }
    }
    return out;
}

} // namespace QuoriaTrace
