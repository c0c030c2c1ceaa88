#include "JsonNode.h"

#include "ScenarioError.h"

#include <cmath>

namespace QuoriaTrace
{

namespace
{

// Member names may hold '/' or '~', which a JSON pointer escapes.
std::string EscapePointerToken(const std::string& token)
{
    std::string escaped;
    for (const char c : token)
    {
        if (c == '~')
        {
            escaped += "~0";
        }
        else if (c == '/')
        {
            escaped += "~1";
        }
        else
        {
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

JsonNode::JsonNode(const nlohmann::json& value, std::string place) : value(&value), place(std::move(place)) {}

bool JsonNode::Has(const std::string& key) const
{
    RequireObject();
    return value->contains(key);
}

JsonNode JsonNode::Member(const std::string& key) const
{
    RequireObject();
    const auto found = value->find(key);
    if (found == value->end())
    {
        Fail("missing \"" + key + "\"");
    }
    return JsonNode(*found, place + "/" + EscapePointerToken(key));
}

std::optional<JsonNode> JsonNode::OptionalMember(const std::string& key) const
{
    RequireObject();
    const auto found = value->find(key);
    if (found == value->end() || found->is_null())
    {
        return std::nullopt;
    }
    return JsonNode(*found, place + "/" + EscapePointerToken(key));
}

std::vector<JsonNode> JsonNode::Elements() const
{
    if (!value->is_array())
    {
        FailType("an array");
    }
    std::vector<JsonNode> elements;
    for (std::size_t i = 0; i < value->size(); ++i)
    {
        elements.emplace_back((*value)[i], place + "/" + std::to_string(i));
    }
    return elements;
}

double JsonNode::Number() const
{
    if (!value->is_number())
    {
        FailType("a number");
    }
    return value->get<double>();
}

double JsonNode::PositiveNumber() const
{
    const double number = Number();
    if (!(number > 0.0))
    {
        Fail("must be larger than 0, got " + value->dump());
    }
    return number;
}

unsigned int JsonNode::Count(unsigned int minimum, unsigned int maximum) const
{
    if (!value->is_number())
    {
        FailType("a whole number");
    }
    const double number = value->get<double>();
    if (std::floor(number) != number)
    {
        Fail("must be a whole number, got " + value->dump());
    }
    if (number < minimum || number > maximum)
    {
        Fail("must lie between " + std::to_string(minimum) + " and " + std::to_string(maximum) + ", got " +
             value->dump());
    }
    return static_cast<unsigned int>(number);
}

std::string JsonNode::String() const
{
    if (!value->is_string())
    {
        FailType("a string");
    }
    return value->get<std::string>();
}

Tessam::Geometry3D::Point JsonNode::ToPoint() const
{
    if (!value->is_array() || value->size() != 3)
    {
        FailType("a point [x, y, z]");
    }
    const auto elements = Elements();
    return Tessam::Geometry3D::Point(elements[0].Number(), elements[1].Number(), elements[2].Number());
}

void JsonNode::RejectUnknownMembers(const std::vector<std::string>& known, const std::string& what) const
{
    RequireObject();
    for (const auto& member : value->items())
    {
        bool isKnown = false;
        for (const auto& name : known)
        {
            isKnown = isKnown || name == member.key();
        }
        if (!isKnown)
        {
            JsonNode(member.value(), place + "/" + EscapePointerToken(member.key()))
                .Fail("unknown parameter \"" + member.key() + "\" of " + what + " (expected " +
                      JoinNames(known) + ")");
        }
    }
}

void JsonNode::Fail(const std::string& message) const
{
    throw ScenarioError(place, message);
}

void JsonNode::FailType(const std::string& expected) const
{
    Fail("expected " + expected + ", got " + DescribeType(*value));
}

void JsonNode::RequireObject() const
{
    if (!value->is_object())
    {
        FailType("an object");
    }
}

std::string DescribeType(const nlohmann::json& value)
{
    switch (value.type())
    {
    case nlohmann::json::value_t::null:
        return "null";
    case nlohmann::json::value_t::boolean:
        return "a boolean";
    case nlohmann::json::value_t::string:
        return "a string";
    case nlohmann::json::value_t::array:
        return "an array of " + std::to_string(value.size());
    case nlohmann::json::value_t::object:
        return "an object";
    default:
        return "a number";
    }
}

std::string JoinNames(const std::vector<std::string>& names)
{
    std::string joined;
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        joined += (i == 0 ? "" : ", ") + names[i];
    }
    return joined;
}

} // namespace QuoriaTrace
