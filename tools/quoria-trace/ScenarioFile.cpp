#include "ScenarioFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace QuoriaTrace
{

nlohmann::json ParseDocument(const std::string& text, const std::string& name)
{
    try
    {
        return nlohmann::json::parse(text);
    }
    catch (const nlohmann::json::parse_error& error)
    {
        // The byte is one past the offending character.
        const std::size_t end = std::min<std::size_t>(error.byte == 0 ? 0 : error.byte - 1, text.size());
        const std::size_t line =
            1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + end, '\n'));
        const std::size_t lineStart = text.rfind('\n', end == 0 ? 0 : end - 1);
        const std::size_t column = end - (lineStart == std::string::npos || end == 0 ? 0 : lineStart + 1) + 1;
        // Keep the parser's reason, not its numbering.
        std::string reason = error.what();
        const std::size_t columnWord = reason.find("column ");
        const std::size_t colon = reason.find(": ", columnWord == std::string::npos ? 0 : columnWord);
        if (colon != std::string::npos)
        {
            reason = reason.substr(colon + 2);
        }
        throw FileError(name + ":" + std::to_string(line) + ":" + std::to_string(column) +
                        ": invalid JSON: " + reason);
    }
}

nlohmann::json ReadDocument(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        throw FileError(path + ": cannot open the scenario: " + std::strerror(errno));
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
    {
        throw FileError(path + ": cannot read the scenario: " + std::strerror(errno));
    }
    return ParseDocument(text.str(), path);
}

void WriteFileAtomically(const std::string& path, const std::string& content)
{
    const std::string temporary = path + ".partial";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
        {
            throw FileError(path + ": cannot write the picture: " + std::strerror(errno));
        }
        file << content;
        file.close();
        if (!file)
        {
            std::remove(temporary.c_str());
            throw FileError(path + ": cannot write the picture");
        }
    }
#ifdef _WIN32
    // Windows renames only onto a free name.
    std::remove(path.c_str());
#endif
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw FileError(path + ": cannot write the picture: " + reason);
    }
}

} // namespace QuoriaTrace
