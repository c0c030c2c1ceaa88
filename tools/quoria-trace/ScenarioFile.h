#pragma once

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>

namespace QuoriaTrace
{

// A fault that concerns a file as a whole, or a place in it given as
// line:column; the message already names the file.
class FileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Parses JSON text; `name` is how messages call it.
nlohmann::json ParseDocument(const std::string& text, const std::string& name);
nlohmann::json ReadDocument(const std::string& path);

// Writes through a temporary file and a rename, so that a failure never
// leaves a partial file under the wanted name.
void WriteFileAtomically(const std::string& path, const std::string& content);

} // namespace QuoriaTrace
