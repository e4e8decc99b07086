// The tests' entry point: the game's component classes are installed before any test
// runs, as the game's own main does.
#include <gtest/gtest.h>

#include "app/ComponentClasses.h"

int main(int argc, char** argv) {
    InstallComponentClasses();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
