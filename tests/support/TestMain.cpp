// The tests' entry point: the game's component classes and hooks are installed before
// any test runs, as the game's own main does.
#include <gtest/gtest.h>

#include "app/ComponentClasses.h"
#include "app/GameHooks.h"

int main(int argc, char** argv) {
    InstallComponentClasses();
    InstallGameHooks();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
