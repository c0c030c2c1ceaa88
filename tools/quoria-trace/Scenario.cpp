#include "Scenario.h"

#include "FactoryTable.h"
#include "IRayTracer.h"
#include "JsonNode.h"
#include "NumberText.h"
#include "ScenarioError.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

using Tessam::Geometry3D::Point;

namespace QuoriaTrace
{

namespace
{

// More beams than anyone can tell apart in a picture.
constexpr unsigned int MaximumBeamCount = 1000;
const char* const NeedsMaterials = "give every specimen a \"material\"";

enum class Law
{
    None,
    Snell
};

// A built-in material by name, or one given by its speeds; the library
// checks both, and its refusal belongs to the whole material.
Quoria::Material ParseMaterial(const JsonNode& node)
{
    if (node.Value().is_string())
    {
        const std::string name = node.String();
        try
        {
            return Quoria::FindMaterial(name);
        }
        catch (const std::invalid_argument& error)
        {
            node.Fail(ToUtf8(error.what()));
        }
    }
    if (!node.Value().is_object())
    {
        node.FailType("a material name or an object");
    }
    node.RejectUnknownMembers({"name", "longitudinalSpeed", "shearSpeed"}, "a material");
    const std::string name = node.Member("name").String();
    const double longitudinal = node.Member("longitudinalSpeed").Number();
    const double shear = node.Member("shearSpeed").Number();
    try
    {
        return Quoria::Material(name, longitudinal, shear);
    }
    catch (const std::invalid_argument& error)
    {
        node.Fail(ToUtf8(error.what()));
    }
}

SpecimenInput ParseSpecimen(const JsonNode& node, std::size_t index)
{
    SpecimenInput input;
    input.place = node.Place();
    const JsonNode factoryNode = node.Member("factory");
    input.factory = factoryNode.String();
    const FactoryInfo* factory = FindFactory(input.factory);
    if (factory == nullptr)
    {
        std::vector<std::string> names;
        for (const auto& known : Factories())
        {
            names.push_back(known.name);
        }
        factoryNode.Fail("unknown specimen factory \"" + input.factory + "\" (expected one of " +
                         JoinNames(names) + ")");
    }

    std::vector<std::string> known{"factory", "name", "waveSpeed", "material"};
    for (const auto& parameter : factory->parameters)
    {
        known.push_back(parameter.name);
    }
    node.RejectUnknownMembers(known, input.factory);

    input.name = node.Has("name") ? node.Member("name").String() : "specimen " + std::to_string(index + 1);
    if (const auto speed = node.OptionalMember("waveSpeed"))
    {
        input.waveSpeed = speed->PositiveNumber();
    }
    if (const auto material = node.OptionalMember("material"))
    {
        if (input.waveSpeed)
        {
            material->Fail("give either \"material\" or \"waveSpeed\", not both");
        }
        input.material = ParseMaterial(*material);
    }

    for (const auto& parameter : factory->parameters)
    {
        if (!node.Has(parameter.name) && parameter.defaultValue)
        {
            input.numbers[parameter.name] = *parameter.defaultValue;
            continue;
        }
        const JsonNode value = node.Member(parameter.name);
        switch (parameter.kind)
        {
        case ParameterKind::Number:
        case ParameterKind::Degrees:
            input.numbers[parameter.name] = value.Number();
            break;
        case ParameterKind::Point:
            input.points.emplace(parameter.name, value.ToPoint());
            break;
        case ParameterKind::Slopes:
        {
            const auto elements = value.Elements();
            if (elements.size() != 4)
            {
                value.Fail("expected the 4 slopes of quadrants 1 to 4, got " +
                           std::to_string(elements.size()));
            }
            for (const auto& element : elements)
            {
                element.RejectUnknownMembers({"height", "width", "offset"}, "a slope");
                input.slopes.push_back({element.Member("height").Number(), element.Member("width").Number(),
                                        element.Member("offset").Number(), element.Place()});
            }
            break;
        }
        }
    }
    return input;
}

std::size_t FindSpecimen(const JsonNode& node, const std::vector<SpecimenInput>& specimens)
{
    if (node.Value().is_number_integer() || node.Value().is_number_unsigned())
    {
        const long long index = node.Value().get<long long>();
        if (index < 0 || index >= static_cast<long long>(specimens.size()))
        {
            node.Fail("no specimen has the index " + std::to_string(index) + " (there are " +
                      std::to_string(specimens.size()) + ", counted from 0)");
        }
        return static_cast<std::size_t>(index);
    }
    if (!node.Value().is_string())
    {
        node.FailType("a specimen name or index");
    }
    const std::string name = node.String();
    for (std::size_t i = 0; i < specimens.size(); ++i)
    {
        if (specimens[i].name == name)
        {
            return i;
        }
    }
    node.Fail("no specimen is named \"" + name + "\"");
}

EntryInput ParseEntry(const JsonNode& node, const std::vector<SpecimenInput>& specimens)
{
    node.RejectUnknownMembers({"point", "near", "snapTo"}, "the entry");
    EntryInput entry;
    entry.place = node.Place();
    const bool exact = node.Has("point");
    const bool snap = node.Has("near") || node.Has("snapTo");
    if (exact && snap)
    {
        node.Fail("give either \"point\" or \"near\" with \"snapTo\", not both");
    }
    if (exact)
    {
        entry.point = node.Member("point").ToPoint();
        entry.place = node.Member("point").Place();
        return entry;
    }
    if (!snap)
    {
        node.Fail("missing \"point\" (exact) or \"near\" with \"snapTo\" (snapped onto a face)");
    }
    entry.point = node.Member("near").ToPoint();
    entry.snapSpecimen = FindSpecimen(node.Member("snapTo"), specimens);
    return entry;
}

Quoria::BehaviorAtInterface ParseBehavior(const JsonNode& node)
{
    const std::string name = node.String();
    if (name == "Reflect")
    {
        return Quoria::Reflect;
    }
    if (name == "Transmit")
    {
        return Quoria::Transmit;
    }
    if (name == "Stop")
    {
        return Quoria::Stop;
    }
    node.Fail("unknown behaviour \"" + name + "\" (expected Reflect, Transmit or Stop)");
}

Law ParseLaw(const JsonNode& node)
{
    const std::string name = node.String();
    if (name == "snell")
    {
        return Law::Snell;
    }
    if (name == "none")
    {
        return Law::None;
    }
    node.Fail("unknown law \"" + name + "\" (expected snell or none)");
}

// Whether Snell's law turns the beam where it is transmitted: at every such
// interface or at none, since the tracer of sound applies it everywhere and
// nothing else knows the speeds on both sides.
bool ParseLaws(const JsonNode& node, const Scenario& scenario)
{
    const bool transmits = std::find(scenario.behaviors.begin(), scenario.behaviors.end(),
                                     Quoria::Transmit) != scenario.behaviors.end();
    if (node.Value().is_string())
    {
        return ParseLaw(node) == Law::Snell && transmits;
    }
    const auto elements = node.Elements();
    std::vector<Law> laws;
    for (std::size_t i = 0; i < elements.size(); ++i)
    {
        const Law law = elements[i].Value().is_null() ? Law::None : ParseLaw(elements[i]);
        if (law == Law::Snell && scenario.BehaviorAt(i) != Quoria::Transmit)
        {
            elements[i].Fail("Snell's law applies only where the beam is transmitted; interface " +
                             std::to_string(i + 1) + " reflects or stops it");
        }
        laws.push_back(law);
    }
    const auto lawAt = [&laws](std::size_t i) { return i < laws.size() ? laws[i] : Law::None; };
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < scenario.behaviors.size(); ++i)
    {
        if (scenario.behaviors[i] != Quoria::Transmit)
        {
            continue;
        }
        if (!first)
        {
            first = i;
        }
        else if (lawAt(i) != lawAt(*first))
        {
            const auto with = [&lawAt](std::size_t k) { return lawAt(k) == Law::Snell ? "with" : "without"; };
            (i < elements.size() ? elements[i] : node)
                .Fail("interface " + std::to_string(i + 1) + " transmits " + with(i) +
                      " Snell's law, interface " + std::to_string(*first + 1) + " " + with(*first) +
                      " it: the law holds at every transmitting interface or at none");
        }
    }
    return first && lawAt(*first) == Law::Snell;
}

Quoria::WaveMode ParseMode(const JsonNode& node)
{
    const std::string name = node.String();
    if (name == "L")
    {
        return Quoria::WaveMode::L;
    }
    if (name == "T")
    {
        return Quoria::WaveMode::T;
    }
    node.Fail("unknown wave mode \"" + name + "\" (expected L or T)");
}

void ParseStop(const JsonNode& stop, Scenario& scenario)
{
    stop.RejectUnknownMembers({"legs", "length", "time"}, "the stop");
    scenario.stop.place = stop.Place();
    if (stop.Has("legs") + stop.Has("length") + stop.Has("time") != 1)
    {
        stop.Fail("give one of \"legs\", \"length\" or \"time\"");
    }
    if (stop.Has("legs"))
    {
        scenario.stop.legs = stop.Member("legs").Count(1, static_cast<unsigned int>(Quoria::MaximumLegCount));
        scenario.stop.place = stop.Member("legs").Place();
        return;
    }
    const JsonNode amount = stop.Member(stop.Has("length") ? "length" : "time");
    scenario.stop.kind = stop.Has("length") ? StopKind::Length : StopKind::Time;
    if (scenario.stop.kind == StopKind::Time && scenario.physics != Physics::Materials)
    {
        amount.Fail(std::string("a time of flight needs materials: ") + NeedsMaterials);
    }
    scenario.stop.amount = amount.PositiveNumber();
    scenario.stop.place = amount.Place();
}

// Values from `from` to `to` inclusive; the step's sign follows the range.
std::vector<double> ParseRange(const JsonNode& node)
{
    node.RejectUnknownMembers({"from", "to", "step"}, "a range");
    const double from = node.Member("from").Number();
    const double to = node.Member("to").Number();
    const JsonNode stepNode = node.Member("step");
    const double step = std::fabs(stepNode.Number());
    if (step == 0.0)
    {
        stepNode.Fail("must not be 0");
    }
    // A hair of slack so that 30 to 60 by 0.1 ends on 60, not one short.
    const double intervals = std::floor(std::fabs(to - from) / step + 1e-9);
    if (intervals + 1 > MaximumBeamCount)
    {
        stepNode.Fail("makes " + General(intervals + 1) + " beams; at most " +
                      std::to_string(MaximumBeamCount) + " are traced");
    }
    const double signedStep = to >= from ? step : -step;
    std::vector<double> values;
    for (double i = 0; i <= intervals; ++i)
    {
        values.push_back(from + i * signedStep);
    }
    return values;
}

// One beam per angle of the range; `angle` is the one the sweep varies.
void SweepAngle(const JsonNode& range, Scenario& scenario, const BeamRequest& base,
                double BeamRequest::*angle, const std::string& name)
{
    for (double value : ParseRange(range))
    {
        BeamRequest beam = base;
        beam.*angle = value;
        beam.label = name + " " + General(value) + DegreeSign;
        beam.place = range.Place();
        scenario.beams.push_back(beam);
    }
    scenario.sweepDescription = name + " angle from " + General(scenario.beams.front().*angle) + DegreeSign +
                                " to " + General(scenario.beams.back().*angle) + DegreeSign;
}

void ParseSweep(const JsonNode& node, Scenario& scenario, const BeamRequest& base,
                const std::vector<SpecimenInput>& specimens, bool hasEntry)
{
    node.RejectUnknownMembers({"refractionAngleDegrees", "skewAngleDegrees", "entryPoints"}, "the sweep");
    if (node.Value().size() != 1)
    {
        node.Fail("give exactly one of refractionAngleDegrees, skewAngleDegrees or entryPoints");
    }
    scenario.isSweep = true;
    const auto refraction = node.OptionalMember("refractionAngleDegrees");
    const auto skew = node.OptionalMember("skewAngleDegrees");
    if ((refraction || skew) && !hasEntry)
    {
        node.Fail("the beam needs an \"entry\" for this sweep");
    }
    if (refraction)
    {
        SweepAngle(*refraction, scenario, base, &BeamRequest::refractionDegrees, "refraction");
    }
    else if (skew)
    {
        SweepAngle(*skew, scenario, base, &BeamRequest::skewDegrees, "skew");
    }
    else
    {
        const JsonNode line = node.Member("entryPoints");
        if (hasEntry)
        {
            line.Fail("the entry points of the sweep replace the beam's \"entry\"; remove one of them");
        }
        line.RejectUnknownMembers({"from", "to", "count", "snapTo"}, "the entry points");
        const Point from = line.Member("from").ToPoint();
        const Point to = line.Member("to").ToPoint();
        const unsigned int count = line.Member("count").Count(2, MaximumBeamCount);
        std::optional<std::size_t> snap;
        if (line.Has("snapTo"))
        {
            snap = FindSpecimen(line.Member("snapTo"), specimens);
        }
        for (unsigned int i = 0; i < count; ++i)
        {
            const double t = static_cast<double>(i) / (count - 1);
            BeamRequest beam = base;
            beam.entry.point = Point(from.X() + t * (to.X() - from.X()), from.Y() + t * (to.Y() - from.Y()),
                                     from.Z() + t * (to.Z() - from.Z()));
            beam.entry.snapSpecimen = snap;
            beam.entry.place = line.Place();
            beam.label = "entry " + std::to_string(i + 1) + " of " + std::to_string(count);
            beam.place = line.Place();
            scenario.beams.push_back(beam);
        }
        scenario.sweepDescription =
            std::to_string(count) + " entry points from " + GeneralPoint(from) + " to " + GeneralPoint(to);
    }
}

void ParseBeam(const JsonNode& node, Scenario& scenario, const std::optional<JsonNode>& sweep)
{
    node.RejectUnknownMembers(
        {"entry", "refractionAngleDegrees", "skewAngleDegrees", "stop", "behaviors", "laws", "modes"},
        "the beam");
    BeamRequest beam;
    beam.place = node.Place();
    const bool hasEntry = node.Has("entry");
    if (hasEntry)
    {
        beam.entry = ParseEntry(node.Member("entry"), scenario.specimens);
    }
    else if (!sweep)
    {
        node.Member("entry");
    }
    if (const auto refraction = node.OptionalMember("refractionAngleDegrees"))
    {
        beam.refractionDegrees = refraction->Number();
        // The library checks the angle; its complaint belongs here.
        beam.place = refraction->Place();
    }
    if (const auto skew = node.OptionalMember("skewAngleDegrees"))
    {
        beam.skewDegrees = skew->Number();
    }

    ParseStop(node.Member("stop"), scenario);

    if (const auto behaviors = node.OptionalMember("behaviors"))
    {
        scenario.behaviorsPlace = behaviors->Place();
        for (const auto& element : behaviors->Elements())
        {
            scenario.behaviors.push_back(ParseBehavior(element));
        }
    }

    const bool materials = scenario.physics == Physics::Materials;
    if (const auto laws = node.OptionalMember("laws"))
    {
        const bool snell = ParseLaws(*laws, scenario);
        if (materials && !snell &&
            std::find(scenario.behaviors.begin(), scenario.behaviors.end(), Quoria::Transmit) !=
                scenario.behaviors.end())
        {
            laws->Fail("with materials every interface obeys Snell's law: leave \"laws\" out or give "
                       "\"snell\"");
        }
        if (!materials && snell)
        {
            scenario.physics = Physics::WaveSpeeds;
        }
    }

    if (const auto modes = node.OptionalMember("modes"))
    {
        if (!materials)
        {
            modes->Fail(std::string("wave modes need materials: ") + NeedsMaterials);
        }
        for (const auto& element : modes->Elements())
        {
            scenario.modes.push_back(ParseMode(element));
        }
    }

    if (sweep)
    {
        ParseSweep(*sweep, scenario, beam, scenario.specimens, hasEntry);
    }
    else
    {
        scenario.beams.push_back(beam);
    }
}

// More than any probe has.
constexpr unsigned int MaximumElementCount = 1024;

std::vector<Point> ParsePoints(const JsonNode& node, std::size_t maximum, const std::string& what)
{
    std::vector<Point> points;
    const auto elements = node.Elements();
    if (elements.empty())
    {
        node.Fail("give at least one " + what);
    }
    if (elements.size() > maximum)
    {
        node.Fail("gives " + std::to_string(elements.size()) + " " + what + "s; at most " +
                  std::to_string(maximum) + " are allowed");
    }
    for (const auto& element : elements)
    {
        points.push_back(element.ToPoint());
    }
    return points;
}

// The distance of a scan's focal points from the exit point.
void ParseFocalDistance(const JsonNode& node, FocalLawInput& input)
{
    if (node.Has("depth") == node.Has("soundPath"))
    {
        node.Fail("give one of \"depth\" or \"soundPath\"");
    }
    input.distanceKind = node.Has("depth") ? Quoria::FocalDistance::Depth : Quoria::FocalDistance::SoundPath;
    input.distance = node.Member(node.Has("depth") ? "depth" : "soundPath").PositiveNumber();
}

void ParseFocalLaws(const JsonNode& node, Scenario& scenario)
{
    node.RejectUnknownMembers(
        {"array", "elements", "elementMode", "focalMode", "focalPoints", "sectorialScan", "linearScan"},
        "the focal laws");
    if (scenario.physics != Physics::Materials)
    {
        node.Fail(std::string("focal laws need materials: ") + NeedsMaterials);
    }
    FocalLawInput input;
    input.place = node.Place();
    if (node.Has("array") == node.Has("elements"))
    {
        node.Fail("give one of \"array\" (a linear array on a wedge) or \"elements\" (their centres)");
    }
    if (const auto array = node.OptionalMember("array"))
    {
        array->RejectUnknownMembers({"wedge", "count", "pitch", "firstElementOffset"}, "the array");
        input.wedge = FindSpecimen(array->Member("wedge"), scenario.specimens);
        input.elementCount = array->Member("count").Count(1, MaximumElementCount);
        input.pitch = array->Member("pitch").PositiveNumber();
        input.firstElementOffset = array->Member("firstElementOffset").Number();
        input.arrayPlace = array->Place();
    }
    else
    {
        input.elements = ParsePoints(node.Member("elements"), MaximumElementCount, "element");
        input.elementCount = input.elements.size();
    }
    if (const auto mode = node.OptionalMember("elementMode"))
    {
        input.elementMode = ParseMode(*mode);
    }
    if (const auto mode = node.OptionalMember("focalMode"))
    {
        input.focalMode = ParseMode(*mode);
    }

    if (node.Has("focalPoints") + node.Has("sectorialScan") + node.Has("linearScan") != 1)
    {
        node.Fail("give exactly one of focalPoints, sectorialScan or linearScan");
    }
    if (const auto points = node.OptionalMember("focalPoints"))
    {
        input.focalPoints = ParsePoints(*points, MaximumBeamCount, "focal point");
        input.scanPlace = points->Place();
    }
    else if (const auto sectorial = node.OptionalMember("sectorialScan"))
    {
        input.scan = FocalScan::Sectorial;
        input.scanPlace = sectorial->Place();
        sectorial->RejectUnknownMembers({"angleDegrees", "depth", "soundPath"}, "the sectorial scan");
        const JsonNode range = sectorial->Member("angleDegrees");
        range.RejectUnknownMembers({"from", "to", "step"}, "a range");
        input.firstDegrees = range.Member("from").Number();
        input.lastDegrees = range.Member("to").Number();
        const JsonNode step = range.Member("step");
        input.stepDegrees = step.PositiveNumber();
        if (input.lastDegrees < input.firstDegrees)
        {
            range.Fail("\"to\" must not be below \"from\"");
        }
        const double intervals =
            std::floor((input.lastDegrees - input.firstDegrees) / input.stepDegrees + 1e-9);
        if (intervals + 1 > MaximumBeamCount)
        {
            step.Fail("makes " + General(intervals + 1) + " focal points; at most " +
                      std::to_string(MaximumBeamCount) + " are computed");
        }
        ParseFocalDistance(*sectorial, input);
    }
    else
    {
        const JsonNode linear = node.Member("linearScan");
        input.scan = FocalScan::Linear;
        input.scanPlace = linear.Place();
        linear.RejectUnknownMembers({"apertureSize", "angleDegrees", "depth", "soundPath"},
                                    "the linear scan");
        input.apertureSize = linear.Member("apertureSize").Count(1, MaximumElementCount);
        if (input.apertureSize > input.elementCount)
        {
            linear.Member("apertureSize")
                .Fail("an aperture of " + std::to_string(input.apertureSize) +
                      " elements is larger than the " + std::to_string(input.elementCount) + " of the array");
        }
        input.firstDegrees = linear.Member("angleDegrees").Number();
        ParseFocalDistance(linear, input);
    }
    scenario.focalLaws = input;
}

} // namespace

Quoria::BehaviorAtInterface Scenario::BehaviorAt(std::size_t interfaceIndex) const
{
    return interfaceIndex < behaviors.size() ? behaviors[interfaceIndex] : Quoria::Reflect;
}

Quoria::WaveMode Scenario::ModeOfLeg(std::size_t legIndex) const
{
    if (modes.empty())
    {
        return Quoria::WaveMode::L;
    }
    return modes[std::min(legIndex, modes.size() - 1)];
}

Scenario ParseScenario(const nlohmann::json& document)
{
    const JsonNode root(document, "");
    root.RejectUnknownMembers({"title", "description", "unit", "specimens", "beam", "sweep", "focalLaws"},
                              "the scenario");
    Scenario scenario;
    if (const auto title = root.OptionalMember("title"))
    {
        scenario.title = title->String();
    }
    if (const auto description = root.OptionalMember("description"))
    {
        description->String();
    }
    if (const auto unit = root.OptionalMember("unit"))
    {
        scenario.unit = unit->String();
    }

    const JsonNode specimens = root.Member("specimens");
    const auto elements = specimens.Elements();
    if (elements.empty())
    {
        specimens.Fail("a scenario needs at least one specimen");
    }
    for (std::size_t i = 0; i < elements.size(); ++i)
    {
        scenario.specimens.push_back(ParseSpecimen(elements[i], i));
        for (std::size_t j = 0; j < i; ++j)
        {
            if (scenario.specimens[j].name == scenario.specimens[i].name)
            {
                elements[i].Member("name").Fail("another specimen is already named \"" +
                                                scenario.specimens[i].name + "\"");
            }
        }
    }

    // The tracer of sound needs the material of every specimen, and works in millimetres.
    const auto hasMaterial = [](const SpecimenInput& specimen) { return specimen.material.has_value(); };
    if (std::any_of(scenario.specimens.begin(), scenario.specimens.end(), hasMaterial))
    {
        for (std::size_t i = 0; i < elements.size(); ++i)
        {
            if (!scenario.specimens[i].material)
            {
                elements[i].Fail("missing \"material\": once one specimen has a material, every specimen "
                                 "needs one");
            }
        }
        if (const auto unit = root.OptionalMember("unit"); unit && scenario.unit != "mm")
        {
            unit->Fail("times of flight need lengths in mm, got \"" + scenario.unit + "\"");
        }
        scenario.physics = Physics::Materials;
    }

    if (const auto focal = root.OptionalMember("focalLaws"))
    {
        if (root.Has("beam"))
        {
            root.Fail("give either \"beam\" or \"focalLaws\", not both");
        }
        if (const auto sweep = root.OptionalMember("sweep"))
        {
            sweep->Fail(
                "a sweep varies a \"beam\"; focal laws scan with \"sectorialScan\" or \"linearScan\"");
        }
        ParseFocalLaws(*focal, scenario);
        return scenario;
    }
    ParseBeam(root.Member("beam"), scenario, root.OptionalMember("sweep"));

    if (scenario.physics == Physics::WaveSpeeds)
    {
        for (std::size_t i = 0; i < elements.size(); ++i)
        {
            if (!scenario.specimens[i].waveSpeed)
            {
                elements[i].Fail("missing \"waveSpeed\": Snell's law needs the wave speed of every specimen");
            }
        }
    }
    return scenario;
}

} // namespace QuoriaTrace
