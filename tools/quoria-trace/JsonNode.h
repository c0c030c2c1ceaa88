#pragma once

#include "Point.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace QuoriaTrace
{

// A value of the scenario together with its JSON pointer, so that every
// complaint about it can say where it stands. All failures throw
// ScenarioError.
class JsonNode
{
public:
    JsonNode(const nlohmann::json& value, std::string place);

    const nlohmann::json& Value() const { return *value; }
    const std::string& Place() const { return place; }

    bool Has(const std::string& key) const;
    // A member that must be present; the object itself must be an object.
    JsonNode Member(const std::string& key) const;
    std::optional<JsonNode> OptionalMember(const std::string& key) const;
    std::vector<JsonNode> Elements() const;

    double Number() const;
    double PositiveNumber() const;
    unsigned int Count(unsigned int minimum, unsigned int maximum) const;
    std::string String() const;
    Tessam::Geometry3D::Point ToPoint() const;

    // Rejects members whose names are not listed; `what` names the object in
    // the message, for example "CreateAxisAlignedPlate".
    void RejectUnknownMembers(const std::vector<std::string>& known, const std::string& what) const;

    [[noreturn]] void Fail(const std::string& message) const;
    [[noreturn]] void FailType(const std::string& expected) const;

private:
    void RequireObject() const;

    const nlohmann::json* value;
    std::string place;
};

std::string DescribeType(const nlohmann::json& value);
std::string JoinNames(const std::vector<std::string>& names);

} // namespace QuoriaTrace
