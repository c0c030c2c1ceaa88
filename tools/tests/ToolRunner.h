#pragma once

#include "XmlWellFormed.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

// Runs the built tool as a user would, in a fresh directory of its own.
struct ToolRun
{
    int status;
    std::string out;
    std::string err;
};

inline std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline bool FileExists(const std::string& path)
{
    return std::ifstream(path).good();
}

inline std::string MakeTemporaryDirectory()
{
    char pattern[] = "/tmp/quoria-trace-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? std::string(made) : std::string("/tmp");
}

inline void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline ToolRun RunTool(const std::string& arguments, const std::string& directory)
{
    const std::string command = "cd '" + directory + "' && '" + QUORIA_TRACE_EXECUTABLE + "' " + arguments +
                                " > stdout.txt 2> stderr.txt < /dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(directory + "/stdout.txt"),
            ReadText(directory + "/stderr.txt")};
}

inline std::string Example(const std::string& name)
{
    return std::string(QUORIA_EXAMPLES_DIR) + "/" + name;
}
