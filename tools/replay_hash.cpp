// Prints the replay hash of the standard level script (tests/support/Replay.h), so that
// builds by different compilers and options can be compared: scripts/test compares the
// release build's hash with the sanitizer build's.
#include <cstdio>

#include "Replay.h"
#include "app/ComponentClasses.h"

int main() {
    InstallComponentClasses();
    std::printf("%llx\n", static_cast<unsigned long long>(replay::Play(replay::kLevel, replay::kFrames)));
    return 0;
}
