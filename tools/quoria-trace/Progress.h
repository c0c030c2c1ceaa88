#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>

namespace QuoriaTrace
{

// A one-line counter on a terminal, shown only once a task has run longer
// than a moment, so that quick runs and redirected output stay clean.
class Progress
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    Progress(std::ostream& terminal, bool enabled, std::size_t total, std::string what,
             Clock clock = std::chrono::steady_clock::now);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Update(std::size_t done);
    // Clears the line, if one was shown.
    void Finish();

    static constexpr std::chrono::milliseconds Delay{400};
    static constexpr std::chrono::milliseconds Interval{100};

private:
    std::ostream& terminal;
    bool enabled;
    std::size_t total;
    std::string what;
    Clock clock;
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point lastShown;
    bool shown = false;
};

} // namespace QuoriaTrace
