#pragma once

#include <atomic>
#include <cstddef>

// Every heap allocation of the process, on every thread, counted by the
// replaced global operator new, so that a benchmark can report allocations
// per leg.
extern std::atomic<std::size_t> allocationCount;
