// Which monitor the fullscreen switch uses: the one the window mostly covers.
#include <gtest/gtest.h>

#include "platform/Window.h"

namespace {

using platform::MonitorMostlyUnder;
using platform::ScreenRect;

TEST(MonitorChoice, LargestSharedAreaWinsAndNoOverlapFallsBack) {
    // Two 1920x1080 monitors side by side, a third above the second one.
    const ScreenRect monitors[] = {{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}, {1920, -1440, 2560, 1440}};
    EXPECT_EQ(MonitorMostlyUnder({100, 100, 800, 600}, monitors, 3), 0);
    EXPECT_EQ(MonitorMostlyUnder({1800, 100, 800, 600}, monitors, 3), 1);  // 120 px on the first, 680 on the second
    EXPECT_EQ(MonitorMostlyUnder({2000, -500, 800, 600}, monitors, 3), 2);  // 500 rows above, 100 below
    EXPECT_EQ(MonitorMostlyUnder({1520, 0, 800, 600}, monitors, 3), 0);     // an even split keeps the first
    // Touching edges share no area; a window off every screen picks none (the caller uses the primary).
    EXPECT_EQ(MonitorMostlyUnder({-800, 0, 800, 600}, monitors, 3), -1);
    EXPECT_EQ(MonitorMostlyUnder({9000, 9000, 800, 600}, monitors, 3), -1);
    EXPECT_EQ(MonitorMostlyUnder({0, 0, 800, 600}, nullptr, 0), -1);
    // Extreme coordinates do not overflow.
    const ScreenRect far[] = {{2147483000, 2147483000, 1000, 1000}};
    EXPECT_EQ(MonitorMostlyUnder({2147483500, 2147483500, 1000, 1000}, far, 1), 0);
}

}  // namespace
