#include "Progress.h"

namespace QuoriaTrace
{

Progress::Progress(std::ostream& terminal, bool enabled, std::size_t total, std::string what, Clock clock)
    : terminal(terminal), enabled(enabled), total(total), what(std::move(what)), clock(std::move(clock)),
      start(this->clock())
{
}

Progress::~Progress()
{
    Finish();
}

void Progress::Update(std::size_t done)
{
    if (!enabled)
    {
        return;
    }
    const auto now = clock();
    if (now - start < Delay || (shown && now - lastShown < Interval))
    {
        return;
    }
    const int percent = total == 0 ? 100 : static_cast<int>(100 * done / total);
    terminal << "\r" << what << " " << done << "/" << total << " (" << percent << "%)" << std::flush;
    shown = true;
    lastShown = now;
}

void Progress::Finish()
{
    if (!shown)
    {
        return;
    }
    // Blank the counter so the next line starts clean.
    terminal << "\r" << std::string(what.size() + 32, ' ') << "\r" << std::flush;
    shown = false;
}

} // namespace QuoriaTrace
