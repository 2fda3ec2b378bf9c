#include "form1/resize_rule.h"
#include "platform/twips.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

TEST(ResizeRule, ControlIsTheOuterSizeLessOneHundredTwips) {
    const TwipSize control = controlSizeFor({6675, 5265});
    EXPECT_EQ(control.width, 6575);
    EXPECT_EQ(control.height, 5165);
}

TEST(ResizeRule, ReachesPastTheClientAreaWhereTheFrameIsThick) {
    // 437 x 324 client area, 1 pixel frame each side and a 24 pixel caption.
    const TwipSize outer{pixelsToTwips(437 + 2), pixelsToTwips(324 + 24 + 1)};
    const TwipSize control = controlSizeFor(outer);
    EXPECT_EQ(twipsToPixels(control.width), 432);   // 6585 - 100 twips
    EXPECT_EQ(twipsToPixels(control.height), 342);  // 18 pixels below the client area
}

TEST(Twips, FifteenToAPixelAndNeverNegative) {
    EXPECT_EQ(pixelsToTwips(437), 6555);
    EXPECT_EQ(twipsToPixels(4860), 324);
    EXPECT_EQ(twipsToPixels(6575), 438);  // 438.33 rounds to the nearest pixel
    EXPECT_EQ(twipsToPixels(-100), 0);
}

}  // namespace
}  // namespace kestrun
