#include "form1/resize_rule.h"
#include "platform/twips.h"

#include <gtest/gtest.h>

namespace kestrun {

TEST(ResizeRule, ControlIsTheOuterSizeLessOneHundredTwipsReachingPastAThickFrame_TwipsArePixelsBy15) {
    EXPECT_EQ(controlSizeFor({6675, 5265}).width, 6575);
    EXPECT_EQ(controlSizeFor({6675, 5265}).height, 5165);
    // 437 x 324 client area, 1 pixel frame each side and a 24 pixel caption:
    // 6585 - 100 twips wide, 18 pixels below the client area.
    const TwipSize control = controlSizeFor({pixelsToTwips(437 + 2), pixelsToTwips(324 + 24 + 1)});
    EXPECT_EQ(twipsToPixels(control.width), 432);
    EXPECT_EQ(twipsToPixels(control.height), 342);
    // Fifteen twips to a pixel, rounded, never negative.
    EXPECT_EQ(twipsToPixels(6575), 438);  // 438.33
    EXPECT_EQ(twipsToPixels(-100), 0);
}

}  // namespace kestrun
