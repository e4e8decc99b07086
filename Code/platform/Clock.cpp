#include "platform/Clock.h"

#include <chrono>

namespace platform {
namespace {
ClockSource gSource = nullptr;
}

int64_t NowNanoseconds() {
    if (gSource) return gSource();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SetClockSource(ClockSource source) { gSource = source; }

}  // namespace platform
