#include "ScenarioError.h"

namespace QuoriaTrace
{

ScenarioError::ScenarioError(std::string place, const std::string& message)
    : std::runtime_error(message), place(std::move(place))
{
}

std::string ToUtf8(const std::string& text)
{
    std::string result;
    result.reserve(text.size() + 4);
    for (const char c : text)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
        {
            result += c;
        }
        else
        {
            // Latin-1 agrees with Windows-1252 on every character the library uses.
            result += static_cast<char>(0xC0 | (byte >> 6));
            result += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return result;
}

} // namespace QuoriaTrace
