#include "platform/codepage936.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char b : bytes) {
        if (!text.empty()) text += ' ';
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

TEST(CodePage936, UserDefinedAreaFollowsTheCodePageRows) {
    EXPECT_EQ(hex(toCodePage936(u"\uE3A8")), "FB FB");  // the world-map glyph
    EXPECT_EQ(hex(toCodePage936(u"\uE000")), "AA A1");
    EXPECT_EQ(hex(toCodePage936(u"\uE05E")), "AB A1");  // 95th character opens the next row
    EXPECT_EQ(hex(toCodePage936(u"\uE233")), "AF FE");
    EXPECT_EQ(hex(toCodePage936(u"\uE234")), "F8 A1");
    EXPECT_EQ(hex(toCodePage936(u"\uE4C5")), "FE FE");
}

TEST(CodePage936, GbkCharactersBeyondGb2312AndPlainText) {
    EXPECT_EQ(hex(toCodePage936(u"\u7D0D\u93AE")), "BC 7B E6 82");  // 納 鎮
    EXPECT_EQ(hex(toCodePage936(u"\u519C\u5386")), "C5 A9 C0 FA");  // 农历
    EXPECT_EQ(toCodePage936(u"<HTML>\r\n  x"), "<HTML>\r\n  x");
}

TEST(CodePage936, CharactersWithoutACodeBecomeOneQuestionMarkEach) {
    // Thai, a character outside the BMP, and a lone surrogate.
    EXPECT_EQ(toCodePage936(u"a\u0E01b\U0001F600c\xD800" "d"), "a?b?c?d");
}

}  // namespace
}  // namespace kestrun
