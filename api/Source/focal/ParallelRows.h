#pragma once

#include <cstddef>
#include <functional>

namespace Quoria
{

// Runs task(row) for every row in [0, rowCount) on up to `threadCount`
// threads (0: one per hardware thread), the caller's among them. Rows are
// handed out one at a time, so as long as each row writes only its own
// results they do not depend on the thread count. Once a task throws, no
// new row starts; the first exception reaches the caller after every thread
// has finished.
void ForEachRow(std::size_t rowCount, unsigned int threadCount, const std::function<void(std::size_t)>& task);

} // namespace Quoria
