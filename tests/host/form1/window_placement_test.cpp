#include "form1/window_placement.h"

#include <gtest/gtest.h>

namespace kestrun {

TEST(WindowPlacement, NeedsAMonitorToShowAGripOfTheWindow) {
    const std::vector<GdkRectangle> monitors{{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};
    EXPECT_TRUE(shownByAMonitor({3000, 1000, 600, 450, false}, monitors));   // on the second monitor
    EXPECT_TRUE(shownByAMonitor({-568, -418, 600, 450, false}, monitors));   // 32 x 32 still shown
    EXPECT_FALSE(shownByAMonitor({-580, 100, 600, 450, false}, monitors));   // a 20 pixel strip
    EXPECT_FALSE(shownByAMonitor({100, 1060, 600, 450, false}, monitors));   // below the first, beside the second
}

}  // namespace kestrun
