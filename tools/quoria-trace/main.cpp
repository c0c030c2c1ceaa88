// quoria-trace: traces ultrasonic beams through Quoria specimens described
// in a JSON scenario, prints the legs and draws them.

#include "BeamTracer.h"
#include "FactoryTable.h"
#include "FocalLawReport.h"
#include "Progress.h"
#include "Report.h"
#include "Scenario.h"
#include "ScenarioError.h"
#include "ScenarioFile.h"
#include "SvgPicture.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <stdexcept>

#ifdef _WIN32
#include <io.h>
#define QUORIA_TRACE_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define QUORIA_TRACE_ISATTY(fd) isatty(fd)
#endif

using namespace QuoriaTrace;

namespace
{

// Input errors and library refusals; anything else is the tool's own fault.
constexpr int BadInput = 2;
constexpr int InternalFault = 1;
const char* const DefaultPicture = "quoria-trace.svg";

void ReportPicture(const std::string& svgPath, const std::vector<std::string>& warnings)
{
    for (const auto& warning : warnings)
    {
        std::cerr << "quoria-trace: warning: " << warning << "\n";
    }
    if (!svgPath.empty())
    {
        std::cerr << "quoria-trace: picture written to " << std::filesystem::absolute(svgPath).string()
                  << "\n";
    }
}

int RunFocalLaws(const Scenario& scenario, const std::string& source, const std::string& format,
                 const std::string& svgPath, const BeamTracer& tracer)
{
    const FocalLawResult result = ComputeScenarioFocalLaws(scenario, *tracer.Sound());
    const std::string text = format == "json"  ? FormatFocalJson(scenario, source, result)
                             : format == "csv" ? FormatFocalCsv(result)
                                               : FormatFocalTable(scenario, source, result);
    std::vector<std::string> warnings;
    if (!svgPath.empty())
    {
        Scenario picture = scenario;
        picture.sweepDescription = FocalPictureNote(result);
        WriteFileAtomically(svgPath, RenderSvg(picture, source, tracer.Configuration(),
                                               FocalPaths(scenario, result), warnings));
    }
    std::cout << text << std::flush;
    if (format == "csv")
    {
        for (const std::string& note : FocalNotes(result))
        {
            std::cerr << "quoria-trace: note: " << note << "\n";
        }
    }
    ReportPicture(svgPath, warnings);
    return 0;
}

int Run(const std::string& scenarioPath, const std::string& format, std::string svgPath)
{
    const bool builtIn = scenarioPath.empty();
    const std::string source = builtIn ? std::string("built-in default scenario") : scenarioPath;
    if (builtIn && svgPath.empty())
    {
        svgPath = DefaultPicture;
    }

    const Scenario scenario =
        ParseScenario(builtIn ? ParseDocument(DefaultScenarioText(), source) : ReadDocument(scenarioPath));
    const auto solids = BuildSpecimens(scenario);
    BeamTracer tracer(scenario, solids);
    if (scenario.focalLaws)
    {
        return RunFocalLaws(scenario, source, format, svgPath, tracer);
    }

    std::vector<BeamResult> beams;
    {
        Progress progress(std::cerr, scenario.beams.size() > 1 && QUORIA_TRACE_ISATTY(2),
                          scenario.beams.size(), "quoria-trace: tracing beam");
        beams = tracer.TraceAll(scenario.beams, [&progress](std::size_t done) { progress.Update(done); });
    }

    const std::string text = format == "json"  ? FormatJson(scenario, source, beams)
                             : format == "csv" ? FormatCsv(scenario, beams)
                                               : FormatTable(scenario, source, beams);
    // Everything is computed before anything is written.
    std::vector<std::string> warnings;
    if (!svgPath.empty())
    {
        WriteFileAtomically(svgPath, RenderSvg(scenario, source, tracer.Configuration(), beams, warnings));
    }
    std::cout << text << std::flush;
    if (format == "csv")
    {
        for (std::size_t b = 0; b < beams.size(); ++b)
        {
            if (beams[b].IsCut())
            {
                std::cerr << "quoria-trace: note: beam " << b + 1 << " " << beams[b].ending << "\n";
            }
        }
    }
    ReportPicture(svgPath, warnings);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{
        "Traces ultrasonic beams through Quoria specimens described in a JSON scenario, prints the "
        "legs and draws them.\nWithout a scenario it traces a built-in wedge on a plate and writes " +
        std::string(DefaultPicture) + "."};
    app.name("quoria-trace");
    std::string scenarioPath;
    std::string format = "table";
    std::string svgPath;
    bool printDefault = false;
    app.add_option("scenario", scenarioPath, "Scenario file (JSON)");
    app.add_option("-f,--format", format, "Output of the legs: table, json or csv")
        ->check(CLI::IsMember({"table", "json", "csv"}))
        ->capture_default_str();
    app.add_option("--svg", svgPath, "Also draw the specimens and beams into this SVG file");
    app.add_flag("--print-default", printDefault,
                 "Print the built-in scenario, a template for your own, and exit");

    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::ParseError& error)
    {
        if (error.get_exit_code() == 0)
        {
            return app.exit(error);
        }
        std::cerr << "quoria-trace: " << error.what() << " (see --help)\n";
        return BadInput;
    }

    if (printDefault)
    {
        std::cout << DefaultScenarioText();
        return 0;
    }

    const std::string source = scenarioPath.empty() ? std::string("built-in default scenario") : scenarioPath;
    try
    {
        return Run(scenarioPath, format, svgPath);
    }
    catch (const FileError& error)
    {
        std::cerr << "quoria-trace: " << error.what() << "\n";
        return BadInput;
    }
    catch (const ScenarioError& error)
    {
        std::cerr << "quoria-trace: " << source << ": "
                  << (error.Place().empty() ? "top level" : error.Place()) << ": " << error.what() << "\n";
        return BadInput;
    }
    catch (const std::invalid_argument& error)
    {
        std::cerr << "quoria-trace: " << source << ": the library refused it: " << ToUtf8(error.what())
                  << "\n";
        return BadInput;
    }
    catch (const std::exception& error)
    {
        std::cerr << "quoria-trace: internal error: " << error.what() << "\n";
        return InternalFault;
    }
    catch (...)
    {
        std::cerr << "quoria-trace: internal error\n";
        return InternalFault;
    }
}
