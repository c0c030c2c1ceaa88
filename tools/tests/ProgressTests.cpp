#include "Progress.h"

#include <gtest/gtest.h>

#include <sstream>

using QuoriaTrace::Progress;
using Clock = std::chrono::steady_clock;

TEST(Progress, ShowsOnlyAfterTheDelayAndClearsItsLine)
{
    Clock::time_point now{};
    std::ostringstream terminal;
    {
        Progress progress(terminal, true, 10, "tracing", [&now] { return now; });
        progress.Update(1);
        now += Progress::Delay - std::chrono::milliseconds(1);
        progress.Update(2);
        EXPECT_EQ(terminal.str(), "");
        now += std::chrono::milliseconds(1);
        progress.Update(3);
        EXPECT_EQ(terminal.str(), "\rtracing 3/10 (30%)");
        // Not again within the interval, then again after it.
        now += Progress::Interval / 2;
        progress.Update(4);
        EXPECT_EQ(terminal.str(), "\rtracing 3/10 (30%)");
        now += Progress::Interval;
        progress.Update(5);
        EXPECT_EQ(terminal.str(), "\rtracing 3/10 (30%)\rtracing 5/10 (50%)");
    }
    EXPECT_EQ(terminal.str().substr(terminal.str().size() - 1), "\r");

    std::ostringstream redirected;
    Progress off(redirected, false, 10, "tracing", [&now] { return now += std::chrono::seconds(5); });
    off.Update(9);
    off.Finish();
    EXPECT_EQ(redirected.str(), "");
}
