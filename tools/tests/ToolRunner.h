#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

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

// Removed when the test program ends.
inline std::string MakeTemporaryDirectory()
{
    struct Made
    {
        std::vector<std::string> paths;
        ~Made()
        {
            for (const auto& path : paths)
            {
                std::filesystem::remove_all(path);
            }
        }
    };
    static Made made;
    char pattern[] = "/tmp/quoria-trace-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
    {
        throw std::runtime_error("cannot make a temporary directory");
    }
    made.paths.emplace_back(pattern);
    return pattern;
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

// The tool run on `scenario` saved as scenario.json in a fresh directory,
// which `directory` names.
inline ToolRun RunScenario(const std::string& scenario, const std::string& arguments, std::string& directory)
{
    directory = MakeTemporaryDirectory();
    WriteText(directory + "/scenario.json", scenario);
    return RunTool("scenario.json " + arguments, directory);
}

// What the tool prints as JSON for `scenario`, once it has succeeded.
inline nlohmann::json TraceJson(const std::string& scenario)
{
    std::string directory;
    const ToolRun run = RunScenario(scenario, "--format json", directory);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json::object();
}

inline std::string Example(const std::string& name)
{
    return std::string(QUORIA_EXAMPLES_DIR) + "/" + name;
}

// xmllint says what is wrong on stderr.
inline bool IsWellFormedXml(const std::string& path)
{
    return std::system(("xmllint --noout '" + path + "'").c_str()) == 0;
}
