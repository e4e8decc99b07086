#pragma once
// The monotonic clock in nanoseconds, behind a seam that tests replace.
#include <cstdint>

namespace platform {

int64_t NowNanoseconds();

using ClockSource = int64_t (*)();
// Null restores std::chrono::steady_clock.
void SetClockSource(ClockSource source);

}  // namespace platform
