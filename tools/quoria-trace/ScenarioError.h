#pragma once

#include <stdexcept>
#include <string>

namespace QuoriaTrace
{

// A fault in the input. The place is a JSON pointer into the scenario (empty
// for the document as a whole); the tool prefixes it with the file name.
class ScenarioError : public std::runtime_error
{
public:
    ScenarioError(std::string place, const std::string& message);

    const std::string& Place() const { return place; }

private:
    std::string place;
};

// The library's messages are Windows-1252 (its degree sign is one byte);
// terminals and files here are UTF-8.
std::string ToUtf8(const std::string& text);

} // namespace QuoriaTrace
