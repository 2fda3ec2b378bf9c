#include "webview/zoom.h"

#include "platform/glib_ptr.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kestrun {

TEST(Zoom, StepsStopAtHalfAndThreeTimes) {
    EXPECT_DOUBLE_EQ(zoomStep(1.0, 1), 1.1);
    EXPECT_DOUBLE_EQ(zoomStep(1.0, -1), 0.9);
    EXPECT_DOUBLE_EQ(zoomStep(3.0, 1), 3.0);
    EXPECT_DOUBLE_EQ(zoomStep(0.5, -1), 0.5);
    EXPECT_DOUBLE_EQ(zoomStep(1.3, -1), 1.25);  // a level between steps goes to the nearer one that way
}

TEST(Zoom, KeptLevelIsReadBackAndABadOneRefused) {
    GKeyFilePtr settings(g_key_file_new());
    EXPECT_DOUBLE_EQ(zoomFrom(settings.get()), 1.0);
    storeZoom(settings.get(), 1.75);
    EXPECT_DOUBLE_EQ(zoomFrom(settings.get()), 1.75);
    for (const char* bad : {"large", "0.1", "nan"}) {
        g_key_file_set_value(settings.get(), "Window", "zoom", bad);
        EXPECT_THROW(zoomFrom(settings.get()), std::invalid_argument) << bad;
    }
}

}  // namespace kestrun
